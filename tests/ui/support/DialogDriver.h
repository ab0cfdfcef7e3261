#pragma once

// Drives the modal windows (dialogs and message boxes) that the code under test opens on the test's
// thread, the way the window system's own tests do: a thread-local WH_CBT hook sees each window when it
// activates, and an answer given beforehand acts on it.
//
//   DialogDriver driver;                                   // hooks the calling thread
//   driver.Expect(L"Tavelin 3 コンバータ", [](HWND dlg) { Click(dlg, IDOK); });
//   Click(panel, IDC_LINE_CONVERT);                        // the code under test opens the dialog
//   EXPECT_TRUE(driver.Done());
//
// - Windows of the dialog class (#32770: dialogs and message boxes) take the expected answers in turn;
//   other windows are left alone. An answer runs inside the window's own modal loop (from a timer), so it
//   may click, type, post keys and open further modal windows, which the driver answers in turn.
// - A dialog window that activates with no answer waiting, or with another caption, fails the test and
//   is cancelled.
// - A window that is still open timeoutMs after it activated fails the test and is cancelled (and again
//   each timeoutMs), so a test never hangs on a dialog nobody closes.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

class DialogDriver {
public:
    using Answer = std::function<void(HWND window)>;

    // What one answered window showed: its caption and, for a message box, its text.
    struct Seen {
        std::wstring caption;
        std::wstring text;
    };

    explicit DialogDriver(UINT timeoutMs = 10000);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // The next dialog window to activate must have this caption (any, when empty) and gets this answer.
    void Expect(std::wstring caption, Answer answer);
    // Every expected window came and was answered.
    bool Done() const { return expected_.empty(); }
    // The windows answered so far, in order.
    const std::vector<Seen>& Answered() const { return answered_; }

private:
    struct Expectation {
        std::wstring caption;
        Answer answer;
    };
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK RunAnswers(HWND, UINT, UINT_PTR timer, DWORD);
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD);
    void OnActivate(HWND window);
    void OnDestroy(HWND window);

    UINT timeoutMs_;
    HHOOK hook_ = nullptr;
    DialogDriver* outer_ = nullptr;
    std::vector<Expectation> expected_;
    std::vector<Seen> answered_;
    std::set<HWND> open_;                               // dialog windows seen and not yet destroyed
    std::vector<std::pair<HWND, Answer>> due_;          // answers waiting for their window's modal loop
    std::vector<std::pair<UINT_PTR, HWND>> watchdogs_;  // one per open window
};

// Acting on a window and its controls. Clicks and texts go through ordinary messages, synchronously.
std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dlg, int id);
// The text of a message box (its static control 0xFFFF).
std::wstring MessageBoxText(HWND box);
void Click(HWND dlg, int id);  // BM_CLICK
// Sets a checkbox as the user would, by clicking it when it is not as wanted.
void SetCheck(HWND dlg, int id, bool checked);
// A click of the mouse on entry index of a list box, with the control key held or not.
void ClickListEntry(HWND dlg, int id, int index, bool ctrl = false);
void TypeText(HWND dlg, int id, const std::wstring& text);
bool IsChecked(HWND dlg, int id);
bool IsControlEnabled(HWND dlg, int id);
std::vector<std::wstring> ListEntries(HWND dlg, int id);
std::vector<int> ListSelection(HWND dlg, int id);  // indices of the selected entries, ascending
// Posted, for the modal loop to handle as the user's key or click: Esc, and the caption's close box.
void PressEscape(HWND dlg);
void PressCloseBox(HWND dlg);
