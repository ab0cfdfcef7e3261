// The material panel's settings as plain values: the defaults, the option word and the enabling rules.
#include <gtest/gtest.h>

#include "MtlPanelStates.h"

TEST(MtlPanelStates, DefaultsGiveTheDefaultOptionWord) {
    EXPECT_EQ(BuildConversionOptions(MtlPanelStates{}), 0x10108C01u);
}

TEST(MtlPanelStates, EachCheckedControlSetsOnlyItsBit) {
    const struct {
        int control;
        ConversionOptions word;
    } rows[] = {
        {IDC_MULTIPLY_BLEND, 0x00000001},
        {IDC_ADDITIVE_HIGHLIGHT, 0x00000002},
        {IDC_APPLY_STROKES, 0x00000004},
        {IDC_STROKE_COPY, 0x00000008},
        {IDC_SKIP_DISABLED_ZONES, 0x00000400},
        {IDC_SKIP_DISABLED_STROKES, 0x00000800},
        {IDC_SPECULAR_AS_ZONE, 0x00008000},
        {IDC_HIGHLIGHT_AS_ZONE, 0x00100000},
        {IDC_CONVERT_REFLECT_REFRACT, 0x10000000},
        {IDC_STROKE_INSTANCE, 0},
        {IDC_ZONE_AUTO, 0},
        {IDC_ZONE_REFERENCE, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control);
        EXPECT_EQ(BuildConversionOptions([&](int c) { return c == row.control; }), row.word);
    }
}

TEST(MtlPanelStates, OptionControlsAreEnabledByZoneModeAndStrokes) {
    const struct {
        bool automatic, applyStrokes;
        MtlPanelEnabling enabled;
    } rows[] = {
        {true, false, {true, false, false, false}},
        {true, true, {true, false, false, false}},
        {false, false, {false, true, false, true}},
        {false, true, {false, true, true, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "automatic " << row.automatic << ", strokes " << row.applyStrokes);
        EXPECT_EQ(EnablingFor(row.automatic, row.applyStrokes), row.enabled);
    }
}
