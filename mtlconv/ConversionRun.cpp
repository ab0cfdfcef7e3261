#include "ConversionRun.h"

#include "ClassIds.h"
#include "ConvertMaterial.h"
#include "EditorSlots.h"
#include "UndoRecords.h"

#include <vector>

namespace {

DWORD NoWork(LPVOID) { return 0; }

void CollectNodeMaterials(INode* node, MtlBaseLib& lib) {
    for (int i = 0; i < node->NumberOfChildren(); ++i) {
        INode* child = node->GetChildNode(i);
        if (Mtl* m = child->GetMtl()) lib.Add(m);
        CollectNodeMaterials(child, lib);
    }
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

    // Sort the users first, then change them, so that the changes do not disturb the walk.
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

void RunMtlConversion(MtlConvList& list, ConversionOptions options, Mtl* reference, MtlRunObserver* observer,
                      const MCHAR* undoName, const MCHAR* title) {
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

        auto* source = dynamic_cast<Mtl*>(entry.material);
        if (!source || inUse.FindMtl(source) < 0) {
            if (observer) observer->OnEntry(entry, MtlRunOutcome::NotInUse, nullptr);
            continue;
        }

        Mtl* target = nullptr;
        {
            SuspendAll suspend(TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
            target = ConvertMaterial(source, options, reference, map);
            if (target) {
                Interval valid = FOREVER;
                target->Update(ip->GetTime(), valid);
            }
        }
        if (!target) {
            if (observer) observer->OnEntry(entry, MtlRunOutcome::NotConverted, nullptr);
            continue;
        }

        bool placed = ReplaceEverywhere(source, target);
        if (observer)
            observer->OnEntry(entry, placed ? MtlRunOutcome::Converted : MtlRunOutcome::NotPlaced,
                              placed ? target : nullptr);
        if (!placed) {
            // Made with recording suspended, it never existed for undo; neither does its discarding.
            SuspendAll suspend(TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
            target->DeleteThis();
        }
    }
    if (observer)
        for (; k < n; ++k)
            observer->OnEntry(entries[static_cast<size_t>(k)], MtlRunOutcome::Cancelled, nullptr);

    ip->ProgressEnd();
    ClearMtlList(list);
    theHold.Accept(holdName.dataForWrite());
    ip->ForceCompleteRedraw(TRUE);
}
