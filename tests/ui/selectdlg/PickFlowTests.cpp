// The material selection dialog driven as a user drives it through the converter's Add and Delete flows:
// clicks and ctrl-clicks on the list, the selection, filter, sort and subtree controls, resizing, the close
// box and Esc, and the conversion list after OK.
//
// The flows run from their static libraries, linked into this program. They find the dialog template and
// the string table through the module handle `hInstance`, which the plug-in's DllMain sets in the plug-in
// itself; here it is the plug-in module loaded as a data file: its resources, without running its code or
// making a second set of its objects.
//
// The flows' callbacks remember the user's settings for the whole process, so the cases run in file order,
// each starting where the one before left the settings, as openings in one host session do.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MtlConvTestScene.h"
#include "PickCallbacks.h"
#include "resource.h"
#include "stdmat/StandardVariantMtl.h"

HINSTANCE hInstance = nullptr;

namespace {

constexpr wchar_t kAddCaption[] = L"マテリアルの追加";
constexpr wchar_t kDeleteCaption[] = L"マテリアルの削除";

// What the list box shows: its entries and which are selected.
struct ListState {
    std::vector<std::wstring> entries;
    std::vector<int> selected;
    bool operator==(const ListState& o) const { return entries == o.entries && selected == o.selected; }
};
void PrintTo(const ListState& s, std::ostream* os) {
    *os << "{";
    for (const auto& e : s.entries) *os << "\"" << MSTR(e.c_str()).ToUTF8() << "\" ";
    *os << "| selected";
    for (int i : s.selected) *os << " " << i;
    *os << "}";
}

ListState Read(HWND dlg) { return {ListEntries(dlg, IDC_SELECT_LIST), ListSelection(dlg, IDC_SELECT_LIST)}; }

// A click on an entry of the selection list.
void ClickEntry(HWND dlg, int index, bool ctrl = false) { ClickListEntry(dlg, IDC_SELECT_LIST, index, ctrl); }

// One step of a user's session: what is done and what the list shows afterwards.
struct Step {
    const char* what;
    std::function<void(HWND)> act;
    ListState expected;
};

void RunSteps(HWND dlg, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        step.act(dlg);
        EXPECT_EQ(Read(dlg), step.expected) << step.what;
    }
}

