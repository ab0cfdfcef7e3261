#include "ConversionRun.h"

#include "ClassIds.h"
#include "ConvertMaterial.h"
#include "DeleteConverted.h"
#include "EditorSlots.h"
#include "UndoRecords.h"

#include <vector>

namespace {

DWORD NoWork(LPVOID) { return 0; }

// The node's material, then its children's, depth first; the walk starts at the scene root itself.
void CollectNodeMaterials(INode* node, MtlBaseLib& lib) {
    if (!node) return;
    if (Mtl* m = node->GetMtl()) lib.Add(m);
    for (int i = 0; i < node->NumberOfChildren(); ++i) CollectNodeMaterials(node->GetChildNode(i), lib);
}

bool IsTavelinMaterial(MtlBase* m) {
    Class_ID c = m->ClassID();
    return c == TVL3_MATERIAL_CLASS_ID || c == TVL2_MATERIAL_CLASS_ID;
}

// Puts target wherever source was used; answers whether it went anywhere.
bool ReplaceEverywhere(Mtl* source, Mtl* target) {
    bool placed = false;
    // Editor slots are not references the replacement below may touch: they have records of their own.
    ForEachEditorSlot([&](int slot, MtlBase* m) {
        if (m != source) return;
        SetMtlSlot(slot, target);
        placed = true;
    });

    // Sort the users first, then change them, so that the changes do not disturb the walk. Plain makers
    // (the run's own library of materials in use, holders) are passed over.
    std::vector<ReferenceMaker*> holders;
    std::vector<Mtl*> parents;
    DependentIterator it(source);
    while (ReferenceMaker* maker = it.Next()) {
        SClass_ID sc = maker->SuperClassID();
        if (sc == BASENODE_CLASS_ID || sc == PARAMETER_BLOCK2_CLASS_ID)
            holders.push_back(maker);
        else if (sc == MATERIAL_CLASS_ID && maker->ClassID() != TVL3_MATERIAL_CLASS_ID)
            parents.push_back(static_cast<Mtl*>(maker));
    }
    for (ReferenceMaker* maker : holders)
        for (int i = 0; i < maker->NumRefs(); ++i)
            if (maker->GetReference(i) == source && maker->ReplaceReference(i, target, TRUE) == REF_SUCCEED)
                placed = true;
    for (Mtl* parent : parents)
        for (int j = 0; j < parent->NumSubMtls(); ++j)
            if (parent->GetSubMtl(j) == source) {
                SetSubMtl(parent, target, j);
                placed = true;
            }
    return placed;
}

// Converts source with undo suspended. The walk's switches in objects that were there before belong to
// the run's step: they are gathered during the conversion and recorded after it, when the run is
// recording.
Mtl* ConvertRecordingSwitches(Mtl* source, ConversionOptions options, Mtl* reference, ConversionMap& map) {
    auto* switches = new SubMapRestore;
    const bool recording = theHold.Holding() && !theHold.RestoreOrRedoing();
    Mtl* target = nullptr;
    {
        // Animate mode is suspended too: the new material takes the source's values as they are, not as
        // keys at the current frame.
        SuspendAll suspend(TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE);
        target = ConvertMaterial(source, options, reference, map, switches);
        if (target) {
            Interval valid = FOREVER;
            target->Update(GetCOREInterface()->GetTime(), valid);
        }
    }
    // The new material's own slots need no record: it did not exist before the run.
    if (target) switches->ForgetHolder(target);
    if (recording && !switches->Empty())
        theHold.Put(switches);
    else
        delete switches;
    return target;
}

// One entry of the run: a material in use is converted and the new material put wherever the source
// was used, or discarded when it has nowhere to go.
void ConvertEntry(const MtlConvData& entry, MtlBaseLib& inUse, ConversionOptions options, Mtl* reference,
                  ConversionMap& map, MtlRunObserver* observer) {
    auto* source = dynamic_cast<Mtl*>(entry.material);
    if (!source || inUse.FindMtl(source) < 0) {
        if (observer) observer->OnEntry(entry, MtlRunOutcome::NotInUse, nullptr);
        return;
    }
    Mtl* target = ConvertRecordingSwitches(source, options, reference, map);
    if (!target) {
        if (observer) observer->OnEntry(entry, MtlRunOutcome::NotConverted, nullptr);
        return;
    }
    bool placed = ReplaceEverywhere(source, target);
    if (observer)
        observer->OnEntry(entry, placed ? MtlRunOutcome::Converted : MtlRunOutcome::NotPlaced,
                          placed ? target : nullptr);
    if (!placed) DeleteConverted({target}, map);
}

}  // namespace

void CollectMaterialsInUse(MtlBaseLib& lib) {
    Interface* ip = GetCOREInterface();
    CollectNodeMaterials(ip->GetRootNode(), lib);
    ForEachEditorSlot([&](int, MtlBase* m) {
        if (m->SuperClassID() == MATERIAL_CLASS_ID) lib.Add(m);
    });
    // Entries added on the way are walked too.
    for (int k = 0; k < lib.Count(); ++k) {
        auto* m = dynamic_cast<Mtl*>(lib[k]);
        if (!m || IsTavelinMaterial(m)) continue;
        for (int j = 0; j < m->NumSubMtls(); ++j)
            if (Mtl* sub = m->GetSubMtl(j)) lib.Add(sub);
    }
}

void RunMtlConversion(MtlConvList& list, ConversionOptions options, Mtl* reference, const MCHAR* undoName,
                      const MCHAR* title, MtlRunObserver* observer) {
    Interface* ip = GetCOREInterface();
    MtlBaseLib inUse;
    CollectMaterialsInUse(inUse);

    theHold.Begin();
    ConversionMap map;
    // The host takes the title and the undo name as writable strings.
    MSTR progressTitle(title);
    MSTR holdName(undoName);
    ip->ProgressStart(progressTitle.dataForWrite(), TRUE, NoWork, nullptr);

    // The list is emptied at the end whatever happens to each entry; work on a copy of its entries.
    const std::vector<MtlConvData> entries = list.Entries();
    const int n = static_cast<int>(entries.size());
    int k = 0;
    for (; k < n; ++k) {
        const MtlConvData& entry = entries[static_cast<size_t>(k)];
        if (ip->GetCancel()) break;
        ip->ProgressUpdate((k + 1) * 100 / n, TRUE, nullptr);

        ConvertEntry(entry, inUse, options, reference, map, observer);
    }
    if (observer)
        for (; k < n; ++k)
            observer->OnEntry(entries[static_cast<size_t>(k)], MtlRunOutcome::Cancelled, nullptr);

    ip->ProgressEnd();
    ClearMtlList(list);
    theHold.Accept(holdName.dataForWrite());
    ip->ForceCompleteRedraw(TRUE);
}
