// The three changes of a material run that carry undo records of their own: an editor slot, a
// sub-material slot with the map it shows in the viewports, and emptying the conversion list.

#include <memory>

#include "MtlConvTestScene.h"
#include "UndoRecords.h"

namespace {

using UndoRecordTest = MtlConvTest;

// Makers that are neither nodes nor materials: the editor's slots, the list and the records' holders.
int PlainMakers(ReferenceTarget* t) {
    int n = 0;
    for (ReferenceMaker* m : Dependents(t))
        if (m->SuperClassID() == REF_MAKER_CLASS_ID) ++n;
    return n;
}

TEST_F(UndoRecordTest, OutsideARecordingTransactionChangesAreMadeAndRecordsDropped) {
    for (bool inSuspendedTransaction : {false, true}) {
        SCOPED_TRACE(inSuspendedTransaction ? "transaction suspended" : "no transaction");
        Mtl* old = NewStandard(_M("Old"));
        Mtl* fresh = NewTvl3(_M("New"));
        MultiSubMtl* parent = NewMulti(_M("Parent"), 2);
        InScene(parent);
        parent->SetSubMtl(1, old);
        SetSlot(4, old);
        MtlConvList list;
        AddAll(list, {old});

        const int live = HostCore::Get().NumLiveObjects();
        if (inSuspendedTransaction) theHold.Begin();
        {
            std::unique_ptr<SuspendAll> suspend(inSuspendedTransaction ? new SuspendAll(TRUE) : nullptr);
            SetMtlSlot(4, fresh);
            SetSubMtl(parent, fresh, 1);
            ClearMtlList(list);
            EXPECT_EQ(theHold.NumRecordsOpen(), 0);
        }
        if (inSuspendedTransaction) theHold.Accept(MSTR(_M("suspended")).dataForWrite());

        EXPECT_EQ(Slot(4), fresh);
        EXPECT_EQ(parent->GetSubMtl(1), fresh);
        EXPECT_TRUE(list.Empty());
        EXPECT_EQ(theHold.NumUndoEntries(), 0);
        // A record that was kept somewhere would still hold the old material through its holders.
        EXPECT_LT(HostCore::Get().NumLiveObjects(), live);
        EXPECT_EQ(PlainMakers(fresh), 1);  // the editor's slot
    }
}

TEST_F(UndoRecordTest, EditorSlotChangeIsUndoneAndRedoneAndKeepsTheOldMaterialAlive) {
    HostCore& host = HostCore::Get();
    Mtl* old = NewStandard(_M("Old"));
    Mtl* fresh = NewTvl3(_M("New"));
    SetSlot(2, old);

    theHold.Begin();
    SetMtlSlot(2, fresh);
    EXPECT_EQ(theHold.NumRecordsOpen(), 1);
    theHold.Accept(MSTR(_M("slot")).dataForWrite());
    EXPECT_EQ(Slot(2), fresh);

    // Nothing but the record keeps the material that left the slot; undo has it to put back.
    const int live = host.NumLiveObjects();
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Slot(2), old);
    ASSERT_TRUE(host.Redo());
    EXPECT_EQ(Slot(2), fresh);
    EXPECT_EQ(Slot(1), nullptr);
    EXPECT_EQ(Slot(3), nullptr);
    EXPECT_EQ(host.NumLiveObjects(), live);
    theHold.ClearUndoStacks();
    EXPECT_LT(host.NumLiveObjects(), live);
}

// How a material makes something show in the viewports.
enum class Shows { Nothing, Itself, ItsMap };

struct ShownMapCase {
    const char* what;
    bool hasOld;          // the parent's slot holds a sub-material before the change
    Shows oldShows;       // ... which shows this
    bool oldActivated;    // ... and the parent shows it, through the host's texture activation
    bool newHasBase;      // the new material has a sub-material 0
    Shows baseShows;      // ... which shows this
    bool baseIsOldsBase;  // the old material is a Tavelin 2 material with that same base
};

const ShownMapCase kShownMapCases[] = {
    {"old shows itself, new base shows its map", true, Shows::Itself, true, true, Shows::ItsMap, false},
    {"old shows its map, new base shows itself", true, Shows::ItsMap, true, true, Shows::Itself, false},
    {"empty slot, new base shows its map", false, Shows::Nothing, false, true, Shows::ItsMap, false},
    {"old shows itself, new material has no base", true, Shows::Itself, true, false, Shows::Nothing, false},
    {"nothing shown on either side", true, Shows::Nothing, false, true, Shows::Nothing, false},
    {"old flagged but the parent shows no map", true, Shows::Itself, false, true, Shows::Nothing, false},
    {"flagged base shared by the old and the new material", true, Shows::Nothing, false, true, Shows::Itself,
     true},
};

// What the viewports show for the parent's slot, and the shown flag of each material and map involved.
struct Viewport {
    Mtl* sub;
    MtlBase* active;
    std::vector<int> shown;
    bool operator==(const Viewport& o) const {
        return sub == o.sub && active == o.active && shown == o.shown;
    }
};

