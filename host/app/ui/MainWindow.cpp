#include "MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>

#include "HostUi.h"
#include "SceneFile.h"
#include "SceneViews.h"
#include "hold.h"
#include "hostcore.h"

namespace {

const wchar_t kClass[] = L"Tvl3HostMainWindow";
const wchar_t kAppName[] = L"tvl3host";
constexpr UINT kRefresh = WM_APP + 1;  // posted when a redraw was asked for since the lists were filled
constexpr UINT_PTR kChangeTimer = 1;   // looks for transactions accepted without a redraw (the line run)

// Layout, in pixels.
constexpr int kPanelWidth = 250, kMargin = 6, kLabelHeight = 18;

// The menus: File and Edit. Undo and Redo are renamed after the transactions they replay when shown.
struct MenuEntry {
    int id;  // 0: a separator
    const wchar_t* text;
};
const MenuEntry kFileMenu[] = {{MainWindow::kOpen, L"&Open...\tCtrl+O"},
                               {MainWindow::kSave, L"&Save\tCtrl+S"},
                               {MainWindow::kSaveAs, L"Save &As..."},
                               {0, nullptr},
                               {MainWindow::kExit, L"E&xit"}};
const MenuEntry kEditMenu[] = {{MainWindow::kUndo, L"&Undo\tCtrl+Z"}, {MainWindow::kRedo, L"&Redo\tCtrl+Y"}};
const ACCEL kAccels[] = {{FCONTROL | FVIRTKEY, 'O', MainWindow::kOpen},
                         {FCONTROL | FVIRTKEY, 'S', MainWindow::kSave},
                         {FCONTROL | FVIRTKEY, 'Z', MainWindow::kUndo},
                         {FCONTROL | FVIRTKEY, 'Y', MainWindow::kRedo}};

template <size_t N>
HMENU MakeMenu(const MenuEntry (&entries)[N]) {
    HMENU m = CreatePopupMenu();
    for (const MenuEntry& e : entries)
        AppendMenuW(m, e.id ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(e.id), e.text);
    return m;
}

const wchar_t kFilter[] = L"Scene files (*.json)\0*.json\0All files (*.*)\0*.*\0";

}  // namespace

std::string ToUtf8(const std::wstring& s) {
    if (s.empty()) return std::string();
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& s) {
    if (s.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

bool MainWindow::Create() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);

    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(MakeMenu(kFileMenu)), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(MakeMenu(kEditMenu)), L"&Edit");
    hwnd_ = CreateWindowExW(0, kClass, kAppName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1000, 700,
                            nullptr, bar, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    accel_ = CreateAcceleratorTableW(const_cast<ACCEL*>(kAccels), static_cast<int>(std::size(kAccels)));

    const wchar_t* const titles[] = {L"Render effects", L"Materials and maps"};
    for (int i = 0; i < 2; ++i) {
        labels_[i] = CreateWindowExW(0, L"STATIC", titles[i], WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwnd_,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(labels_[i], WM_SETFONT, reinterpret_cast<WPARAM>(HostUi::UiFont()), FALSE);
    }
    effects_ = CreateSceneList(hwnd_, kEffectList, {{L"Name", 220}, {L"Class", 220}, {L"Active", 60}});
    materials_ = CreateSceneList(hwnd_, kMaterialList, {{L"Name", 200}, {L"Class", 200}, {L"Used by", 260}});
    for (HWND list : {effects_, materials_})
        SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(HostUi::UiFont()), FALSE);

    // The plug-ins' main window: the command panel is made its child from now on.
    HostCore::Get().SetMainWindow(hwnd_);
    HostUi::CommandPanelWindow();
    Layout();
    UpdateTitle();
    Refresh();
    SetTimer(hwnd_, kChangeTimer, 250, nullptr);
    return true;
}

