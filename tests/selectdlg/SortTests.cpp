#include "SelectDialogTestScene.h"

namespace {

enum Kind { kStd, kMulti, kVariant };

}  // namespace

// Both sorts compare code units as unsigned 16-bit values, with no case folding: upper-case Latin letters
// before lower-case ones, and a character beyond 16 bits (a surrogate pair) before U+FF21.
TEST_F(SelectDialogTest, Sort_CodeUnitOrderInBothViews) {
    const struct {
        const char* name;
        std::vector<std::pair<Kind, std::wstring>> materials;  // top-level materials, gathered in this order
        int sortMode;
        std::vector<std::string> order;  // by material name
    } cases[] = {
        {"by name", {{kStd, L"b"}, {kStd, L"B"}, {kStd, L"a"}}, 0, {"B", "a", "b"}},
        {"by name, beyond 16 bits",
         {{kStd, L"\uFF21"}, {kStd, L"\U0001F600"}, {kStd, L"z"}},
         0,
         {"z", "\U0001F600", "\uFF21"}},
        {"a shorter name first", {{kStd, L"ab"}, {kStd, L"a"}}, 0, {"a", "ab"}},
        // Class names: "Multi/Sub-Object" < "Standard" < "StandardVariant".
        {"by type, then name",
         {{kVariant, L"a"}, {kStd, L"c"}, {kMulti, L"z"}, {kStd, L"b"}, {kMulti, L"y"}},
         1,
         {"y", "z", "b", "c", "a"}},
    };
    for (const auto& c : cases) {
        for (int flat : {1, 0}) {
            SCOPED_TRACE(std::string(c.name) + (flat ? ", flat" : ", tree"));
            HostCore::Get().ResetScene();
            dialog = std::make_unique<SelectMaterialDialog>(&callback, GetCOREInterface());
            for (const auto& [kind, name] : c.materials) {
                Mtl* m = kind == kStd     ? static_cast<Mtl*>(Std(name.c_str()))
                         : kind == kMulti ? static_cast<Mtl*>(Multi(name.c_str(), {}))
                                          : static_cast<Mtl*>(Make<StandardVariantMtl>(name.c_str()));
                Node(m);
            }
            Gather();
            dialog->SetFlatList(flat);
            dialog->SetSortMode(c.sortMode);
            dialog->UpdateVisibility();
            dialog->Sort();
            std::vector<std::string> order;
            for (const auto& row : dialog->FillRows())
                order.push_back(Utf8(row.item->GetMaterial()->GetName()));
            EXPECT_EQ(order, c.order);
        }
    }
}

// The single comparisons the window may use answer like the sorts.
TEST_F(SelectDialogTest, Compare_NameThenType) {
    Node(Std(_M("b")));
    Node(Multi(_M("a"), {}));
    Gather();
    auto* std = dialog->FindListItem(dialog->Root()->FirstChild()->NextSibling()->Data()->GetMaterial());
    auto* multi = dialog->FindListItem(dialog->Root()->FirstChild()->Data()->GetMaterial());
    EXPECT_GT(SelectMaterialDialog::CompareByName(std, multi), 0);  // "b (Standard)" after "a (Multi...)"
    EXPECT_LT(SelectMaterialDialog::CompareByType(multi, std), 0);  // "Multi/Sub-Object" before "Standard"
    EXPECT_EQ(SelectMaterialDialog::CompareByName(std, std), 0);
}

// In tree mode every level is sorted, and a tree line is indented four spaces per level below the top.
TEST_F(SelectDialogTest, Sort_TreeLevelsAndIndentation) {
    Node(Multi(_M("M"), {Std(_M("y")), Multi(_M("N"), {Std(_M("q")), Std(_M("p"))}), Std(_M("x"))}));
    Node(Std(_M("A")));
    Gather();
    dialog->SetFlatList(0);
    dialog->UpdateVisibility();
    dialog->Sort();
    dialog->FillRows();
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"A (Standard)", "M (Multi/Sub-Object)", "    N (Multi/Sub-Object)",
                                        "        p (Standard)", "        q (Standard)", "    x (Standard)",
                                        "    y (Standard)"}));
}

// A tree line fits 255 characters: a long name keeps its start, and deep indentation gives way to it.
TEST_F(SelectDialogTest, TreeLine_FitsTheLineBuffer) {
    const std::wstring longName(300, L'n');
    Mtl* top = Std(longName.c_str());
    Mtl* chain = top;
    for (int i = 0; i < 70; ++i) chain = Multi(_M("m"), {chain});  // top lies 70 levels below the last
    Node(chain);
    Gather();
    dialog->SetFlatList(0);
    dialog->UpdateVisibility();
    const auto& rows = dialog->FillRows();
    const std::string deepest = Utf8(rows.back().text);
    EXPECT_EQ(deepest.size(), 255u);
    EXPECT_EQ(deepest.find_first_not_of(' '), 255u - 64u);  // at least 64 characters of the name are shown
    EXPECT_EQ(Utf8(rows[1].text), "    m (Multi/Sub-Object)");
}
