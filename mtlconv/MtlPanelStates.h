#pragma once

#include <array>

#include "ConversionOptions.h"
#include "resource.h"

// The material converter panel's settings as plain values: the check states it remembers, the option word
// they give and which controls they enable. The panel binds them to its controls.

// A checkbox or radio button of the panel and whether it is checked.
struct MtlPanelCheck {
    int control;
    bool checked;
};

// The check states of a first opening after the host starts, in the order the panel restores and saves
// them.
constexpr std::array<MtlPanelCheck, 12> kMtlPanelDefaults = {{
    {IDC_SKIP_DISABLED_ZONES, true},
    {IDC_SKIP_DISABLED_STROKES, true},
    {IDC_ADDITIVE_HIGHLIGHT, false},
    {IDC_ZONE_AUTO, true},
    {IDC_MULTIPLY_BLEND, true},
    {IDC_ZONE_REFERENCE, false},
    {IDC_APPLY_STROKES, false},
    {IDC_STROKE_INSTANCE, true},
    {IDC_STROKE_COPY, false},
    {IDC_SPECULAR_AS_ZONE, true},
    {IDC_HIGHLIGHT_AS_ZONE, true},
    {IDC_CONVERT_REFLECT_REFRACT, true},
}};

// The states the panel remembers while the host runs; never saved to a file.
struct MtlPanelStates {
    std::array<MtlPanelCheck, 12> checks = kMtlPanelDefaults;

    constexpr bool IsChecked(int control) const {
        for (const MtlPanelCheck& c : checks)
            if (c.control == control) return c.checked;
        return false;
    }
};

// An option of the material conversion: the panel control whose check sets its bit, and how the host tool
// spells it. The tool's on and off flags, its help line and the name its report uses all come from here, so
// the panel and the tool cannot drift apart. The partner radio button of IDC_STROKE_COPY
// (IDC_STROKE_INSTANCE) sets nothing.
struct MtlOptionBit {
    int control;
    ConversionOptions bit;
    const char* onFlag;   // sets the bit
    const char* offFlag;  // clears it
    const char* help;

    // The option's name in reports: its on flag without the leading "--".
    constexpr const char* Name() const { return onFlag + 2; }
};
constexpr MtlOptionBit MtlOptionBits[] = {
    {IDC_MULTIPLY_BLEND, CONVOPT_MULTIPLY_BLEND, "--multiply-blend", "--no-multiply-blend",
     "automatic zones of Standard materials use the multiply blend (default on)"},
    {IDC_ADDITIVE_HIGHLIGHT, CONVOPT_HIGHLIGHT_ADD_BLEND, "--highlight-add-blend", "--no-highlight-add-blend",
     "the highlight blends additively (default off)"},
    {IDC_SPECULAR_AS_ZONE, CONVOPT_FT_SPECULAR_AS_ZONE, "--ft-specular-as-zone", "--no-ft-specular-as-zone",
     "the finalToon specular band becomes a zone (default on)"},
    {IDC_HIGHLIGHT_AS_ZONE, CONVOPT_IL_HIGHLIGHT_AS_ZONE, "--il-highlight-as-zone",
     "--no-il-highlight-as-zone", "the Illustrate! highlight band becomes a zone (default on)"},
    {IDC_APPLY_STROKES, CONVOPT_APPLY_STROKES, "--apply-strokes", "--no-apply-strokes",
     "zones copied from the reference material bring its strokes (default off)"},
    {IDC_STROKE_COPY, CONVOPT_COPY_STROKES, "--copy-strokes", "--instance-strokes",
     "those strokes are copies rather than the same objects (default: instances)"},
    {IDC_SKIP_DISABLED_ZONES, CONVOPT_SKIP_AREA_OFF_ZONES, "--skip-area-off-zones",
     "--no-skip-area-off-zones", "Tavelin 2 zones without area are not converted (default on)"},
    {IDC_SKIP_DISABLED_STROKES, CONVOPT_SKIP_DISABLED_STROKES, "--skip-disabled-strokes",
     "--no-skip-disabled-strokes", "Tavelin 2 strokes that are switched off are not converted (default on)"},
    {IDC_CONVERT_REFLECT_REFRACT, CONVOPT_CONVERT_REFLECT_REFRACT_MAPS, "--convert-reflect-refract-maps",
     "--no-convert-reflect-refract-maps", "Tavelin 2 reflection/refraction maps are converted (default on)"},
};

// The option word of the checked controls; isChecked(control) answers for one control. A checked control
// sets its bit whether or not it is enabled.
template <class IsChecked>
constexpr ConversionOptions BuildConversionOptions(const IsChecked& isChecked) {
    ConversionOptions word = 0;
    for (const MtlOptionBit& b : MtlOptionBits)
        if (isChecked(b.control)) word |= b.bit;
    return word;
}

constexpr ConversionOptions BuildConversionOptions(const MtlPanelStates& states) {
    return BuildConversionOptions([&states](int control) { return states.IsChecked(control); });
}

static_assert(BuildConversionOptions(MtlPanelStates{}) == kDefaultConversionOptions,
              "the panel's defaults give the default option word");

// Which option controls are enabled. Automatic zones take the multiply blend; zones taken from a
// reference material take its button and, when strokes are applied, the choice of instance or copy.
struct MtlPanelEnabling {
    bool multiplyBlend;    // IDC_MULTIPLY_BLEND
    bool applyStrokes;     // IDC_APPLY_STROKES
    bool strokeMode;       // IDC_STROKE_INSTANCE and IDC_STROKE_COPY
    bool referenceButton;  // IDC_REFERENCE_MTL

    constexpr bool operator==(const MtlPanelEnabling& o) const {
        return multiplyBlend == o.multiplyBlend && applyStrokes == o.applyStrokes &&
               strokeMode == o.strokeMode && referenceButton == o.referenceButton;
    }
};

constexpr MtlPanelEnabling EnablingFor(bool automaticZones, bool applyStrokesChecked) {
    return {automaticZones, !automaticZones, !automaticZones && applyStrokesChecked, !automaticZones};
}