Viewport TakeViewport(Mtl* parent, int index, const std::vector<MtlBase*>& involved) {
    Viewport v{parent->GetSubMtl(index), parent->GetActiveTexmap(), {}};
    for (MtlBase* m : involved) v.shown.push_back(m->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
    return v;
}

// Whatever the host's texture activation does, undo gives back exactly what the viewports showed before
// the change and redo exactly what they showed after it.
TEST_F(UndoRecordTest, SubMaterialChangeAndItsUndoAndRedoLeaveExactlyWhatWasShown) {
    const int index = 2;
    for (const ShownMapCase& c : kShownMapCases) {
        SCOPED_TRACE(c.what);
        MultiSubMtl* parent = NewMulti(_M("Parent"), 3);
        auto* watcher = new BoxTarget(1);
        watcher->ReplaceReference(0, parent);
        std::vector<MtlBase*> involved;

        Tvl3Material* fresh = NewTvl3(_M("New"));
        if (!c.newHasBase) fresh->SetSubMtl(Tvl3Material::kSubMtlBase, nullptr);
        Mtl* base = fresh->GetSubMtl(Tvl3Material::kSubMtlBase);
        ASSERT_EQ(base != nullptr, c.newHasBase);
        if (c.baseShows == Shows::Itself) base->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED);
        if (c.baseShows == Shows::ItsMap) {
            BitmapTex* map = NewBitmap(_M("NewMap"));
            base->SetActiveTexmap(map);
            map->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED);
            involved.push_back(map);
        }
        involved.push_back(fresh);
        if (base) involved.push_back(base);

        if (c.hasOld) {
            Mtl* old = NewStandard(_M("Old"));
            if (c.baseIsOldsBase) {
                old = NewTvl2(_M("Old"));
                old->SetSubMtl(0, base);
            }
            parent->SetSubMtl(index, old);
            MtlBase* oldShown = nullptr;
            if (c.oldShows == Shows::Itself) oldShown = old;
            if (c.oldShows == Shows::ItsMap) {
                oldShown = NewBitmap(_M("OldMap"));
                old->SetActiveTexmap(oldShown);
                involved.push_back(oldShown);
            }
            if (oldShown) oldShown->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED);
            if (c.oldActivated) GetCOREInterface()->ActivateTexture(oldShown, parent, index);
            involved.push_back(old);
        }

        const Viewport before = TakeViewport(parent, index, involved);
        int notified = watcher->notifications;
        theHold.Begin();
        SetSubMtl(parent, fresh, index);
        EXPECT_EQ(theHold.NumRecordsOpen(), 1);
        theHold.Accept(MSTR(_M("sub")).dataForWrite());
        EXPECT_GT(watcher->notifications, notified);
        const Viewport after = TakeViewport(parent, index, involved);
        EXPECT_EQ(after.sub, fresh);

        for (int cycle = 0; cycle < 2; ++cycle) {
            notified = watcher->notifications;
            ASSERT_TRUE(HostCore::Get().Undo());
            EXPECT_TRUE(TakeViewport(parent, index, involved) == before);
            EXPECT_GT(watcher->notifications, notified);
            ASSERT_TRUE(HostCore::Get().Redo());
            EXPECT_TRUE(TakeViewport(parent, index, involved) == after);
        }
        EXPECT_EQ(parent->GetSubMtl(0), nullptr);
        EXPECT_EQ(parent->GetSubMtl(1), nullptr);
    }
}

TEST_F(UndoRecordTest, ClearedListComesBackInOrderWithItsTextsOnUndo) {
    HostCore& host = HostCore::Get();
    Mtl* a = NewStandard(_M("A"));
    Mtl* b = NewTvl2(_M("B"));
    Mtl* c = NewStandard(_M("C"));
    MtlConvList list;
    CountingListener listener(list);
    list.SetListener(&listener);
    AddAll(list, {a, b, c});

    theHold.Begin();
    ClearMtlList(list);
    EXPECT_EQ(theHold.NumRecordsOpen(), 1);
    theHold.Accept(MSTR(_M("clear")).dataForWrite());
    EXPECT_TRUE(list.Empty());

    // Meanwhile one material is renamed; nothing but the record keeps them.
    a->SetName(MSTR(_M("Renamed")));
    const int live = host.NumLiveObjects();

    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, b, c}));
    EXPECT_EQ(Text(list.Items().front().fullName), L"A (Standard)");
    ASSERT_TRUE(host.Redo());
    EXPECT_TRUE(list.Empty());
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, b, c}));
    EXPECT_EQ(listener.counts, (std::vector<int>{0, 3, 0, 3}));

    // Listed again, a material is kept by the list itself once the record is gone.
    theHold.ClearUndoStacks();
    EXPECT_EQ(host.NumLiveObjects(), live);
    list.Erase(b);
    EXPECT_LT(host.NumLiveObjects(), live);  // b, with what only it held
    list.SetListener(nullptr);
}

}  // namespace
