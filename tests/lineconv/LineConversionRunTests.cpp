// The line run over the host's render-effect list: where the new effects go, which sources leave the
// list, and how the whole run undoes and redoes as one named step.

#include <string>

#include "EffectListRecords.h"
#include "LineConvTestScene.h"
#include "LineConversionRun.h"
#include "StringTable.h"
#include "resource.h"

namespace {

const MCHAR* const kStepName = StringTableText(IDS_CONVERT_UNDO);

using EffectList = std::vector<Effect*>;

// A: a Tavelin 2 line effect with two line sets, B: an effect of another class, C: a disabled Tavelin
// 2 line effect with one line set.
struct ThreeEffects {
    Tvl2Line* a;
    PlainEffect* b;
    Tvl2Line* c;
};

class LineRunTest : public LineConvTest {
protected:
    static ThreeEffects AddThreeEffects() {
        ThreeEffects s{NewLine(_M("Tavelin 2 A"), {NewSet(), NewSet()}), NewOtherEffect(_M("Blur")),
                       NewLine(_M("Tavelin 2 C"), {NewSet()})};
        s.c->SetAFlag(A_ATMOS_DISABLED);
        for (Effect* e : {static_cast<Effect*>(s.a), static_cast<Effect*>(s.b), static_cast<Effect*>(s.c)})
            Add(e);
        return s;
    }

    static void Add(Effect* e) { GetCOREInterface()->AddEffect(e); }
    void Run(bool deleteSources = true, const MCHAR* suffix = nullptr) {
        result_ = LineRunResult();
        RunLineConversion(suffix, deleteSources, kStepName, &result_);
    }
    Tvl3Line* Converted(size_t entry) {
        return entry < result_.entries.size() ? AsLine(result_.entries[entry].converted) : nullptr;
    }

    LineRunResult result_;
};

TEST_F(LineRunTest, NewEffectsFollowTheListInSourceOrderAndTheConvertedSourcesLeaveIt) {
    for (bool deleteSources : {true, false}) {
        SCOPED_TRACE(deleteSources ? "deleting the sources" : "keeping the sources");
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        ThreeEffects s = AddThreeEffects();
        Run(deleteSources);

        ASSERT_EQ(result_.entries.size(), 3u);
        Tvl3Line* a = Converted(0);
        Tvl3Line* c = Converted(2);
        ASSERT_TRUE(a && c);
        EXPECT_EQ(result_.entries[1].converted, nullptr);
        const EffectList expected = deleteSources ? EffectList{s.b, a, c} : EffectList{s.a, s.b, s.c, a, c};
        EXPECT_EQ(Effects(), expected);
        EXPECT_EQ(result_.entries[0].deleted, deleteSources);
        EXPECT_FALSE(result_.entries[1].deleted);
        EXPECT_EQ(result_.entries[2].deleted, deleteSources);

        EXPECT_EQ(Text(a->name), "Tavelin 3 A");
        EXPECT_EQ(Text(c->name), "Tavelin 3 C");
        EXPECT_EQ(a->NumLineSets(), 2);
        EXPECT_EQ(result_.entries[0].lineSets, 2);
        EXPECT_EQ(result_.entries[2].lineSets, 1);
        EXPECT_TRUE(result_.entries[0].active);
        EXPECT_FALSE(result_.entries[2].active);
        EXPECT_FALSE(c->Active(GetCOREInterface()->GetTime()));
    }
}

TEST_F(LineRunTest, OneUndoStepPutsTheListBackExactlyAndRedoRepeatsTheRun) {
    for (bool deleteSources : {true, false}) {
        SCOPED_TRACE(deleteSources ? "deleting the sources" : "keeping the sources");
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        ThreeEffects s = AddThreeEffects();
        const EffectList before = Effects();
        Run(deleteSources);
        const EffectList after = Effects();
        ASSERT_NE(after, before);

        ASSERT_EQ(theHold.NumUndoEntries(), 1);
        EXPECT_EQ(Text(theHold.UndoName(0)), "Tavelin 3 コンバート");
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(Effects(), before);
        // The new effects were made before the step: undo takes them out of the list, whole.
        Tvl3Line* a = Converted(0);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->NumLineSets(), 2);
        EXPECT_FALSE(Deleted(a->GetLineSet(0)));

        ASSERT_TRUE(HostCore::Get().Redo());
        EXPECT_EQ(Effects(), after);
        EXPECT_EQ(a->NumLineSets(), 2);
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_EQ(Effects(), before);
        EXPECT_EQ(s.a->NumLineSets(), 2);
        EXPECT_FALSE(HostCore::Get().Undo());
    }
}

