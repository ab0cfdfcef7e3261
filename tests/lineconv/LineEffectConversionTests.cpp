// Converting one Tavelin 2 line effect with everything it holds: which effects are converted, what the
// new effect, its line sets, brushes and brush sub-maps receive, and what is made once per run.

#include <string>

#include "LineConvTestScene.h"
#include "LineEffectConversion.h"

namespace {

class LineEffectConversion : public LineConvTest {
protected:
    Tvl3Line* Convert(Effect* e, const MCHAR* suffix = nullptr) {
        return AsLine(ConvertLineEffect(e, map_, suffix));
    }
    Tvl3LineSet* ConvertSet(Tvl2LineSet* s) { return AsSet(ConvertLineSet(s, map_)); }
    Tvl3BrushMap* ConvertBrush(Tvl2BrushMap* b) { return AsBrush(ConvertBrushMap(b, map_)); }
    Tvl3BrushSubMap* ConvertSub(Tvl2BrushSubMap* s) { return AsSubMap(ConvertBrushSubMap(s, map_)); }

    // A line set with one brush, so that deleting the converted set shows on the converted brush.
    Tvl2LineSet* NewSetWithBrush(Tvl2BrushMap* brush) {
        Tvl2LineSet* set = NewSet();
        set->SetBrush(0, 0, brush);
        return set;
    }

    ConversionMap map_;
};

// ---- which effects are converted ----

TEST_F(LineEffectConversion, AnythingButATavelin2LineEffectYieldsNothing) {
    const struct {
        const char* what;
        Effect* effect;
    } kCases[] = {
        {"no effect", nullptr},
        {"an effect of another class", NewOtherEffect(_M("Blur"))},
        {"a Tavelin 3 line effect", Make<Tvl3Line>()},
        {"the Tavelin 2 line class as a reference target",
         new PlainEffect(_M("Odd"), REF_TARGET_CLASS_ID, TVL2_LINE_CLASS_ID)},
        {"the Tavelin 2 line class as a map",
         new PlainEffect(_M("Odd"), TEXMAP_CLASS_ID, TVL2_LINE_CLASS_ID)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ConvertLineEffect(c.effect, map_, nullptr), nullptr);
        EXPECT_EQ(map_.Count(), 0);
    }
    Tvl3Line* made = Convert(NewLine(_M("Lines")));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->SuperClassID(), RENDER_EFFECT_CLASS_ID);
    EXPECT_EQ(made->ClassID(), TVL3_LINE_CLASS_ID);
}

TEST_F(LineEffectConversion, AnEffectMetTwiceInOneRunIsConvertedOnce) {
    Tvl2Line* line = NewLine(_M("Lines"), {NewSet()});
    Tvl3Line* first = Convert(line);
    ASSERT_NE(first, nullptr);
    const int pairs = map_.Count();
    EXPECT_EQ(Convert(line), first);
    EXPECT_EQ(map_.Count(), pairs);
}

TEST_F(LineEffectConversion, NothingIsMadeWhileTheTavelin3LineClassIsUnloaded) {
    Tvl2LineSet* set = NewSet();
    Tvl2Line* line = NewLine(_M("Lines"), {set});
    HostCore::Get().SetClassLoaded(RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID, false);
    EXPECT_EQ(Convert(line), nullptr);
    EXPECT_EQ(map_.Count(), 0);
    EXPECT_EQ(map_.Lookup(set), nullptr);
}

// ---- the effect's own settings ----

TEST_F(LineEffectConversion, EffectParametersOfTheSameIDAndTypeAreCopied) {
    Tvl2Line* line = NewLine(_M("Lines"));
    IParamBlock2* pb = line->GetParamBlock(0);
    MarkBlock(pb);
    pb->SetValue(Tvl2Line::kLabel, 0, _M("outline"));
    pb->SetValue(Tvl2Line::kLineMap, 0, static_cast<Texmap*>(NewBitmap(_M("ink.png"))));
    INode* camera = HostCore::Get().CreateNode(_M("camera"));
    pb->SetValue(Tvl2Line::kCamera, 0, camera);
    std::vector<INode*> nodes = {HostCore::Get().CreateNode(_M("a")), HostCore::Get().CreateNode(_M("b")),
                                 HostCore::Get().CreateNode(_M("c"))};
    pb->SetCount(Tvl2Line::kNodes, 3);
    for (int i = 0; i < 3; ++i) pb->SetValue(Tvl2Line::kNodes, 0, nodes[static_cast<size_t>(i)], i);

    Tvl3Line* made = Convert(line);
    ASSERT_NE(made, nullptr);
    ExpectParams(line, made,
                 {{0, Tvl3Line::kWidth, 0, Tvl2Line::kWidth},
                  {0, Tvl3Line::kQuality, 0, Tvl2Line::kQuality},
                  {0, Tvl3Line::kColor, 0, Tvl2Line::kColor},
                  {0, Tvl3Line::kEnabled, 0, Tvl2Line::kEnabled},
                  {0, Tvl3Line::kAntialias, kDefault, 0},  // a float in the source, an int here
                  {0, Tvl3Line::kLabel, 0, Tvl2Line::kLabel}});
    IParamBlock2* out = made->GetParamBlock(0);
    EXPECT_EQ(out->GetTexmap(Tvl3Line::kLineMap), nullptr);  // maps never travel by the same-ID copy
    EXPECT_EQ(out->GetINode(Tvl3Line::kCamera), camera);
    ASSERT_EQ(out->Count(Tvl3Line::kNodes), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(out->GetINode(Tvl3Line::kNodes, 0, i), nodes[static_cast<size_t>(i)]);
}

TEST_F(LineEffectConversion, TheNewEffectIsActiveExactlyWhenTheSourceIs) {
    for (bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "disabled");
        Tvl2Line* line = NewLine(_M("Lines"));
        if (!active) line->SetAFlag(A_ATMOS_DISABLED);
        Tvl3Line* made = Convert(line);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->Active(GetCOREInterface()->GetTime()) != FALSE, active);
    }
}

TEST_F(LineEffectConversion, TheNewNameTakesTheSuffixOrElseChangesTheFirstGenerationDigit) {
    const struct {
        const MCHAR* source;
        const MCHAR* suffix;
        const MCHAR* expected;
    } kNames[] = {
        {_M("Scene Tavelin 2 lines"), nullptr, _M("Scene Tavelin 3 lines")},
        {_M("Tavelin 2 / Tavelin 2"), nullptr, _M("Tavelin 3 / Tavelin 2")},
        {_M("Lines"), nullptr, _M("Lines")},
        {_M("Tavelin 2"), nullptr, _M("Tavelin 3")},
        {_M("Tavelin 25"), nullptr, _M("Tavelin 35")},
        {_M("tavelin 2 lines"), nullptr, _M("tavelin 2 lines")},
        {_M("Tavelin2 lines"), nullptr, _M("Tavelin2 lines")},
        {_M(""), nullptr, _M("")},
        {_M("Scene Tavelin 2 lines"), _M("_TVL3"), _M("Scene Tavelin 2 lines_TVL3")},
        {_M("Lines"), _M(" (new)"), _M("Lines (new)")},
    };
    for (const auto& n : kNames) {
        SCOPED_TRACE(Text(MSTR(n.source)) + " + " + (n.suffix ? Text(MSTR(n.suffix)) : "no suffix"));
        EXPECT_EQ(Text(ConvertedLineEffectName(MSTR(n.source), n.suffix)), Text(MSTR(n.expected)));
        Tvl2Line* line = NewLine(n.source);
        Tvl3Line* made = Convert(line, n.suffix);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(Text(made->name), Text(MSTR(n.expected)));
        EXPECT_EQ(Text(line->name), Text(MSTR(n.source)));
    }
}

// ---- the effect's line sets ----

TEST_F(LineEffectConversion, LineSetsArriveInSourceOrderAndASetHeldTwiceStaysOneSet) {
    Tvl2LineSet* a = NewSet();
    Tvl2LineSet* b = NewSet();
    Tvl3Line* made = Convert(NewLine(_M("Lines"), {a, b, a}));
    ASSERT_NE(made, nullptr);
    Tvl3LineSet* newA = AsSet(map_.Lookup(a));
    Tvl3LineSet* newB = AsSet(map_.Lookup(b));
    ASSERT_TRUE(newA && newB);
    EXPECT_NE(newA, newB);
    EXPECT_EQ(LineSetsOf(made), (std::vector<ReferenceTarget*>{newA, newB, newA}));
}

TEST_F(LineEffectConversion, AnEffectWithoutLineSetSlotsGetsAnEmptyList) {
    Tvl3Line* made = Convert(NewLine(_M("Lines")));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->NumLineSets(), 0);
}

