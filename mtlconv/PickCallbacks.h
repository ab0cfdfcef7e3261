#pragma once

#include "MtlConverterState.h"
#include "SelectMaterialDialog.h"
#include "WindowsDefines.h"

// The material converter's "追加" and "削除" flows: each opens the material selection dialog, owned by the
// host's main window, over the materials the state's conversion list may gain or lose, applies the
// user's choice to the list after OK and has the panel refill its list box. Neither records an undo step.
// hPanel is the panel that asked (it may be null when no panel is open). Windows build only.
void AddMaterials(HWND hPanel, MtlConverterState& state);
void DeleteMaterials(HWND hPanel, MtlConverterState& state);

// The texts of the plug-in's string table by ID: the module's table in the plug-in, a copy elsewhere.
using PickTextSource = const MCHAR* (*)(int id);

// What the Add and Delete dialogs share: the convertible classes, the filters "シーン" and
// "マテリアル エディタ", and the user's settings remembered from one opening to the next. The window
// rectangle is remembered once for every object of these classes, so both dialogs open at one place.
class MtlConvertSelMtlDlgCB : public SelectMaterialDialogCallback {
public:
    explicit MtlConvertSelMtlDlgCB(PickTextSource texts);

    // SelectMaterialDialogCallback
    ~MtlConvertSelMtlDlgCB() override = default;
    int GetInitialFlatMode() override { return flatMode_; }
    int GetInitialSortMode() override { return sortMode_; }
    BitArray GetInitialDisplayFilter() override { return filter_; }
    const RECT* GetInitialWindowRect() override;
    int CheckSubMaterial(Mtl* parent, Mtl* subMtl, int subIndex) override;
    int CheckEditorMaterial(MtlBase* mtl, int slot) override;
    int CheckSceneMaterial(INode* node, Mtl* mtl) override;
    int GetDisplayFilterCount() override { return 2; }
    MSTR GetDisplayFilterLabel(int index) override;
    int IsItemVisible(MtlBase* parent, MtlBase* mtl, const BitArray& filter) override;
    void OnDialogDestroy(WPARAM wParam, LPARAM lParam) override;

    // MtlConvertSelMtlDlgCB
    // SELMTL_ELIGIBLE for a convertible class, else SELMTL_CARRIER.
    virtual int CheckMaterial(MtlBase* mtl);
    // The opener's own items, gathered after the scene and the editor; none by default.
    virtual void AddOwnItems() {}

    // Set by a flow for the time of one opening.
    void SetDialog(SelectMaterialDialog* dialog) { dialog_ = dialog; }
    void SetList(MtlConvList* list) { list_ = list; }

    static bool IsConvertible(MtlBase* mtl);
    // The window rectangle (screen coordinates) both dialogs open at from now on; forgetting it makes
    // them centre themselves again.
    static void RememberWindowRect(const RECT& rect);
    static void ForgetWindowRect() { hasRect_ = false; }

protected:
    MSTR Text(int id) const;

    SelectMaterialDialog* dialog_ = nullptr;
    MtlConvList* list_ = nullptr;

private:
    BitArray filter_{kNumDisplayFilters};
    int sortMode_ = 0;
    int flatMode_ = 1;
    PickTextSource texts_;

    static RECT rect_;
    static bool hasRect_;
};

// "追加": offers the convertible materials not yet listed and appends the chosen ones.
class MtlConvertAddMtlDlgCB : public MtlConvertSelMtlDlgCB {
public:
    using MtlConvertSelMtlDlgCB::MtlConvertSelMtlDlgCB;

    // SelectMaterialDialogCallback
    MSTR GetTitle() override;
    void OnOK(Tab<MtlBase*>& selected) override;

    // MtlConvertSelMtlDlgCB
    int CheckMaterial(MtlBase* mtl) override;
};

// "削除": offers the listed materials and erases the chosen ones. With both filters off it shows the
// listed materials found neither in the scene nor in the material editor.
class MtlConvertDelMtlDlgCB : public MtlConvertSelMtlDlgCB {
public:
    using MtlConvertSelMtlDlgCB::MtlConvertSelMtlDlgCB;

    // SelectMaterialDialogCallback
    MSTR GetTitle() override;
    int IsItemVisible(MtlBase* parent, MtlBase* mtl, const BitArray& filter) override;
    void OnOK(Tab<MtlBase*>& selected) override;

    // MtlConvertSelMtlDlgCB
    int CheckMaterial(MtlBase* mtl) override;
    // Listed materials the gathering did not reach (no longer used, or only below a Tavelin material)
    // become selectable top-level items found neither in the scene nor in the editor.
    void AddOwnItems() override;
};
