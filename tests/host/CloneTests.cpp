#include <gtest/gtest.h>

#include "HostTestObjects.h"

namespace {
const ParamBlockDesc2 kBlock(0, _M("clone"),
                             {ParamDef::Float(0, _M("f"), 1.0f), ParamDef::Ref(1, _M("node"), TYPE_INODE),
                              ParamDef::Ref(2, _M("map"), TYPE_TEXMAP)});
}

using CloneTest = HostTest;

TEST_F(CloneTest, CopyIsDeepAndKeepsSharingInside) {
    auto* shared = new BoxMap;
    auto* left = new BoxMap;
    auto* right = new BoxMap;
    left->ReplaceReference(0, shared);
    right->ReplaceReference(0, shared);
    auto* mtl = new BoxMtl(2, &kBlock);
    mtl->SetName(_M("Red"));
    mtl->ReplaceReference(0, left);
    mtl->ReplaceReference(1, right);

    auto* copy = dynamic_cast<BoxMtl*>(CloneRefHierarchy(mtl));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), MSTR(_M("Red")));
    auto* copyLeft = copy->GetReference(0);
    auto* copyRight = copy->GetReference(1);
    ASSERT_NE(copyLeft, nullptr);
    EXPECT_NE(copyLeft, left);
    EXPECT_NE(copyRight, right);
    ReferenceMaker* l = copyLeft;
    ReferenceMaker* r = copyRight;
    EXPECT_EQ(l->GetReference(0), r->GetReference(0));  // shared once, copied once
    EXPECT_NE(l->GetReference(0), shared);
    EXPECT_EQ(Dependents(shared), (std::vector<ReferenceMaker*>{left, right}));
}

// Far deeper than the call stack could nest (Wine gives the Windows build 1 MB): the copy is made all
// the same, with its sharing, and closing the chain into a loop is refused.
TEST_F(CloneTest, LongChainIsCopiedAndItsLoopRefused) {
    const int n = 200000;
    auto* shared = new BoxMap(0);
    std::vector<BoxMap*> chain;
    for (int k = 0; k < n; ++k) chain.push_back(new BoxMap(2));
    for (int k = n - 1; k >= 0; --k) {
        if (k + 1 < n) chain[static_cast<size_t>(k)]->ReplaceReference(0, chain[static_cast<size_t>(k) + 1]);
        chain[static_cast<size_t>(k)]->ReplaceReference(1, shared);
    }
    EXPECT_EQ(chain.back()->ReplaceReference(0, chain.front()), REF_FAIL);

    ReferenceTarget* copy = CloneRefHierarchy(chain.front());
    std::vector<ReferenceMaker*> copies;
    for (ReferenceTarget* t = copy; t; t = t->GetReference(0)) copies.push_back(t);
    ASSERT_EQ(copies.size(), static_cast<size_t>(n));
    ReferenceTarget* sharedCopy = copy->GetReference(1);
    EXPECT_NE(sharedCopy, shared);
    EXPECT_EQ(Dependents(sharedCopy), std::vector<ReferenceMaker*>(copies.rbegin(), copies.rend()));
}

TEST_F(CloneTest, CopyIsIndependentButSharesNodes) {
    INode* node = HostCore::Get().CreateNode(_M("n"));
    auto* mtl = new BoxMtl(0, &kBlock);
    auto* map = new BoxMap;
    auto* ctrl = new LinearFloatController;
    ILinFloatKey key;
    key.time = 0;
    key.val = 1.0f;
    ctrl->AppendKey(&key);
    mtl->Block()->SetValue(1, 0, node);
    mtl->Block()->SetValue(2, 0, static_cast<Texmap*>(map));
    mtl->Block()->SetControllerByID(0, 0, ctrl);

    auto* copy = dynamic_cast<BoxMtl*>(CloneRefHierarchy(mtl));
    ASSERT_NE(copy, nullptr);
    IParamBlock2* pb = copy->Block();
    ASSERT_NE(pb, mtl->Block());
    EXPECT_EQ(pb->GetINode(1), node);
    EXPECT_NE(pb->GetTexmap(2), map);
    Control* copied = pb->GetControllerByID(0);
    ASSERT_NE(copied, nullptr);
    ASSERT_NE(copied, ctrl);

    key.val = 9.0f;
    GetKeyControlInterface(copied)->SetKey(0, &key);
    EXPECT_FLOAT_EQ(pb->GetFloat(0), 9.0f);
    EXPECT_FLOAT_EQ(mtl->Block()->GetFloat(0), 1.0f);
}

TEST_F(CloneTest, RemapDirPatchesPointersOnceTheirCopyExists) {
    auto* a = new BoxMap;
    RemapDir remap;
    RefTargetHandle patched = a;
    remap.PatchPointer(&patched, a);
    EXPECT_EQ(patched, a);
    RefTargetHandle copy = remap.CloneRef(a);
    EXPECT_EQ(remap.CloneRef(a), copy);
    remap.Backpatch();
    EXPECT_EQ(patched, copy);
    EXPECT_EQ(remap.CloneRef(nullptr), nullptr);
}
