// The conversion list, the reference holder and the converter state that owns both.

#include <cctype>
#include <memory>
#include <string>

#include "MtlConvTestScene.h"
#include "MtlConverterState.h"
#include "ReferenceHolder.h"

namespace {

// What a panel would show: the list's length and the reference material each time it is told of a change.
class RecordingView : public MtlConverterView {
public:
    explicit RecordingView(MtlConverterState& state) : state_(state) {}
    void MtlListChanged() override { listCounts.push_back(state_.List().Count()); }
    void UpdateControls() override { referencesShown.push_back(state_.GetReferenceMaterial()); }

    std::vector<int> listCounts;
    std::vector<Mtl*> referencesShown;

private:
    MtlConverterState& state_;
};

// What the converter state held when a later listener heard the same host notification, before the host
// freed anything.
struct StateSeen {
    int listCount = -1;
    Mtl* reference = nullptr;
};
StateSeen& SeenAtNotification() {
    static StateSeen seen;
    return seen;
}
void NoteState(void*, NotifyInfo*) {
    MtlConverterState& state = TheMtlConverterState();
    SeenAtNotification() = {state.List().Count(), state.GetReferenceMaterial()};
}

bool IsDependent(ReferenceTarget* target, ReferenceMaker* maker) {
    for (ReferenceMaker* m : Dependents(target))
        if (m == maker) return true;
    return false;
}

}  // namespace

// ---- conversion list ----

using ConversionListTest = MtlConvTest;

TEST_F(ConversionListTest, KeepsOrderOfAdditionThroughErasesAndRefusesDuplicates) {
    Mtl* a = InScene(NewStandard(_M("A")));
    Mtl* b = InScene(NewStandard(_M("B")));
    Mtl* c = InScene(NewTvl2(_M("C")));
    Mtl* d = InScene(NewStandard(_M("D")));
    Mtl* unlisted = NewStandard(_M("E"));
    MtlConvList list;
    AddAll(list, {a, b, c, d});

    list.Erase(b);
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, c, d}));
    list.Erase(unlisted);
    list.Erase(b);
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, c, d}));
    AddAll(list, {a, d});
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, c, d}));
    AddAll(list, {b});
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{a, c, d, b}));
    EXPECT_TRUE(list.Contains(b));
    EXPECT_FALSE(list.Contains(unlisted));

    list.Assign({MtlConvData::Of(d), MtlConvData::Of(a), MtlConvData::Of(d)});
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{d, a}));
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST_F(ConversionListTest, EntryTextsAreTakenWhenTheMaterialIsListed) {
    Mtl* red = NewStandard(_M("Red"));
    Mtl* toon = NewTvl2(_M("Toon"));
    MtlConvList list;
    AddAll(list, {red, toon});
    red->SetName(MSTR(_M("Blue")));

    const MtlConvData& first = list.Items().front();
    EXPECT_EQ(Text(first.fullName), L"Red (Standard)");
    EXPECT_EQ(Text(first.className), L"Standard");
    EXPECT_EQ(Text(first.name), L"Red");
    EXPECT_EQ(Text(list.Items().back().fullName), L"Toon (Tavelin 2 Material)");
}

