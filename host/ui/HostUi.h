#pragma once

// The host's window services as the host's own code sees them (Windows build only). The plug-in never
// includes this header: it reaches the same services through Interface, custcont.h and winutil.h.
#include "maxapi.h"

namespace HostUi {

// The SDK module itself, whose window classes the services register.
CoreExport HINSTANCE Module();
// The font of the host's windows, one with Japanese glyphs where the system has one, and its face (for
// the templates of the host's dialogs).
CoreExport HFONT UiFont();
CoreExport const wchar_t* UiFontFace();

// ---- custom controls ----
// Registers the window classes CustButton and CustEdit for every module of the process; done when the
// SDK module attaches, so any dialog template naming them creates in any host program.
void RegisterControlClasses(HINSTANCE module);
void UnregisterControlClasses(HINSTANCE module);
// Control interfaces taken with GetICustButton/GetICustEdit and not given back yet.
CoreExport int NumHeldControls();

// ---- command panel ----
// The command panel's window, created on first use: a child of the main window when the host has one
// (HostCore::SetMainWindow), else a top-level window of its own.
CoreExport HWND CommandPanelWindow();
// Moves the command panel to r (in its parent's client coordinates).
CoreExport void PlaceCommandPanel(const RECT& r);
// The rollup pages shown, top to bottom: each answer is the page's dialog window.
CoreExport int NumRollupPages();
CoreExport HWND RollupPage(int i);
// Creates a page from a template named in hInst (tmplName) or given in memory (tmpl).
HWND AddRollupPage(HINSTANCE hInst, const MCHAR* tmplName, const DLGTEMPLATE* tmpl, DLGPROC dlgProc,
                   const MCHAR* title, LPARAM param);
void DeleteRollupPage(HWND hRollup);

// ---- progress window ----
// Shown by Interface::ProgressStart, moved by ProgressUpdate (which also lets the window system deliver
// its messages, so that the Cancel button can be clicked), closed by ProgressEnd. While it is shown, the
// main window takes no input. Its Cancel button (IDCANCEL) and close box set the host's cancel flag.
void ShowProgress(const MCHAR* title);
void MoveProgress(int pct, BOOL showPct, const MCHAR* title);
void EndProgress();
// The window while it is shown, else null. Controls: kProgressText, kProgressPercent, kProgressBar, IDCANCEL.
CoreExport HWND ProgressWindow();
enum : int { kProgressText = 100, kProgressPercent, kProgressBar };

// ---- material browser ----
// Interface::DoMaterialBrowseDlg. The list box of the dialog is kBrowserList; each entry reads
// "name (class name)", and "None" for no object when flags ask for it.
MtlBase* BrowseMaterial(HWND hParent, DWORD flags, BOOL& cancel);
enum : int { kBrowserList = 100 };
#define HOST_BROWSER_CAPTION L"Material/Map Browser"
#define HOST_BROWSER_NONE L"None"

// ---- Utilities page ----
// The command panel's page listing the public utility classes by name (kUtilityList) with a Close button
// (kUtilityClose). Choosing an entry opens that utility: the host makes it with its descriptor's Create
// and calls BeginEditParams; Close, choosing another, closing the command panel or the utility's own
// IUtil::CloseUtility call EndEditParams, then DeleteThis.
CoreExport HWND ShowUtilitiesPage();  // adds the page once; answers its dialog
CoreExport void RefreshUtilities();   // lists the classes registered since (closes the open utility)
CoreExport bool OpenUtility(int i);   // i: the entry of the list
CoreExport void CloseUtility();
CoreExport int OpenUtilityIndex();  // -1 when none is open
CoreExport int NumUtilities();
CoreExport ClassDesc* UtilityClass(int i);  // the descriptor of entry i
enum : int { kUtilityList = 200, kUtilityClose };
#define HOST_UTILITIES_TITLE L"Utilities"

}  // namespace HostUi
