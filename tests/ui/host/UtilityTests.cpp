// Plug-in modules found in a folder, and their utilities opened and closed from the Utilities page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "HostUi.h"
#include "PluginLoader.h"
#include "hostcore.h"

namespace {

std::wstring ModuleFolder() {
    wchar_t exe[MAX_PATH];
    std::wstring dir(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + L"testmodules";
}

std::vector<std::wstring> PageTitles() {
    std::vector<std::wstring> titles;
    for (int i = 0; i < HostUi::NumRollupPages(); ++i) {
        wchar_t text[64] = L"";
        GetWindowTextW(GetParent(HostUi::RollupPage(i)), text, 64);
        titles.push_back(text);
    }
    return titles;
}

TEST(PluginModules, AreLoadedOrRefusedWithTheReason) {
    const std::vector<std::wstring> errors = HostUi::LoadPluginFolder(ModuleFolder());
    const std::vector<std::wstring> expected = {
        L"testmodule_noexport.dlu: not a plug-in module, it does not export CanAutoDefer",
        L"testmodule_noinit.dlu: LibInitialize failed",
        L"testmodule_oldsdk.dlu: built for SDK version 0x42682C00, the host needs 0x4A383000",
    };
    EXPECT_EQ(errors, expected);
    ASSERT_EQ(HostUi::PluginModules().size(), 1u);
    const HostUi::PluginModule& m = HostUi::PluginModules()[0];
    EXPECT_EQ(m.file, L"testmodule.dlu");
    EXPECT_EQ(m.description, L"Loader test module");
    EXPECT_EQ(m.numClasses, 4);
    EXPECT_NE(HostCore::Get().FindClass(UTILITY_CLASS_ID, Class_ID(0x7E5701F0, 4)), nullptr);
    EXPECT_NE(HostCore::Get().FindClass(MATERIAL_CLASS_ID, Class_ID(0x7E5701F0, 3)), nullptr);
    // A second look at the folder loads nothing twice.
    HostUi::LoadPluginFolder(ModuleFolder());
    EXPECT_EQ(HostUi::PluginModules().size(), 1u);
}

TEST(PluginModules, UtilitiesOpenAndCloseFromTheUtilitiesPage) {
    HostUi::LoadPluginFolder(ModuleFolder());
    HMODULE testModule = GetModuleHandleW(L"testmodule.dlu");
    ASSERT_NE(testModule, nullptr);
    auto counts = reinterpret_cast<void (*)(int*, int*)>(GetProcAddress(testModule, "TestModuleCounts"));
    HWND page = HostUi::ShowUtilitiesPage();
    ASSERT_NE(page, nullptr);
    HWND list = GetDlgItem(page, HostUi::kUtilityList);
    std::vector<std::wstring> listed;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[64] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        listed.push_back(text);
    }
    EXPECT_EQ(listed, (std::vector<std::wstring>{L"Alpha Utility", L"Beta Utility"}));

    auto choose = [&](int i) {
        SendMessageW(list, LB_SETCURSEL, i, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(HostUi::kUtilityList, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
    auto utilityButton = [] { return GetDlgItem(HostUi::RollupPage(1), 300); };
    // Each step, then the pages shown, how often a utility was opened and closed, and the open entry.
    const struct {
        const char* step;
        std::function<void()> act;
        std::vector<std::wstring> pages;
        int begins, ends, open;
    } steps[] = {
        {"choose Alpha", [&] { choose(0); }, {L"Utilities", L"Alpha Utility"}, 1, 0, 0},
        {"choose Beta", [&] { choose(1); }, {L"Utilities", L"Beta Utility"}, 2, 1, 1},
        {"the utility's own button",
         [&] { SendMessageW(utilityButton(), BM_CLICK, 0, 0); },
         {L"Utilities"},
         2,
         2,
         -1},
        {"Close",
         [&] {
             choose(0);
             SendMessageW(GetDlgItem(page, HostUi::kUtilityClose), BM_CLICK, 0, 0);
         },
         {L"Utilities"},
         3,
         3,
         -1},
        {"close the panel",
         [&] {
             choose(0);
             SendMessageW(HostUi::CommandPanelWindow(), WM_CLOSE, 0, 0);
         },
         {L"Utilities"},
         4,
         4,
         -1},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        int begins = 0, ends = 0;
        counts(&begins, &ends);
        EXPECT_EQ(PageTitles(), s.pages);
        EXPECT_EQ(begins, s.begins);
        EXPECT_EQ(ends, s.ends);
        EXPECT_EQ(HostUi::OpenUtilityIndex(), s.open);
    }
    GetCOREInterface()->DeleteRollupPage(page);
    EXPECT_EQ(HostUi::NumRollupPages(), 0);
}

}  // namespace
