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
        parent->SetSubMtl(1, old);
        SetSlot(4, old);
        MtlConvList list;
        AddAll(list, {old});

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
        // A record that was kept somewhere would still hold these through its holders.
        EXPECT_TRUE(Dependents(old).empty());
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

    // The user deletes the material that left the slot; undo still has it to put back.
    const int live = host.NumLiveObjects();
    old->DeleteThis();
    EXPECT_EQ(host.NumLiveObjects(), live);

    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Slot(2), old);
    ASSERT_TRUE(host.Redo());
    EXPECT_EQ(Slot(2), fresh);
    EXPECT_EQ(Slot(1), nullptr);
    EXPECT_EQ(Slot(3), nullptr);
}

// Whether the viewports show m; nothing to check when there is no m.
void ExpectShown(MtlBase* m, bool shown) {
    if (!m) return;
    EXPECT_EQ(Shown(m), shown);
}

// How a material makes something show in the viewports.
enum class Shows { Nothing, Itself, ItsMap };

struct ShownMapCase {
    const char* what;
    bool hasOld;      // the parent's slot holds a sub-material before the change
    Shows oldShows;   // ... which shows this
    bool newHasBase;  // the new material has a sub-material 0
    Shows baseShows;  // ... which shows this
};

const ShownMapCase kShownMapCases[] = {
    {"old shows itself, new base shows its map", true, Shows::Itself, true, Shows::ItsMap},
    {"old shows its map, new base shows itself", true, Shows::ItsMap, true, Shows::Itself},
    {"empty slot, new base shows its map", false, Shows::Nothing, true, Shows::ItsMap},
    {"old shows itself, new material has no base", true, Shows::Itself, false, Shows::Nothing},
    {"nothing shown on either side", true, Shows::Nothing, true, Shows::Nothing},
};

TEST_F(UndoRecordTest, SubMaterialChangeMovesTheShownMapAndUndoMovesItBack) {
    const int index = 2;
    for (const ShownMapCase& c : kShownMapCases) {
        SCOPED_TRACE(c.what);
        MultiSubMtl* parent = NewMulti(_M("Parent"), 3);
        auto* watcher = new BoxTarget(1);
        watcher->ReplaceReference(0, parent);

        Mtl* old = nullptr;
        MtlBase* oldShown = nullptr;
        if (c.hasOld) {
            old = NewStandard(_M("Old"));
            parent->SetSubMtl(index, old);
            if (c.oldShows == Shows::Itself) oldShown = old;
            if (c.oldShows == Shows::ItsMap) {
                oldShown = NewBitmap(_M("OldMap"));
                old->SetActiveTexmap(oldShown);
            }
            GetCOREInterface()->ActivateTexture(oldShown, parent, index);
        }

        Tvl3Material* fresh = NewTvl3(_M("New"));
        MtlBase* newShown = nullptr;
        if (!c.newHasBase) fresh->SetSubMtl(0, nullptr);
        Mtl* base = fresh->GetSubMtl(0);
        ASSERT_EQ(base != nullptr, c.newHasBase);
        if (c.baseShows == Shows::Itself) {
            base->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED);
            newShown = base;
        }
        if (c.baseShows == Shows::ItsMap) {
            newShown = NewBitmap(_M("NewMap"));
            base->SetActiveTexmap(newShown);
        }

        auto expectNewShown = [&] {
            EXPECT_EQ(parent->GetSubMtl(index), fresh);
            EXPECT_EQ(parent->GetActiveTexmap(), newShown);
            ExpectShown(newShown, true);
            if (oldShown != newShown) ExpectShown(oldShown, false);
        };

        int notified = watcher->notifications;
        theHold.Begin();
        SetSubMtl(parent, fresh, index);
        EXPECT_EQ(theHold.NumRecordsOpen(), 1);
        theHold.Accept(MSTR(_M("sub")).dataForWrite());
        expectNewShown();
        EXPECT_GT(watcher->notifications, notified);

        notified = watcher->notifications;
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(parent->GetSubMtl(index), old);
        EXPECT_EQ(parent->GetActiveTexmap(), oldShown);
        ExpectShown(oldShown, true);
        if (newShown != oldShown) ExpectShown(newShown, false);
        EXPECT_GT(watcher->notifications, notified);

        ASSERT_TRUE(HostCore::Get().Redo());
        expectNewShown();
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

    // Meanwhile one material is renamed and another deleted by the user.
    a->SetName(MSTR(_M("Renamed")));
    const int live = host.NumLiveObjects();
    b->DeleteThis();
    EXPECT_EQ(host.NumLiveObjects(), live);

    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, b, c}));
    EXPECT_EQ(Text(list.Items().front().fullName), L"A (Standard)");
    ASSERT_TRUE(host.Redo());
    EXPECT_TRUE(list.Empty());
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, b, c}));
    EXPECT_EQ(listener.counts, (std::vector<int>{0, 3, 0, 3}));

    // Listed again, the deleted material is kept by the list itself once the record is gone.
    theHold.ClearUndoStacks();
    EXPECT_EQ(host.NumLiveObjects(), live);
    list.Erase(b);
    EXPECT_EQ(host.NumLiveObjects(), live - 1);
    list.SetListener(nullptr);
}

}  // namespace
