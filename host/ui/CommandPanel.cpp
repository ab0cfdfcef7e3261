// The command panel: a scrolling column of rollup pages. Each page is a frame with a title bar and,
// below it, the plug-in's dialog as the frame's child; AddRollupPage answers the dialog, which is the
// handle the plug-in later gives to DeleteRollupPage.
#include <algorithm>
#include <vector>

#include "HostUi.h"
#include "hostcore.h"

namespace {

const wchar_t kPanelClass[] = L"HostCommandPanel";
const wchar_t kPageClass[] = L"HostRollupPage";

// Layout, in pixels.
constexpr int kTitleHeight = 20;   // a page's title bar
constexpr int kMargin = 4;         // around the column
constexpr int kGap = 4;            // between pages
constexpr int kPanelWidth = 240;   // client width of a panel of its own, unless a page is wider
constexpr int kPanelHeight = 600;  // client height of a panel of its own
constexpr int kLine = 20;          // one step of the scroll bar's arrows and of the mouse wheel

class CommandPanel {
public:
    static CommandPanel& Get() {
        static CommandPanel panel;
        return panel;
    }

    HWND Window() {
        if (!window_) Create();
        return window_;
    }

    HWND AddPage(HINSTANCE hInst, const MCHAR* tmplName, const DLGTEMPLATE* tmpl, DLGPROC proc,
                 const MCHAR* title, LPARAM param) {
        if (!Window()) return nullptr;
        if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNOACTIVATE);
        HWND frame = CreateWindowExW(0, kPageClass, title ? title : L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0,
                                     kPanelWidth, kTitleHeight, window_, nullptr, HostUi::Module(), nullptr);
        if (!frame) return nullptr;
        pages_.push_back({frame, nullptr});
        HWND dlg = tmpl ? CreateDialogIndirectParamW(hInst, tmpl, frame, proc, param)
                        : CreateDialogParamW(hInst, tmplName, frame, proc, param);
        if (!dlg) {
            DestroyWindow(frame);
            return nullptr;
        }
        for (Page& p : pages_)  // found again: the dialog may have added pages of its own meanwhile
            if (p.frame == frame) p.dialog = dlg;
        SetWindowPos(dlg, nullptr, 0, kTitleHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(dlg, SW_SHOWNA);
        ShowWindow(frame, SW_SHOWNA);
        Layout();
        return dlg;
    }

    // A handle that is not a page's dialog (null, a destroyed page, any other window) is ignored.
    void DeletePage(HWND dlg) {
        if (!dlg) return;
        for (const Page& p : pages_)
            if (p.dialog == dlg) {
                DestroyWindow(p.frame);  // the dialog, its child, goes with it; the frame unlists itself
                return;
            }
    }

    int NumPages() const { return static_cast<int>(pages_.size()); }
    HWND PageDialog(int i) const {
        return i >= 0 && i < NumPages() ? pages_[static_cast<size_t>(i)].dialog : nullptr;
    }

    void Place(const RECT& r) {
        if (Window())
            SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    struct Page {
        HWND frame;
        HWND dialog;
    };

    void Create() {
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc = {};
            wc.cbSize = sizeof wc;
            wc.hInstance = HostUi::Module();
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
            wc.lpfnWndProc = PanelProc;
            wc.lpszClassName = kPanelClass;
            RegisterClassExW(&wc);
            wc.lpfnWndProc = PageProc;
            wc.lpszClassName = kPageClass;
            RegisterClassExW(&wc);
            registered = true;
        }
        HWND main = GetCOREInterface()->GetMAXHWnd();
        if (main) {
            RECT rc;
            GetClientRect(main, &rc);
            window_ = CreateWindowExW(
                0, kPanelClass, L"Command Panel", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
                rc.right - kPanelWidth, 0, kPanelWidth, rc.bottom, main, nullptr, HostUi::Module(), nullptr);
        } else {
            const DWORD style =
                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL | WS_CLIPCHILDREN;
            RECT r = {0, 0, kPanelWidth, kPanelHeight};
            AdjustWindowRectEx(&r, style, FALSE, WS_EX_TOOLWINDOW);
            window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kPanelClass, L"Command Panel", style, CW_USEDEFAULT,
                                      CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                      HostUi::Module(), nullptr);
            if (window_) ShowWindow(window_, SW_SHOWNOACTIVATE);
        }
    }