RECT ClientRectOf(HWND dlg, int id) {
    RECT r;
    HWND control = GetDlgItem(dlg, id);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT WindowRectOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

const wchar_t* const kA = L"Alpha (Standard)";
const wchar_t* const kB = L"Beta (Standard)";
const wchar_t* const kD = L"Deep (Standard)";
const wchar_t* const kV = L"Aardvark (StandardVariant)";

// The scene: "Alpha", "Beta" and "Listed" (Standard) on nodes, "Beta" again and "Deep" two levels down
// inside "Multi" (Multi/Sub-Object) on a node, "Aardvark" (Standard variant) only in the material editor,
// "Gone" (Standard) used nowhere. "Listed" and "Gone" start in the conversion list.
class PickFlowTest : public MtlConvTest {
protected:
    static void SetUpTestSuite() {
        hInstance = LoadLibraryExW(L"Tavelin3_Converter.dlu", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }

    void SetUp() override {
        MtlConvTest::SetUp();
        ASSERT_NE(hInstance, nullptr);
        alpha = InScene(NewStandard(_M("Alpha")));
        beta = InScene(NewStandard(_M("Beta")));
        listed = InScene(NewStandard(_M("Listed")));
        deep = NewStandard(_M("Deep"));
        MultiSubMtl* inner = NewMulti(_M("Inner"), 1);
        inner->SetSubMtl(0, deep);
        MultiSubMtl* multi = NewMulti(_M("Multi"), 2);
        multi->SetSubMtl(0, beta);
        multi->SetSubMtl(1, inner);
        InScene(multi);
        aardvark = Make<StandardVariantMtl>(_M("Aardvark"));
        SetSlot(0, aardvark);
        gone = NewStandard(_M("Gone"));
        AddAll(state.List(), {listed, gone});
        state.List().SetListener(&refills);
    }
    void TearDown() override {
        state.List().SetListener(nullptr);
        state.Reset();
        MtlConvTest::TearDown();
    }

    // Opens a flow and answers its dialog; the driver fails the case when no dialog came.
    void Run(void (*flow)(HWND, MtlConverterState&), const wchar_t* caption, DialogDriver::Answer answer) {
        DialogDriver driver;
        driver.Expect(caption, std::move(answer));
        flow(nullptr, state);
        EXPECT_TRUE(driver.Done());
    }

    Mtl *alpha, *beta, *listed, *deep;
    StandardVariantMtl* aardvark;
    StandardMtl* gone;
    MtlConverterState state;
    CountingListener refills{state.List()};
};

TEST_F(PickFlowTest, FirstAddOffersSceneMaterialsAndAppendsTheChoiceOnOk) {
    Run(AddMaterials, kAddCaption, [](HWND dlg) {
        // Flat, by name, "シーン" checked; two filters shown, the other three hidden.
        EXPECT_EQ(ControlText(dlg, IDC_DISPLAY_FILTER1), L"シーン");
        EXPECT_EQ(ControlText(dlg, IDC_DISPLAY_FILTER2), L"マテリアル エディタ");
        const bool shown[] = {true, true, false, false, false};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ((GetWindowLongW(GetDlgItem(dlg, IDC_DISPLAY_FILTER1 + i), GWL_STYLE) & WS_VISIBLE) != 0,
                      shown[i])
                << i;
        EXPECT_TRUE(IsChecked(dlg, IDC_DISPLAY_FILTER1));
        EXPECT_FALSE(IsChecked(dlg, IDC_DISPLAY_FILTER2));
        EXPECT_TRUE(IsChecked(dlg, IDC_SORT_BY_NAME));
        EXPECT_FALSE(IsChecked(dlg, IDC_SHOW_SUBTREE));
        RunSteps(
            dlg,
            {
                {"start", [](HWND) {}, {{kA, kB, kD}, {}}},
                {"click", [](HWND d) { ClickEntry(d, 0); }, {{kA, kB, kD}, {0}}},
                {"ctrl-click on", [](HWND d) { ClickEntry(d, 2, true); }, {{kA, kB, kD}, {0, 2}}},
                {"ctrl-click off", [](HWND d) { ClickEntry(d, 0, true); }, {{kA, kB, kD}, {2}}},
                {"select all", [](HWND d) { Click(d, IDC_SELECT_ALL); }, {{kA, kB, kD}, {0, 1, 2}}},
                {"select none", [](HWND d) { Click(d, IDC_SELECT_NONE); }, {{kA, kB, kD}, {}}},
                {"invert", [](HWND d) { Click(d, IDC_SELECT_INVERT); }, {{kA, kB, kD}, {0, 1, 2}}},
                {"ctrl-click off", [](HWND d) { ClickEntry(d, 1, true); }, {{kA, kB, kD}, {0, 2}}},
                {"editor filter on",
                 [](HWND d) { Click(d, IDC_DISPLAY_FILTER2); },
                 {{kV, kA, kB, kD}, {1, 3}}},
                {"sort by type", [](HWND d) { Click(d, IDC_SORT_BY_TYPE); }, {{kA, kB, kD, kV}, {0, 2}}},
                // Materials that leave the list lose their selection for good.
                {"scene filter off", [](HWND d) { Click(d, IDC_DISPLAY_FILTER1); }, {{kV}, {}}},
                {"scene filter on", [](HWND d) { Click(d, IDC_DISPLAY_FILTER1); }, {{kA, kB, kD, kV}, {}}},
                {"click", [](HWND d) { ClickEntry(d, 1); }, {{kA, kB, kD, kV}, {1}}},
                {"ctrl-click on", [](HWND d) { ClickEntry(d, 3, true); }, {{kA, kB, kD, kV}, {1, 3}}},
            });
        Click(dlg, IDOK);
    });
    EXPECT_EQ(Listed(state.List()), (std::vector<MtlBase*>{listed, gone, beta, aardvark}));
    EXPECT_FALSE(refills.counts.empty());
}

// The tree lists a material at each place it is used, indented four spaces a level; its entries share one
// selection. Esc leaves the list alone but the settings are remembered.
TEST_F(PickFlowTest, TreeEntriesOfOneMaterialShareTheirSelection) {
    Run(AddMaterials, kAddCaption, [](HWND dlg) {
        // The settings the last Add closed with.
        EXPECT_TRUE(IsChecked(dlg, IDC_DISPLAY_FILTER2));
        EXPECT_TRUE(IsChecked(dlg, IDC_SORT_BY_TYPE));
        const std::wstring b2 = std::wstring(4, L' ') + kB, d3 = std::wstring(8, L' ') + kD;
        RunSteps(
            dlg,
            {
                {"editor filter off", [](HWND d) { Click(d, IDC_DISPLAY_FILTER2); }, {{kA, kB, kD}, {}}},
                {"sort by name", [](HWND d) { Click(d, IDC_SORT_BY_NAME); }, {{kA, kB, kD}, {}}},
                {"subtree on", [](HWND d) { Click(d, IDC_SHOW_SUBTREE); }, {{kA, kB, b2, d3}, {}}},
                {"click one Beta", [](HWND d) { ClickEntry(d, 1); }, {{kA, kB, b2, d3}, {1, 2}}},
                {"ctrl-click Deep", [](HWND d) { ClickEntry(d, 3, true); }, {{kA, kB, b2, d3}, {1, 2, 3}}},
                {"ctrl-click other Beta off",
                 [](HWND d) { ClickEntry(d, 2, true); },
                 {{kA, kB, b2, d3}, {3}}},
                {"ctrl-click Beta on", [](HWND d) { ClickEntry(d, 2, true); }, {{kA, kB, b2, d3}, {1, 2, 3}}},
                {"subtree off", [](HWND d) { Click(d, IDC_SHOW_SUBTREE); }, {{kA, kB, kD}, {1, 2}}},
                {"subtree on", [](HWND d) { Click(d, IDC_SHOW_SUBTREE); }, {{kA, kB, b2, d3}, {1, 2, 3}}},
            });
        PressEscape(dlg);
    });
    EXPECT_EQ(Listed(state.List()), (std::vector<MtlBase*>{listed, gone}));
    EXPECT_TRUE(refills.counts.empty());
    Run(AddMaterials, kAddCaption, [](HWND dlg) {
        EXPECT_TRUE(IsChecked(dlg, IDC_SHOW_SUBTREE));
        Click(dlg, IDC_SHOW_SUBTREE);
        PressCloseBox(dlg);
    });
}

// Growing moves the right-hand controls with the right edge and OK, Cancel and the subtree box with the
// bottom, and stretches the list; the dialog never gets smaller than it was made. Delete, with its own
// settings, opens where Add was closed.
TEST_F(PickFlowTest, ResizingKeepsControlsToTheirEdgesAndTheRectangleIsShared) {
    RECT closedAt = {};
    Run(AddMaterials, kAddCaption, [&closedAt](HWND dlg) {
        const int ids[] = {IDC_SELECT_LIST, IDC_SHOW_SUBTREE, IDC_SELECT_ALL, IDC_DISPLAY_FILTER2, IDOK,
                           IDCANCEL};
        std::vector<RECT> before;
        for (int id : ids) before.push_back(ClientRectOf(dlg, id));
        const RECT made = WindowRectOf(dlg);
        const int w = made.right - made.left, h = made.bottom - made.top, dw = 100, dh = 60;
        SetWindowPos(dlg, nullptr, 0, 0, w + dw, h + dh, SWP_NOMOVE | SWP_NOZORDER);
        // Expected moves of left, top, right, bottom per control.
        const int moves[][4] = {{0, 0, dw, dh}, {0, dh, 0, dh},   {dw, 0, dw, 0},
                                {dw, 0, dw, 0}, {dw, dh, dw, dh}, {dw, dh, dw, dh}};
        for (size_t i = 0; i < before.size(); ++i) {
            const RECT now = ClientRectOf(dlg, ids[i]);
            const RECT expected = {before[i].left + moves[i][0], before[i].top + moves[i][1],
                                   before[i].right + moves[i][2], before[i].bottom + moves[i][3]};
            EXPECT_TRUE(now == expected) << "control " << ids[i];
        }
        MINMAXINFO info = {};
        SendMessageW(dlg, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.ptMinTrackSize.x, w);
        EXPECT_EQ(info.ptMinTrackSize.y, h);
        SetWindowPos(dlg, nullptr, 0, 0, w - 40, h - 40, SWP_NOMOVE | SWP_NOZORDER);
        const RECT small = WindowRectOf(dlg);
        EXPECT_GE(small.right - small.left, w);
        EXPECT_GE(small.bottom - small.top, h);
        SetWindowPos(dlg, nullptr, made.left + 20, made.top + 10, w + 30, h + 20, SWP_NOZORDER);
        closedAt = WindowRectOf(dlg);
        Click(dlg, IDCANCEL);
    });
    Run(DeleteMaterials, kDeleteCaption, [&closedAt](HWND dlg) {
        EXPECT_TRUE(WindowRectOf(dlg) == closedAt);
        EXPECT_FALSE(IsChecked(dlg, IDC_SHOW_SUBTREE));
        Click(dlg, IDCANCEL);
    });
}

// Delete offers the listed materials; with both filters off it shows those used nowhere.
TEST_F(PickFlowTest, DeleteOffersListedMaterialsAndErasesTheChoice) {
    Run(DeleteMaterials, kDeleteCaption, [](HWND dlg) {
        const wchar_t* gone = L"Gone (Standard)";
        const wchar_t* listed = L"Listed (Standard)";
        RunSteps(dlg, {
                          {"start", [](HWND) {}, {{listed}, {}}},
                          {"scene filter off", [](HWND d) { Click(d, IDC_DISPLAY_FILTER1); }, {{gone}, {}}},
                          {"click", [](HWND d) { ClickEntry(d, 0); }, {{gone}, {0}}},
                      });
        Click(dlg, IDOK);
    });
    EXPECT_EQ(Listed(state.List()), (std::vector<MtlBase*>{listed}));
}

}  // namespace
