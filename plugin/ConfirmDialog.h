#pragma once

#include "WindowsDefines.h"

// The window procedure of the confirmation dialog (IDD_CONFIRM): centred on its owner, captioned with
// string 3; OK ends it with 1, Cancel, Esc and the close box with 2.
INT_PTR CALLBACK ConfirmDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Asks before a run changes anything, with the dialog owned by the run's panel. Only an explicit
// cancel (result 2) stops the run: a dialog that cannot be shown (-1) lets it go on.
bool ConfirmConversion(HWND owner);
