// Window helpers of the SDK.
#include "winutil.h"

BOOL CenterWindow(HWND hWndChild, HWND hWndParent) {
    RECT child, within;
    if (!IsWindow(hWndChild) || !GetWindowRect(hWndChild, &child)) return FALSE;
    if (hWndParent) {
        if (!GetWindowRect(hWndParent, &within)) return FALSE;
    } else if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &within, 0)) {
        return FALSE;
    }
    const int w = child.right - child.left, h = child.bottom - child.top;
    int x = within.left + (within.right - within.left - w) / 2;
    int y = within.top + (within.bottom - within.top - h) / 2;
    // A child window is placed in its parent's client coordinates.
    if (GetWindowLongW(hWndChild, GWL_STYLE) & WS_CHILD) {
        POINT p = {x, y};
        ScreenToClient(GetParent(hWndChild), &p);
        x = p.x;
        y = p.y;
    }
    return SetWindowPos(hWndChild, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
