// The line converter as the user meets it: its panel in the host's command panel, the options it
// remembers, the confirmation, and runs over the render-effect list that the host undoes and redoes as one
// step.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "LineConvTestScene.h"
#include "SceneFile.h"
#include "UtilityPanelTest.h"
#include "custcont.h"
#include "resource.h"

namespace {

constexpr wchar_t kConfirmCaption[] = L"Tavelin 3 コンバータ";

// What the panel shows of its options.
struct PanelState {
    bool deleteSources;
    bool appendSuffix;
    std::wstring suffix;
    bool suffixEnabled;
    bool operator==(const PanelState& o) const {
        return deleteSources == o.deleteSources && appendSuffix == o.appendSuffix && suffix == o.suffix &&
               suffixEnabled == o.suffixEnabled;
    }
};
void PrintTo(const PanelState& s, std::ostream* os) {
    *os << "{delete " << s.deleteSources << ", append " << s.appendSuffix << ", suffix \""
        << MSTR(s.suffix.c_str()).ToUTF8() << "\" " << (s.suffixEnabled ? "enabled" : "disabled") << "}";
}

HWND FindLinePanel() { return FindPanel(IDC_SUFFIX, L"CustEdit"); }

// The suffix edit through the host's interface, given back at once.
template <class F>
auto WithSuffixEdit(HWND panel, F f) {
    ICustEdit* edit = GetICustEdit(GetDlgItem(panel, IDC_SUFFIX));
    EXPECT_NE(edit, nullptr);
    auto result = f(edit);
    ReleaseICustEdit(edit);
    return result;
}

PanelState Read(HWND panel) {
    return WithSuffixEdit(panel, [&](ICustEdit* edit) {
        MCHAR text[256] = {};
        if (edit) edit->GetText(text, 256);
        return PanelState{IsChecked(panel, IDC_DELETE_SOURCES), IsChecked(panel, IDC_APPEND_SUFFIX), text,
                          edit && edit->IsEnabled()};
    });
}

void SetSuffix(HWND panel, const wchar_t* text) {
    WithSuffixEdit(panel, [&](ICustEdit* edit) {
        if (edit) edit->SetText(text);
        return 0;
    });
}

class LinePanelTest : public UtilityPanelTest<LineConvTest, 1, FindLinePanel> {
protected:
    // Presses the panel's run button and answers the confirmation with answer.
    void RunFromPanel(DialogDriver::Answer answer) {
        DialogDriver driver;
        driver.Expect(kConfirmCaption, std::move(answer));
        Click(panel_, IDC_LINE_CONVERT);
        EXPECT_TRUE(driver.Done()) << "no confirmation was asked";
    }
    // A: a Tavelin 2 line effect, B: an effect of another class, C: another Tavelin 2 line effect.
    static void AddThreeEffects() {
        for (Effect* e : {static_cast<Effect*>(NewLine(_M("Tavelin 2 A"), {NewSet(), NewSet()})),
                          static_cast<Effect*>(NewOtherEffect(_M("Blur"))),
                          static_cast<Effect*>(NewLine(_M("Tavelin 2 C"), {NewSet()}))})
            GetCOREInterface()->AddEffect(e);
    }
    static std::vector<std::wstring> Names() {
        std::vector<std::wstring> names;
        for (Effect* e : Effects()) names.push_back(e->name.data());
        return names;
    }
};

}  // namespace

// Runs before any other test opens the panel: the first opening shows the defaults.
TEST_F(LinePanelTest, PanelStartsWithDefaultsAndRemembersItsOptionsWhenReopened) {
    const struct {
        const char* step;
        std::function<void(HWND)> act;
        bool reopen;
        PanelState expected;
    } steps[] = {
        {"first opening", [](HWND) {}, false, {true, false, L"_TVL3", false}},
        {"checking 1005 enables the edit",
         [](HWND p) { Click(p, IDC_APPEND_SUFFIX); },
         false,
         {true, true, L"_TVL3", true}},
        {"new options survive closing",
         [](HWND p) {
             SetSuffix(p, L"_X");
             Click(p, IDC_DELETE_SOURCES);
         },
         true,
         {false, true, L"_X", true}},
        {"unchecking 1005 disables the edit, also when reopened",
         [](HWND p) { Click(p, IDC_APPEND_SUFFIX); },
         true,
         {false, false, L"_X", false}},
        {"back to the defaults",
         [](HWND p) {
             SetSuffix(p, L"_TVL3");
             Click(p, IDC_DELETE_SOURCES);
         },
         true,
         {true, false, L"_TVL3", false}},
    };
    Open();
    EXPECT_EQ(ControlText(panel_, IDC_VERSION), L"Version 0.89");
    PlaySteps(std::begin(steps), std::end(steps), Read);
}

