#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

thread_local DialogDriver* tDriver = nullptr;

bool IsDialogWindow(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

// Ends every dialog window of the thread the way Esc would.
BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    if (IsDialogWindow(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

std::string Narrow(const std::wstring& s) {
    std::string out;
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

DialogDriver::DialogDriver(UINT timeoutMs) : timeoutMs_(timeoutMs), outer_(tDriver) {
    tDriver = this;
    hook_ = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook_, nullptr) << "WH_CBT hook not installed";
}

DialogDriver::~DialogDriver() {
    for (auto& w : watchdogs_) KillTimer(nullptr, w.first);
    if (hook_) UnhookWindowsHookEx(hook_);
    tDriver = outer_;
}

void DialogDriver::Expect(std::wstring caption, Answer answer) {
    expected_.push_back({std::move(caption), std::move(answer)});
}

LRESULT CALLBACK DialogDriver::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (DialogDriver* d = tDriver) {
        if (code == HCBT_ACTIVATE) d->OnActivate(reinterpret_cast<HWND>(wParam));
        if (code == HCBT_DESTROYWND) d->OnDestroy(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogDriver::OnActivate(HWND window) {
    // A dialog activates again when a window it opened closes: answer each window once.
    if (!IsDialogWindow(window) || !open_.insert(window).second) return;
    const std::wstring caption = WindowText(window);
    Answer answer;
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected dialog \"" << Narrow(caption) << "\" (" << Narrow(MessageBoxText(window))
                      << ")";
    } else if (!expected_.front().caption.empty() && expected_.front().caption != caption) {
        ADD_FAILURE() << "dialog \"" << Narrow(caption) << "\" opened where \""
                      << Narrow(expected_.front().caption) << "\" was expected";
    } else {
        answer = std::move(expected_.front().answer);
        expected_.erase(expected_.begin());
        answered_.push_back({caption, MessageBoxText(window)});
    }
    if (!answer) answer = [](HWND w) { PostMessageW(w, WM_COMMAND, IDCANCEL, 0); };
    // The window is still being shown: act once its modal loop runs.
    due_.emplace_back(window, std::move(answer));
    SetTimer(nullptr, 0, 0, RunAnswers);
    watchdogs_.emplace_back(SetTimer(nullptr, 0, timeoutMs_, Watchdog), window);
}

void DialogDriver::OnDestroy(HWND window) {
    if (!open_.erase(window)) return;
    for (auto it = watchdogs_.begin(); it != watchdogs_.end();)
        if (it->second == window) {
            KillTimer(nullptr, it->first);
            it = watchdogs_.erase(it);
        } else {
            ++it;
        }
}

void CALLBACK DialogDriver::RunAnswers(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    DialogDriver* d = tDriver;
    if (!d) return;
    // An answer may open a window whose answer is queued meanwhile: take them one at a time.
    while (!d->due_.empty()) {
        auto [window, answer] = std::move(d->due_.front());
        d->due_.erase(d->due_.begin());
        if (IsWindow(window)) answer(window);
    }
}

void CALLBACK DialogDriver::Watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
    DialogDriver* d = tDriver;
    if (!d) return;
    auto it = std::find_if(d->watchdogs_.begin(), d->watchdogs_.end(),
                           [timer](const auto& w) { return w.first == timer; });
    const std::wstring caption = it == d->watchdogs_.end() ? L"" : WindowText(it->second);
    ADD_FAILURE() << "dialog \"" << Narrow(caption) << "\" still open after " << d->timeoutMs_
                  << " ms; cancelling every dialog";
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}

std::wstring WindowText(HWND window) {
    const int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), n + 1)));
    return text;
}

std::wstring ControlText(HWND dlg, int id) {
    HWND control = GetDlgItem(dlg, id);
    return control ? WindowText(control) : std::wstring();
}

std::wstring MessageBoxText(HWND box) { return ControlText(box, 0xFFFF); }

void Click(HWND dlg, int id) { SendMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

void SetCheck(HWND dlg, int id, bool checked) {
    if (IsChecked(dlg, id) != checked) Click(dlg, id);
}

void ClickListEntry(HWND dlg, int id, int index, bool ctrl) {
    HWND list = GetDlgItem(dlg, id);
    RECT r = {};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    const WPARAM keys = ctrl ? MK_CONTROL : 0;
    SendMessageW(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, keys, at);
}

void TypeText(HWND dlg, int id, const std::wstring& text) { SetDlgItemTextW(dlg, id, text.c_str()); }

bool IsChecked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

bool IsControlEnabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

std::vector<std::wstring> ListEntries(HWND dlg, int id) {
    std::vector<std::wstring> entries;
    const int n = static_cast<int>(SendDlgItemMessageW(dlg, id, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const auto length = SendDlgItemMessageW(dlg, id, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendDlgItemMessageW(dlg, id, LB_GETTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        entries.push_back(text);
    }
    return entries;
}

std::vector<int> ListSelection(HWND dlg, int id) {
    std::vector<int> selected;
    const int n = static_cast<int>(SendDlgItemMessageW(dlg, id, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        if (SendDlgItemMessageW(dlg, id, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
    return selected;
}

void PressEscape(HWND dlg) {
    PostMessageW(dlg, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dlg, WM_KEYUP, VK_ESCAPE, 0);
}

void PressCloseBox(HWND dlg) { PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }
