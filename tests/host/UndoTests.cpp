#include <gtest/gtest.h>

#include "HostTestObjects.h"

namespace {
const ParamBlockDesc2 kBlock(0, _M("undo"),
                             {ParamDef::Float(0, _M("f"), 1.5f), ParamDef::Str(1, _M("s"), _M("start")),
                              ParamDef::Ref(2, _M("m"), TYPE_MTL),
                              ParamDef::Table(3, _M("maps"), TYPE_TEXMAP_TAB, 2)});

// A record that notes what the hold says while it is replayed.
class ProbeRestore : public RestoreObj {
public:
    explicit ProbeRestore(std::vector<std::string>* log) : log_(log) {}
    void Restore(int isUndo) override {
        int undo = 0;
        int restoring = theHold.Restoring(undo);
        log_->push_back("restore " + std::to_string(isUndo) + " " + std::to_string(restoring) +
                        std::to_string(undo) + std::to_string(theHold.RestoreOrRedoing()) +
                        std::to_string(theHold.Holding()));
    }
    void Redo() override {
        log_->push_back("redo " + std::to_string(theHold.Redoing()) +
                        std::to_string(theHold.RestoreOrRedoing()));
    }

private:
    std::vector<std::string>* log_;
};
}  // namespace

using UndoTest = HostTest;

TEST_F(UndoTest, UndoAndRedoReplayReferenceChangesAndDependents) {
    auto* node = HostCore::Get().CreateNode(_M("box"));
    auto* oldMtl = new BoxMtl;
    auto* newMtl = new BoxMtl;
    node->SetMtl(oldMtl);

    theHold.Begin();
    node->SetMtl(newMtl);
    theHold.Accept(MSTR(_M("swap")).dataForWrite());
    ASSERT_EQ(theHold.NumUndoEntries(), 1);
    EXPECT_EQ(theHold.UndoName(0), MSTR(_M("swap")));

    ASSERT_TRUE(HostCore::Get().Undo());
    EXPECT_EQ(node->GetMtl(), oldMtl);
    EXPECT_EQ(Dependents(oldMtl), std::vector<ReferenceMaker*>{node});
    EXPECT_TRUE(Dependents(newMtl).empty());
    EXPECT_EQ(theHold.RedoName(0), MSTR(_M("swap")));

    ASSERT_TRUE(HostCore::Get().Redo());
    EXPECT_EQ(node->GetMtl(), newMtl);
    EXPECT_TRUE(Dependents(oldMtl).empty());
    EXPECT_EQ(theHold.NumRedoEntries(), 0);
}

TEST_F(UndoTest, NothingIsRecordedOutsideATransactionOrWhileSuspended) {
    auto* node = HostCore::Get().CreateNode(_M("box"));
    node->SetMtl(new BoxMtl);
    theHold.Begin();
    {
        SuspendAll suspend(TRUE);
        EXPECT_FALSE(theHold.Holding());
        node->SetMtl(new BoxMtl);
    }
    EXPECT_TRUE(theHold.Holding());
    EXPECT_EQ(theHold.NumRecordsOpen(), 0);
    theHold.Accept(MSTR(_M("empty")).dataForWrite());
    EXPECT_EQ(theHold.NumUndoEntries(), 0);  // an empty transaction leaves no undo step
}

TEST_F(UndoTest, CancelRestoresWhatTheTransactionDid) {
    auto* box = new BoxTarget(2, &kBlock);
    auto* mtl = new BoxMtl;
    const int live = HostCore::Get().NumLiveObjects();
    theHold.Begin();
    box->Block()->SetValue(0, 0, 7.0f);
    box->Block()->SetValue(2, 0, static_cast<Mtl*>(mtl));
    theHold.Cancel();
    EXPECT_FLOAT_EQ(box->Block()->GetFloat(0), 1.5f);
    EXPECT_EQ(box->Block()->GetMtl(2), nullptr);
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live - 1);  // the material went with its only reference
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
}

TEST_F(UndoTest, InnerTransactionsBelongToTheOuterOne) {
    auto* box = new BoxTarget(2, &kBlock);
    theHold.Begin();
    box->Block()->SetValue(0, 0, 2.0f);
    theHold.Begin();
    box->Block()->SetValue(1, 0, _M("inner"));
    theHold.Accept(MSTR(_M("inner")).dataForWrite());
    theHold.Accept(MSTR(_M("outer")).dataForWrite());
    ASSERT_EQ(theHold.NumUndoEntries(), 1);
    HostCore::Get().Undo();
    EXPECT_FLOAT_EQ(box->Block()->GetFloat(0), 1.5f);
    EXPECT_EQ(MSTR(box->Block()->GetStr(1)), MSTR(_M("start")));
}

TEST_F(UndoTest, RecordsSeeTheHoldReplaying) {
    std::vector<std::string> log;
    theHold.Begin();
    theHold.Put(new ProbeRestore(&log));
    theHold.Accept(MSTR(_M("probe")).dataForWrite());
    HostCore::Get().Undo();
    HostCore::Get().Redo();
    EXPECT_EQ(log, (std::vector<std::string>{"restore 1 1110", "redo 11"}));
}