TEST_F(LinePanelTest, OnlyOkInTheConfirmationLetsTheRunChangeTheList) {
    const struct {
        const char* how;
        DialogDriver::Answer answer;
        bool converts;
    } rows[] = {
        {"OK", [](HWND d) { Click(d, IDOK); }, true},
        {"Cancel", [](HWND d) { Click(d, IDCANCEL); }, false},
        {"Esc", [](HWND d) { PressEscape(d); }, false},
        {"close box", [](HWND d) { PressCloseBox(d); }, false},
    };
    Open();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        AddThreeEffects();
        const std::vector<Effect*> before = Effects();
        const int undoEntries = theHold.NumUndoEntries();

        RunFromPanel(row.answer);
        EXPECT_EQ(Effects() != before, row.converts);
        EXPECT_EQ(theHold.NumUndoEntries(), undoEntries + (row.converts ? 1 : 0));
    }
}

TEST_F(LinePanelTest, RunFromThePanelConvertsTheEffectListAsOneUndoStep) {
    const struct {
        const char* what;
        bool deleteSources;
        bool appendSuffix;
        const wchar_t* editText;
        std::vector<std::wstring> names;  // the list after the run
    } rows[] = {
        {"sources deleted, names by digit", true, false, L"_TVL3", {L"Blur", L"Tavelin 3 A", L"Tavelin 3 C"}},
        {"sources kept, suffix appended",
         false,
         true,
         L"_X",
         {L"Tavelin 2 A", L"Blur", L"Tavelin 2 C", L"Tavelin 2 A_X", L"Tavelin 2 C_X"}},
        {"an empty suffix names by digit", true, true, L"", {L"Blur", L"Tavelin 3 A", L"Tavelin 3 C"}},
        {"an unchecked suffix is not appended",
         true,
         false,
         L"_X",
         {L"Blur", L"Tavelin 3 A", L"Tavelin 3 C"}},
    };
    Open();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        AddThreeEffects();
        SetCheck(panel_, IDC_DELETE_SOURCES, row.deleteSources);
        SetCheck(panel_, IDC_APPEND_SUFFIX, row.appendSuffix);
        SetSuffix(panel_, row.editText);
        const std::vector<Effect*> before = Effects();

        RunFromPanel([](HWND d) { Click(d, IDOK); });
        EXPECT_EQ(Names(), row.names);
        ASSERT_EQ(theHold.NumUndoEntries(), 1);
        EXPECT_EQ(MSTR(theHold.UndoName(0)).ToUTF8(), "Tavelin 3 コンバート");
        const std::vector<Effect*> after = Effects();

        EXPECT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(Effects(), before);
        EXPECT_TRUE(HostCore::Get().Redo());
        EXPECT_EQ(Effects(), after);
        EXPECT_EQ(Read(panel_).suffix, row.editText) << "a run leaves the panel's text as it was";
    }
}

// The sample scene's line effects, converted from the panel with the default options: the scene after undo is
// the loaded one and after redo the converted one, to the byte of their scene files.
TEST_F(LinePanelTest, ShowcaseLineEffectsConvertFromThePanelAndUndoRestoresEachStateExactly) {
    std::ifstream in(std::string(TVL_SOURCE_DIR) + "/examples/showcase.json", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    ASSERT_TRUE(LoadSceneText(text.str(), error)) << error;
    const std::string loaded = SaveSceneText();
    Open();
    SetCheck(panel_, IDC_DELETE_SOURCES, true);
    SetCheck(panel_, IDC_APPEND_SUFFIX, false);

    RunFromPanel([](HWND d) { Click(d, IDOK); });
    const std::string converted = SaveSceneText();
    int tavelin3 = 0;
    for (Effect* e : Effects()) {
        EXPECT_NE(e->ClassID(), TVL2_LINE_CLASS_ID)
            << "a Tavelin 2 line effect was left: " << e->name.ToUTF8();
        tavelin3 += e->ClassID() == TVL3_LINE_CLASS_ID;
    }
    EXPECT_GT(tavelin3, 0);
    for (int cycle = 0; cycle < 2; ++cycle) {
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(SaveSceneText(), loaded) << "after undo, cycle " << cycle;
        ASSERT_TRUE(HostCore::Get().Redo());
        EXPECT_EQ(SaveSceneText(), converted) << "after redo, cycle " << cycle;
    }
}
