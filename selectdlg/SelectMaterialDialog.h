#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "ItemArena.h"
#include "ItemFlags.h"
#include "PointerMap.h"
#include "SelectMaterialDialogCallback.h"
#include "SubtreeItem.h"
#include "WindowsDefines.h"
#include "max.h"

// The model of the material selection dialog: the materials gathered from the scene and the material
// editor, once each as a list item and once per place as a tree item, with their flags; the visibility
// pass, the two sorts, the lines of the list box and the selection they carry. The window shows the lines
// and reports the user's actions here; nothing in this class needs a window.
class SelectMaterialDialog {
public:
    class ListItemData;
    class SubtreeItemData;
    typedef SubtreeItem<SubtreeItemData*> TreeItem;

    // What both kinds of item answer: their material.
    class ItemDataTmpl {
    public:
        virtual ~ItemDataTmpl() {}
        virtual MtlBase* GetMaterial() = 0;
        virtual void SetMaterial(MtlBase* mtl) = 0;
    };

    // One per material: its selection and eligibility, and the chain of its places in the tree.
    class ListItemData : public ItemDataTmpl {
    public:
        ListItemData(SelectMaterialDialog& dialog, MtlBase* mtl) : mtl_(mtl), dialog_(dialog) {}
        MtlBase* GetMaterial() override { return mtl_; }
        void SetMaterial(MtlBase* mtl) override;

        BitArray& Flags() { return flags_; }
        SubtreeItemData* FirstTreeItem() const { return first_; }
        // Whether any of its tree items is shown.
        bool IsVisible() const;

    private:
        friend class SelectMaterialDialog;
        MtlBase* mtl_;
        BitArray flags_{kNumItemFlags};
        SubtreeItemData* first_ = nullptr;
        SubtreeItemData* last_ = nullptr;  // where the chain grows
        SelectMaterialDialog& dialog_;
        size_t rank_ = 0;  // its place in the order of the last sort, shared by equal items
    };

    // One per place in the tree; its material is its list item's.
    class SubtreeItemData : public ItemDataTmpl {
    public:
        explicit SubtreeItemData(ListItemData* list) : list_(list) {}
        MtlBase* GetMaterial() override { return list_->GetMaterial(); }
        void SetMaterial(MtlBase* mtl) override { list_->SetMaterial(mtl); }

        BitArray& Flags() { return flags_; }
        ListItemData* List() const { return list_; }
        SubtreeItemData* Next() const { return next_; }
        TreeItem* Node() const { return node_; }

    private:
        friend class SelectMaterialDialog;
        BitArray flags_{kNumItemFlags};
        ListItemData* list_;
        SubtreeItemData* next_ = nullptr;  // the list item's next place, in creation order
        TreeItem* node_ = nullptr;
    };

    // One line of the list box: its text, the item it stands for (a list item in flat mode, a tree item
    // in tree mode), that item's list item and whether the line is selected.
    struct ListRow {
        MSTR text;
        ItemDataTmpl* item;
        ListItemData* list;
        bool selected;
    };

    // Lines of the list box whose selection must follow their material after SyncSelection.
    struct SelectionFollowUp {
        bool select = false;
        std::vector<int> entries;
    };

    // The callback and the host outlive the dialog. Without a callback the dialog uses the defaults.
    SelectMaterialDialog(SelectMaterialDialogCallback* callback, Interface* ip);
    SelectMaterialDialog(const SelectMaterialDialog&) = delete;
    SelectMaterialDialog& operator=(const SelectMaterialDialog&) = delete;
    virtual ~SelectMaterialDialog();

    // Gathering, before the dialog is shown: the scene below node (the root node), the editor slots, and
    // the opener's own items.
    void AddSceneMaterials(INode* node);
    void AddEditorMaterials();
    // Adds one item below parent (the root when none) without looking at sub-materials; none for none.
    TreeItem* AddItem(TreeItem* parent, MtlBase* mtl, const BitArray& flags);
    // Adds mtl and, recursively, its sub-materials below parent. Bit ITEM_ELIGIBLE of flags is rewritten
    // on the way down.
    TreeItem* AddItemWithSubMaterials(TreeItem* parent, MtlBase* mtl, BitArray& flags);
    ListItemData* FindListItem(MtlBase* mtl);

