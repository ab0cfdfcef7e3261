#include "Screenshots.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "HostUi.h"
#include "MainWindow.h"
#include "PngWriter.h"
#include "hostcore.h"

namespace {

const wchar_t kLineUtility[] = L"Line";          // part of the line converter's internal class name
const wchar_t kMaterialUtility[] = L"Material";  // and of the material converter's
constexpr int kLineRunButton = 1003;             // the line panel's run button
const wchar_t kConfirmCaption[] = L"Tavelin 3 コンバータ";
// The material panel's Add and run buttons, and in the selection dialog it opens (caption kAddCaption),
// the check box that shows the sub-material tree and the button that selects every entry.
constexpr int kMaterialAddButton = 1053;
constexpr int kMaterialRunButton = 1055;
const wchar_t kAddCaption[] = L"マテリアルの追加";
constexpr int kShowSubtree = 1178;
constexpr int kSelectAll = 1143;

struct Shots {
    std::wstring dir;
    bool confirmed = false;  // the confirmation was captured and answered
    bool selected = false;   // the selection dialog was captured in tree mode and answered
    bool progress = false;
    int progressPct = -1;  // the update captured: the one nearest to half way
    std::vector<std::string> errors;
} shots;

void Note(const std::string& text) { std::fprintf(stderr, "tvl3host ui: %s\n", text.c_str()); }

void Capture(HWND hwnd, const wchar_t* file) {
    std::string error;
    if (!CaptureWindow(hwnd, shots.dir + L"\\" + file, error)) shots.errors.push_back(error);
}

// Lets every window paint what it has to.
void Settle(HWND hwnd) {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        Sleep(50);
    }
}

