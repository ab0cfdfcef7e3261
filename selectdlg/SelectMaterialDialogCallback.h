#pragma once

#include "WindowsDefines.h"
#include "bitarray.h"
#include "max.h"

// Answers of CheckSubMaterial, CheckEditorMaterial and CheckSceneMaterial.
enum {
    SELMTL_ELIGIBLE = 1,   // make the item; the user may see and choose it
    SELMTL_CARRIER = 2,    // make the item for its sub-materials' sake; it is never shown nor chosen
    SELMTL_LEAVE_OUT = 3,  // no item, and its sub-materials are not looked at
};

// The number of display filters the dialog has room for.
const int kNumDisplayFilters = 5;

// What the selection dialog asks of its opener: what to offer, show and do. Every answer has a default,
// so a user overrides only what its purpose needs.
class SelectMaterialDialogCallback {
public:
    virtual ~SelectMaterialDialogCallback() {}

    virtual MSTR GetTitle() { return MSTR(_M("Select some material")); }
    virtual MSTR GetOKText() { return MSTR(_M("OK")); }
    // 1 = flat list, 0 = tree.
    virtual int GetInitialFlatMode() { return 1; }
    // 0 = by name, 1 = by type.
    virtual int GetInitialSortMode() { return 0; }
    // kNumDisplayFilters bits, bit i for display filter i.
    virtual BitArray GetInitialDisplayFilter() {
        BitArray filter(kNumDisplayFilters);
        filter.SetAll();
        return filter;
    }
    // Screen rectangle to open at; none centres the dialog on the host's main window.
    virtual const RECT* GetInitialWindowRect() { return nullptr; }

    // Eligibility of a material found below a parent, in an editor slot or on a scene node: SELMTL_*.
    virtual int CheckSubMaterial(Mtl* parent, Mtl* subMtl, int subIndex) {
        (void)parent;
        (void)subMtl;
        (void)subIndex;
        return SELMTL_ELIGIBLE;
    }
    virtual int CheckEditorMaterial(MtlBase* mtl, int slot) {
        (void)mtl;
        (void)slot;
        return SELMTL_ELIGIBLE;
    }
    virtual int CheckSceneMaterial(INode* node, Mtl* mtl) {
        (void)node;
        (void)mtl;
        return SELMTL_ELIGIBLE;
    }

    // 0 to kNumDisplayFilters display filters with their check box labels.
    virtual int GetDisplayFilterCount() { return 0; }
    virtual MSTR GetDisplayFilterLabel(int index) {
        (void)index;
        return MSTR();
    }
    // Nonzero shows the item of mtl below parent (none for a top-level item) under the display filter.
    virtual int IsItemVisible(MtlBase* parent, MtlBase* mtl, const BitArray& filter) {
        (void)parent;
        (void)mtl;
        (void)filter;
        return 1;
    }

    // The chosen materials, each once, when the user presses OK.
    virtual void OnOK(Tab<MtlBase*>& selected) { (void)selected; }
    // The window is being destroyed, after OK or not; the destroy message's arguments.
    virtual void OnDialogDestroy(WPARAM wParam, LPARAM lParam) {
        (void)wParam;
        (void)lParam;
    }
};
