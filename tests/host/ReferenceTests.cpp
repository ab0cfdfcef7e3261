#include <gtest/gtest.h>

#include "HostTestObjects.h"

using ReferenceTest = HostTest;

TEST_F(ReferenceTest, DependentsFollowReplacementsInTheOrderReferencesWereMade) {
    auto* target = new BoxTarget;
    auto* a = new BoxTarget;
    auto* b = new BoxTarget;
    auto* other = new BoxTarget;
    ASSERT_EQ(b->ReplaceReference(0, target), REF_SUCCEED);
    ASSERT_EQ(a->ReplaceReference(0, target), REF_SUCCEED);
    ASSERT_EQ(a->ReplaceReference(1, target), REF_SUCCEED);  // a second reference from the same maker
    EXPECT_EQ(Dependents(target), (std::vector<ReferenceMaker*>{b, a}));
    EXPECT_EQ(target->NumDependents(), 2);

    a->ReplaceReference(0, other);  // a still refers to target through reference 1
    EXPECT_EQ(Dependents(target), (std::vector<ReferenceMaker*>{b, a}));
    a->ReplaceReference(1, nullptr);
    EXPECT_EQ(Dependents(target), (std::vector<ReferenceMaker*>{b}));
    EXPECT_EQ(Dependents(other), (std::vector<ReferenceMaker*>{a}));
    EXPECT_EQ(a->GetReference(0), other);
}

TEST_F(ReferenceTest, LoopsAndBadIndicesAreRefused) {
    auto* a = new BoxTarget;
    auto* b = new BoxTarget;
    auto* c = new BoxTarget;
    ASSERT_EQ(a->ReplaceReference(0, b), REF_SUCCEED);
    ASSERT_EQ(b->ReplaceReference(0, c), REF_SUCCEED);
    struct Case {
        ReferenceMaker* maker;
        int which;
        ReferenceTarget* target;
    } refused[] = {{a, 1, a}, {b, 1, a}, {c, 0, a}, {c, 1, b}, {a, 2, c}, {a, -1, c}};
    for (const Case& k : refused) {
        RefTargetHandle before = k.maker->GetReference(k.which);
        EXPECT_EQ(k.maker->ReplaceReference(k.which, k.target), REF_FAIL);
        EXPECT_EQ(k.maker->GetReference(k.which), before);
    }
    EXPECT_EQ(c->NumDependents(), 1);
    EXPECT_EQ(a->ReplaceReference(1, c), REF_SUCCEED);  // sharing is no loop
}

TEST_F(ReferenceTest, ManyDependentsKeepTheirOrderThroughRemovals) {
    auto* shared = new BoxMap;
    std::vector<BoxTarget*> makers;
    for (int i = 0; i < 100; ++i) {
        makers.push_back(new BoxTarget);
        makers.back()->ReplaceReference(0, shared);
    }
    for (int i = 0; i < 100; i += 2) makers[static_cast<size_t>(i)]->ReplaceReference(0, nullptr);
    std::vector<ReferenceMaker*> expected;
    for (int i = 1; i < 100; i += 2) expected.push_back(makers[static_cast<size_t>(i)]);
    EXPECT_EQ(Dependents(shared), expected);
    makers[0]->ReplaceReference(1, shared);  // comes back, at the end
    expected.push_back(makers[0]);
    EXPECT_EQ(Dependents(shared), expected);
}

TEST_F(ReferenceTest, IteratorWalksASnapshot) {
    auto* target = new BoxTarget;
    auto* a = new BoxTarget;
    auto* b = new BoxTarget;
    a->ReplaceReference(0, target);
    b->ReplaceReference(0, target);
    DependentIterator it(target);
    EXPECT_EQ(it.Next(), a);
    a->ReplaceReference(0, nullptr);  // changes while walking do not disturb the walk
    b->ReplaceReference(0, nullptr);
    EXPECT_EQ(it.Next(), b);
    EXPECT_EQ(it.Next(), nullptr);
    it.Reset();
    EXPECT_EQ(it.Next(), a);
}

