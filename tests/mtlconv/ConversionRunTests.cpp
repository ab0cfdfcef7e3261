// The material run: which materials are in use, how each new material takes its source's place, and
// how the whole run undoes and redoes as one step.

#include <algorithm>
#include <string>

#include "ConversionRun.h"
#include "MtlConvTestScene.h"
#include "StringTable.h"
#include "resource.h"

namespace {

// The texts the plug-in gives the run: its undo step's name and its progress bar's title.
const MCHAR* const kStepName = StringTableText(IDS_CONVERT_UNDO);
const MCHAR* const kProgressTitle = StringTableText(IDS_MTL_CONVERTER);

// Reports what became of each entry, as the host tool's report does.
class OutcomeLog : public MtlRunObserver {
public:
    void OnEntry(const MtlConvData& entry, MtlRunOutcome outcome, Mtl* result) override {
        materials.push_back(entry.material);
        outcomes.push_back(outcome);
        results.push_back(result);
    }
    std::vector<MtlBase*> materials;
    std::vector<MtlRunOutcome> outcomes;
    std::vector<Mtl*> results;
};

// What the host's progress bar shows; the user may press its cancel button after some updates.
class ProgressLog : public ProgressSink {
public:
    explicit ProgressLog(size_t cancelAfterUpdates = 0) : cancelAfter_(cancelAfterUpdates) {}
    void OnStart(const MCHAR* title) override { titles.push_back(title ? title : L""); }
    void OnUpdate(int pct, const MCHAR*) override {
        percents.push_back(pct);
        if (cancelAfter_ != 0 && percents.size() == cancelAfter_) HostCore::Get().SetCancel(TRUE);
    }
    void OnEnd() override { ++ends; }

    std::vector<std::wstring> titles;
    std::vector<int> percents;
    int ends = 0;

private:
    size_t cancelAfter_;
};

// An object that keeps a material in its parameter block.
const ParamBlockDesc2 kHolderBlock(0, _M("holder"),
                                   {ParamDef::Float(0, _M("weight"), 1.0f),
                                    ParamDef::Ref(1, _M("mtl"), TYPE_MTL)});

// A material that reaches its one sub-material through a plain target, so that the target, not the
// material, is what refers to the sub-material.
class IndirectMtl : public BoxMtl {
public:
    IndirectMtl() : BoxMtl(1) { ReplaceReference(0, new BoxTarget(1)); }
    int NumSubMtls() override { return 1; }
    Mtl* GetSubMtl(int) override { return dynamic_cast<Mtl*>(Inner()->GetReference(0)); }
    void SetSubMtl(int, Mtl* m) override { Inner()->ReplaceReference(0, m); }

private:
    ReferenceMaker* Inner() { return static_cast<ReferenceMaker*>(GetReference(0)); }
};

bool IsTavelin3(MtlBase* m) { return m && m->ClassID() == TVL3_MATERIAL_CLASS_ID; }

class ConversionRunTest : public MtlConvTest {
protected:
    void Run(ConversionOptions options = kDefaultConversionOptions) {
        RunMtlConversion(list_, options, nullptr, kStepName, kProgressTitle, &log_);
    }

    MtlConvList list_;
    OutcomeLog log_;
};

using Outcomes = std::vector<MtlRunOutcome>;

// ---- materials in use ----

TEST_F(ConversionRunTest, MaterialsInUseAreNodeAndEditorMaterialsAndSubMaterialsOfOrdinaryParents) {
    Mtl* onRoot = NewStandard(_M("OnRoot"));
    GetCOREInterface()->GetRootNode()->SetMtl(onRoot);
    Mtl* onNode = NewStandard(_M("OnNode"));
    Mtl* onChild = NewStandard(_M("OnChild"));
    Mtl* onGrandChild = NewTvl2(_M("OnGrandChild"));
    INode* top = NewNode(_M("top"), onNode);
    NewNode(_M("grandchild"), onGrandChild, NewNode(_M("child"), onChild, top));

    MultiSubMtl* outer = NewMulti(_M("Outer"), 3);
    MultiSubMtl* inner = NewMulti(_M("Inner"), 1);
    Mtl* inOuter = NewStandard(_M("InOuter"));
    Mtl* inInner = NewStandard(_M("InInner"));
    outer->SetSubMtl(0, inOuter);
    outer->SetSubMtl(2, inner);
    inner->SetSubMtl(0, inInner);
    NewNode(_M("multi"), outer);

    Mtl* inEditor = NewStandard(_M("InEditor"));
    BitmapTex* mapInEditor = NewBitmap(_M("Map"));
    Tvl2Material* tvl2 = NewTvl2(_M("T2"));
    Tvl3Material* tvl3 = NewTvl3(_M("T3"));
    Mtl* belowTvl2 = NewStandard(_M("BelowT2"));
    Mtl* belowTvl3 = NewStandard(_M("BelowT3"));
    tvl2->SetSubMtl(0, belowTvl2);
    tvl3->SetSubMtl(0, belowTvl3);
    MultiSubMtl* editorMulti = NewMulti(_M("EditorMulti"), 1);
    Tvl2Material* tvl2InMulti = NewTvl2(_M("T2InMulti"));
    Mtl* belowNestedTvl2 = NewStandard(_M("BelowNestedT2"));
    editorMulti->SetSubMtl(0, tvl2InMulti);
    tvl2InMulti->SetSubMtl(0, belowNestedTvl2);
    SetSlot(0, inEditor);
    SetSlot(1, mapInEditor);
    SetSlot(2, tvl2);
    SetSlot(3, tvl3);
    SetSlot(4, editorMulti);
    Mtl* unused = NewStandard(_M("Unused"));

    MtlBaseLib inUse;
    CollectMaterialsInUse(inUse);
    const struct {
        MtlBase* material;
        bool inUse;
    } expected[] = {
        {onRoot, true},       {onNode, true},     {onChild, true},
        {onGrandChild, true}, {outer, true},      {inner, true},
        {inOuter, true},      {inInner, true},    {inEditor, true},
        {tvl2, true},         {tvl3, true},       {editorMulti, true},
        {tvl2InMulti, true},  {unused, false},    {mapInEditor, false},
        {belowTvl2, false},   {belowTvl3, false}, {belowNestedTvl2, false},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(Text(e.material->GetName()).c_str());
        EXPECT_EQ(inUse.FindMtl(e.material) >= 0, e.inUse);
    }
}

// ---- replacement, undo and redo ----

TEST_F(ConversionRunTest, OneNewMaterialReplacesEveryUseAndUndoPutsTheOldOneBack) {
    Mtl* red = NewStandard(_M("Red"));
    INode* a = NewNode(_M("a"), red);
    INode* b = NewNode(_M("b"), red);
    for (int slot = 0; slot < 8; ++slot)
        SetSlot(slot, slot == 3 || slot == 7 ? red : NewStandard(_M("Other")));
    AddAll(list_, {red});

    Run();
    ASSERT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::Converted});
    Mtl* converted = log_.results[0];
    ASSERT_TRUE(IsTavelin3(converted));
    EXPECT_EQ(Text(converted->GetName()), L"Red");
    EXPECT_EQ(a->GetMtl(), converted);
    EXPECT_EQ(b->GetMtl(), converted);
    EXPECT_EQ(Slot(3), converted);
    EXPECT_EQ(Slot(7), converted);
    EXPECT_NE(Slot(4), converted);
    EXPECT_TRUE(list_.Empty());

    ASSERT_TRUE(HostCore::Get().Undo());
    for (Mtl* m : {a->GetMtl(), b->GetMtl(), static_cast<Mtl*>(Slot(3)), static_cast<Mtl*>(Slot(7))})
        EXPECT_EQ(m, red);
    // Making the new material was no part of the step: undo leaves it whole, ready for redo.
    EXPECT_NE(converted->GetParamBlock(Tvl3Material::kMainBlock), nullptr);
    EXPECT_EQ(converted->GetSubMtl(Tvl3Material::kSubMtlBase), red);
    ASSERT_EQ(Listed(list_), std::vector<MtlBase*>{red});
    EXPECT_EQ(Text(list_.Items().front().fullName), L"Red (Standard)");
}

TEST_F(ConversionRunTest, UndoRestoresAndRedoRepeatsEveryKindOfUse) {
    // A skin on a node, its child and the first editor slot.
    Mtl* skin = NewStandard(_M("Skin"));
    NewNode(_M("arm"), skin, NewNode(_M("body"), skin));
    SetSlot(0, skin);
    // A metal in an editor slot and in another object's parameter block.
    Mtl* metal = NewStandard(_M("Metal"));
    SetSlot(1, metal);
    auto* holder = new BoxTarget(0, &kHolderBlock);
    holder->Block()->SetValue(1, 0, metal);
    // A cloth twice in a Multi/Sub-Object material, and a Tavelin 2 material between its two uses that
    // the viewports show; its base material shows a map.
    Mtl* cloth = NewStandard(_M("Cloth"));
    MultiSubMtl* robe = NewMulti(_M("Robe"), 3);
    Tvl2Material* toon = NewTvl2(_M("Toon"));
    Mtl* toonBase = NewStandard(_M("ToonBase"));
    BitmapTex* toonMap = NewBitmap(_M("ToonMap"));
    robe->SetSubMtl(0, cloth);
    robe->SetSubMtl(1, toon);
    robe->SetSubMtl(2, cloth);
    toon->SetSubMtl(0, toonBase);
    toonBase->SetActiveTexmap(toonMap);
    GetCOREInterface()->ActivateTexture(toon, robe, 1);
    NewNode(_M("robe"), robe);
    // Something the run must leave alone.
    Mtl* keep = NewStandard(_M("Keep"));
    NewNode(_M("prop"), keep);
    SetSlot(2, keep);

    AddAll(list_, {skin, toon, metal, cloth});
    const std::vector<ReferenceMaker*> makers = {holder->Block(), robe, toon};
    const std::vector<MtlBase*> watched = {robe, toon, toonBase, toonMap, cloth, keep};
    const SceneUses before = TakeUses(makers, watched, list_);

    Run();
    ASSERT_EQ(log_.outcomes, Outcomes(4, MtlRunOutcome::Converted));
    Mtl* newSkin = log_.results[0];
    Mtl* newToon = log_.results[1];
    Mtl* newMetal = log_.results[2];
    Mtl* newCloth = log_.results[3];
    EXPECT_EQ(Slot(0), newSkin);
    EXPECT_EQ(Slot(1), newMetal);
    EXPECT_EQ(Slot(2), keep);
    EXPECT_EQ(holder->Block()->GetMtl(1), newMetal);
    EXPECT_EQ(robe->GetSubMtl(0), newCloth);
    EXPECT_EQ(robe->GetSubMtl(1), newToon);
    EXPECT_EQ(robe->GetSubMtl(2), newCloth);
    EXPECT_EQ(newToon->GetSubMtl(Tvl3Material::kSubMtlBase), toonBase);
    // The slot now shows what the new material's base shows.
    EXPECT_EQ(robe->GetActiveTexmap(), toonMap);
    EXPECT_TRUE(Shown(toonMap));
    EXPECT_FALSE(Shown(toon));
    const SceneUses after = TakeUses(makers, watched, list_);
    EXPECT_EQ(after.nodes, (std::vector<Mtl*>{newSkin, newSkin, robe, keep}));
    EXPECT_TRUE(after.listed.empty());

    ASSERT_TRUE(HostCore::Get().Undo());
    ExpectSameUses(TakeUses(makers, watched, list_), before);
    EXPECT_TRUE(Shown(toon));
    ASSERT_TRUE(HostCore::Get().Redo());
    ExpectSameUses(TakeUses(makers, watched, list_), after);
    ASSERT_TRUE(HostCore::Get().Undo());
    ExpectSameUses(TakeUses(makers, watched, list_), before);
}

TEST_F(ConversionRunTest, RunIsOneUndoStepNamedForTheConversion) {
    HostCore& host = HostCore::Get();
    Mtl* a = NewStandard(_M("A"));
    Mtl* b = NewTvl2(_M("B"));
    NewNode(_M("a"), a);
    NewNode(_M("b"), b);
    AddAll(list_, {a, b});
    const int redraws = host.NumRedraws();
    Run();
    EXPECT_EQ(theHold.NumUndoEntries(), 1);
    EXPECT_EQ(Text(theHold.UndoName(0)), L"Tavelin 3 コンバート");
    EXPECT_EQ(theHold.NumRecordsOpen(), 0);
    EXPECT_EQ(host.NumRedraws(), redraws + 1);
    EXPECT_FALSE(host.ProgressActive());
    ASSERT_TRUE(host.Undo());
    EXPECT_EQ(Text(theHold.RedoName(0)), L"Tavelin 3 コンバート");
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
}

// Controllers anywhere below m, each object visited once.
int CountControllers(ReferenceTarget* m, std::vector<ReferenceTarget*>& seen) {
    if (!m || std::find(seen.begin(), seen.end(), m) != seen.end()) return 0;
    seen.push_back(m);
    int n = dynamic_cast<Control*>(m) ? 1 : 0;
    for (int i = 0; i < m->NumRefs(); ++i) n += CountControllers(m->GetReference(i), seen);
    return n;
}

// With Auto Key on away from frame 0 the new materials still take their sources' values as values:
// nothing below them is animated when nothing below the sources was.
TEST_F(ConversionRunTest, AutoKeyAwayFromFrameZeroPutsNoKeysOnTheNewMaterials) {
    Mtl* a = NewStandard(_M("A"));
    Mtl* b = NewTvl2(_M("B"));
    NewNode(_M("a"), a);
    NewNode(_M("b"), b);
    AddAll(list_, {a, b});
    HostCore::Get().SetTime(50);
    HostCore::Get().SetAnimateButtonState(TRUE);
    Run();
    EXPECT_TRUE(Animating());
    ASSERT_EQ(log_.outcomes, Outcomes(2, MtlRunOutcome::Converted));
    for (Mtl* made : log_.results) {
        std::vector<ReferenceTarget*> seen;
        EXPECT_EQ(CountControllers(made, seen), 0) << Text(made->GetName());
    }
}

TEST_F(ConversionRunTest, MaterialUsedOnlyInTheEditorIsConvertedThere) {
    // In the last slot, behind empty ones: an empty slot does not end the editor.
    const int last = GetCOREInterface7()->NumMtlSlots() - 1;
    Mtl* onlyInEditor = NewStandard(_M("Swatch"));
    SetSlot(0, NewStandard(_M("Other")));
    SetSlot(last, onlyInEditor);
    AddAll(list_, {onlyInEditor});
    Run();
    ASSERT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::Converted});
    EXPECT_EQ(Slot(last), log_.results[0]);
    EXPECT_TRUE(IsTavelin3(Slot(last)));
    EXPECT_EQ(Text(Slot(last)->GetName()), L"Swatch");
}

// The reflection/refraction walk replaces maps inside the source material itself when the source became
// the new material's base, and maps inside the Tavelin 2 maps it holds. Undoing the run gives back exactly
// what was there; a caller that suspended recording gets the switches with nothing recorded.
TEST_F(ConversionRunTest, WalkSwitchesUndoWithTheRunUnlessTheCallerSuspendedRecording) {
    for (bool callerSuspends : {false, true}) {
        SCOPED_TRACE(callerSuspends ? "caller suspends" : "caller records");
        Mtl* source = NewStandard(_M("Mirror"));
        auto* outer = static_cast<Texmap*>(
            GetCOREInterface()->CreateInstance(TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID));
        auto* inner = static_cast<Texmap*>(
            GetCOREInterface()->CreateInstance(TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID));
        outer->SetSubTexmap(1, inner);
        source->SetSubTexmap(ID_RL, outer);
        SetSlot(23, outer);  // still used once the walk has replaced it in the source
        NewNode(_M("Ball"), source);
        AddAll(list_, {source});
        const std::vector<ReferenceMaker*> makers = {source, outer};
        const SceneUses before = TakeUses(makers, {}, list_);
        const int undoEntries = theHold.NumUndoEntries();

        log_ = OutcomeLog();
        if (callerSuspends) theHold.Suspend();
        Run();
        if (callerSuspends) theHold.Resume();
        ASSERT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::Converted});
        Texmap* converted = source->GetSubTexmap(ID_RL);
        EXPECT_EQ(converted->ClassID(), TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
        EXPECT_EQ(outer->GetSubTexmap(1)->ClassID(), TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
        if (callerSuspends) {
            EXPECT_EQ(theHold.NumUndoEntries(), undoEntries);
            continue;
        }
        const SceneUses after = TakeUses(makers, {}, list_);
        ASSERT_TRUE(HostCore::Get().Undo());
        ExpectSameUses(TakeUses(makers, {}, list_), before);
        ASSERT_TRUE(HostCore::Get().Redo());
        ExpectSameUses(TakeUses(makers, {}, list_), after);
    }
}

// ---- entries that give nothing ----

TEST_F(ConversionRunTest, MaterialUsedOnlyBelowATavelinMaterialIsNotInUseAndLeavesTheList) {
    for (bool belowTvl3 : {false, true}) {
        SCOPED_TRACE(belowTvl3 ? "below Tavelin 3" : "below Tavelin 2");
        Mtl* parent = belowTvl3 ? static_cast<Mtl*>(NewTvl3(_M("P"))) : NewTvl2(_M("P"));
        Mtl* below = NewStandard(_M("Below"));
        parent->SetSubMtl(0, below);
        INode* node = NewNode(_M("n"), parent);
        AddAll(list_, {below});
        const int live = HostCore::Get().NumLiveObjects();

        log_ = OutcomeLog();
        Run();
        EXPECT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::NotInUse});
        EXPECT_EQ(parent->GetSubMtl(0), below);
        EXPECT_EQ(node->GetMtl(), parent);
        EXPECT_TRUE(list_.Empty());
        EXPECT_EQ(HostCore::Get().NumLiveObjects(), live);
    }
}

TEST_F(ConversionRunTest, NodeAndTavelin2ParentTakeTheNewMaterialWhileATavelin3ParentKeepsTheOld) {
    Mtl* shared = NewStandard(_M("Shared"));
    INode* node = NewNode(_M("n"), shared);
    Tvl2Material* tvl2 = NewTvl2(_M("T2"));
    Tvl3Material* tvl3 = NewTvl3(_M("T3"));
    tvl2->SetSubMtl(0, shared);
    tvl3->SetSubMtl(0, shared);
    SetSlot(0, tvl2);
    SetSlot(1, tvl3);
    AddAll(list_, {shared});

    Run();
    ASSERT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::Converted});
    EXPECT_EQ(node->GetMtl(), log_.results[0]);
    EXPECT_EQ(tvl2->GetSubMtl(0), log_.results[0]);
    EXPECT_EQ(tvl3->GetSubMtl(0), shared);
    ASSERT_TRUE(HostCore::Get().Undo());
    EXPECT_EQ(node->GetMtl(), shared);
    EXPECT_EQ(tvl2->GetSubMtl(0), shared);
}

TEST_F(ConversionRunTest, ListedMaterialUsedNowhereMakesNothingAndLeavesTheList) {
    Mtl* used = NewStandard(_M("Used"));
    Mtl* nowhere = NewStandard(_M("Nowhere"));
    INode* node = NewNode(_M("n"), used);
    AddAll(list_, {nowhere});
    const int live = HostCore::Get().NumLiveObjects();
    Run();
    EXPECT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::NotInUse});
    EXPECT_EQ(log_.results, std::vector<Mtl*>{nullptr});
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live);
    EXPECT_EQ(node->GetMtl(), used);
    EXPECT_TRUE(list_.Empty());
    ASSERT_TRUE(HostCore::Get().Undo());
    EXPECT_EQ(Listed(list_), std::vector<MtlBase*>{nowhere});
}

// A new material that finds no place goes with what only it held; a later material sharing its
// source's settings gets live settings of its own, which undo and redo keep.
TEST_F(ConversionRunTest, NewMaterialWithNowhereToGoIsDeletedWithWhatOnlyItHeld) {
    // In use below an ordinary parent, but nothing the run may replace refers to it directly.
    auto* parent = new IndirectMtl;
    Tvl2Material* hidden = NewTvl2(_M("Hidden"));
    Tvl2Material* shown = NewTvl2(_M("Shown"));
    auto* look = Make<Tvl2Settings>(_M("Look"));
    hidden->SetSettings(look);
    shown->SetSettings(look);
    parent->SetSubMtl(0, hidden);
    SetSlot(0, parent);
    INode* node = NewNode(_M("n"), shown);
    AddAll(list_, {hidden});
    const int live = HostCore::Get().NumLiveObjects();
    Run();
    EXPECT_EQ(log_.outcomes, Outcomes{MtlRunOutcome::NotPlaced});
    EXPECT_EQ(log_.results, std::vector<Mtl*>{nullptr});
    EXPECT_EQ(parent->GetSubMtl(0), hidden);
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live);

    log_ = OutcomeLog();
    AddAll(list_, {hidden, shown});
    Run();
    EXPECT_EQ(log_.outcomes, (Outcomes{MtlRunOutcome::NotPlaced, MtlRunOutcome::Converted}));
    auto* made = dynamic_cast<Tvl3Material*>(node->GetMtl());
    ASSERT_NE(made, nullptr);
    for (int step = 0; step < 3; ++step) {
        if (step > 0) {
            ASSERT_TRUE(step == 1 ? HostCore::Get().Undo() : HostCore::Get().Redo());
        }
        EXPECT_EQ(node->GetMtl(), step == 1 ? static_cast<Mtl*>(shown) : made);
        ASSERT_NE(made->GetSettings(), nullptr);
        EXPECT_EQ(Text(made->GetSettings()->GetName()), L"Look");
    }
}

TEST_F(ConversionRunTest, WithoutTheTavelin3ProductNothingIsConvertedAndTheListEmpties) {
    Mtl* a = NewStandard(_M("A"));
    Mtl* b = NewTvl2(_M("B"));
    INode* na = NewNode(_M("a"), a);
    SetSlot(0, b);
    AddAll(list_, {a, b});
    HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN3, false);
    const int live = HostCore::Get().NumLiveObjects();

    Run();
    EXPECT_EQ(log_.outcomes, Outcomes(2, MtlRunOutcome::NotConverted));
    EXPECT_EQ(na->GetMtl(), a);
    EXPECT_EQ(Slot(0), b);
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live);
}

// ---- progress and cancel ----

TEST_F(ConversionRunTest, ProgressShowsEachEntrysShareUnderTheConverterTitle) {
    Mtl* a = NewStandard(_M("A"));
    Mtl* b = NewStandard(_M("B"));
    Mtl* unused = NewStandard(_M("Unused"));
    NewNode(_M("a"), a);
    NewNode(_M("b"), b);
    AddAll(list_, {a, unused, b});
    ProgressLog progress;
    HostCore::Get().SetProgressSink(&progress);
    Run();
    EXPECT_EQ(progress.titles, std::vector<std::wstring>{L"Tavelin 3 マテリアル コンバータ"});
    EXPECT_EQ(progress.percents, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(progress.ends, 1);
}

TEST_F(ConversionRunTest, CancelKeepsWhatWasConvertedEmptiesTheListAndUndoesAsOne) {
    Mtl* first = NewStandard(_M("First"));
    Mtl* second = NewStandard(_M("Second"));
    Mtl* third = NewTvl2(_M("Third"));
    INode* n1 = NewNode(_M("n1"), first);
    INode* n2 = NewNode(_M("n2"), second);
    SetSlot(0, third);
    AddAll(list_, {first, second, third});
    ProgressLog progress(1);  // the user cancels while the first entry is converted
    HostCore::Get().SetProgressSink(&progress);

    Run();
    EXPECT_EQ(log_.outcomes,
              (Outcomes{MtlRunOutcome::Converted, MtlRunOutcome::Cancelled, MtlRunOutcome::Cancelled}));
    EXPECT_EQ(log_.materials, (std::vector<MtlBase*>{first, second, third}));
    EXPECT_EQ(progress.percents, std::vector<int>{33});
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(n1->GetMtl(), log_.results[0]);
    EXPECT_EQ(n2->GetMtl(), second);
    EXPECT_EQ(Slot(0), third);
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(theHold.NumUndoEntries(), 1);

    ASSERT_TRUE(HostCore::Get().Undo());
    EXPECT_EQ(n1->GetMtl(), first);
    EXPECT_EQ(Listed(list_), (std::vector<MtlBase*>{first, second, third}));
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
}

}  // namespace