    // Stacks the pages from the top, below one another, and sets the scroll bar to their height.
    void Layout() {
        if (!window_) return;
        RECT client;
        GetClientRect(window_, &client);
        int widest = 0;
        for (const Page& p : pages_) {
            RECT r = {};
            if (p.dialog) GetWindowRect(p.dialog, &r);
            widest = (std::max)(widest, static_cast<int>(r.right - r.left));
        }
        // A panel of its own grows to the widest page.
        if (!(GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) && widest + 2 * kMargin > client.right) {
            RECT w;
            GetWindowRect(window_, &w);
            SetWindowPos(window_, nullptr, 0, 0, w.right - w.left + widest + 2 * kMargin - client.right,
                         w.bottom - w.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            GetClientRect(window_, &client);
        }
        const int width = (std::max)(static_cast<int>(client.right) - 2 * kMargin, widest);
        int y = kMargin;
        for (const Page& p : pages_) {
            RECT r = {};
            if (p.dialog) GetWindowRect(p.dialog, &r);
            const int h = kTitleHeight + (r.bottom - r.top);
            SetWindowPos(p.frame, nullptr, kMargin, y - scroll_, width, h, SWP_NOZORDER | SWP_NOACTIVATE);
            if (p.dialog)
                SetWindowPos(p.dialog, nullptr, (width - (r.right - r.left)) / 2, kTitleHeight, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            y += h + kGap;
        }
        content_ = y;
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = content_;
        si.nPage = static_cast<UINT>(client.bottom);
        const int maxScroll = (std::max)(0, content_ - static_cast<int>(client.bottom));
        if (scroll_ > maxScroll) {
            scroll_ = maxScroll;
            Layout();
            return;
        }
        si.nPos = scroll_;
        SetScrollInfo(window_, SB_VERT, &si, TRUE);
    }

    void ScrollTo(int pos) {
        RECT client;
        GetClientRect(window_, &client);
        scroll_ = (std::max)(0, (std::min)(pos, content_ - static_cast<int>(client.bottom)));
        Layout();
    }

    void OnVScroll(WORD code) {
        RECT client;
        GetClientRect(window_, &client);
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(window_, SB_VERT, &si);
        switch (code) {
            case SB_LINEUP:
                ScrollTo(scroll_ - kLine);
                break;
            case SB_LINEDOWN:
                ScrollTo(scroll_ + kLine);
                break;
            case SB_PAGEUP:
                ScrollTo(scroll_ - client.bottom);
                break;
            case SB_PAGEDOWN:
                ScrollTo(scroll_ + client.bottom);
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                ScrollTo(si.nTrackPos);
                break;
            default:
                break;
        }
    }

    void Unlist(HWND frame) {
        pages_.erase(
            std::remove_if(pages_.begin(), pages_.end(), [frame](const Page& p) { return p.frame == frame; }),
            pages_.end());
        Layout();
    }

    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        CommandPanel& self = Get();
        switch (msg) {
            case WM_SIZE:
                if (self.window_ == hwnd) self.Layout();
                return 0;
            case WM_VSCROLL:
                self.OnVScroll(LOWORD(wParam));
                return 0;
            case WM_MOUSEWHEEL:
                self.ScrollTo(self.scroll_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * kLine);
                return 0;
            case WM_CLOSE:  // a panel of its own closes the open utility and hides
                HostUi::CloseUtility();
                ShowWindow(hwnd, SW_HIDE);
                return 0;
            case WM_DESTROY:
                if (self.window_ == hwnd) self.window_ = nullptr;
                return 0;
            default:
                return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }

    static LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(hwnd, &ps);
                RECT r;
                GetClientRect(hwnd, &r);
                r.bottom = kTitleHeight;
                DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
                wchar_t title[256];
                GetWindowTextW(hwnd, title, 256);
                HGDIOBJ old = SelectObject(dc, HostUi::UiFont());
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
                DrawTextW(dc, title, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
                SelectObject(dc, old);
                EndPaint(hwnd, &ps);
                return 0;
            }
            case WM_DESTROY:
                Get().Unlist(hwnd);
                return 0;
            default:
                return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }

    std::vector<Page> pages_;
    HWND window_ = nullptr;
    int scroll_ = 0;
    int content_ = 0;
};

}  // namespace

HWND HostUi::CommandPanelWindow() { return CommandPanel::Get().Window(); }

void HostUi::PlaceCommandPanel(const RECT& r) { CommandPanel::Get().Place(r); }

int HostUi::NumRollupPages() { return CommandPanel::Get().NumPages(); }

HWND HostUi::RollupPage(int i) { return CommandPanel::Get().PageDialog(i); }

HWND HostUi::AddRollupPage(HINSTANCE hInst, const MCHAR* tmplName, const DLGTEMPLATE* tmpl, DLGPROC dlgProc,
                           const MCHAR* title, LPARAM param) {
    return CommandPanel::Get().AddPage(hInst, tmplName, tmpl, dlgProc, title, param);
}

void HostUi::DeleteRollupPage(HWND hRollup) { CommandPanel::Get().DeletePage(hRollup); }