// A message box or dialog that became active: the first one with the confirmation's caption is captured
// and confirmed (from a timer, so that it is drawn first); any other is answered with its default.
HWND activated = nullptr;
VOID CALLBACK OnActivated(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dlg = activated;
    if (!IsWindow(dlg)) return;
    wchar_t caption[64] = L"";
    GetWindowTextW(dlg, caption, 64);
    if (!shots.confirmed && lstrcmpW(caption, kConfirmCaption) == 0) {
        Settle(dlg);
        Capture(dlg, L"ui-confirmation.png");
        shots.confirmed = true;
    }
    if (!shots.selected && lstrcmpW(caption, kAddCaption) == 0) {
        SendDlgItemMessageW(dlg, kShowSubtree, BM_CLICK, 0, 0);
        SendDlgItemMessageW(dlg, kSelectAll, BM_CLICK, 0, 0);
        Settle(dlg);
        Capture(dlg, L"ui-select-dialog.png");
        shots.selected = true;
    }
    HWND yes = GetDlgItem(dlg, IDYES);
    PostMessageW(yes ? yes : GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        wchar_t cls[16] = L"";
        GetClassNameW(reinterpret_cast<HWND>(wParam), cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0 &&
            !(GetWindowLongW(reinterpret_cast<HWND>(wParam), GWL_STYLE) & WS_CHILD)) {
            activated = reinterpret_cast<HWND>(wParam);
            SetTimer(nullptr, 0, 100, OnActivated);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Captures the progress window at the update nearest to half way.
class CapturingSink : public ProgressSink {
public:
    void OnUpdate(int pct, const MCHAR*) override {
        HWND w = HostUi::ProgressWindow();
        if (!w || (shots.progressPct >= 0 && std::abs(pct - 50) >= std::abs(shots.progressPct - 50))) return;
        Settle(w);
        Capture(w, L"ui-progress.png");
        shots.progress = true;
        shots.progressPct = pct;
    }
};

// Opens the line converter (the utility whose internal name names lines) and answers its run button.
HWND OpenLinePanel() {
    HostUi::ShowUtilitiesPage();
    for (int i = 0; i < HostUi::NumUtilities(); ++i) {
        const MCHAR* internal = HostUi::UtilityClass(i)->InternalName();
        if (!internal || !wcsstr(internal, kLineUtility) || !HostUi::OpenUtility(i)) continue;
        for (int p = 0; p < HostUi::NumRollupPages(); ++p)
            if (HWND button = GetDlgItem(HostUi::RollupPage(p), kLineRunButton)) return button;
        HostUi::CloseUtility();
    }
    return nullptr;
}

HWND FindOnPages(int id) {
    for (int p = 0; p < HostUi::NumRollupPages(); ++p)
        if (HWND control = GetDlgItem(HostUi::RollupPage(p), id)) return control;
    return nullptr;
}

// Opens the material converter (the utility whose internal name names materials), lists every material
// through its Add dialog (captured in tree mode), captures the main window with the panel and runs it, so
// that the progress window is captured as the run shows it.
void CaptureMaterialPanel(HWND main) {
    for (int i = 0; i < HostUi::NumUtilities(); ++i) {
        const MCHAR* internal = HostUi::UtilityClass(i)->InternalName();
        if (!internal || !wcsstr(internal, kMaterialUtility) || !HostUi::OpenUtility(i)) continue;
        HWND add = FindOnPages(kMaterialAddButton);
        HWND run = FindOnPages(kMaterialRunButton);
        HHOOK hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
        if (add) SendMessageW(add, BM_CLICK, 0, 0);
        Settle(main);
        Capture(main, L"ui-material-panel.png");
        CapturingSink sink;
        HostCore::Get().SetProgressSink(&sink);
        if (run) SendMessageW(run, BM_CLICK, 0, 0);
        HostCore::Get().SetProgressSink(nullptr);
        UnhookWindowsHookEx(hook);
        if (!shots.selected)
            shots.errors.push_back(
                "no selection dialog (caption \"マテリアルの追加\") showed for the Add button");
        return;
    }
    shots.errors.push_back("no material converter (a utility whose internal name holds \"Material\")");
}

void ShowProgressAsForTheMaterialRun() {
    std::wstring title = L"Tavelin 3";
    for (int i = 0; i < HostUi::NumUtilities(); ++i) {
        const MCHAR* internal = HostUi::UtilityClass(i)->InternalName();
        if (internal && wcsstr(internal, kMaterialUtility)) title = HostUi::UtilityClass(i)->ClassName();
    }
    Note("no run showed the progress window: the host shows it as for the material run");
    Interface* ip = GetCOREInterface();
    CapturingSink sink;
    HostCore::Get().SetProgressSink(&sink);
    ip->ProgressStart(title.data(), TRUE, nullptr, nullptr);
    ip->ProgressUpdate(50);
    ip->ProgressEnd();
    HostCore::Get().SetProgressSink(nullptr);
    if (!shots.progress) shots.errors.push_back("the progress window could not be captured");
}

}  // namespace

bool CaptureWindow(HWND hwnd, const std::wstring& path, std::string& error) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetWindowDC(hwnd);
    HDC memDc = CreateCompatibleDC(windowDc);
    HBITMAP bmp = CreateDIBSection(windowDc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp) {
        ReleaseDC(hwnd, windowDc);
        DeleteDC(memDc);
        error = "cannot capture a window of " + std::to_string(w) + "x" + std::to_string(h);
        return false;
    }
    HGDIOBJ old = SelectObject(memDc, bmp);
    // The window's own drawing surface (frame and children included): what it shows, whatever covers it.
    BitBlt(memDc, 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    const auto* px = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        rgb[i * 3] = px[i * 4 + 2];
        rgb[i * 3 + 1] = px[i * 4 + 1];
        rgb[i * 3 + 2] = px[i * 4];
    }
    SelectObject(memDc, old);
    DeleteObject(bmp);
    DeleteDC(memDc);
    ReleaseDC(hwnd, windowDc);
    return WritePng(ToUtf8(path), w, h, rgb, error);
}

int RunScreenshots(MainWindow& window, const std::wstring& dir) {
    shots.dir = dir;
    CreateDirectoryW(dir.c_str(), nullptr);
    HWND main = window.Hwnd();
    HWND run = OpenLinePanel();
    Settle(main);
    Capture(main, L"ui-main-window.png");
    if (!run) {
        Note(
            "no line converter (a utility whose internal name holds \"Line\", with control 1003 on a page): "
            "only the main window was captured");
    } else {
        HHOOK hook = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
        CapturingSink sink;
        HostCore::Get().SetProgressSink(&sink);
        SendMessageW(run, BM_CLICK, 0, 0);
        HostCore::Get().SetProgressSink(nullptr);
        UnhookWindowsHookEx(hook);
        if (!shots.confirmed)
            shots.errors.push_back("no confirmation dialog (caption \"Tavelin 3 コンバータ\") showed");
    }
    window.Refresh();  // the line run's changes, as the window's next tick would show them
    // The line run shows no progress bar; the material run does. Should it not have shown one, the host
    // shows its progress window itself as it would for that run.
    if (run) CaptureMaterialPanel(main);
    if (!shots.progress) ShowProgressAsForTheMaterialRun();
    HostUi::CloseUtility();
    DestroyWindow(main);
    for (const std::string& e : shots.errors) Note(e);
    return shots.errors.empty() ? 0 : 1;
}
