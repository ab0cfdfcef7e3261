#pragma once

// A test that opens one of the plug-in's utilities as the host does and closes it again at the end.

#include <gtest/gtest.h>

#include "PluginModule.h"

// SceneTest: the fixture that builds the test's scene. kDescriptor: the utility's class descriptor.
// FindOpenPanel: the utility's panel among the thread's windows, null when it is not open.
template <class SceneTest, int kDescriptor, HWND (*FindOpenPanel)()>
class UtilityPanelTest : public SceneTest {
protected:
    void TearDown() override {
        if (panel_) Close();
        SceneTest::TearDown();
    }
    void Open() {
        utility_ = PluginUtility(kDescriptor);
        ASSERT_NE(utility_, nullptr);
        utility_->BeginEditParams(GetCOREInterface(), nullptr);
        panel_ = FindOpenPanel();
        ASSERT_NE(panel_, nullptr) << "the panel of utility " << kDescriptor << " did not open";
    }
    void Close() {
        utility_->EndEditParams(GetCOREInterface(), nullptr);
        panel_ = nullptr;
        EXPECT_EQ(FindOpenPanel(), nullptr) << "the panel stayed after the utility closed";
    }
    // Plays steps on the open panel: each acts on it, may close and reopen it, and leaves the states it
    // expects, as read(panel) gives them.
    template <class Step, class ReadPanel>
    void PlaySteps(const Step* begin, const Step* end, ReadPanel read) {
        for (const Step* s = begin; s != end; ++s) {
            SCOPED_TRACE(s->step);
            s->act(panel_);
            if (s->reopen) {
                Close();
                Open();
            }
            EXPECT_EQ(read(panel_), s->expected);
        }
    }

    UtilityObj* utility_ = nullptr;
    HWND panel_ = nullptr;
};
