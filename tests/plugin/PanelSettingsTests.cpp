// What the panels show and remember before any window is involved: the version label and the line
// panel's defaults, which hold until the host restarts.

#include <gtest/gtest.h>

#include "LinePanelOptions.h"
#include "VersionText.h"

TEST(PanelSettings, VersionLabelReadsVersion089) { EXPECT_EQ(BuildVersionText(), _M("Version 0.89")); }

TEST(PanelSettings, LinePanelStartsDeletingSourcesWithoutSuffix) {
    const LinePanelOptions options;
    const struct {
        int control;
        bool checked;
    } expected[] = {{IDC_DELETE_SOURCES, true}, {IDC_APPEND_SUFFIX, false}};
    ASSERT_EQ(std::size(options.checks), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        EXPECT_EQ(options.checks[i].control, expected[i].control);
        EXPECT_EQ(options.checks[i].checked, expected[i].checked);
    }
    EXPECT_EQ(options.suffix, _M("_TVL3"));
}
