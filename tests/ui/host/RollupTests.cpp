// Rollup pages of the command panel, as a plug-in adds and deletes them.
#include <gtest/gtest.h>

#include "DialogRecord.h"
#include "HostUi.h"
#include "custcont.h"
#include "hostcore.h"

namespace {

HWND AddPage(DialogRecord& rec, const wchar_t* title, short height) {
    DialogTemplate tmpl(WS_CHILD | WS_VISIBLE, 108, height);
    tmpl.Add(CUSTEDITWINDOWCLASS, 100, L"", 4, 4, 100, 12)
        .Add(CUSTBUTTONWINDOWCLASS, 101, L"Go", 4, 20, 60, 14);
    return GetCOREInterface()->AddRollupPage(GetModuleHandleW(nullptr), tmpl.Get(), RecordingDlgProc, title,
                                             reinterpret_cast<LPARAM>(&rec));
}

RECT ScreenRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

std::wstring Title(HWND page) {
    wchar_t text[64] = L"";
    GetWindowTextW(GetParent(page), text, 64);
    return text;
}

TEST(RollupPages, StackBelowTheirTitlesInTheCommandPanel) {
    Interface* ip = GetCOREInterface();
    DialogRecord first, second;
    HWND a = AddPage(first, L"パラメータ", 60);
    HWND b = AddPage(second, L"Second", 40);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(first.param, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(HostUi::NumRollupPages(), 2);
    EXPECT_EQ(HostUi::RollupPage(0), a);
    EXPECT_EQ(HostUi::RollupPage(1), b);
    EXPECT_EQ(Title(a), L"パラメータ");
    EXPECT_EQ(Title(b), L"Second");
    // No main window: the command panel is a top-level window of its own.
    HWND panel = HostUi::CommandPanelWindow();
    EXPECT_EQ(GetAncestor(a, GA_ROOT), panel);
    EXPECT_EQ(GetParent(panel), nullptr);
    EXPECT_TRUE(IsWindowVisible(a) && IsWindowVisible(b));
    // Each title bar is above its dialog, the second page below the first.
    EXPECT_GT(ScreenRect(a).top, ScreenRect(GetParent(a)).top);
    EXPECT_GE(ScreenRect(GetParent(b)).top, ScreenRect(a).bottom);
    // The dialog's controls are the host's custom controls.
    ICustEdit* edit = GetICustEdit(GetDlgItem(a, 100));
    EXPECT_NE(edit, nullptr);
    ReleaseICustEdit(edit);

    // Deleting the first page destroys its dialog; the second moves up into its place.
    const LONG firstTop = ScreenRect(GetParent(a)).top;
    ip->DeleteRollupPage(a);
    EXPECT_EQ(first.destroyed, 1);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(HostUi::NumRollupPages(), 1);
    EXPECT_EQ(ScreenRect(GetParent(b)).top, firstTop);

    // Handles that are no page's dialog are ignored.
    for (HWND wrong : {static_cast<HWND>(nullptr), a, panel, GetParent(b), GetDlgItem(b, 100)}) {
        ip->DeleteRollupPage(wrong);
        EXPECT_EQ(HostUi::NumRollupPages(), 1);
        EXPECT_TRUE(IsWindow(b));
    }
    ip->DeleteRollupPage(b);
    EXPECT_EQ(second.destroyed, 1);
    EXPECT_EQ(HostUi::NumRollupPages(), 0);
}

TEST(RollupPages, AMissingTemplateAddsNoPage) {
    EXPECT_EQ(GetCOREInterface()->AddRollupPage(GetModuleHandleW(nullptr), L"NO_SUCH_DIALOG",
                                                RecordingDlgProc, L"none"),
              nullptr);
    EXPECT_EQ(HostUi::NumRollupPages(), 0);
}

}  // namespace
