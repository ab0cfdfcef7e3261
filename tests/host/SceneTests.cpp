#include <gtest/gtest.h>

#include "HostTestObjects.h"

namespace {
// A class the host can make, registered under a product.
template <class T, ULONG A>
class TestDesc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new T; }
    const MCHAR* ClassName() override { return _M("Test"); }
    SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(A, 7); }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return A == 1 ? _M("TestOne") : _M("TestTwo"); }
};
TestDesc<BoxMtl, 1> descOne;
TestDesc<BoxMtl, 2> descTwo;

std::vector<int> notified;
void OnNotify(void* param, NotifyInfo* info) { notified.push_back(info->intcode * 10 + (param ? 1 : 0)); }
}  // namespace

class SceneTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        HostCore::Get().AddClass(&descOne, _M("Product A"));
        HostCore::Get().AddClass(&descTwo, _M("Product B"));
    }
    void TearDown() override {
        HostCore::Get().SetProductLoaded(_M("Product A"), true);
        HostCore::Get().SetProductLoaded(_M("Product B"), true);
        HostTest::TearDown();
    }
};

TEST_F(SceneTest, CreateInstanceAnswersNullForUnloadedOrUnknownClasses) {
    Interface* ip = GetCOREInterface();
    EXPECT_NE(ip->CreateInstance(MATERIAL_CLASS_ID, Class_ID(1, 7)), nullptr);
    EXPECT_EQ(ip->CreateInstance(TEXMAP_CLASS_ID, Class_ID(1, 7)), nullptr);  // super class differs
    EXPECT_EQ(ip->CreateInstance(MATERIAL_CLASS_ID, Class_ID(1, 8)), nullptr);
    HostCore::Get().SetProductLoaded(_M("Product A"), false);
    EXPECT_EQ(ip->CreateInstance(MATERIAL_CLASS_ID, Class_ID(1, 7)), nullptr);
    EXPECT_NE(ip->CreateInstance(MATERIAL_CLASS_ID, Class_ID(2, 7)), nullptr);
    HostCore::Get().SetClassLoaded(MATERIAL_CLASS_ID, Class_ID(2, 7), false);
    EXPECT_EQ(ip->CreateInstance(MATERIAL_CLASS_ID, Class_ID(2, 7)), nullptr);
    EXPECT_EQ(HostCore::Get().FindClassByName(_M("TestTwo")), &descTwo);  // still known, not loaded
}

TEST_F(SceneTest, EditorSlotsHoldMaterialsWithoutUndoRecords) {
    Interface7* ip = GetCOREInterface7();
    auto* mtl = new BoxMtl;
    theHold.Begin();
    ip->SetMtlSlot(3, mtl);
    ip->SetMtlSlot(24, mtl);  // no such slot
    EXPECT_EQ(theHold.NumRecordsOpen(), 0);
    theHold.Accept(MSTR(_M("slots")).dataForWrite());
    EXPECT_EQ(ip->GetMtlSlot(3), mtl);
    EXPECT_EQ(ip->GetMtlSlot(0), nullptr);
    EXPECT_EQ(ip->GetMtlSlot(24), nullptr);
    ASSERT_EQ(mtl->NumDependents(), 1);  // the editor refers to what it shows
    HostCore::Get().ResetScene();
    EXPECT_EQ(ip->GetMtlSlot(3), nullptr);
}

TEST_F(SceneTest, NodesFormATreeAndReferToTheirMaterial) {
    HostCore& host = HostCore::Get();
    INode* a = host.CreateNode(_M("a"));
    INode* b = host.CreateNode(_M("b"), a);
    INode* c = host.CreateNode(_M("c"));
    auto* mtl = new BoxMtl;
    b->SetMtl(mtl);
    EXPECT_EQ(b->GetMtl(), mtl);
    EXPECT_EQ(Dependents(mtl), std::vector<ReferenceMaker*>{b});
    std::vector<std::wstring> order;
    host.ForEachNode([&](INode* n) { order.push_back(n->GetName()); });
    EXPECT_EQ(order, (std::vector<std::wstring>{L"a", L"b", L"c"}));
    c->AttachChild(a);
    EXPECT_EQ(host.GetRootNode()->NumberOfChildren(), 1);
    EXPECT_EQ(a->GetParentNode(), c);
    a->AttachChild(c);  // would make a cycle
    EXPECT_EQ(c->GetParentNode(), host.GetRootNode());
}

// A node answers the material its reference holds, however the reference was set or cleared.
TEST_F(SceneTest, ANodesMaterialFollowsItsReference) {
    const struct {
        const char* name;
        void (*set)(INode* n, Mtl* mtl);
        bool answersMtl;
    } cases[] = {
        {"SetMtl", [](INode* n, Mtl* m) { n->SetMtl(m); }, true},
        {"ReplaceReference", [](INode* n, Mtl* m) { n->ReplaceReference(0, m); }, true},
        {"not a material", [](INode* n, Mtl*) { n->ReplaceReference(0, new BoxTarget); }, false},
        {"material deleted",
         [](INode* n, Mtl* m) {
             n->SetMtl(m);
             m->DeleteMe();
         },
         false},
        {"cleared",
         [](INode* n, Mtl* m) {
             n->SetMtl(m);
             n->SetMtl(nullptr);
         },
         false},
    };
    for (const auto& c : cases) {
        INode* node = HostCore::Get().CreateNode(_M("n"));
        auto* mtl = new BoxMtl;
        c.set(node, mtl);
        EXPECT_EQ(node->GetMtl(), c.answersMtl ? mtl : nullptr) << c.name;
    }
}

TEST_F(SceneTest, ResetCallsEveryRegistrationOfItsCode) {
    notified.clear();
    RegisterNotification(OnNotify, nullptr, NOTIFY_SYSTEM_PRE_RESET);
    RegisterNotification(OnNotify, nullptr,
                         NOTIFY_SYSTEM_PRE_RESET);  // a second registration is a second call
    RegisterNotification(OnNotify, &notified, NOTIFY_FILE_PRE_OPEN);
    HostCore::Get().ResetScene(NOTIFY_SYSTEM_PRE_RESET);
    HostCore::Get().ResetScene(NOTIFY_FILE_PRE_OPEN);
    HostCore::Get().ResetScene(NOTIFY_SYSTEM_PRE_NEW);
    EXPECT_EQ(notified, (std::vector<int>{50, 50, 91}));
    UnRegisterNotification(OnNotify, nullptr, NOTIFY_SYSTEM_PRE_RESET);  // removes one of the two
    notified.clear();
    HostCore::Get().ResetScene(NOTIFY_SYSTEM_PRE_RESET);
    EXPECT_EQ(notified, (std::vector<int>{50}));
    UnRegisterNotification(OnNotify, nullptr, NOTIFY_SYSTEM_PRE_RESET);
    UnRegisterNotification(OnNotify, &notified, NOTIFY_FILE_PRE_OPEN);
}

TEST_F(SceneTest, ActivatingAMapMarksItShownForItsMaterial) {
    auto* mtl = new BoxMtl;
    auto* map = new BoxMap;
    Interface* ip = GetCOREInterface();
    ip->ActivateTexture(map, mtl);
    EXPECT_TRUE(map->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
    ip->DeActivateTexture(map, mtl);
    EXPECT_FALSE(map->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
}

TEST_F(SceneTest, ProgressReachesItsSinkAndCancelIsReadBack) {
    struct Sink : ProgressSink {
        std::vector<int> seen;
        void OnUpdate(int pct, const MCHAR*) override {
            seen.push_back(pct);
            if (pct >= 50) GetCOREInterface()->SetCancel(TRUE);
        }
    } sink;
    HostCore& host = HostCore::Get();
    host.SetProgressSink(&sink);
    host.ProgressStart(MSTR(_M("work")).dataForWrite(), TRUE, nullptr, nullptr);
    EXPECT_FALSE(host.GetCancel());
    host.ProgressUpdate(33);
    EXPECT_FALSE(host.GetCancel());
    host.ProgressUpdate(66);
    EXPECT_TRUE(host.GetCancel());
    host.ProgressEnd();
    host.SetProgressSink(nullptr);
    EXPECT_EQ(sink.seen, (std::vector<int>{33, 66}));
}

TEST_F(SceneTest, MaterialNamesAndFullNames) {
    auto* mtl = new BoxMtl;
    mtl->SetName(_M("Red"));
    EXPECT_EQ(mtl->GetFullName(), MSTR(_M("Red (RefBox)")));
}
