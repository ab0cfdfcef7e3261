// The "追加" and "削除" flows: the selection dialog opened over the conversion list.

#include "PickCallbacks.h"
#include "ResString.h"
#include "SelectMaterialDialogWindow.h"

namespace {

// The flows' callbacks live from their first use until the module is unloaded and remember the user's
// settings between openings.
MtlConvertAddMtlDlgCB& AddCallback() {
    static MtlConvertAddMtlDlgCB callback(LoadResString);
    return callback;
}

MtlConvertDelMtlDlgCB& DeleteCallback() {
    static MtlConvertDelMtlDlgCB callback(LoadResString);
    return callback;
}

void RunPickDialog(MtlConvertSelMtlDlgCB& callback, MtlConverterState& state) {
    Interface* ip = GetCOREInterface();
    SelectMaterialDialogWindow dialog(&callback, ip);
    callback.SetDialog(&dialog);
    callback.SetList(&state.List());
    dialog.AddSceneMaterials(ip->GetRootNode());
    dialog.AddEditorMaterials();
    callback.AddOwnItems();
    dialog.ClearVisibilityCursor();
    // The panel refills its list box when the list changed; OK with nothing chosen refills it as well.
    if (dialog.DoModal() == IDOK) state.List().NotifyChanged();
}

}  // namespace

void AddMaterials(HWND, MtlConverterState& state) { RunPickDialog(AddCallback(), state); }

void DeleteMaterials(HWND, MtlConverterState& state) { RunPickDialog(DeleteCallback(), state); }
