#include "ExecuteConversion.h"

#include "ConfirmDialog.h"
#include "ConversionRun.h"
#include "MtlConverterPanel.h"
#include "MtlConverterState.h"
#include "MtlPanelStates.h"
#include "ResString.h"
#include "resource.h"

void ExecuteConversion(HWND panel) {
    MtlConverterState& state = TheMtlConverterState();
    if (state.List().Empty()) return;
    const ConversionOptions options = BuildConversionOptions(
        [panel](int control) { return IsDlgButtonChecked(panel, control) == BST_CHECKED; });

    Mtl* reference = nullptr;
    if (IsDlgButtonChecked(panel, IDC_ZONE_REFERENCE) == BST_CHECKED) {
        reference = state.GetReferenceMaterial();
        if (!reference) {
            ShowPanelWarning(panel, IDS_SELECT_REFERENCE_MATERIAL);
            return;
        }
    }
    if (!ConfirmConversion(panel)) return;

    // Copied: the run's texts would otherwise share one string buffer.
    const MSTR undoName(LoadResString(IDS_CONVERT_UNDO));
    const MSTR title(LoadResString(IDS_MTL_CONVERTER));
    RunMtlConversion(state.List(), options, reference, undoName, title);
}
