#include "SelectDialogTestScene.h"

// In tree mode the lines of one material share one state: the state of the line the user acted on last.
// Materials that are not shown are never selected.
TEST_F(SelectDialogTest, SyncSelection_TreeLinesOfOneMaterialAgree) {
    StandardMtl* s = Std(_M("s"));
    Node(Multi(_M("M"), {s}));
    Node(s);
    Node(Std(_M("a")));
    Slot(0, Std(_M("hidden")));
    callback.filterRule = true;
    Gather();
    dialog->SetFlatList(0);
    dialog->SetDisplayFilter(0, true);  // the scene's materials are shown, the editor's are not
    dialog->UpdateVisibility();
    dialog->Sort();
    dialog->FillRows();
    ASSERT_EQ(Lines(), (std::vector<std::string>{"M (Multi/Sub-Object)", "    s (Standard)", "a (Standard)",
                                                 "s (Standard)"}));

    const struct {
        const char* name;
        std::vector<int> selected;  // list box lines selected after the user's action
        int caret;
        std::vector<int> followUp;  // lines the window then sets to the caret line's state
        const char* marks;          // the lines' selection afterwards
    } steps[] = {
        // clang-format off
        {"click the sub-item", {1}, 1, {3, 1}, "0101"},
        {"ctrl-click the other line of s off", {1}, 3, {1, 3}, "0000"},
        {"shift-click a range", {0, 1, 2}, 2, {3, 2}, "1111"},
        {"no caret line: any selected line selects its material", {3}, -1, {1}, "0101"},
        {"nothing selected", {}, 0, {}, "0000"},
        // clang-format on
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(dialog->SyncSelection(step.selected, step.caret).entries, step.followUp);
        EXPECT_EQ(Marks(), step.marks);
        EXPECT_FALSE(dialog->FindListItem(GetCOREInterface()->GetMtlSlot(0))->Flags()[ITEM_SELECTED]);
    }
}

// Selecting in one view, switching views, filtering and pressing OK: the materials reported are the
// selected ones that are still shown, in list order, each once.
TEST_F(SelectDialogTest, Selection_SurvivesViewsAndReachesOK) {
    StandardMtl* s = Std(_M("s"));
    Node(Multi(_M("M"), {s}));
    Node(s);
    Slot(0, Std(_M("e")));
    callback.filterRule = true;
    Gather();
    dialog->TakeInitialSettings();
    dialog->UpdateVisibility();
    dialog->Sort();
    dialog->FillRows();
    ASSERT_EQ(Lines(), (std::vector<std::string>{"M (Multi/Sub-Object)", "e (Standard)", "s (Standard)"}));

    // Select all in the flat list, then show the tree: s stands twice, selected twice.
    dialog->SyncSelection({0, 1, 2}, 2);
    dialog->SetFlatList(0);
    dialog->Sort();
    dialog->FillRows();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"M (Multi/Sub-Object)", "    s (Standard)", "e (Standard)",
                                                 "s (Standard)"}));
    EXPECT_EQ(Marks(), "1111");

    // Hiding the editor's materials deselects e; showing them again does not select it again.
    dialog->SetDisplayFilter(1, false);
    dialog->UpdateVisibility();
    dialog->FillRows();
    dialog->SyncSelection({0, 1, 2}, 0);  // what the refilled list box shows selected
    dialog->SetDisplayFilter(1, true);
    dialog->UpdateVisibility();
    dialog->FillRows();
    EXPECT_EQ(Marks(), "1101");

    dialog->ReportSelection();
    EXPECT_EQ(callback.reported, (std::vector<std::string>{"M", "s"}));
}
