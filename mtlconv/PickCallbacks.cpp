#include "PickCallbacks.h"

#include "ClassIds.h"
#include "resource.h"

namespace {

// The classes the conversion turns into Tavelin 3 materials.
const Class_ID kConvertibleClasses[] = {
    Class_ID(DMTL_CLASS_ID, 0),
    TVL2_MATERIAL_CLASS_ID,
    STDMAT_VARIANT_CLASS_ID,
};

// Display filter bits.
const int kFilterScene = 0;
const int kFilterEditor = 1;

// The labels of the display filters, by index.
const int kFilterLabels[] = {IDS_FILTER_SCENE, IDS_FILTER_MTL_EDITOR};

bool ItemHas(SelectMaterialDialog::TreeItem* item, ItemFlag flag) {
    return item && item->Data()->Flags()[flag];
}

}  // namespace

RECT MtlConvertSelMtlDlgCB::rect_ = {0, 0, 0, 0};
bool MtlConvertSelMtlDlgCB::hasRect_ = false;

MtlConvertSelMtlDlgCB::MtlConvertSelMtlDlgCB(PickTextSource texts) : texts_(texts) {
    filter_.Set(kFilterScene);
}

MSTR MtlConvertSelMtlDlgCB::Text(int id) const {
    const MCHAR* text = texts_ ? texts_(id) : nullptr;
    return text ? MSTR(text) : MSTR();
}

bool MtlConvertSelMtlDlgCB::IsConvertible(MtlBase* mtl) {
    if (!mtl) return false;
    const Class_ID id = mtl->ClassID();
    for (const Class_ID& c : kConvertibleClasses)
        if (id == c) return true;
    return false;
}

const RECT* MtlConvertSelMtlDlgCB::GetInitialWindowRect() { return hasRect_ ? &rect_ : nullptr; }

// Nothing below a Tavelin material is offered: its sub-materials are its own business.
int MtlConvertSelMtlDlgCB::CheckSubMaterial(Mtl* parent, Mtl* subMtl, int) {
    if (parent) {
        const Class_ID id = parent->ClassID();
        if (id == TVL2_MATERIAL_CLASS_ID || id == TVL3_MATERIAL_CLASS_ID) return SELMTL_LEAVE_OUT;
    }
    return CheckMaterial(subMtl);
}

int MtlConvertSelMtlDlgCB::CheckEditorMaterial(MtlBase* mtl, int) { return CheckMaterial(mtl); }

int MtlConvertSelMtlDlgCB::CheckSceneMaterial(INode*, Mtl* mtl) { return CheckMaterial(mtl); }

MSTR MtlConvertSelMtlDlgCB::GetDisplayFilterLabel(int index) {
    const int count = static_cast<int>(sizeof(kFilterLabels) / sizeof(kFilterLabels[0]));
    return index >= 0 && index < count ? Text(kFilterLabels[index]) : MSTR();
}

int MtlConvertSelMtlDlgCB::IsItemVisible(MtlBase* parent, MtlBase* mtl, const BitArray& filter) {
    if (!dialog_) return 0;
    SelectMaterialDialog::TreeItem* item = dialog_->FindTreeItem(parent, mtl);
    if (filter[kFilterScene] && ItemHas(item, ITEM_IN_SCENE)) return 1;
    if (filter[kFilterEditor] && ItemHas(item, ITEM_IN_MTL_EDITOR)) return 1;
    return 0;
}

void MtlConvertSelMtlDlgCB::OnDialogDestroy(WPARAM, LPARAM) {
    if (!dialog_) return;
    filter_ = dialog_->GetDisplayFilter();
    sortMode_ = dialog_->GetSortMode();
    flatMode_ = dialog_->IsFlatList();
#ifdef _WIN32
    RECT rect;
    if (HWND hWnd = dialog_->GetWindowHandle())
        if (GetWindowRect(hWnd, &rect)) RememberWindowRect(rect);
#endif
}

void MtlConvertSelMtlDlgCB::RememberWindowRect(const RECT& rect) {
    rect_ = rect;
    hasRect_ = true;
}

int MtlConvertSelMtlDlgCB::CheckMaterial(MtlBase* mtl) {
    return IsConvertible(mtl) ? SELMTL_ELIGIBLE : SELMTL_CARRIER;
}

// ---- Add

MSTR MtlConvertAddMtlDlgCB::GetTitle() { return Text(IDS_ADD_MATERIALS); }

int MtlConvertAddMtlDlgCB::CheckMaterial(MtlBase* mtl) {
    return IsConvertible(mtl) && !(list_ && list_->Contains(mtl)) ? SELMTL_ELIGIBLE : SELMTL_CARRIER;
}

void MtlConvertAddMtlDlgCB::OnOK(Tab<MtlBase*>& selected) {
    if (!list_) return;
    for (MtlBase* mtl : selected) list_->Append(MtlConvData::Of(mtl));
}

// ---- Delete

MSTR MtlConvertDelMtlDlgCB::GetTitle() { return Text(IDS_DELETE_MATERIALS); }

int MtlConvertDelMtlDlgCB::CheckMaterial(MtlBase* mtl) {
    return IsConvertible(mtl) && list_ && list_->Contains(mtl) ? SELMTL_ELIGIBLE : SELMTL_CARRIER;
}

// With both filters off: the listed materials that are found neither in the scene nor in the editor.
int MtlConvertDelMtlDlgCB::IsItemVisible(MtlBase* parent, MtlBase* mtl, const BitArray& filter) {
    if (filter[kFilterScene] || filter[kFilterEditor])
        return MtlConvertSelMtlDlgCB::IsItemVisible(parent, mtl, filter);
    if (!dialog_) return 0;
    if (ItemHas(dialog_->FindTreeItem(parent, mtl), ITEM_IN_SCENE)) return 0;
    return dialog_->IsInMaterialEditor(parent, mtl) ? 0 : 1;
}

void MtlConvertDelMtlDlgCB::OnOK(Tab<MtlBase*>& selected) {
    if (!list_) return;
    for (MtlBase* mtl : selected) list_->Erase(mtl);
}

void MtlConvertDelMtlDlgCB::AddOwnItems() {
    if (!dialog_ || !list_) return;
    const BitArray eligible = ItemFlags(1u << ITEM_ELIGIBLE);
    for (const MtlConvData& entry : list_->Items())
        if (!dialog_->FindListItem(entry.material)) dialog_->AddItem(nullptr, entry.material, eligible);
}
