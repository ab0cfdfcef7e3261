// The progress window a run shows, and its Cancel button.
#include "HostUi.h"  // the window system first: commctrl.h needs it
#include "hostcore.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(HWND w, int id = 0) {
    wchar_t text[64] = L"";
    GetWindowTextW(id ? GetDlgItem(w, id) : w, text, 64);
    return text;
}

TEST(ProgressWindow, ShowsTheTaskAndTakesACancelClickAtTheNextUpdate) {
    Interface* ip = GetCOREInterface();
    wchar_t title[] = L"変換中";
    ip->SetCancel(TRUE);
    ip->ProgressStart(title, TRUE, nullptr, nullptr);
    EXPECT_FALSE(ip->GetCancel());
    HWND w = HostUi::ProgressWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(Text(w), L"変換中");

    const struct {
        int pct;
        BOOL showPct;
        const wchar_t* title;
        const wchar_t* shownTitle;
        const wchar_t* shownPct;
    } steps[] = {{40, TRUE, nullptr, L"変換中", L"40%"}, {55, FALSE, L"Lines", L"Lines", L""}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.pct);
        ip->ProgressUpdate(s.pct, s.showPct, s.title);
        EXPECT_EQ(SendDlgItemMessageW(w, HostUi::kProgressBar, PBM_GETPOS, 0, 0), s.pct);
        EXPECT_EQ(Text(w, HostUi::kProgressText), s.shownTitle);
        EXPECT_EQ(Text(w, HostUi::kProgressPercent), s.shownPct);
    }

    // The click waits in the queue until the run lets the window system deliver it.
    PostMessageW(GetDlgItem(w, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_FALSE(ip->GetCancel());
    ip->ProgressUpdate(60);
    EXPECT_TRUE(ip->GetCancel());

    ip->ProgressEnd();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(HostUi::ProgressWindow(), nullptr);
    EXPECT_TRUE(ip->GetCancel());  // the run reads it after the end, too
}

}  // namespace
