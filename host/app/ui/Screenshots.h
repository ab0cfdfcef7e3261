#pragma once

#include <string>

#include "WindowsDefines.h"

class MainWindow;

// The screenshot script of `tvl3host ui --screenshots DIR`: opens the line converter (the utility whose
// internal class name holds "Line") with its panel's run button (control 1003), captures the main window,
// clicks the button, captures the confirmation dialog (caption "Tavelin 3 コンバータ") and confirms it,
// captures the progress window (the line run shows none: then the host shows it as it does for the material
// run), and quits. Files: DIR/ui-main-window.png, DIR/ui-confirmation.png,
// DIR/ui-progress.png. Answers the exit code: 0 when every capture was written.
int RunScreenshots(MainWindow& window, const std::wstring& dir);

// Captures a window as it is drawn (frame included) into a PNG file.
bool CaptureWindow(HWND hwnd, const std::wstring& path, std::string& error);
