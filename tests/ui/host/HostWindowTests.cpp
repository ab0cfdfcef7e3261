// The host's window helpers: centring a window, and redraws of the main window.
#include <gtest/gtest.h>

#include "HostUi.h"
#include "hostcore.h"
#include "winutil.h"

namespace {

TEST(CenterWindow, CentresOnTheParentOrTheWorkArea) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 50, 60, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND child =
        CreateWindowExW(0, L"STATIC", L"child", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (HWND within : {parent, static_cast<HWND>(nullptr)}) {
        ASSERT_TRUE(CenterWindow(child, within));
        RECT c, w = work;
        GetWindowRect(child, &c);
        if (within) GetWindowRect(within, &w);
        EXPECT_NEAR((c.left + c.right) / 2, (w.left + w.right) / 2, 1);
        EXPECT_NEAR((c.top + c.bottom) / 2, (w.top + w.bottom) / 2, 1);
    }
    EXPECT_FALSE(CenterWindow(nullptr, parent));
    DestroyWindow(child);
    DestroyWindow(parent);
}

TEST(Redraw, InvalidatesTheMainWindowAndIsCounted) {
    HostCore& host = HostCore::Get();
    HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    host.SetMainWindow(main);
    ValidateRect(main, nullptr);
    const int before = host.NumRedraws();
    host.ForceCompleteRedraw();
    EXPECT_TRUE(GetUpdateRect(main, nullptr, FALSE));
    EXPECT_EQ(host.NumRedraws(), before + 1);
    host.SetMainWindow(nullptr);
    DestroyWindow(main);
}

}  // namespace
