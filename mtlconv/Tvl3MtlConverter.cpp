#include "Tvl3MtlConverter.h"

#include "ResString.h"
#include "VersionText.h"
#include "resource.h"

namespace {

// The panel's list, options and buttons are not wired to the conversion yet: until they are, the panel
// shows its version and keeps every other control disabled, so that nothing on it promises an action.
BOOL CALLBACK DisableControl(HWND control, LPARAM) {
    if (GetDlgCtrlID(control) != IDC_VERSION) EnableWindow(control, FALSE);
    return TRUE;
}

INT_PTR CALLBACK MtlConverterDlgProc(HWND hWnd, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG) return FALSE;
    SetDlgItemTextW(hWnd, IDC_VERSION, BuildVersionText());
    EnumChildWindows(hWnd, DisableControl, 0);
    return TRUE;
}

}  // namespace

void Tvl3MtlConverter::BeginEditParams(Interface* ip, IUtil* iu) {
    ip_ = ip;
    iu_ = iu;
    // The title is copied: the page's initialisation may load other strings into the shared buffer.
    const MSTR title(LoadResString(IDS_MTL_CONVERTER));
    panel_ = ip->AddRollupPage(hInstance, MAKEINTRESOURCEW(IDD_MTL_CONVERTER), MtlConverterDlgProc, title, 0,
                               0, ROLLUP_CAT_STANDARD);
}

void Tvl3MtlConverter::EndEditParams(Interface* ip, IUtil*) {
    ip_ = nullptr;
    iu_ = nullptr;
    ip->DeleteRollupPage(panel_);
    panel_ = nullptr;
}
