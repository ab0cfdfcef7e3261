// The answers the Add and Delete callbacks give the selection dialog: what is offered, what is shown under
// each display filter, what OK does to the conversion list and what is remembered for the next opening.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MtlConvTestScene.h"
#include "PickCallbacks.h"
#include "StringTable.h"
#include "resource.h"
#include "stdmat/StandardVariantMtl.h"

namespace {

enum Kind { kBase, kAdd, kDelete };

std::unique_ptr<MtlConvertSelMtlDlgCB> MakeCallback(Kind kind) {
    switch (kind) {
        case kAdd:
            return std::make_unique<MtlConvertAddMtlDlgCB>(StringTableText);
        case kDelete:
            return std::make_unique<MtlConvertDelMtlDlgCB>(StringTableText);
        default:
            return std::make_unique<MtlConvertSelMtlDlgCB>(StringTableText);
    }
}

// The scene every case starts from:
//   node "Scene" (Standard, listed); node "Multi" (Multi/Sub-Object) with sub "Sub" (Standard);
//   node "T2" (Tavelin 2, listed) with sub "Inner" (Standard, listed); node "T3" (Tavelin 3);
//   editor slot 0 "Variant" (Standard variant); "Gone" (Standard, listed, used nowhere).
class PickCallbackTest : public MtlConvTest {
protected:
    void SetUp() override {
        MtlConvTest::SetUp();
        scene = InScene(NewStandard(_M("Scene")));
        sub = NewStandard(_M("Sub"));
        multi = NewMulti(_M("Multi"), 1);
        multi->SetSubMtl(0, sub);
        InScene(multi);
        inner = NewStandard(_M("Inner"));
        tvl2 = NewTvl2(_M("T2"));
        tvl2->SetSubMtl(0, inner);
        InScene(tvl2);
        tvl3 = InScene(NewTvl3(_M("T3")));
        variant = Make<StandardVariantMtl>(_M("Variant"));
        SetSlot(0, variant);
        gone = NewStandard(_M("Gone"));
        AddAll(list, {scene, tvl2, inner, gone});
    }
    void TearDown() override {
        dialog.reset();
        callback.reset();
        list.Clear();
        MtlConvertSelMtlDlgCB::ForgetWindowRect();
        MtlConvTest::TearDown();
    }

    // A dialog gathered as the flows gather it, over a callback of this kind.
    void Open(Kind kind) {
        callback = MakeCallback(kind);
        dialog = std::make_unique<SelectMaterialDialog>(callback.get(), GetCOREInterface());
        callback->SetDialog(dialog.get());
        callback->SetList(&list);
        dialog->AddSceneMaterials(GetCOREInterface()->GetRootNode());
        dialog->AddEditorMaterials();
        callback->AddOwnItems();
        dialog->ClearVisibilityCursor();
        dialog->TakeInitialSettings();
    }

    // The names the list box shows, flat and by name, under a display filter.
    std::string Shown(bool sceneOn, bool editorOn) {
        dialog->SetDisplayFilter(0, sceneOn);
        dialog->SetDisplayFilter(1, editorOn);
        dialog->UpdateVisibility();
        dialog->Sort();
        std::string out;
        for (const auto& row : dialog->FillRows())
            out += (out.empty() ? "" : " ") + row.list->GetMaterial()->GetName().ToUTF8();
        return out;
    }

    Mtl *scene, *sub, *inner, *tvl3;
    MultiSubMtl* multi;
    Tvl2Material* tvl2;
    StandardVariantMtl* variant;
    StandardMtl* gone;
    MtlConvList list;
    std::unique_ptr<MtlConvertSelMtlDlgCB> callback;
    std::unique_ptr<SelectMaterialDialog> dialog;
};

// Only the convertible classes are offered; Add offers what is not listed, Delete what is.
TEST_F(PickCallbackTest, CheckMaterialOffersConvertibleClassesByListMembership) {
    const struct {
        MtlBase* m;
        int base, add, del;
    } rows[] = {
        {scene, SELMTL_ELIGIBLE, SELMTL_CARRIER, SELMTL_ELIGIBLE},    // Standard, listed
        {sub, SELMTL_ELIGIBLE, SELMTL_ELIGIBLE, SELMTL_CARRIER},      // Standard, not listed
        {variant, SELMTL_ELIGIBLE, SELMTL_ELIGIBLE, SELMTL_CARRIER},  // Standard variant
        {tvl2, SELMTL_ELIGIBLE, SELMTL_CARRIER, SELMTL_ELIGIBLE},     // Tavelin 2, listed
        {tvl3, SELMTL_CARRIER, SELMTL_CARRIER, SELMTL_CARRIER},       // already converted
        {multi, SELMTL_CARRIER, SELMTL_CARRIER, SELMTL_CARRIER},      // other classes carry only
    };
    for (Kind kind : {kBase, kAdd, kDelete}) {
        callback = MakeCallback(kind);
        callback->SetList(&list);
        for (const auto& row : rows) {
            MtlBase* m = row.m;
            const int expected = kind == kBase ? row.base : kind == kAdd ? row.add : row.del;
            SCOPED_TRACE(m->GetName().ToUTF8() + " kind " + std::to_string(kind));
            EXPECT_EQ(callback->CheckMaterial(m), expected);
            EXPECT_EQ(callback->CheckEditorMaterial(m, 3), expected);
            if (auto* mtl = dynamic_cast<Mtl*>(m)) {
                EXPECT_EQ(callback->CheckSceneMaterial(nullptr, mtl), expected);
                EXPECT_EQ(callback->CheckSubMaterial(multi, mtl, 0), expected);
                // Nothing below a Tavelin material is looked at.
                EXPECT_EQ(callback->CheckSubMaterial(tvl2, mtl, 0), SELMTL_LEAVE_OUT);
                EXPECT_EQ(callback->CheckSubMaterial(tvl3, mtl, 0), SELMTL_LEAVE_OUT);
            }
        }
    }
}

// Filter 0 shows what is used in the scene, filter 1 what is in the editor; with both off Add shows
// nothing and Delete the listed materials used nowhere.
TEST_F(PickCallbackTest, VisibleMaterialsFollowTheDisplayFilters) {
    const struct {
        Kind kind;
        bool scene, editor;
        const char* shown;
    } rows[] = {
        {kAdd, true, false, "Sub"},         {kAdd, false, true, "Variant"},
        {kAdd, true, true, "Sub Variant"},  {kAdd, false, false, ""},
        {kDelete, true, false, "Scene T2"}, {kDelete, false, true, ""},
        {kDelete, true, true, "Scene T2"},  {kDelete, false, false, "Gone Inner"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("kind " + std::to_string(row.kind) + " filter " + std::to_string(row.scene) +
                     std::to_string(row.editor));
        Open(row.kind);
        EXPECT_EQ(Shown(row.scene, row.editor), row.shown);
    }
}

TEST_F(PickCallbackTest, TitlesLabelsAndFirstSettings) {
    const struct {
        Kind kind;
        const wchar_t* title;
    } rows[] = {
        {kBase, L"Select some material"}, {kAdd, L"マテリアルの追加"}, {kDelete, L"マテリアルの削除"}};
    for (const auto& row : rows) {
        callback = MakeCallback(row.kind);
        EXPECT_EQ(Text(callback->GetTitle()), row.title);
        EXPECT_EQ(Text(callback->GetOKText()), L"OK");
        EXPECT_EQ(callback->GetDisplayFilterCount(), 2);
        EXPECT_EQ(Text(callback->GetDisplayFilterLabel(0)), L"シーン");
        EXPECT_EQ(Text(callback->GetDisplayFilterLabel(1)), L"マテリアル エディタ");
        EXPECT_EQ(Text(callback->GetDisplayFilterLabel(2)), L"");
        // Flat, by name, only "シーン" checked, centred.
        EXPECT_EQ(callback->GetInitialFlatMode(), 1);
        EXPECT_EQ(callback->GetInitialSortMode(), 0);
        EXPECT_EQ(FlagValue(callback->GetInitialDisplayFilter()), 1u);
        EXPECT_EQ(callback->GetInitialWindowRect(), nullptr);
    }
}

// The rows run in turn on one list. A material no entry holds changes nothing.
TEST_F(PickCallbackTest, OkAppendsOrErasesTheChosenMaterialsInOrder) {
    const struct {
        Kind kind;
        std::vector<MtlBase*> chosen;
        std::vector<MtlBase*> listed;
    } rows[] = {
        {kAdd, {variant, sub}, {scene, tvl2, inner, gone, variant, sub}},
        {kAdd, {}, {scene, tvl2, inner, gone, variant, sub}},
        {kDelete, {gone, scene, multi, sub}, {tvl2, inner, variant}},
    };
    for (const auto& row : rows) {
        Open(row.kind);
        Tab<MtlBase*> chosen;
        for (MtlBase* m : row.chosen) chosen.Append(1, &m);
        callback->OnOK(chosen);
        EXPECT_EQ(Listed(list), row.listed);
    }
    EXPECT_EQ(Text(list.Items().back().fullName), Text(variant->GetFullName()));
}

// Each callback keeps its own settings; the window rectangle is one for both.
TEST_F(PickCallbackTest, ClosingRemembersSettingsPerCallbackAndOneRectangle) {
    Open(kAdd);
    dialog->SetFlatList(0);
    dialog->SetSortMode(1);
    dialog->SetDisplayFilter(1, true);
    callback->OnDialogDestroy(0, 0);
    EXPECT_EQ(callback->GetInitialFlatMode(), 0);
    EXPECT_EQ(callback->GetInitialSortMode(), 1);
    EXPECT_EQ(FlagValue(callback->GetInitialDisplayFilter()), 3u);

    const RECT rect = {10, 20, 410, 520};
    MtlConvertSelMtlDlgCB::RememberWindowRect(rect);
    MtlConvertDelMtlDlgCB other(StringTableText);
    EXPECT_EQ(other.GetInitialFlatMode(), 1);
    ASSERT_NE(other.GetInitialWindowRect(), nullptr);
    EXPECT_EQ(other.GetInitialWindowRect()->right, 410);
}

}  // namespace
