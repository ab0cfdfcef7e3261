#include "ConfirmDialog.h"

#include "ResString.h"
#include "resource.h"
#include "winutil.h"

INT_PTR CALLBACK ConfirmDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            CenterWindow(hDlg, GetParent(hDlg));
            SetWindowTextW(hDlg, LoadResString(IDS_CONFIRM_CAPTION));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
            EndDialog(hDlg, static_cast<INT_PTR>(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

bool ConfirmConversion(HWND owner) {
    return DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_CONFIRM), owner, ConfirmDlgProc, 0) != IDCANCEL;
}
