// The progress window: the title of the task, a bar, the percentage and a Cancel button. The task runs
// on the window system's thread, so each update also delivers the messages waiting for the host's
// windows; that is when a click on Cancel arrives.
#include "HostUi.h"  // the window system first: commctrl.h needs it
#include "hostcore.h"
#include "winutil.h"

#include <commctrl.h>

#include <string>

namespace {

const wchar_t kProgressClass[] = L"HostProgressWindow";

// The children, in client pixels: class, ID, x, y, width, height, style.
struct Child {
    const wchar_t* cls;
    int id;
    int x, y, w, h;
    DWORD style;
    const wchar_t* text;
};
const Child kChildren[] = {
    {L"STATIC", HostUi::kProgressText, 10, 10, 220, 18, SS_LEFTNOWORDWRAP | SS_NOPREFIX, L""},
    {L"STATIC", HostUi::kProgressPercent, 230, 10, 60, 18, SS_RIGHT, L""},
    {PROGRESS_CLASSW, HostUi::kProgressBar, 10, 32, 280, 16, 0, L""},
    {L"BUTTON", IDCANCEL, 110, 58, 80, 24, BS_PUSHBUTTON | WS_TABSTOP, L"Cancel"},
};
constexpr int kClientWidth = 300, kClientHeight = 92;

HWND progress = nullptr;
HWND disabledMain = nullptr;  // the main window, while the progress window keeps it from input

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) GetCOREInterface()->SetCancel(TRUE);
            return 0;
        case WM_CLOSE:  // the close box asks to cancel; ProgressEnd closes the window
            GetCOREInterface()->SetCancel(TRUE);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void Register() {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.hInstance = HostUi::Module();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpfnWndProc = ProgressProc;
    wc.lpszClassName = kProgressClass;
    RegisterClassExW(&wc);
    registered = true;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {  // for the program's own loop, once the task is over
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (progress && IsDialogMessageW(progress, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

HWND HostUi::ProgressWindow() { return progress; }

void HostUi::ShowProgress(const MCHAR* title) {
    EndProgress();
    Register();
    HWND main = GetCOREInterface()->GetMAXHWnd();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT r = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    progress = CreateWindowExW(WS_EX_DLGMODALFRAME, kProgressClass, title ? title : L"", style, 0, 0,
                               r.right - r.left, r.bottom - r.top, main, nullptr, Module(), nullptr);
    if (!progress) return;
    for (const Child& c : kChildren) {
        HWND child =
            CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.w, c.h, progress,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Module(), nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    }
    SetDlgItemTextW(progress, kProgressText, title ? title : L"");
    SendDlgItemMessageW(progress, kProgressBar, PBM_SETRANGE32, 0, 100);
    CenterWindow(progress, main);
    if (main && IsWindowEnabled(main)) {
        EnableWindow(main, FALSE);
        disabledMain = main;
    }
    ShowWindow(progress, SW_SHOW);
    UpdateWindow(progress);
    Pump();
}

void HostUi::MoveProgress(int pct, BOOL showPct, const MCHAR* title) {
    if (!progress) return;
    if (title) {
        SetWindowTextW(progress, title);
        SetDlgItemTextW(progress, kProgressText, title);
    }
    SendDlgItemMessageW(progress, kProgressBar, PBM_SETPOS, pct, 0);
    SetDlgItemTextW(progress, kProgressPercent, showPct ? (std::to_wstring(pct) + L"%").c_str() : L"");
    Pump();
}

void HostUi::EndProgress() {
    if (disabledMain) {
        EnableWindow(disabledMain, TRUE);
        disabledMain = nullptr;
    }
    if (progress) {
        HWND gone = progress;
        progress = nullptr;
        DestroyWindow(gone);
    }
}