// One slot that holds no Tavelin 2 line set spoils the whole list: the new effect is still made, but
// gets no line set, and the sets made for it are deleted again and forgotten by the run.
TEST_F(LineEffectConversion, AnOddSlotLeavesTheEffectWithoutLineSetsAndDeletesTheSetsMadeForIt) {
    const struct {
        const char* what;
        ReferenceTarget* (*make)();
    } kOddSlots[] = {
        {"an empty slot", []() -> ReferenceTarget* { return nullptr; }},
        {"a bitmap", []() -> ReferenceTarget* { return NewBitmap(_M("x.png")); }},
        {"a Tavelin 3 line set", []() -> ReferenceTarget* { return Make<Tvl3LineSet>(); }},
        {"a Tavelin 2 brush", []() -> ReferenceTarget* { return NewBrush(_M("b")); }},
    };
    for (const auto& odd : kOddSlots) {
        SCOPED_TRACE(odd.what);
        Tvl2BrushMap* first = NewBrush(_M("first"));
        Tvl2BrushMap* last = NewBrush(_M("last"));
        BitmapTex* paper = NewBitmap(_M("paper.png"));
        first->SetSubTexmap(0, paper);
        Tvl2LineSet* a = NewSetWithBrush(first);
        Tvl2LineSet* b = NewSetWithBrush(last);
        Tvl3Line* made = Convert(NewLine(_M("Tavelin 2 lines"), {a, odd.make(), b}));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(Text(made->name), "Tavelin 3 lines");
        EXPECT_EQ(made->NumLineSets(), 0);
        EXPECT_EQ(map_.Lookup(a), nullptr);
        EXPECT_EQ(map_.Lookup(b), nullptr);
        // The brushes converted for the sets went with them, and left the map too.
        for (Tvl2BrushMap* brush : {first, last}) EXPECT_EQ(map_.Lookup(brush), nullptr);
        EXPECT_EQ(map_.Lookup(paper, ConversionKind::Cloned), nullptr);  // and so did the copy of its map
    }
}

TEST_F(LineEffectConversion, ALaterEffectSharingASetWithASpoiledOneGetsALiveSet) {
    Tvl2BrushMap* brush = NewBrush(_M("ink"));
    Tvl2LineSet* shared = NewSetWithBrush(brush);
    Tvl2LineSet* twice = NewSet();
    Tvl3Line* spoiled = Convert(NewLine(_M("Spoiled"), {shared, twice, twice, nullptr}));
    Tvl3Line* later = Convert(NewLine(_M("Later"), {twice, shared}));
    ASSERT_TRUE(spoiled && later);
    EXPECT_EQ(spoiled->NumLineSets(), 0);
    ASSERT_EQ(later->NumLineSets(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        Tvl3LineSet* set = AsSet(later->GetLineSet(i));
        ASSERT_NE(set, nullptr);
        EXPECT_FALSE(Deleted(set));
        EXPECT_NE(set->GetParamBlockByID(2), nullptr);
    }
    Tvl3LineSet* newShared = AsSet(later->GetLineSet(1));
    EXPECT_EQ(map_.Lookup(shared), newShared);
    // The brush made for the deleted set is still the run's one conversion of that brush.
    Tvl3BrushMap* newBrush = AsBrush(newShared->GetBrush(0, 0));
    ASSERT_NE(newBrush, nullptr);
    EXPECT_FALSE(Deleted(newBrush));
    EXPECT_EQ(map_.Lookup(brush), newBrush);
}

TEST_F(LineEffectConversion, ASpoiledEffectLeavesAnEarlierEffectItsSharedSet) {
    Tvl2BrushMap* brush = NewBrush(_M("ink"));
    Tvl2LineSet* shared = NewSetWithBrush(brush);
    Tvl3Line* earlier = Convert(NewLine(_M("Earlier"), {shared}));
    Tvl3Line* spoiled = Convert(NewLine(_M("Spoiled"), {shared, NewBitmap(_M("x.png"))}));
    ASSERT_TRUE(earlier && spoiled);
    EXPECT_EQ(spoiled->NumLineSets(), 0);
    ASSERT_EQ(earlier->NumLineSets(), 1);
    Tvl3LineSet* set = AsSet(earlier->GetLineSet(0));
    ASSERT_NE(set, nullptr);
    EXPECT_FALSE(Deleted(set));
    EXPECT_NE(set->GetParamBlockByID(0), nullptr);
    EXPECT_EQ(set->GetBrush(0, 0), map_.Lookup(brush));
    EXPECT_EQ(map_.Lookup(shared), set);
}

TEST_F(LineEffectConversion, WithoutTheTavelin3LineSetClassTheEffectGetsNoLineSets) {
    HostCore::Get().SetClassLoaded(REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID, false);
    Tvl3Line* made = Convert(NewLine(_M("Lines"), {NewSet(), NewSet()}));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->NumLineSets(), 0);
}

TEST_F(LineEffectConversion, HandingLineSetsToAnEffectKeepsEmptyEntriesAndNeedsItsInterface) {
    auto* set = Make<Tvl3LineSet>();
    Tab<ReferenceTarget*> sets;
    ReferenceTarget* entries[] = {set, nullptr, set};
    sets.Append(3, entries);
    auto* withheld = Make<Tvl3Line>();
    withheld->WithholdInterface(true);
    SetLineSets(withheld, sets);
    EXPECT_EQ(withheld->NumLineSets(), 0);
    auto* line = Make<Tvl3Line>();
    SetLineSets(line, sets);
    EXPECT_EQ(LineSetsOf(line), (std::vector<ReferenceTarget*>{set, nullptr, set}));
}

// ---- line-set parameters ----

TEST_F(LineEffectConversion, LineSetParametersFollowTheRenumberingBlockByBlock) {
    Tvl2LineSet* set = NewSet();
    for (int i = 0; i < set->NumParamBlocks(); ++i) MarkBlock(set->GetParamBlock(i));
    Tvl3LineSet* made = ConvertSet(set);
    ASSERT_NE(made, nullptr);

    std::vector<ParamExpectation> rows = {
        {0, 0, 0, 0},        {0, 1, 0, 1},        {0, 2, 0, 2},
        {0, 3, kDefault, 0},  // the table leaves source 3 behind though the target has a 3
        {1, 0, kDefault, 0}, {1, 1, kDefault, 0},                 // no source block feeds the options
        {4, 0, 4, 25},       {4, 1, 4, 26},       {4, 3, 4, 35},  // 35 overwrites 33
        {4, 4, 4, 36},                                            // 36 overwrites 32
        {4, 5, 4, 34},                                            // 34 overwrites 28
        {4, 6, kDefault, 0},                                      // a percentage is never copied
        {4, 7, 4, 30},       {5, 8, 5, 44},                       // 44 overwrites 37
        {5, 9, 5, 38},
    };
    // Visible edges (source block 1) and hidden edges (source block 2) land in target blocks 2 and 3.
    for (BlockID from : {1, 2}) {
        const BlockID to = static_cast<BlockID>(from + 1);
        const std::vector<ParamExpectation> edge = {
            {to, 0, from, 18},    {to, 1, kZero, 0},  {to, 2, from, 24},  {to, 3, from, 23},
            {to, 4, from, 22},    {to, 5, from, 19},  {to, 6, from, 20},  {to, 7, from, 21},
            {to, 8, kDefault, 0}, {to, 9, from, 12},  {to, 10, from, 12}, {to, 11, from, 16},
            {to, 12, from, 15},   {to, 13, from, 14}, {to, 14, from, 13},
        };
        rows.insert(rows.end(), edge.begin(), edge.end());
    }
    ExpectParams(set, made, rows);
}

// An override switched on turns inheritance off; without one, the override takes the inheritance
// setting. Detection always follows the mode.
TEST_F(LineEffectConversion, EdgeSwitchesArePutRightInBothEdgeBlocks) {
    const struct {
        int override_, inherit, mode;  // source 18, 17, 12
        int outOverride, outInherit;   // target 0, 1
    } kCases[] = {
        {1, 1, 3, 1, 0}, {1, 0, 0, 1, 0}, {7, 1, 2, 7, 0}, {0, 1, 5, 1, 1}, {0, 0, 1, 0, 0}, {0, 4, 0, 4, 4},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.override_ << " " << c.inherit << " " << c.mode);
        Tvl2LineSet* set = NewSet();
        // The hidden edges get the opposite override, so that the two blocks are seen to be put right
        // each on its own.
        const int hiddenOverride = c.override_ ? 0 : 1;
        for (BlockID b : {1, 2}) {
            IParamBlock2* pb = set->GetParamBlockByID(b);
            pb->SetValue(18, 0, b == 1 ? c.override_ : hiddenOverride);
            pb->SetValue(17, 0, c.inherit);
            pb->SetValue(12, 0, c.mode + b);
        }
        Tvl3LineSet* made = ConvertSet(set);
        ASSERT_NE(made, nullptr);
        IParamBlock2* visible = made->GetParamBlockByID(Tvl3LineSet::kVisibleEdgeBlock);
        IParamBlock2* hidden = made->GetParamBlockByID(Tvl3LineSet::kHiddenEdgeBlock);
        EXPECT_EQ(visible->GetInt(Tvl3LineSet::kEdgeOverride), c.outOverride);
        EXPECT_EQ(visible->GetInt(Tvl3LineSet::kEdgeInherit), c.outInherit);
        EXPECT_EQ(hidden->GetInt(Tvl3LineSet::kEdgeOverride), hiddenOverride ? 1 : c.inherit);
        EXPECT_EQ(hidden->GetInt(Tvl3LineSet::kEdgeInherit), hiddenOverride ? 0 : c.inherit);
        EXPECT_EQ(visible->GetInt(Tvl3LineSet::kEdgeDetect), c.mode + 1);
        EXPECT_EQ(visible->GetInt(Tvl3LineSet::kEdgeMode), c.mode + 1);
        EXPECT_EQ(hidden->GetInt(Tvl3LineSet::kEdgeDetect), c.mode + 2);
    }
}

