#include "MtlConverterPanel.h"

#include "ExecuteConversion.h"
#include "MtlConvUtilDADMgr.h"
#include "PickCallbacks.h"
#include "ResString.h"
#include "Tvl3MtlConverter.h"
#include "VersionText.h"
#include "imtl.h"
#include "resource.h"

namespace {

bool IsChecked(HWND panel, int control) { return IsDlgButtonChecked(panel, control) == BST_CHECKED; }

void EnableControl(HWND panel, int control, bool enable) {
    EnableWindow(GetDlgItem(panel, control), enable ? TRUE : FALSE);
}

}  // namespace

void ShowPanelWarning(HWND panel, int textId) {
    // Both texts come from the one shared string buffer: the caption is copied before the text is loaded.
    const MSTR caption(LoadResString(IDS_MTL_CONVERTER));
    MessageBoxW(panel, LoadResString(textId), caption, MB_ICONWARNING);
}

INT_PTR MtlConverterPanel::OnInitDialog(HWND hWnd) {
    hWnd_ = hWnd;
    SetDlgItemTextW(hWnd, IDC_VERSION, BuildVersionText());
    button_.Take(GetDlgItem(hWnd, IDC_REFERENCE_MTL));
    if (button_) button_->SetDADMgr(&theMtlConvUtilDADMgr);
    theMtlConvUtilDADMgr.Attach(&theTvl3MtlConverter);
    for (const MtlPanelCheck& c : theMtlPanelStates.checks)
        CheckDlgButton(hWnd, c.control, c.checked ? BST_CHECKED : BST_UNCHECKED);
    TheMtlConverterState().SetView(this);
    UpdateMtlList();
    UpdateControls();
    return TRUE;
}

INT_PTR MtlConverterPanel::OnCommand(HWND hWnd, int control) {
    switch (control) {
        case IDC_ZONE_AUTO:
        case IDC_ZONE_REFERENCE:
        case IDC_APPLY_STROKES:
            UpdateControls();
            return TRUE;
        case IDC_REFERENCE_MTL:
            PickReferenceMaterial();
            return TRUE;
        case IDC_MTL_ADD:
            AddMaterials(hWnd, TheMtlConverterState());
            return TRUE;
        case IDC_MTL_DELETE:
            DeleteMaterials(hWnd, TheMtlConverterState());
            return TRUE;
        case IDC_MTL_CONVERT:
            ExecuteConversion(hWnd);
            return TRUE;
        default:
            return FALSE;
    }
}

void MtlConverterPanel::OnDestroy() {
    MtlConverterState& state = TheMtlConverterState();
    if (state.View() == this) state.SetView(nullptr);
    button_.Release();
    hWnd_ = nullptr;
}

void MtlConverterPanel::UpdateMtlList() {
    HWND list = hWnd_ ? GetDlgItem(hWnd_, IDC_MTL_LIST) : nullptr;
    if (!list) return;
    const MtlConvList& entries = TheMtlConverterState().List();
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const MtlConvData& d : entries.Items())
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d.fullName.data()));
    EnableControl(hWnd_, IDC_MTL_CONVERT, !entries.Empty());
    EnableControl(hWnd_, IDC_MTL_DELETE, !entries.Empty());
}

void MtlConverterPanel::UpdateControls() {
    if (!hWnd_) return;
    const MtlPanelEnabling enabled =
        EnablingFor(IsChecked(hWnd_, IDC_ZONE_AUTO), IsChecked(hWnd_, IDC_APPLY_STROKES));
    EnableControl(hWnd_, IDC_MULTIPLY_BLEND, enabled.multiplyBlend);
    EnableControl(hWnd_, IDC_APPLY_STROKES, enabled.applyStrokes);
    EnableControl(hWnd_, IDC_STROKE_INSTANCE, enabled.strokeMode);
    EnableControl(hWnd_, IDC_STROKE_COPY, enabled.strokeMode);
    if (!button_) return;
    button_->Enable(enabled.referenceButton);
    Mtl* reference = TheMtlConverterState().GetReferenceMaterial();
    button_->SetText(reference ? reference->GetName().data() : _M("None"));
}

void MtlConverterPanel::PickReferenceMaterial() {
    BOOL newMat = FALSE, cancel = FALSE;
    MtlBase* picked =
        GetCOREInterface()->DoMaterialBrowseDlg(hWnd_, BROWSE_MATSONLY | BROWSE_INSTANCEONLY, newMat, cancel);
    if (cancel) return;
    if (IsTavelin3Material(picked))
        theTvl3MtlConverter.SetReferenceMaterial(static_cast<Mtl*>(picked));
    else
        ShowPanelWarning(hWnd_, IDS_SELECT_TVL3_MATERIAL);
}

INT_PTR CALLBACK MtlConverterDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            return theMtlConverterPanel.OnInitDialog(hWnd);
        case WM_COMMAND:
            return theMtlConverterPanel.OnCommand(hWnd, LOWORD(wParam));
        case WM_DESTROY:
            theMtlConverterPanel.OnDestroy();
            return FALSE;
        default:
            return FALSE;
    }
}