int MainWindow::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(hwnd_, accel_, &msg)) continue;
        // Keyboard navigation inside the rollup pages (modeless dialogs).
        HWND dialog = nullptr;
        for (HWND w = msg.hwnd; w && w != hwnd_; w = GetParent(w)) {
            wchar_t cls[16];
            if (GetClassNameW(w, cls, 16) && lstrcmpW(cls, L"#32770") == 0) dialog = w;
        }
        if (dialog && IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool MainWindow::Open(const std::wstring& path) {
    std::string error;
    if (!LoadScene(ToUtf8(path), error)) {
        ShowError(L"Cannot open \"" + path + L"\":\n" + FromUtf8(error));
        return false;
    }
    path_ = path;
    UpdateTitle();
    Refresh();
    return true;
}

void MainWindow::Refresh() {
    shownRedraws_ = HostCore::Get().NumRedraws();
    shownUndoEntries_ = theHold.NumUndoEntries();
    FillSceneList(effects_, EffectRows());
    FillSceneList(materials_, MaterialRows());
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self && self->hwnd_ == hwnd ? self->Handle(msg, wParam, lParam)
                                       : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            OnInitMenu(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_PAINT:
            // ForceCompleteRedraw invalidates the window: the lists follow the scene once the paint is done.
            if (HostCore::Get().NumRedraws() != shownRedraws_) PostMessageW(hwnd_, kRefresh, 0, 0);
            break;
        case kRefresh:
            if (HostCore::Get().NumRedraws() != shownRedraws_) Refresh();
            return 0;
        case WM_TIMER:
            if (wParam == kChangeTimer && theHold.NumUndoEntries() != shownUndoEntries_) Refresh();
            return 0;
        case WM_CLOSE:
            HostUi::CloseUtility();
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            HostCore::Get().SetMainWindow(nullptr);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void MainWindow::OnCommand(int id) {
    HostCore& host = HostCore::Get();
    switch (id) {
        case kOpen: {
            wchar_t file[MAX_PATH] = L"";
            OPENFILENAMEW ofn = {};
            ofn.lStructSize = sizeof ofn;
            ofn.hwndOwner = hwnd_;
            ofn.lpstrFilter = kFilter;
            ofn.lpstrFile = file;
            ofn.nMaxFile = MAX_PATH;
            ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
            if (GetOpenFileNameW(&ofn)) Open(file);
            break;
        }
        case kSave:
            Save(false);
            break;
        case kSaveAs:
            Save(true);
            break;
        case kExit:
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            break;
        case kUndo:
            host.Undo();
            break;
        case kRedo:
            host.Redo();
            break;
        default:
            break;
    }
}

// Undo and Redo name the transaction they would replay, and are greyed when there is none.
void MainWindow::OnInitMenu(HMENU menu) {
    const struct {
        int id;
        const wchar_t* verb;
        int count;
        MSTR name;
        const wchar_t* key;
    } items[] = {{kUndo, L"&Undo", theHold.NumUndoEntries(),
                  theHold.NumUndoEntries() ? theHold.UndoName(0) : MSTR(), L"\tCtrl+Z"},
                 {kRedo, L"&Redo", theHold.NumRedoEntries(),
                  theHold.NumRedoEntries() ? theHold.RedoName(0) : MSTR(), L"\tCtrl+Y"}};
    for (const auto& item : items) {
        if (GetMenuState(menu, static_cast<UINT>(item.id), MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        std::wstring text = item.verb;
        if (item.count && item.name.Length()) text += L" " + std::wstring(item.name.data());
        text += item.key;
        ModifyMenuW(menu, static_cast<UINT>(item.id),
                    MF_BYCOMMAND | MF_STRING | (item.count ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(item.id), text.c_str());
    }
}

void MainWindow::Layout() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const int listWidth = (std::max)(100, static_cast<int>(rc.right) - kPanelWidth - 2 * kMargin);
    const int half = (static_cast<int>(rc.bottom) - kMargin) / 2;
    const int boxes[2][2] = {{kMargin, half - kMargin},
                             {half + kMargin, static_cast<int>(rc.bottom) - kMargin}};
    HWND lists[2] = {effects_, materials_};
    for (int i = 0; i < 2; ++i) {
        MoveWindow(labels_[i], kMargin, boxes[i][0], listWidth, kLabelHeight, TRUE);
        MoveWindow(lists[i], kMargin, boxes[i][0] + kLabelHeight, listWidth,
                   (std::max)(20, boxes[i][1] - boxes[i][0] - kLabelHeight), TRUE);
    }
    HostUi::PlaceCommandPanel({rc.right - kPanelWidth, 0, rc.right, rc.bottom});
}

bool MainWindow::Save(bool askName) {
    std::wstring path = path_;
    if (askName || path.empty()) {
        wchar_t file[MAX_PATH] = L"";
        lstrcpynW(file, path_.c_str(), MAX_PATH);
        OPENFILENAMEW ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = hwnd_;
        ofn.lpstrFilter = kFilter;
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = L"json";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        if (!GetSaveFileNameW(&ofn)) return false;
        path = file;
    }
    std::string error;
    if (!SaveScene(ToUtf8(path), error)) {
        ShowError(L"Cannot save \"" + path + L"\":\n" + FromUtf8(error));
        return false;
    }
    path_ = path;
    UpdateTitle();
    return true;
}

void MainWindow::UpdateTitle() {
    std::wstring title = kAppName;
    if (!path_.empty()) title += L" - " + path_.substr(path_.find_last_of(L"\\/") + 1);
    SetWindowTextW(hwnd_, title.c_str());
}

void MainWindow::ShowError(const std::wstring& text) {
    if (quiet_)
        std::fprintf(stderr, "tvl3host ui: %s\n", ToUtf8(text).c_str());
    else
        MessageBoxW(hwnd_, text.c_str(), kAppName, MB_OK | MB_ICONERROR);
}
