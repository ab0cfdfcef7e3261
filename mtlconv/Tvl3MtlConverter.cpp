#include "Tvl3MtlConverter.h"

#include "ClassIds.h"
#include "MtlConverterPanel.h"
#include "MtlConverterState.h"
#include "ResString.h"
#include "resource.h"

bool IsTavelin3Material(ReferenceTarget* obj) {
    return obj && obj->SuperClassID() == MATERIAL_CLASS_ID && obj->ClassID() == TVL3_MATERIAL_CLASS_ID;
}

void Tvl3MtlConverter::BeginEditParams(Interface* ip, IUtil* iu) {
    ip_ = ip;
    iu_ = iu;
    // The title is copied: the page's initialisation loads other strings into the shared buffer.
    const MSTR title(LoadResString(IDS_MTL_CONVERTER));
    panel_ = ip->AddRollupPage(hInstance, MAKEINTRESOURCEW(IDD_MTL_CONVERTER), MtlConverterDlgProc, title, 0,
                               0, ROLLUP_CAT_STANDARD);
}

void Tvl3MtlConverter::EndEditParams(Interface* ip, IUtil*) {
    // A panel the host could not open has nothing to save: the states stay as they were.
    if (panel_)
        for (MtlPanelCheck& c : theMtlPanelStates.checks)
            c.checked = IsDlgButtonChecked(panel_, c.control) == BST_CHECKED;
    ip_ = nullptr;
    iu_ = nullptr;
    ip->DeleteRollupPage(panel_);
    panel_ = nullptr;
}

Mtl* Tvl3MtlConverter::ReferenceMaterial() const { return TheMtlConverterState().GetReferenceMaterial(); }

void Tvl3MtlConverter::SetReferenceMaterial(Mtl* m) {
    MtlConverterState& state = TheMtlConverterState();
    state.SetReferenceMaterial(m);
    if (panel_)
        if (MtlConverterView* view = state.View()) view->UpdateControls();
}