    // Queries for callbacks. FindTreeItem answers the item of mtl below an item of parent (a top-level
    // item when parent is none), the first in tree order.
    TreeItem* FindTreeItem(MtlBase* parent, MtlBase* mtl);
    bool IsInMaterialEditor(MtlBase* parent, MtlBase* mtl);
    BitArray GetDisplayFilter() const { return filter_; }
    int GetSortMode() const { return sortMode_; }
    int IsFlatList() const { return flatList_; }
    HWND GetWindowHandle() const { return hWnd_; }

    // The view: settings, visibility pass, sort, lines, selection and the result.
    void TakeInitialSettings();
    void SetFlatList(int flat) { flatList_ = flat ? 1 : 0; }
    void SetSortMode(int mode) { sortMode_ = mode == 1 ? 1 : 0; }
    void SetDisplayFilter(int index, bool on);
    void UpdateVisibility();
    void ClearVisibilityCursor() { cursorItem_ = cursorParent_ = nullptr; }
    void Sort();
    const std::vector<ListRow>& FillRows();
    const std::vector<ListRow>& Rows() const { return rows_; }
    // Carries the list box selection (the selected lines in ascending order, the caret line) into the
    // items; answers the lines the window sets to follow their material when it updates the list.
    SelectionFollowUp SyncSelection(const std::vector<int>& selectedEntries, int caret);
    // Collects the selected materials in list order and hands them to the callback's OnOK.
    const Tab<MtlBase*>& ReportSelection();

    // Comparisons of two items' materials in code-unit order: by full name; by class name, then full name.
    static int CompareByName(ItemDataTmpl* a, ItemDataTmpl* b);
    static int CompareByType(ItemDataTmpl* a, ItemDataTmpl* b);

    TreeItem* Root() { return &root_; }
    const Tab<ListItemData*>& ListItems() const { return listItems_; }
    SelectMaterialDialogCallback* Callback() const { return callback_; }
    Interface* GetInterface() const { return ip_; }

protected:
    void SetWindowHandle(HWND hWnd) { hWnd_ = hWnd; }

private:
    static void SetFlags(SubtreeItemData* item, unsigned flags);
    static void MergeFlags(SubtreeItemData* item, unsigned flags, unsigned mask);
    // The top-level item of mtl, the first in child order.
    TreeItem* FindTopLevel(MtlBase* mtl);
    // A repeated find at the top level merges the flags under mask; a new one is asked with check and
    // gathered with its sub-materials. Answers the material's top-level item, null when it is left out.
    template <class Check>
    TreeItem* AddTopLevel(MtlBase* mtl, unsigned flagValue, unsigned mergeMask, Check check);
    void MaterialChanged() { indexValid_ = false; }
    void Reindex();
    // Position in tree order; computed again when the tree has changed.
    size_t PreorderIndex(TreeItem* item);
    MSTR RowText(TreeItem* item);
    // What the tree sort compares: the rank the sort gave the item's list item.
    static size_t TreeRank(SubtreeItemData* item) { return item->list_->rank_; }
    // Answers items[k], and starts loading what reading the names of the next items will touch.
    static ListItemData* ItemReadingAhead(ListItemData* const* items, size_t count, size_t k);

    int flatList_ = 1;
    int sortMode_ = 0;
    BitArray filter_{kNumDisplayFilters};
    Tab<MtlBase*> result_;
    SelectMaterialDialogCallback* callback_;
    Interface* ip_;
    Tab<ListItemData*> listItems_;
    TreeItem* cursorItem_ = nullptr;
    TreeItem* cursorParent_ = nullptr;
    TreeItem root_;
    HWND hWnd_ = nullptr;

    // A place in the tree: its data and its node, made and freed together.
    struct TreePlace {
        explicit TreePlace(ListItemData* list) : data(list), node(&data) { data.node_ = &node; }
        SubtreeItemData data;
        TreeItem node;
    };
    // A material's list item (the first in table order) and top-level item (the first among the root's
    // children); the index of them keeps gathering linear.
    struct Places {
        ListItemData* list = nullptr;
        TreeItem* top = nullptr;
    };

    // Owners of the items, and the index.
    ItemArena<ListItemData> listStore_;
    ItemArena<TreePlace> treeStore_;
    PointerMap<MtlBase*, Places> index_;
    bool indexValid_ = true;
    std::unordered_map<TreeItem*, size_t> preorder_;
    bool preorderValid_ = false;
    std::vector<ListRow> rows_;
};
