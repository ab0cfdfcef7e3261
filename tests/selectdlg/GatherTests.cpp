#include "SelectDialogTestScene.h"

// What gathering makes of a scene and the editor: the tree of items with their flags, and the questions
// the callback is asked on the way. Children stand newest first.
TEST_F(SelectDialogTest, Gather_ItemsFlagsAndQuestions) {
    const struct {
        const char* name;
        void (*build)();
        std::map<std::string, int> answers;
        const char* tree;
        std::vector<std::string> questions;
    } cases[] = {
        // clang-format off
        {"nodes and editor, newest first",
         [] { Node(Std(_M("b")), Node(Std(_M("a")))); Slot(0, Std(_M("c"))); },
         {}, "c:EM\nb:ES\na:ES\n", {"scene n/a", "scene n/b", "editor c#0"}},
        {"a carrier is kept for its eligible sub-materials",
         [] { Node(Multi(_M("M"), {Std(_M("s1")), Std(_M("s2"))})); },
         {{"M", SELMTL_CARRIER}}, "M:S\n  s2:ES\n  s1:ES\n", {"scene n/M", "sub M/s1#0", "sub M/s2#1"}},
        {"a left-out material takes its sub-materials with it",
         [] { Node(Multi(_M("M"), {Std(_M("s1"))})); },
         {{"M", SELMTL_LEAVE_OUT}}, "", {"scene n/M"}},
        {"in the scene and the editor: one item, asked once",
         [] { StandardMtl* a = Std(_M("a")); Node(a); Node(a); Slot(0, a); },
         {}, "a:ESM\n", {"scene n/a"}},
        {"a sub-material on a node too: one item per place",
         [] { StandardMtl* s = Std(_M("s")); Node(Multi(_M("M"), {s})); Node(s); },
         {}, "s:ES\nM:ES\n  s:ES\n", {"scene n/M", "sub M/s#0", "scene n/s"}},
        {"one sub-material in two slots of its parent",
         [] { StandardMtl* s = Std(_M("s")); Slot(0, Multi(_M("M"), {s, nullptr, s})); },
         {}, "M:EM\n  s:EM\n", {"editor M#0", "sub M/s#0"}},
        // Maps in the editor are passed over; an empty slot is passed over too, never taken for the end.
        {"editor maps and gaps",
         [] { Slot(0, Make<BitmapTex>(_M("map"))); Slot(1, nullptr); Slot(5, Std(_M("late"))); },
         {}, "late:EM\n", {"editor late#5"}},
        // The walk reads nodes a batch ahead of visiting them: the visits keep the nodes' order.
        {"many nodes, with and without a material",
         [] {
             StandardMtl* a = Std(_M("a"));
             INode* group = Node(nullptr);
             for (int i = 0; i < 150; ++i) Node(i == 70 ? Std(_M("b")) : i % 3 ? a : nullptr, group);
             Node(Std(_M("c")));
         },
         {}, "c:ES\nb:ES\na:ES\n", {"scene n/a", "scene n/b", "scene n/c"}},
        {"a carrier's scene flag reaches its sub-items; a later find does not",
         [] { Mtl* m = Multi(_M("M"), {Std(_M("s"))}); Node(m); Slot(0, m); },
         {{"M", SELMTL_CARRIER}}, "M:SM\n  s:ES\n", {"scene n/M", "sub M/s#0"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HostCore::Get().ResetScene();
        dialog = std::make_unique<SelectMaterialDialog>(&callback, GetCOREInterface());
        callback.dialog = dialog.get();
        callback.questions.clear();
        callback.answers = c.answers;
        c.build();
        Gather();
        EXPECT_EQ(Tree(), c.tree);
        EXPECT_EQ(callback.questions, c.questions);
    }
}

// The visibility pass asks the callback about eligible items only, each under its own parent; FindTreeItem
// answers a material's place under a parent, in the pass and outside it.
TEST_F(SelectDialogTest, Visibility_AndFindTreeItem) {
    StandardMtl* s = Std(_M("s"));
    StandardMtl* a = Std(_M("a"));
    MultiSubMtl* m = Multi(_M("M"), {s});
    Node(a);
    Node(m);
    Slot(0, s);
    Slot(1, Std(_M("b")));
    Slot(2, Std(_M("carrier")));
    callback.answers = {{"carrier", SELMTL_CARRIER}};
    callback.filterRule = true;
    Gather();

    const struct {
        unsigned filter;
        std::vector<std::string> visible;
    } passes[] = {{0x00, {}}, {0x01, {"M", "s", "a"}}, {0x02, {"b", "s"}}, {0x03, {"b", "s", "M", "s", "a"}}};
    for (const auto& c : passes) {
        for (int i = 0; i < kNumDisplayFilters; ++i) dialog->SetDisplayFilter(i, (c.filter >> i) & 1);
        dialog->UpdateVisibility();
        std::vector<std::string> visible;
        for (auto* t = dialog->Root()->FirstChild(); t; t = t->NextInPreorder())
            if (t->Data()->Flags()[ITEM_VISIBLE])
                visible.push_back(Utf8(t->Data()->GetMaterial()->GetName()));
        EXPECT_EQ(visible, c.visible) << "filter " << c.filter;
    }

    const struct {
        MtlBase* parent;
        MtlBase* mtl;
        const char* found;  // flags S and M of the item found, "none" when none is
        bool inEditor;
    } finds[] = {
        {m, s, "S", false}, {nullptr, s, "M", true}, {nullptr, a, "S", false}, {a, s, "none", false}};
    for (const auto& c : finds) {
        auto* item = dialog->FindTreeItem(c.parent, c.mtl);
        std::string found = "none";
        if (item) {
            BitArray& f = item->Data()->Flags();
            found = std::string(f[ITEM_IN_SCENE] ? "S" : "") + (f[ITEM_IN_MTL_EDITOR] ? "M" : "");
        }
        EXPECT_EQ(found, c.found) << Utf8(c.mtl->GetName());
        EXPECT_EQ(dialog->IsInMaterialEditor(c.parent, c.mtl), c.inEditor) << Utf8(c.mtl->GetName());
    }
}

// A dialog with the default callback lists every material once, flat, by name.
TEST_F(SelectDialogTest, Defaults_ListEveryMaterial) {
    SelectMaterialDialog plain(nullptr, GetCOREInterface());
    StandardMtl* b = Std(_M("b"));
    Node(Multi(_M("M"), {b}));
    Slot(0, Std(_M("a")));
    plain.AddSceneMaterials(GetCOREInterface()->GetRootNode());
    plain.AddEditorMaterials();
    plain.TakeInitialSettings();
    plain.UpdateVisibility();
    plain.Sort();
    std::vector<std::string> lines;
    for (const auto& row : plain.FillRows()) lines.push_back(Utf8(row.text));
    EXPECT_EQ(lines, (std::vector<std::string>{"M (Multi/Sub-Object)", "a (Standard)", "b (Standard)"}));
    EXPECT_EQ(plain.GetDisplayFilter(), ItemFlags(0x1F));
}
