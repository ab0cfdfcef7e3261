#pragma once

// Records what a dialog made from a DialogTemplate receives; given as the dialog's creation parameter.
#include <utility>
#include <vector>

#include "DialogTemplate.h"

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
