#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "HostTestObjects.h"
#include "Products.h"
#include "SelectMaterialDialog.h"
#include "hostclasses/BitmapTex.h"
#include "hostclasses/MultiSubMtl.h"
#include "stdmat/StandardMtl.h"
#include "stdmat/StandardVariantMtl.h"

inline std::string Utf8(const MSTR& s) { return s.ToUTF8(); }

// A callback whose answers come from a table by material name, noting every question it is asked. Its
// visibility rule is the one the material converter uses: filter 0 shows what was found in the scene,
// filter 1 what was found in the editor, each asked of the dialog through FindTreeItem.
class ScriptedCallback : public SelectMaterialDialogCallback {
public:
    std::map<std::string, int> answers;  // by material name; SELMTL_ELIGIBLE when absent
    std::vector<std::string> questions;
    std::vector<std::string> reported;
    SelectMaterialDialog* dialog = nullptr;
    bool filterRule = false;

    int CheckSubMaterial(Mtl* parent, Mtl* sub, int index) override {
        return Ask(
            "sub " + Utf8(parent->GetName()) + "/" + Utf8(sub->GetName()) + "#" + std::to_string(index), sub);
    }
    int CheckEditorMaterial(MtlBase* m, int slot) override {
        return Ask("editor " + Utf8(m->GetName()) + "#" + std::to_string(slot), m);
    }
    int CheckSceneMaterial(INode* node, Mtl* m) override {
        return Ask("scene " + Utf8(MSTR(node->GetName())) + "/" + Utf8(m->GetName()), m);
    }
    int IsItemVisible(MtlBase* parent, MtlBase* m, const BitArray& filter) override {
        if (!filterRule) return 1;
        SelectMaterialDialog::TreeItem* item = dialog->FindTreeItem(parent, m);
        if (!item) return 0;
        BitArray& flags = item->Data()->Flags();
        return (filter[0] && flags[ITEM_IN_SCENE]) || (filter[1] && flags[ITEM_IN_MTL_EDITOR]);
    }
    void OnOK(Tab<MtlBase*>& selected) override {
        for (MtlBase* m : selected) reported.push_back(Utf8(m->GetName()));
    }

private:
    int Ask(const std::string& question, MtlBase* m) {
        questions.push_back(question);
        auto it = answers.find(Utf8(m->GetName()));
        return it == answers.end() ? SELMTL_ELIGIBLE : it->second;
    }
};

class SelectDialogTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
        dialog = std::make_unique<SelectMaterialDialog>(&callback, GetCOREInterface());
        callback.dialog = dialog.get();
    }
    void TearDown() override {
        dialog.reset();
        HostTest::TearDown();
    }

    template <class T>
    static T* Make(const MCHAR* name) {
        auto* m = static_cast<T*>(GetCOREInterface()->CreateInstance(T::kInfo.superClass, T::kInfo.classID));
        m->SetName(MSTR(name));
        return m;
    }
    static StandardMtl* Std(const MCHAR* name) { return Make<StandardMtl>(name); }
    static MultiSubMtl* Multi(const MCHAR* name, std::initializer_list<Mtl*> subs) {
        MultiSubMtl* m = Make<MultiSubMtl>(name);
        m->SetNumSubMtls(static_cast<int>(subs.size()));
        int i = 0;
        for (Mtl* s : subs) m->SetSubMtl(i++, s);
        return m;
    }
    static INode* Node(Mtl* m, INode* parent = nullptr) {
        INode* n = HostCore::Get().CreateNode(_M("n"), parent);
        n->SetMtl(m);
        return n;
    }
    static void Slot(int slot, MtlBase* m) { GetCOREInterface7()->SetMtlSlot(slot, m); }

    void Gather() {
        dialog->AddSceneMaterials(GetCOREInterface()->GetRootNode());
        dialog->AddEditorMaterials();
    }

    // The tree in pre-order, one item per line: two spaces per level below the top, the material's name
    // and the flags of the item and its list item: E eligible, V visible, X selected, S scene, M editor.
    std::string Tree() {
        std::string out;
        for (auto* t = dialog->Root()->FirstChild(); t; t = t->NextInPreorder()) {
            const unsigned flags = FlagValue(t->Data()->Flags()) | FlagValue(t->Data()->List()->Flags());
            out += std::string(static_cast<size_t>(2 * (t->Depth() - 1)), ' ') +
                   Utf8(t->Data()->GetMaterial()->GetName()) + ":";
            for (int i = 0; i < kNumItemFlags; ++i)
                if ((flags >> i) & 1u) out += "EVXSM"[i];
            out += "\n";
        }
        return out;
    }

    // The list box lines, and which of them are selected ("1" for a selected line).
    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (const auto& row : dialog->Rows()) out.push_back(Utf8(row.text));
        return out;
    }
    std::string Marks() const {
        std::string out;
        for (const auto& row : dialog->Rows()) out += row.selected ? '1' : '0';
        return out;
    }

    ScriptedCallback callback;
    std::unique_ptr<SelectMaterialDialog> dialog;
};
