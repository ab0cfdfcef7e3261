// The host's main window of `tvl3host ui`: its Edit menu and its lists follow the scene's undo history.
#include "MainWindow.h"  // the window system first: commctrl.h needs it

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "HostTestObjects.h"
#include "hold.h"
#include "hostcore.h"

namespace {

// The text and greyed state of a menu item, as the menu shows it when opened.
std::pair<std::wstring, bool> Item(HMENU menu, int id) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, static_cast<UINT>(id), text, 128, MF_BYCOMMAND);
    return {text, (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0};
}

std::vector<std::wstring> FirstColumn(HWND list) {
    std::vector<std::wstring> names;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        wchar_t text[128] = L"";
        ListView_GetItemText(list, i, 0, text, 128);
        names.push_back(text);
    }
    return names;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(MainWindow, EditMenuAndListsFollowTheUndoHistory) {
    HostCore& host = HostCore::Get();
    host.ResetScene();
    INode* node = host.CreateNode(L"Box01");
    MainWindow window;
    ASSERT_TRUE(window.Create());
    ShowWindow(window.Hwnd(), SW_SHOWNA);
    HMENU edit = GetSubMenu(GetMenu(window.Hwnd()), 1);
    HWND materials = GetDlgItem(window.Hwnd(), MainWindow::kMaterialList);

    auto* red = new BoxMtl;
    red->SetName(L"Red");
    theHold.Begin();
    node->SetMtl(red);
    wchar_t name[] = L"Tavelin 3 コンバート";
    theHold.Accept(name);
    host.ForceCompleteRedraw();  // as a run does once it has changed the scene

    // Each step, then the Edit menu's two items (text, greyed) and the materials listed.
    const struct {
        const char* step;
        int command;  // 0: none
        std::pair<std::wstring, bool> undo, redo;
        std::vector<std::wstring> listed;
    } steps[] = {
        {"after the run",
         0,
         {L"&Undo Tavelin 3 コンバート\tCtrl+Z", false},
         {L"&Redo\tCtrl+Y", true},
         {L"Red"}},
        {"undo",
         MainWindow::kUndo,
         {L"&Undo\tCtrl+Z", true},
         {L"&Redo Tavelin 3 コンバート\tCtrl+Y", false},
         {}},
        {"redo",
         MainWindow::kRedo,
         {L"&Undo Tavelin 3 コンバート\tCtrl+Z", false},
         {L"&Redo\tCtrl+Y", true},
         {L"Red"}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        if (s.command) SendMessageW(window.Hwnd(), WM_COMMAND, static_cast<WPARAM>(s.command), 0);
        Pump();
        SendMessageW(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        EXPECT_EQ(Item(edit, MainWindow::kUndo), s.undo);
        EXPECT_EQ(Item(edit, MainWindow::kRedo), s.redo);
        EXPECT_EQ(FirstColumn(materials), s.listed);
    }
    DestroyWindow(window.Hwnd());
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window ends the program's loop
    EXPECT_EQ(host.GetMAXHWnd(), nullptr);
    host.ResetScene();
}

}  // namespace
