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
}

TEST_F(ReferenceTest, DeleteThisFreesAnUnreferencedObjectAtOnce) {
    auto* owner = new BoxTarget;
    auto* child = new BoxTarget;
    owner->ReplaceReference(0, child);
    int live = HostCore::Get().NumLiveObjects();
    owner->DeleteThis();  // drops its reference to child, then goes
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live - 1);
    EXPECT_EQ(child->NumDependents(), 0);
}

TEST_F(ReferenceTest, DeleteThisKeepsAReferencedObjectAliveUntilItIsReleased) {
    auto* used = new BoxTarget;
    auto* user = new BoxTarget;
    user->ReplaceReference(0, used);
    int live = HostCore::Get().NumLiveObjects();
    used->DeleteThis();
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live);
    EXPECT_TRUE(used->TestAFlag(A_IS_DELETED));
    EXPECT_EQ(user->GetReference(0), used);
    user->ReplaceReference(0, nullptr);  // the last reference goes, and so does the object
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live - 1);
}

TEST_F(ReferenceTest, ResetTellsOutsideHoldersTheirTargetIsGone) {
    Holder holder;
    holder.ReplaceReference(0, new BoxMtl);
    HostCore::Get().ResetScene();
    EXPECT_EQ(holder.GetReference(0), nullptr);
    EXPECT_EQ(holder.deletedMessages, 1);
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), 0);
}

TEST_F(ReferenceTest, AHolderThatGoesFirstLeavesNoDependentBehind) {
    auto* mtl = new BoxMtl;
    {
        Holder holder;
        holder.ReplaceReference(0, mtl);
        EXPECT_EQ(mtl->NumDependents(), 1);
    }
    EXPECT_EQ(mtl->NumDependents(), 0);
}