TEST_F(LineEffectConversion, TheObjectTableGrowsToTheSourceCountAndSharesItsNodes) {
    Tvl2LineSet* set = NewSet();
    IParamBlock2* pb = set->GetParamBlockByID(Tvl2LineSet::kVisibilityBlock);
    pb->SetCount(27, 4);
    std::vector<INode*> nodes;
    for (int i = 0; i < 4; ++i) {
        nodes.push_back(HostCore::Get().CreateNode(_M("n")));
        pb->SetValue(27, 0, nodes.back(), i);
    }
    Tvl3LineSet* made = ConvertSet(set);
    ASSERT_NE(made, nullptr);
    IParamBlock2* out = made->GetParamBlockByID(Tvl3LineSet::kVisibilityBlock);
    ASSERT_EQ(out->Count(2), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(out->GetINode(2, 0, i), nodes[static_cast<size_t>(i)]);
}

// Curves are copied into the new object, never shared; where the source has none, the new object
// keeps its own.
TEST_F(LineEffectConversion, CurvesArriveAsIndependentCopies) {
    const struct {
        const char* what;
        int sourceRefs[2], targetRefs[2];
        bool subMap;
    } kOwners[] = {{"line set", {31, 32}, {6, 7}, false}, {"brush sub-map", {8, 9}, {6, 7}, true}};
    for (const auto& o : kOwners)
        for (bool sourceHasCurves : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << o.what << (sourceHasCurves ? " with curves" : " without curves"));
            ReferenceTarget* source = o.subMap ? static_cast<ReferenceTarget*>(NewSubMap(_M("s"))) : NewSet();
            // Curve k gets 3 + k points, so that each copy shows which curve it was made from.
            std::vector<CurveControl*> curves;
            for (int k = 0; k < 2; ++k) {
                auto* curve = static_cast<CurveControl*>(source->GetReference(o.sourceRefs[k]));
                curve->SetNumPoints(3 + k);
                curve->SetPoint(2 + k, Point3(2.0f, 0.5f, 0.0f));
                curves.push_back(curve);
                // Kept alive, so that no new object can take its address.
                if (!sourceHasCurves) source->ReplaceReference(o.sourceRefs[k], nullptr, FALSE);
            }
            ReferenceTarget* made =
                o.subMap ? static_cast<ReferenceTarget*>(ConvertSub(static_cast<Tvl2BrushSubMap*>(source)))
                         : ConvertSet(static_cast<Tvl2LineSet*>(source));
            ASSERT_NE(made, nullptr);
            for (int k = 0; k < 2; ++k) {
                auto* copy = dynamic_cast<CurveControl*>(made->GetReference(o.targetRefs[k]));
                ASSERT_NE(copy, nullptr);
                EXPECT_NE(copy, curves[static_cast<size_t>(k)]);
                // Without a source curve the new object keeps the straight curve it was made with.
                EXPECT_EQ(copy->NumPoints(), sourceHasCurves ? 3 + k : 2);
            }
            if (!sourceHasCurves) continue;
            auto* copy = static_cast<CurveControl*>(made->GetReference(o.targetRefs[0]));
            copy->SetPoint(2, Point3(9.0f, 9.0f, 0.0f));
            curves[0]->SetPoint(0, Point3(-1.0f, 0.0f, 0.0f));
            EXPECT_EQ(curves[0]->GetPoint(2), Point3(2.0f, 0.5f, 0.0f));
            EXPECT_EQ(copy->GetPoint(0), Point3(0.0f, 0.0f, 0.0f));
        }
}

// ---- brushes of a line set ----

std::wstring BrushName(int ref) { return L"brush " + std::to_wstring(ref); }

