#pragma once

#include <memory>
#include <vector>

#include "ConvertMaterial.h"
#include "MtlConvList.h"
#include "ReferenceHolder.h"

// The changes of a material run that the host's reference replacement does not record itself. Each is
// made through its record's Redo; the record goes to theHold only when a transaction is recording.

// Puts a material into a material editor slot.
void SetMtlSlot(int slot, MtlBase* m);
// Makes m the parent's sub-material at index, and moves the map the viewports show for that slot.
void SetSubMtl(Mtl* parent, Mtl* m, int index);
// Empties the conversion list.
void ClearMtlList(MtlConvList& list);

class MtlEditorRestore : public RestoreObj {
public:
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("MtlEditorRestore")); }

    ReferenceHolder oldMtl;
    ReferenceHolder newMtl;
    int slot = 0;
};

class SetSubMtlRestore : public RestoreObj {
public:
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("SubMtlRestore")); }

    ReferenceHolder parent;
    ReferenceHolder oldSubMtl;
    ReferenceHolder oldShownMap;
    ReferenceHolder newMtl;
    ReferenceHolder newShownMap;
    int index = 0;

    // What the viewports showed before the change and after its first Redo: the parent's active map and
    // the shown flag of every material and map involved. How the host's texture activation moves maps is
    // its own affair, so undo and redo put back exactly what was there instead of working it out again.
    enum : int { kActiveBefore = 0, kActiveAfter = 1, kFirstInvolved = 2 };
    ReferenceHolder viewport;  // the active map before and after, then the materials and maps involved
    std::vector<int> shownBefore;
    std::vector<int> shownAfter;
    bool changed = false;  // the first Redo, which makes the change, has run

    void TakeViewport(int activeEntry, std::vector<int>& shown);

private:
    void Apply(ReferenceTarget* sub, ReferenceTarget* show, ReferenceTarget* hide);
    void PutViewport(int activeEntry, const std::vector<int>& shown);
};

class ClearMtlListRestore : public RestoreObj {
public:
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("MtlConveterRestore")); }

    std::vector<MtlConvData> saved;
    MtlConvList* list = nullptr;
    // Keeps the saved materials alive for as long as the record may put them back.
    ReferenceHolder savedMaterials;
};

// The sub-map slots one conversion's reflection/refraction walk switched. The conversion runs with undo
// recording suspended and reports each switch here; the record holds both maps and the slot's holder
// from that moment, and the run hands it to theHold afterwards. Undo puts the old maps back, last switch
// first; redo repeats the switches in order.
class SubMapRestore : public RestoreObj, public SubMapSwitchSink {
public:
    // SubMapSwitchSink
    void SubMapSwitched(MtlBase* holder, int slot, Texmap* before, Texmap* after) override;

    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("SubMapRestore")); }

    bool Empty() const { return switches_.empty(); }
    // Drops the switches made in holder's own slots (an object that did not exist before the run).
    void ForgetHolder(MtlBase* holder);

private:
    enum : int { kHeldHolder, kHeldBefore, kHeldAfter, kNumHeld };
    struct Switch {
        ReferenceHolder held;  // the holder, the old map and the new map
        int slot = 0;
    };
    std::vector<std::unique_ptr<Switch>> switches_;
};
