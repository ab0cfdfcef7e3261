#pragma once

#include <string>

#include "WindowsDefines.h"

// The host's main window: menus File and Edit, the scene's render effects and materials, and the command
// panel on the right. It is the host's main window for the plug-ins (Interface::GetMAXHWnd).
class MainWindow {
public:
    // Menu commands.
    enum Command : int { kOpen = 40001, kSave, kSaveAs, kExit, kUndo, kRedo };
    // The list views.
    enum : int { kEffectList = 500, kMaterialList };

    bool Create();
    HWND Hwnd() const { return hwnd_; }
    // Opens a scene file; an error is shown in a message box. False when it was not opened.
    bool Open(const std::wstring& path);
    // The message loop, until the window is closed; answers the exit code.
    int Run();
    // Shows the scene's current state in the lists (after a change, undo, redo or a redraw).
    void Refresh();
    // Errors go to a message box, or to the standard error when quiet (a script is driving the window).
    void ShowError(const std::wstring& text);
    void SetQuiet(bool quiet) { quiet_ = quiet; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    void OnInitMenu(HMENU menu);
    void Layout();
    bool Save(bool askName);
    void UpdateTitle();

    HWND hwnd_ = nullptr;
    HWND effects_ = nullptr;
    HWND materials_ = nullptr;
    HWND labels_[2] = {};
    HACCEL accel_ = nullptr;
    std::wstring path_;
    int shownRedraws_ = -1;
    int shownUndoEntries_ = -1;  // a transaction accepted since the lists were filled shows on the next tick
    bool quiet_ = false;
};

// Text conversions between the window system (UTF-16) and the scene files' paths (UTF-8).
std::string ToUtf8(const std::wstring& s);
std::wstring FromUtf8(const std::string& s);