TEST_F(LineEffectConversion, BrushesLandInTheirSlotsAndEachGroupRepeatsItsSecondSlot) {
    const struct {
        int from, to;
    } kSlots[] = {{13, 10}, {14, 12}, {15, 16}, {16, 15}, {17, 14}, {18, 13},
                  {19, 21}, {20, 23}, {21, 27}, {22, 26}, {23, 25}, {24, 24}};
    Tvl2LineSet* set = NewSet();
    for (const auto& s : kSlots) set->ReplaceReference(s.from, NewBrush(BrushName(s.from).c_str()));
    Tvl3LineSet* made = ConvertSet(set);
    ASSERT_NE(made, nullptr);
    for (const auto& s : kSlots) {
        SCOPED_TRACE(s.from);
        Tvl3BrushMap* brush = AsBrush(made->GetReference(s.to));
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(brush->GetName().wstring(), BrushName(s.from));
        EXPECT_EQ(map_.Lookup(set->GetReference(s.from)), brush);
    }
    EXPECT_EQ(made->GetReference(Tvl3LineSet::kRefBrushGroup0 + 1),
              made->GetReference(Tvl3LineSet::kRefBrushGroup0 + 2));
    EXPECT_EQ(made->GetReference(Tvl3LineSet::kRefBrushGroup1 + 1),
              made->GetReference(Tvl3LineSet::kRefBrushGroup1 + 2));
    for (int ref : {17, 18, 19, 20}) EXPECT_EQ(made->GetReference(ref), nullptr) << ref;
}

TEST_F(LineEffectConversion, OnlyTavelin2BrushesAreConvertedAndTheRepeatedSlotFollowsAnEmptyOne) {
    Tvl2LineSet* set = NewSet();
    set->ReplaceReference(13, NewBitmap(_M("a.png")));
    set->ReplaceReference(14, NewBitmap(_M("b.png")));
    set->ReplaceReference(15, Make<Tvl3BrushMap>());
    set->ReplaceReference(16, NewSubMap(_M("sub")));
    set->ReplaceReference(21, NewBrush(_M("kept")));
    Tvl3LineSet* made = ConvertSet(set);
    ASSERT_NE(made, nullptr);
    for (int ref : {10, 11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26})
        EXPECT_EQ(made->GetReference(ref), nullptr) << ref;
    ASSERT_NE(AsBrush(made->GetReference(Tvl3LineSet::kRefBrushGroup1 + 6)), nullptr);
    EXPECT_EQ(Text(AsBrush(made->GetReference(Tvl3LineSet::kRefBrushGroup1 + 6))->GetName()), "kept");
}

TEST_F(LineEffectConversion, ABrushUsedInSeveralSlotsAndSetsIsConvertedOnce) {
    Tvl2BrushMap* brush = NewBrush(_M("shared"));
    Tvl2LineSet* one = NewSet();
    one->ReplaceReference(13, brush);
    one->ReplaceReference(20, brush);
    Tvl2LineSet* other = NewSet();
    other->ReplaceReference(24, brush);
    Tvl3Line* made = Convert(NewLine(_M("Lines"), {one, other}));
    ASSERT_NE(made, nullptr);
    Tvl3BrushMap* newBrush = AsBrush(map_.Lookup(brush));
    ASSERT_NE(newBrush, nullptr);
    Tvl3LineSet* newOne = AsSet(made->GetLineSet(0));
    Tvl3LineSet* newOther = AsSet(made->GetLineSet(1));
    ASSERT_TRUE(newOne && newOther);
    for (int ref : {10, 22, 23}) EXPECT_EQ(newOne->GetReference(ref), newBrush) << ref;
    EXPECT_EQ(newOther->GetReference(Tvl3LineSet::kRefBrushGroup1 + 3), newBrush);
}

TEST_F(LineEffectConversion, WithoutTheTavelin3BrushClassTheBrushSlotsStayEmpty) {
    HostCore::Get().SetClassLoaded(TEXMAP_CLASS_ID, TVL3_BRUSH_MAP_CLASS_ID, false);
    Tvl2LineSet* set = NewSet();
    set->ReplaceReference(13, NewBrush(_M("a")));
    set->ReplaceReference(20, NewBrush(_M("b")));
    Tvl3LineSet* made = ConvertSet(set);
    ASSERT_NE(made, nullptr);
    for (int ref = 10; ref < made->NumRefs(); ++ref) EXPECT_EQ(made->GetReference(ref), nullptr) << ref;
}

// ---- brush maps and their sub-maps ----

TEST_F(LineEffectConversion, BrushParametersFollowTheirRenumberingAndTheNameIsKept) {
    Tvl2BrushMap* brush = NewBrush(_M("Soft round"));
    MarkBlock(brush->GetParamBlockByID(Tvl2BrushMap::kMainBlock));
    Tvl3BrushMap* made = ConvertBrush(brush);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(Text(made->GetName()), "Soft round");
    ExpectParams(brush, made,
                 {{0, 0, 0, 0},
                  {0, 1, 0, 1},
                  {0, 2, kDefault, 0},  // source 2 stays behind though the target has a 2
                  {0, 3, 0, 3},
                  {0, 4, 0, 4},
                  {0, 5, 0, 5},
                  {0, 6, kDefault, 0},  // an int in the source, a float here
                  {0, 7, 0, 9},
                  {0, 8, 0, 10}});
}

TEST_F(LineEffectConversion, BrushSubMapsMoveOneSlotAndTheOwnSubMapIsConverted) {
    Tvl2BrushMap* brush = NewBrush(_M("brush"));
    BitmapTex* pattern = NewBitmap(_M("pattern.png"));
    BitmapTex* texture = NewBitmap(_M("texture.png"));
    Tvl2BrushSubMap* stroke = NewSubMap(_M("stroke"));
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapPattern, pattern);
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapStroke, stroke);
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapTexture, texture);
    Tvl3BrushMap* made = ConvertBrush(brush);
    ASSERT_NE(made, nullptr);
    Tvl3BrushSubMap* newStroke = AsSubMap(made->GetSubTexmap(Tvl3BrushMap::kSubMapStroke));
    ASSERT_NE(newStroke, nullptr);
    EXPECT_EQ(Text(newStroke->GetName()), "stroke");
    EXPECT_EQ(map_.Lookup(stroke), newStroke);
    const struct {
        int slot;
        BitmapTex* source;
    } kCopies[] = {{1, pattern}, {2, texture}};
    for (const auto& c : kCopies) {
        SCOPED_TRACE(c.slot);
        auto* copy = dynamic_cast<BitmapTex*>(made->GetSubTexmap(c.slot));
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, c.source);
        EXPECT_EQ(copy->GetMapName(), c.source->GetMapName());
    }
    EXPECT_EQ(brush->GetSubTexmap(Tvl2BrushMap::kSubMapPattern), pattern);  // the source keeps its own maps
}

TEST_F(LineEffectConversion, ABitmapInTheOwnSubMapSlotIsLeftBehindWhileTheOtherSlotsAreCopied) {
    Tvl2BrushMap* brush = NewBrush(_M("brush"));
    BitmapTex* notASubMap = NewBitmap(_M("stroke.png"));
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapPattern, NewBitmap(_M("pattern.png")));
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapStroke, notASubMap);
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapTexture, NewBitmap(_M("texture.png")));
    Tvl3BrushMap* made = ConvertBrush(brush);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetSubTexmap(Tvl3BrushMap::kSubMapStroke), nullptr);
    EXPECT_EQ(map_.Lookup(notASubMap), nullptr);
    EXPECT_NE(made->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), nullptr);
    EXPECT_NE(made->GetSubTexmap(Tvl3BrushMap::kSubMapTexture), nullptr);
}

TEST_F(LineEffectConversion, MapsSharedByTwoBrushesAreCopiedOrConvertedOnce) {
    BitmapTex* paper = NewBitmap(_M("paper.png"));
    Tvl2BrushSubMap* stroke = NewSubMap(_M("stroke"));
    Tvl2BrushMap* a = NewBrush(_M("a"));
    Tvl2BrushMap* b = NewBrush(_M("b"));
    a->SetSubTexmap(Tvl2BrushMap::kSubMapPattern, paper);
    b->SetSubTexmap(Tvl2BrushMap::kSubMapTexture, paper);
    a->SetSubTexmap(Tvl2BrushMap::kSubMapStroke, stroke);
    b->SetSubTexmap(Tvl2BrushMap::kSubMapStroke, stroke);
    Tvl3BrushMap* newA = ConvertBrush(a);
    Tvl3BrushMap* newB = ConvertBrush(b);
    ASSERT_TRUE(newA && newB);
    ASSERT_NE(newA->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), nullptr);
    EXPECT_NE(newA->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), paper);
    EXPECT_EQ(newB->GetSubTexmap(Tvl3BrushMap::kSubMapTexture),
              newA->GetSubTexmap(Tvl3BrushMap::kSubMapPattern));
    ASSERT_NE(newA->GetSubTexmap(Tvl3BrushMap::kSubMapStroke), nullptr);
    EXPECT_EQ(newB->GetSubTexmap(Tvl3BrushMap::kSubMapStroke),
              newA->GetSubTexmap(Tvl3BrushMap::kSubMapStroke));
}

