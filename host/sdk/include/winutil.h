#pragma once

#include "WindowsDefines.h"
#include "coreexp.h"

// Centres a window on another (on the screen when hWndParent is null). Windows build only.
CoreExport BOOL CenterWindow(HWND hWndChild, HWND hWndParent);