TEST_F(LineRunTest, AListWithNothingToConvertStaysAsItIsAndKeepsItsLastUndoStep) {
    Run();
    EXPECT_TRUE(Effects().empty());
    EXPECT_TRUE(result_.entries.empty());
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
    EXPECT_FALSE(HostCore::Get().Undo());

    PlainEffect* blur = NewOtherEffect(_M("Blur"));
    theHold.Begin();
    ChangeEffectList([&] { GetCOREInterface()->AddEffect(blur); });
    theHold.Accept(MSTR(_M("Add blur")).dataForWrite());
    Run();
    EXPECT_EQ(Effects(), EffectList{blur});
    ASSERT_EQ(theHold.NumUndoEntries(), 1);
    EXPECT_EQ(Text(theHold.UndoName(0)), "Add blur");
}

TEST_F(LineRunTest, EffectsTheRunCannotConvertAreNeverDeleted) {
    PlainEffect* other = NewOtherEffect(_M("Glow"));
    auto* oddSuper = new PlainEffect(_M("Odd"), REF_TARGET_CLASS_ID, TVL2_LINE_CLASS_ID);
    auto* tavelin3 = Make<Tvl3Line>();
    Tvl2Line* line = NewLine(_M("Tavelin 2 lines"), {NewSet()});
    for (Effect* e : {static_cast<Effect*>(other), static_cast<Effect*>(oddSuper),
                      static_cast<Effect*>(tavelin3), static_cast<Effect*>(line)})
        Add(e);
    Run();
    ASSERT_EQ(result_.entries.size(), 4u);
    Tvl3Line* made = Converted(3);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(Effects(), (EffectList{other, oddSuper, tavelin3, made}));
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(result_.entries[i].converted, nullptr) << i;
        EXPECT_FALSE(result_.entries[i].deleted) << i;
    }
}

TEST_F(LineRunTest, WhileTheTavelin3LineClassIsUnloadedTheListStaysAsItIs) {
    Tvl2Line* a = NewLine(_M("A"), {NewSet()});
    Tvl2Line* b = NewLine(_M("B"));
    Add(a);
    Add(b);
    HostCore::Get().SetClassLoaded(RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID, false);
    Run();
    EXPECT_EQ(Effects(), (EffectList{a, b}));
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
    ASSERT_EQ(result_.entries.size(), 2u);
    for (const auto& e : result_.entries) {
        EXPECT_EQ(e.converted, nullptr);
        EXPECT_FALSE(e.deleted);
    }
    EXPECT_EQ(a->NumLineSets(), 1);
}

TEST_F(LineRunTest, AnEmptySuffixNamesLikeNoSuffix) {
    const struct {
        const MCHAR* suffix;
        const char* expected;
    } kCases[] = {
        {nullptr, "Scene Tavelin 3 lines"},
        {_M(""), "Scene Tavelin 3 lines"},
        {_M("_TVL3"), "Scene Tavelin 2 lines_TVL3"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.expected);
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        Add(NewLine(_M("Scene Tavelin 2 lines")));
        Run(true, c.suffix);
        ASSERT_EQ(GetCOREInterface()->NumEffects(), 1);
        EXPECT_EQ(Text(GetCOREInterface()->GetEffect(0)->name), c.expected);
        EXPECT_EQ(Text(result_.entries.at(0).convertedName), c.expected);
    }
}

// Every conversion of one run shares what it made: a brush, or a brush's map, met again in another
// effect is not made twice.
TEST_F(LineRunTest, BrushesAndMapsSharedAcrossEffectsAreMadeOnceInARun) {
    Tvl2BrushMap* brush = NewBrush(_M("ink"));
    BitmapTex* paper = NewBitmap(_M("paper.png"));
    Tvl2BrushMap* other = NewBrush(_M("pencil"));
    other->SetSubTexmap(Tvl2BrushMap::kSubMapTexture, paper);
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapPattern, paper);
    Tvl2LineSet* first = NewSet();
    Tvl2LineSet* second = NewSet();
    first->SetBrush(0, 0, brush);
    second->SetBrush(1, 1, brush);
    second->SetBrush(0, 0, other);
    Add(NewLine(_M("First"), {first}));
    Add(NewLine(_M("Second"), {second}));
    Run();
    Tvl3Line* a = Converted(0);
    Tvl3Line* b = Converted(1);
    ASSERT_TRUE(a && b);
    auto* setA = AsSet(a->GetLineSet(0));
    auto* setB = AsSet(b->GetLineSet(0));
    ASSERT_TRUE(setA && setB);
    auto* newBrush = AsBrush(setA->GetBrush(0, 0));
    ASSERT_NE(newBrush, nullptr);
    EXPECT_EQ(setB->GetReference(Tvl3LineSet::kRefBrushGroup1 + 2), newBrush);
    EXPECT_EQ(setB->GetReference(Tvl3LineSet::kRefBrushGroup1 + 1), newBrush);
    auto* newOther = AsBrush(setB->GetBrush(0, 0));
    ASSERT_NE(newOther, nullptr);
    ASSERT_NE(newBrush->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), nullptr);
    EXPECT_NE(newBrush->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), paper);
    EXPECT_EQ(newOther->GetSubTexmap(Tvl3BrushMap::kSubMapTexture),
              newBrush->GetSubTexmap(Tvl3BrushMap::kSubMapPattern));
}

TEST_F(LineRunTest, ASpoiledEffectIsReplacedWithoutLineSetsAndALaterOneStillGetsTheSharedSet) {
    Tvl2LineSet* shared = NewSet();
    Tvl2BrushMap* ink = NewBrush(_M("ink"));
    shared->SetBrush(0, 0, ink);
    Tvl2Line* spoiled = NewLine(_M("Spoiled"), {shared, NewBitmap(_M("x.png"))});
    Tvl2Line* later = NewLine(_M("Later"), {shared});
    Add(spoiled);
    Add(later);
    Run();
    Tvl3Line* newSpoiled = Converted(0);
    Tvl3Line* newLater = Converted(1);
    ASSERT_TRUE(newSpoiled && newLater);
    EXPECT_EQ(Effects(), (EffectList{newSpoiled, newLater}));
    EXPECT_EQ(newSpoiled->NumLineSets(), 0);
    EXPECT_EQ(result_.entries[0].lineSets, 0);
    ASSERT_EQ(newLater->NumLineSets(), 1);
    auto* set = AsSet(newLater->GetLineSet(0));
    ASSERT_NE(set, nullptr);
    EXPECT_FALSE(Deleted(set));
    auto* brush = AsBrush(set->GetBrush(0, 0));
    ASSERT_NE(brush, nullptr);
    EXPECT_FALSE(Deleted(brush));
    EXPECT_EQ(Dependents(brush), std::vector<ReferenceMaker*>{set});

    // Undo gives the sources back whole; redo gives the later effect its set and brush again.
    ASSERT_TRUE(HostCore::Get().Undo());
    EXPECT_EQ(Effects(), (EffectList{spoiled, later}));
    EXPECT_EQ(shared->GetBrush(0, 0), ink);
    EXPECT_EQ(Text(ink->GetName()), "ink");
    ASSERT_TRUE(HostCore::Get().Redo());
    EXPECT_EQ(Effects(), (EffectList{newSpoiled, newLater}));
    EXPECT_EQ(newLater->GetLineSet(0), set);
    EXPECT_EQ(set->GetBrush(0, 0), brush);
}

}  // namespace