TEST_F(ReferenceTest, NotificationsReachDependentsAndPropagate) {
    auto* leaf = new BoxTarget;
    auto* mid = new BoxTarget;
    auto* top = new BoxTarget;
    mid->ReplaceReference(0, leaf);
    top->ReplaceReference(0, mid);
    leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(mid->notifications, 1);
    EXPECT_EQ(top->notifications, 1);
    leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, FALSE);
    EXPECT_EQ(mid->notifications, 2);
    EXPECT_EQ(top->notifications, 1);
    leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, MATERIAL_CLASS_ID);
    EXPECT_EQ(mid->notifications, 2);  // filtered by super class

    // A chain far longer than the call stack would carry is told to its far end.
    BoxTarget* end = top;
    for (int i = 0; i < 200000; ++i) {
        auto* next = new BoxTarget(1);
        next->ReplaceReference(0, end);
        end = next;
    }
    leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(end->notifications, 1);
}

// A target goes with its last reference, and takes along what only it referred to.
TEST_F(ReferenceTest, DroppingTheLastReferenceDeletesTheTarget) {
    const struct {
        const char* name;
        bool node;   // the target is a scene node, which belongs to the scene
        bool twice;  // the owner refers to it through a second reference too
        void (*drop)(BoxTarget* owner);
        int change;  // in live objects: the target and its child go together
    } cases[] = {
        {"DeleteReference", false, false, [](BoxTarget* o) { o->DeleteReference(0); }, -2},
        {"ReplaceReference", false, false, [](BoxTarget* o) { o->ReplaceReference(0, new BoxTarget); }, -1},
        {"ReplaceReference without delOld", false, false,
         [](BoxTarget* o) { o->ReplaceReference(0, nullptr, FALSE); }, 0},
        {"DeleteAllRefs", false, false, [](BoxTarget* o) { o->DeleteAllRefs(); }, -2},
        {"another reference stays", false, true, [](BoxTarget* o) { o->DeleteReference(0); }, 0},
        {"scene node", true, false, [](BoxTarget* o) { o->DeleteReference(0); }, 0},
    };
    for (const auto& c : cases) {
        HostCore::Get().ResetScene();
        auto* owner = new BoxTarget;
        ReferenceTarget* target = nullptr;
        auto* child = new BoxMtl;
        if (c.node) {
            INode* n = HostCore::Get().CreateNode(_M("n"));
            n->SetMtl(child);
            target = n;
        } else {
            target = new BoxTarget;
            target->ReplaceReference(0, child);
        }
        owner->ReplaceReference(0, target);
        if (c.twice) owner->ReplaceReference(1, target);
        const int live = HostCore::Get().NumLiveObjects();
        c.drop(owner);
        EXPECT_EQ(HostCore::Get().NumLiveObjects(), live + c.change) << c.name;
    }
}

// DeleteMe tells the dependents, clears their references to it, and lets go of its own; recorded, it
// is undone whole, and the object is freed with the last record.
TEST_F(ReferenceTest, DeleteMeTellsDependentsAndDropsReferencesFromAndTo) {
    HostCore& host = HostCore::Get();
    Holder holder;
    auto* target = new BoxTarget;
    auto* child = new BoxMtl;
    target->ReplaceReference(0, child);
    holder.ReplaceReference(0, target);
    const int live = host.NumLiveObjects();
    EXPECT_EQ(target->MaybeAutoDelete(), REF_FAIL);  // still referenced
    EXPECT_EQ(host.NumLiveObjects(), live);

    theHold.Begin();
    target->DeleteMe();
    theHold.Accept(MSTR(_M("delete")).dataForWrite());
    EXPECT_EQ(holder.deletedMessages, 1);
    EXPECT_EQ(holder.GetReference(0), nullptr);
    EXPECT_EQ(host.NumLiveObjects(), live);  // kept by the records
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(holder.GetReference(0), target);
    EXPECT_EQ(target->GetReference(0), child);
    EXPECT_FALSE(target->TestAFlag(A_IS_DELETED));
    ASSERT_TRUE(host.Redo());
    EXPECT_EQ(holder.GetReference(0), nullptr);
    theHold.ClearUndoStacks();
    EXPECT_EQ(host.NumLiveObjects(), live - 2);
}

TEST_F(ReferenceTest, ResetTellsOutsideHoldersTheirTargetIsGone) {
    Holder holder;
    holder.ReplaceReference(0, new BoxMtl);
    HostCore::Get().ResetScene();
    EXPECT_EQ(holder.GetReference(0), nullptr);
    EXPECT_EQ(holder.deletedMessages, 1);
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), 0);
}
