#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// A target that writes down each message it is told, as "name<from" (":part" when not PART_ALL), and
// acts once when first told.
class Teller : public BoxTarget {
public:
    Teller(const char* name, std::vector<std::string>& log) : name_(name), log_(log) {}
    std::function<RefResult(PartID&)> onTold;

protected:
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle from, PartID& part, RefMessage,
                               BOOL) override {
        auto* teller = dynamic_cast<Teller*>(from);
        log_.push_back(name_ + "<" + (teller ? teller->name_ : "?") +
                       (part == PART_ALL ? "" : ":" + std::to_string(part)));
        auto act = std::move(onTold);
        onTold = nullptr;
        return act ? act(part) : REF_SUCCEED;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

// The walk is depth first over what each target's dependents were when the walk reached it; a dependent
// may notify, refer and let go while it is told.
TEST_F(ReferenceTest, NotificationWalkOrderAndChangesDuringIt) {
    struct Scene {
        Teller *leaf, *a, *b, *top, *x, *y;
    };
    const struct {
        const char* name;
        void (*act)(Scene& s);
        std::vector<std::string> told;
    } cases[] = {
        {"depth first", [](Scene&) {}, {"a<leaf", "top<a", "b<leaf"}},
        {"a notifies another target",
         [](Scene& s) {
             s.a->onTold = [&s](PartID&) { return s.x->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE); };
         },
         {"a<leaf", "y<x", "top<a", "b<leaf"}},
        {"b notifies the same target again",
         [](Scene& s) {
             s.b->onTold = [&s](PartID&) {
                 return s.leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
             };
         },
         {"a<leaf", "top<a", "b<leaf", "a<leaf", "top<a", "b<leaf"}},
        {"a makes b let go: b is still told",
         [](Scene& s) { s.a->onTold = [&s](PartID&) { return s.b->ReplaceReference(0, nullptr); }; },
         {"a<leaf", "top<a", "b<leaf"}},
        {"a adds a dependent of leaf: not told now",
         [](Scene& s) { s.a->onTold = [&s](PartID&) { return s.y->ReplaceReference(1, s.leaf); }; },
         {"a<leaf", "top<a", "b<leaf"}},
        {"a adds a dependent of its own: told",
         [](Scene& s) { s.a->onTold = [&s](PartID&) { return s.y->ReplaceReference(1, s.a); }; },
         {"a<leaf", "top<a", "y<a", "b<leaf"}},
        {"a stops", [](Scene& s) { s.a->onTold = [](PartID&) { return REF_STOP; }; }, {"a<leaf", "b<leaf"}},
        {"a narrows the part",
         [](Scene& s) {
             s.a->onTold = [](PartID& part) {
                 part = 8;
                 return REF_SUCCEED;
             };
         },
         {"a<leaf", "top<a:8", "b<leaf"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> told;
        Scene s{new Teller("leaf", told), new Teller("a", told), new Teller("b", told),
                new Teller("top", told),  new Teller("x", told), new Teller("y", told)};
        s.a->ReplaceReference(0, s.leaf);
        s.b->ReplaceReference(0, s.leaf);
        s.top->ReplaceReference(0, s.a);
        s.y->ReplaceReference(0, s.x);
        c.act(s);
        s.leaf->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
        EXPECT_EQ(told, c.told) << c.name;
        HostCore::Get().ResetScene();  // while the log is alive
    }
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