TEST_F(UndoTest, PutOutsideATransactionDropsTheRecord) {
    std::vector<std::string> log;
    theHold.Put(new ProbeRestore(&log));  // freed at once; nothing to undo
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
    EXPECT_FALSE(HostCore::Get().Undo());
}

// A target deleted by a recorded change lives on, deleted, while a record can bring it back; undo and
// redo bring it back whole and delete it again; it goes with the last record that points at it.
TEST_F(UndoTest, ADeletedTargetLivesAsLongAsUndoCanBringItBack) {
    HostCore& host = HostCore::Get();
    INode* node = host.CreateNode(_M("box"));
    auto* oldMtl = new BoxMtl;
    auto* map = new BoxMap;
    oldMtl->ReplaceReference(0, map);
    node->SetMtl(oldMtl);
    const int live = host.NumLiveObjects();

    theHold.Begin();
    node->SetMtl(new BoxMtl);
    theHold.Accept(MSTR(_M("swap")).dataForWrite());
    EXPECT_EQ(host.NumLiveObjects(), live + 1);
    EXPECT_TRUE(oldMtl->TestAFlag(A_IS_DELETED));
    EXPECT_EQ(oldMtl->GetReference(0), nullptr);
    Mtl* newMtl = node->GetMtl();

    host.Undo();
    EXPECT_EQ(node->GetMtl(), oldMtl);
    EXPECT_FALSE(oldMtl->TestAFlag(A_IS_DELETED));
    EXPECT_EQ(oldMtl->GetReference(0), map);
    EXPECT_TRUE(newMtl->TestAFlag(A_IS_DELETED));
    host.Redo();
    EXPECT_EQ(node->GetMtl(), newMtl);
    EXPECT_TRUE(oldMtl->TestAFlag(A_IS_DELETED));
    theHold.ClearUndoStacks();
    EXPECT_EQ(host.NumLiveObjects(), live - 1);

    // A new transaction drops the redo records, and what only they kept.
    theHold.Begin();
    node->SetMtl(new BoxMtl);
    theHold.Accept(MSTR(_M("swap")).dataForWrite());
    host.Undo();
    EXPECT_EQ(host.NumLiveObjects(), live);
    theHold.Begin();
    node->SetMtl(nullptr);
    theHold.Accept(MSTR(_M("clear")).dataForWrite());
    EXPECT_EQ(host.NumLiveObjects(), live - 1);
    theHold.ClearUndoStacks();
    EXPECT_EQ(host.NumLiveObjects(), live - 2);
}

TEST_F(UndoTest, TableResizeAndItsReferencesComeBackTogether) {
    auto* box = new BoxTarget(2, &kBlock);
    IParamBlock2* pb = box->Block();
    auto* map0 = new BoxMap;
    auto* map1 = new BoxMap;
    pb->SetValue(3, 0, static_cast<Texmap*>(map0), 0);
    pb->SetValue(3, 0, static_cast<Texmap*>(map1), 1);
    theHold.Begin();
    pb->SetCount(3, 1);
    pb->SetValue(0, 0, 3.0f);
    theHold.Accept(MSTR(_M("shrink")).dataForWrite());
    EXPECT_EQ(pb->Count(3), 1);
    EXPECT_EQ(map1->NumDependents(), 0);

    HostCore::Get().Undo();
    EXPECT_EQ(pb->Count(3), 2);
    EXPECT_EQ(pb->GetTexmap(3, 0, 1), map1);
    EXPECT_EQ(Dependents(map1), std::vector<ReferenceMaker*>{pb});
    EXPECT_FLOAT_EQ(pb->GetFloat(0), 1.5f);

    HostCore::Get().Redo();
    EXPECT_EQ(pb->Count(3), 1);
    EXPECT_EQ(pb->GetTexmap(3, 0, 0), map0);
    EXPECT_EQ(map1->NumDependents(), 0);
}

TEST_F(UndoTest, KeyChangesAreUndone) {
    auto* ctrl = new LinearFloatController;
    ILinFloatKey key;
    key.time = 0;
    key.val = 1.0f;
    ctrl->AppendKey(&key);
    theHold.Begin();
    key.val = 5.0f;
    ctrl->SetKey(0, &key);
    key.time = 160;
    key.val = 7.0f;
    ctrl->AppendKey(&key);
    theHold.Accept(MSTR(_M("key")).dataForWrite());
    HostCore::Get().Undo();
    ASSERT_EQ(ctrl->GetNumKeys(), 1);
    ctrl->GetKey(0, &key);
    EXPECT_FLOAT_EQ(key.val, 1.0f);
    HostCore::Get().Redo();
    ASSERT_EQ(ctrl->GetNumKeys(), 2);
    EXPECT_FLOAT_EQ(ctrl->Evaluate(0), 5.0f);
    EXPECT_FLOAT_EQ(ctrl->Evaluate(160), 7.0f);
}
