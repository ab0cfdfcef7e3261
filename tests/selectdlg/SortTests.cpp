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

// In tree mode every level is sorted and a line is indented four spaces per level below the top; a line
// fits 255 characters, where deep indentation gives way to at least 64 characters of the name.
TEST_F(SelectDialogTest, TreeLines_SortedIndentedAndFitted) {
    Node(Multi(_M("M"), {Std(_M("y")), Multi(_M("N"), {Std(_M("q")), Std(_M("p"))}), Std(_M("x"))}));
    Mtl* chain = Std(std::wstring(300, L'n').c_str());
    for (int i = 0; i < 70; ++i) chain = Multi(_M("m"), {chain});
    Node(chain);
    Gather();
    dialog->SetFlatList(0);
    dialog->UpdateVisibility();
    dialog->Sort();
    dialog->FillRows();
    std::vector<std::string> lines = Lines(), fitted(lines.begin() + 7, lines.end());
    lines.resize(7);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"M (Multi/Sub-Object)", "    N (Multi/Sub-Object)",
                                        "        p (Standard)", "        q (Standard)", "    x (Standard)",
                                        "    y (Standard)", "m (Multi/Sub-Object)"}));
    EXPECT_EQ(fitted.back().size(), 255u);
    EXPECT_EQ(fitted.back().find_first_not_of(' '), 255u - 64u);
}