// One brush sub-map copied as brush a's sub-map 0 and converted as brush b's own sub-map 1, in either
// order: each slot gets its own kind of object, never the other's.
TEST_F(LineEffectConversion, ASubMapCopiedByOneBrushAndConvertedByAnotherGetsBothFates) {
    for (bool copiedFirst : {true, false}) {
        SCOPED_TRACE(copiedFirst ? "copied first" : "converted first");
        ConversionMap run;
        Tvl2BrushSubMap* shared = NewSubMap(_M("shared"));
        Tvl2BrushMap* a = NewBrush(_M("a"));
        Tvl2BrushMap* b = NewBrush(_M("b"));
        a->SetSubTexmap(Tvl2BrushMap::kSubMapPattern, shared);
        b->SetSubTexmap(Tvl2BrushMap::kSubMapStroke, shared);
        Texmap* first = ConvertBrushMap(copiedFirst ? a : b, run);
        Texmap* second = ConvertBrushMap(copiedFirst ? b : a, run);
        Tvl3BrushMap* newA = AsBrush(copiedFirst ? first : second);
        Tvl3BrushMap* newB = AsBrush(copiedFirst ? second : first);
        ASSERT_TRUE(newA && newB);
        Texmap* copy = newA->GetSubTexmap(Tvl3BrushMap::kSubMapPattern);
        Texmap* converted = newB->GetSubTexmap(Tvl3BrushMap::kSubMapStroke);
        ASSERT_TRUE(copy && converted);
        EXPECT_EQ(copy->ClassID(), TVL2_BRUSH_SUBMAP_CLASS_ID);
        EXPECT_NE(copy, shared);
        EXPECT_EQ(converted->ClassID(), TVL3_BRUSH_SUBMAP_CLASS_ID);
        EXPECT_EQ(run.Lookup(shared), converted);
        EXPECT_EQ(run.Lookup(shared, ConversionKind::Cloned), copy);
    }
}

TEST_F(LineEffectConversion, AnEmptySourceSubMapLeavesTheTargetSlotAsItWas) {
    Tvl2BrushMap* source = NewBrush(_M("source"));
    auto* target = Make<Tvl3BrushMap>();
    BitmapTex* kept = NewBitmap(_M("kept.png"));
    target->SetSubTexmap(Tvl3BrushMap::kSubMapPattern, kept);
    TransferSubMap(source, 0, target, 1, map_);
    EXPECT_EQ(target->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), kept);
    EXPECT_EQ(map_.Count(), 0);
}

TEST_F(LineEffectConversion, WithoutTheTavelin3SubMapClassOnlyTheOwnSubMapSlotStaysEmpty) {
    HostCore::Get().SetClassLoaded(TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID, false);
    Tvl2BrushMap* brush = NewBrush(_M("brush"));
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapPattern, NewBitmap(_M("pattern.png")));
    brush->SetSubTexmap(Tvl2BrushMap::kSubMapStroke, NewSubMap(_M("stroke")));
    Tvl3BrushMap* made = ConvertBrush(brush);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetSubTexmap(Tvl3BrushMap::kSubMapStroke), nullptr);
    EXPECT_NE(made->GetSubTexmap(Tvl3BrushMap::kSubMapPattern), nullptr);
}

TEST_F(LineEffectConversion, SubMapParametersOfTheSameIDAndTypeAreCopiedAndItsMapsAreCopied) {
    Tvl2BrushSubMap* sub = NewSubMap(_M("Dry stroke"));
    for (int i = 0; i < sub->NumParamBlocks(); ++i) MarkBlock(sub->GetParamBlock(i));
    sub->GetParamBlockByID(0)->SetValue(4, 0, _M("dry"));
    sub->GetParamBlockByID(0)->SetValue(3, 0, static_cast<Texmap*>(NewBitmap(_M("param.png"))));
    BitmapTex* shape = NewBitmap(_M("shape.png"));
    BitmapTex* grain = NewBitmap(_M("grain.png"));
    sub->SetSubTexmap(Tvl2BrushSubMap::kSubMapShape, shape);
    sub->SetSubTexmap(Tvl2BrushSubMap::kSubMapGrain, grain);
    Tvl3BrushSubMap* made = ConvertSub(sub);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(Text(made->GetName()), "Dry stroke");
    ExpectParams(sub, made,
                 {{0, 0, 0, 0},
                  {0, 1, 0, 1},
                  {0, 2, 0, 2},
                  {0, 4, 0, 4},
                  {1, 0, 1, 0},
                  {1, 1, 1, 1},
                  {1, 2, kDefault, 0}});  // a float in the source, an int here
    EXPECT_EQ(made->GetParamBlockByID(0)->GetTexmap(3), nullptr);
    const BitmapTex* sources[] = {shape, grain};
    for (int i = 0; i < 2; ++i) {
        auto* copy = dynamic_cast<BitmapTex*>(made->GetSubTexmap(i));
        ASSERT_NE(copy, nullptr) << i;
        EXPECT_NE(copy, sources[i]);
        EXPECT_EQ(map_.Lookup(sub->GetSubTexmap(i), ConversionKind::Cloned), copy);
    }
}

}  // namespace
