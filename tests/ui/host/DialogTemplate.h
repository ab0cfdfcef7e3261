#pragma once

// A dialog template built in memory, as a resource compiler would lay it out (DLGTEMPLATE, then items
// aligned on DWORDs), naming its controls' window classes by name.
#include <windows.h>

#include <cwchar>
#include <vector>

class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption = L"") {
        Dword(style);
        Dword(0);  // extended style
        Word(0);   // number of items, counted by Add
        for (short v : {short(0), short(0), cx, cy}) Word(static_cast<WORD>(v));
        Word(0);  // no menu
        Word(0);  // the dialog class
        Text(caption);
    }

    DialogTemplate& Add(const wchar_t* windowClass, WORD id, const wchar_t* text, short x, short y, short cx,
                        short cy, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP) {
        if (data_.size() % 2) Word(0);
        Dword(style);
        Dword(0);
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Text(windowClass);
        Text(text);
        Word(0);  // no creation data
        ++data_[4];
        return *this;
    }

    DLGTEMPLATE* Get() { return reinterpret_cast<DLGTEMPLATE*>(data_.data()); }

private:
    void Word(WORD w) { data_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) { data_.insert(data_.end(), s, s + std::wcslen(s) + 1); }

    std::vector<WORD> data_;
};

// Records what a dialog made from a DialogTemplate receives; given as the dialog's creation parameter.
struct DialogRecord {
    LPARAM param = 0;
    std::vector<std::pair<WORD, WORD>> commands;  // (control ID, notification)
    int destroyed = 0;
};

inline INT_PTR CALLBACK RecordingDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* rec = reinterpret_cast<DialogRecord*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            reinterpret_cast<DialogRecord*>(lParam)->param = lParam;
            return TRUE;
        case WM_COMMAND:
            if (rec) rec->commands.push_back({LOWORD(wParam), HIWORD(wParam)});
            return TRUE;
        case WM_DESTROY:
            if (rec) ++rec->destroyed;
            return TRUE;
        default:
            return FALSE;
    }
}