// The list's reference is a real one: a material only the list kept goes when it leaves the list, and
// a material deleted while listed leaves the list.
TEST_F(ConversionListTest, AMaterialOnlyTheListKeptGoesWithItsEntry) {
    HostCore& host = HostCore::Get();
    const struct {
        const char* name;
        void (*leave)(MtlConvList& list, Mtl* m);
    } cases[] = {
        {"erased", [](MtlConvList& list, Mtl* m) { list.Erase(m); }},
        {"cleared", [](MtlConvList& list, Mtl*) { list.Clear(); }},
        {"deleted", [](MtlConvList&, Mtl* m) { m->DeleteMe(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Mtl* m = NewStandard(_M("Gone"));
        MtlConvList list;
        AddAll(list, {m});
        const int live = host.NumLiveObjects();
        c.leave(list, m);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_LT(host.NumLiveObjects(), live);
    }
}

TEST_F(ConversionListTest, ChangingTheListRecordsNothingForUndo) {
    Mtl* a = InScene(NewStandard(_M("A")));
    Mtl* b = InScene(NewStandard(_M("B")));
    MtlConvList list;
    theHold.Begin();
    AddAll(list, {a, b});
    list.Erase(a);
    list.Assign({MtlConvData::Of(a)});
    list.Clear();
    EXPECT_EQ(theHold.NumRecordsOpen(), 0);
    theHold.Accept(MSTR(_M("list")).dataForWrite());
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
}

TEST_F(ConversionListTest, MaterialsFreedByTheHostLeaveTheListAndTheListStaysUsable) {
    MtlConvList list;
    CountingListener listener(list);
    list.SetListener(&listener);
    AddAll(list, {NewStandard(_M("A")), NewTvl2(_M("B")), NewStandard(_M("C"))});

    HostCore::Get().ResetScene();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(listener.counts, (std::vector<int>{2, 1, 0}));

    // The slots the freed materials had are used again.
    Mtl* x = NewStandard(_M("X"));
    Mtl* y = NewStandard(_M("Y"));
    AddAll(list, {x, y});
    EXPECT_EQ(Listed(list), (std::vector<MtlBase*>{x, y}));
    list.Erase(x);
    HostCore::Get().ResetScene();
    EXPECT_TRUE(list.Empty());
    list.SetListener(nullptr);
}

// ---- reference holder ----

using ReferenceHolderTest = MtlConvTest;

TEST_F(ReferenceHolderTest, NewHolderHasNoTableAndAnswersNullEverywhere) {
    ReferenceHolder holder;
    EXPECT_EQ(holder.NumRefs(), 0);
    EXPECT_EQ(holder.GetReference(0), nullptr);
    MSTR name;
    holder.GetClassName(name);
    EXPECT_EQ(Text(name), L"ReferenceMaker");
}

TEST_F(ReferenceHolderTest, SetOnlyRefReleasesWhatWasHeldAndKeepsOneEntry) {
    Mtl* a = InScene(NewStandard(_M("A")));
    Mtl* b = InScene(NewStandard(_M("B")));
    ReferenceHolder holder;
    holder.SetOnlyRef(a);
    holder.SetOnlyRef(b);
    EXPECT_EQ(holder.NumRefs(), 1);
    EXPECT_EQ(holder.GetReference(0), b);
    EXPECT_FALSE(IsDependent(a, &holder));
    EXPECT_TRUE(IsDependent(b, &holder));

    holder.SetOnlyRef(nullptr);
    EXPECT_EQ(holder.NumRefs(), 1);
    EXPECT_EQ(holder.GetReference(0), nullptr);
    EXPECT_FALSE(IsDependent(b, &holder));
}

TEST_F(ReferenceHolderTest, SetRefCountReleasesEveryEntryAndLeavesEmptyEntries) {
    Mtl* a = InScene(NewStandard(_M("A")));
    Mtl* b = InScene(NewStandard(_M("B")));
    ReferenceHolder holder;
    holder.SetRefCount(2);
    holder.ReplaceReference(0, a);
    holder.ReplaceReference(1, b);
    holder.SetRefCount(3);
    EXPECT_EQ(holder.NumRefs(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(holder.GetReference(i), nullptr);
    EXPECT_EQ(holder.GetReference(3), nullptr);
    EXPECT_EQ(holder.GetReference(-1), nullptr);
    EXPECT_FALSE(IsDependent(a, &holder));
    EXPECT_FALSE(IsDependent(b, &holder));
    EXPECT_EQ(holder.ReplaceReference(3, a), REF_FAIL);
}

TEST_F(ReferenceHolderTest, HoldingIsNeverAnUndoStep) {
    Mtl* a = InScene(NewStandard(_M("A")));
    ReferenceHolder holder;
    theHold.Begin();
    holder.SetOnlyRef(a);
    holder.SetRefCount(2);
    holder.SetOnlyRef(a);
    EXPECT_EQ(theHold.NumRecordsOpen(), 0);
    theHold.Accept(MSTR(_M("holder")).dataForWrite());
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
    EXPECT_EQ(holder.GetReference(0), a);
}

// The holder's reference keeps its target alive: set again to what it already holds alone, the target
// stays; released, it goes; deleted by someone else, the holder reads empty.
TEST_F(ReferenceHolderTest, ItsReferenceDecidesTheTargetsLifetime) {
    HostCore& host = HostCore::Get();
    Tvl3Material* a = NewTvl3(_M("A"));
    ReferenceHolder holder;
    holder.SetRefCount(3);
    holder.ReplaceReference(2, a);
    holder.SetOnlyRef(a);
    holder.SetOnlyRef(a);
    const int live = host.NumLiveObjects();
    EXPECT_EQ(holder.NumRefs(), 1);
    EXPECT_EQ(holder.GetReference(0), a);
    EXPECT_EQ(Text(a->GetName()), L"A");
    holder.SetOnlyRef(nullptr);
    EXPECT_LT(host.NumLiveObjects(), live);

    Mtl* b = NewStandard(_M("B"));
    holder.SetOnlyRef(b);
    Holder other;
    other.ReplaceReference(0, b);
    b->DeleteMe();
    EXPECT_EQ(holder.GetReference(0), nullptr);
    EXPECT_EQ(other.GetReference(0), nullptr);
}

TEST_F(ReferenceHolderTest, TargetFreedByTheHostReadsAsEmpty) {
    ReferenceHolder holder;
    holder.SetOnlyRef(NewTvl3(_M("Ref")));
    HostCore::Get().ResetScene();
    EXPECT_EQ(holder.NumRefs(), 1);
    EXPECT_EQ(holder.GetReference(0), nullptr);
    holder.SetOnlyRef(NewStandard(_M("Next")));
    EXPECT_NE(holder.GetReference(0), nullptr);
}

// ---- the converter state ----

class ConverterStateTest : public MtlConvTest {
protected:
    void TearDown() override {
        TheMtlConverterState().SetView(nullptr);
        MtlConvTest::TearDown();
    }
};

TEST_F(ConverterStateTest, ResetEmptiesTheListForgetsTheReferenceAndRefreshesThePanel) {
    MtlConverterState& state = TheMtlConverterState();
    RecordingView view(state);
    Mtl* reference = InScene(NewTvl3(_M("Model")));
    AddAll(state.List(), {NewStandard(_M("A")), NewStandard(_M("B"))});
    state.SetReferenceMaterial(reference);
    state.SetView(&view);

    state.Reset();
    EXPECT_TRUE(state.List().Empty());
    EXPECT_EQ(state.GetReferenceMaterial(), nullptr);
    EXPECT_FALSE(IsDependent(reference, &state.ReferenceMaterialHolder()));
    EXPECT_EQ(view.listCounts, std::vector<int>{0});
    EXPECT_EQ(view.referencesShown, std::vector<Mtl*>{nullptr});
}

struct SceneResetCase {
    const char* what;
    int code;
    bool panelOpen;
};

class ConverterStateResetTest : public ConverterStateTest,
                                public ::testing::WithParamInterface<SceneResetCase> {};

TEST_P(ConverterStateResetTest, HostResetNewSceneAndFileOpenForgetListAndReference) {
    const SceneResetCase& c = GetParam();
    // As the plug-in does when it is loaded, and a host program that runs the converter does again: the
    // state is reset once per notification all the same. The note taker hears each notification after it.
    RegisterMtlConverterNotifications();
    RegisterMtlConverterNotifications();
    for (int code : {NOTIFY_SYSTEM_PRE_RESET, NOTIFY_SYSTEM_PRE_NEW, NOTIFY_FILE_PRE_OPEN})
        RegisterNotification(NoteState, nullptr, code);
    MtlConverterState& state = TheMtlConverterState();
    RecordingView view(state);
    Tvl3Material* reference = NewTvl3(_M("Model"));
    AddAll(state.List(), {NewStandard(_M("A")), NewTvl2(_M("B"))});
    state.SetReferenceMaterial(reference);
    if (c.panelOpen) state.SetView(&view);
    SeenAtNotification() = {-1, reference};

    HostCore::Get().ResetScene(c.code);
    EXPECT_EQ(SeenAtNotification().listCount, 0);
    EXPECT_EQ(SeenAtNotification().reference, nullptr);
    EXPECT_TRUE(state.List().Empty());
    EXPECT_EQ(state.GetReferenceMaterial(), nullptr);
    EXPECT_EQ(state.ReferenceMaterialHolder().NumRefs(), 1);
    if (c.panelOpen) {
        // The panel is refreshed before anything is freed: it never sees a listed material go one by one.
        EXPECT_EQ(view.listCounts, std::vector<int>{0});
        EXPECT_EQ(view.referencesShown, std::vector<Mtl*>{nullptr});
    }
}

INSTANTIATE_TEST_SUITE_P(Notifications, ConverterStateResetTest,
                         ::testing::Values(SceneResetCase{"reset", NOTIFY_SYSTEM_PRE_RESET, true},
                                           SceneResetCase{"new", NOTIFY_SYSTEM_PRE_NEW, true},
                                           SceneResetCase{"open", NOTIFY_FILE_PRE_OPEN, true},
                                           SceneResetCase{"reset, panel closed", NOTIFY_SYSTEM_PRE_RESET,
                                                          false}),
                         [](const ::testing::TestParamInfo<SceneResetCase>& info) {
                             std::string name = info.param.what;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });
