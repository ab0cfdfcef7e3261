#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_set>

#include "SelectMaterialDialog.h"

namespace {

// Appends a text as the window system's UTF-16 code units, whatever the width of MCHAR, so that both builds
// order texts alike. char16_t compares as an unsigned 16-bit value.
void AppendCodeUnits(const MSTR& text, std::u16string& units) {
    for (int i = 0; i < text.Length(); ++i) {
        const auto c = static_cast<uint32_t>(text[i]);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(c);
        }
    }
}

std::u16string CodeUnits(const MSTR& text) {
    std::u16string units;
    units.reserve(static_cast<size_t>(text.Length()));
    AppendCodeUnits(text, units);
    return units;
}

MSTR ClassName(MtlBase* mtl) {
    MSTR name;
    mtl->GetClassName(name);
    return name;
}

int Sign(int v) { return (v > 0) - (v < 0); }

// A tree line fits a buffer of kLineBuffer characters with its terminating null.
const int kLineBuffer = 256;
const int kIndentPerLevel = 4;
// When a line is too long, the indentation gives way first, but never shows less than this much of the name.
const int kNameKept = 64;

// The number of characters of text that fit in room UTF-16 code units, never splitting a pair.
int CharsFitting(const MSTR& text, int room) {
    const int length = text.Length();
    int units = 0, i = 0;
    while (i < length) {
        const auto c = static_cast<uint32_t>(text[i]);
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < length;  // a pair of 16-bit characters
        const int width = pair || c >= 0x10000 ? 2 : 1;
        if (units + width > room) break;
        units += width;
        i += pair ? 2 : 1;
    }
    return i;
}

// The length of text in UTF-16 code units.
int UnitCount(const MSTR& text) {
    int units = 0;
    for (int i = 0; i < text.Length(); ++i) {
        const auto c = static_cast<uint32_t>(text[i]);
        units += c >= 0x10000 ? 2 : 1;  // one character of UTF-32 text, two units in UTF-16
    }
    return units;
}

}  // namespace

// ---- settings and the visibility pass

void SelectMaterialDialog::TakeInitialSettings() {
    SetFlatList(callback_->GetInitialFlatMode());
    SetSortMode(callback_->GetInitialSortMode());
    // The filter keeps its five bits whatever the callback answers.
    const BitArray initial = callback_->GetInitialDisplayFilter();
    filter_.SetSize(kNumDisplayFilters);
    for (int i = 0; i < kNumDisplayFilters; ++i) filter_.Set(i, i < initial.GetSize() && initial[i]);
}

void SelectMaterialDialog::SetDisplayFilter(int index, bool on) {
    if (index >= 0 && index < kNumDisplayFilters) filter_.Set(index, on ? 1 : 0);
}

void SelectMaterialDialog::UpdateVisibility() {
    for (TreeItem* t = root_.FirstChild(); t; t = t->NextInPreorder()) {
        cursorItem_ = t;
        cursorParent_ = t->Parent();
        SubtreeItemData* data = t->Data();
        bool visible = false;
        if (data->list_->flags_[ITEM_ELIGIBLE]) {
            MtlBase* parent = cursorParent_ == &root_ ? nullptr : cursorParent_->Data()->GetMaterial();
            visible = callback_->IsItemVisible(parent, data->GetMaterial(), filter_) != 0;
        }
        data->flags_.Set(ITEM_VISIBLE, visible ? 1 : 0);
    }
    ClearVisibilityCursor();
}

// ---- sorting

int SelectMaterialDialog::CompareByName(ItemDataTmpl* a, ItemDataTmpl* b) {
    return Sign(
        CodeUnits(a->GetMaterial()->GetFullName()).compare(CodeUnits(b->GetMaterial()->GetFullName())));
}

int SelectMaterialDialog::CompareByType(ItemDataTmpl* a, ItemDataTmpl* b) {
    const int byClass =
        Sign(CodeUnits(ClassName(a->GetMaterial())).compare(CodeUnits(ClassName(b->GetMaterial()))));
    return byClass ? byClass : CompareByName(a, b);
}

// By name the type ranks are all zero, so the names alone decide.
int SelectMaterialDialog::CompareKeys(ListItemData* a, ListItemData* b) {
    if (a->typeKey_ != b->typeKey_) return a->typeKey_ < b->typeKey_ ? -1 : 1;
    return Sign(a->nameKey_.compare(b->nameKey_));
}

int SelectMaterialDialog::CompareTreeKeys(SubtreeItemData* a, SubtreeItemData* b) {
    return CompareKeys(a->list_, b->list_);
}

// The names are read once per sort into one buffer that the list items' keys view; by type, each item
// also gets the rank of its class name among the few classes listed. The sorts compare the keys.
void SelectMaterialDialog::Sort() {
    const bool byType = sortMode_ == 1;
    std::u16string names;
    std::vector<size_t> ends;
    ends.reserve(static_cast<size_t>(listItems_.Count()));
    std::map<std::u16string, int> typeRanks;
    std::vector<std::map<std::u16string, int>::iterator> types;
    for (ListItemData* list : listItems_) {
        AppendCodeUnits(list->mtl_->GetFullName(), names);
        ends.push_back(names.size());
        if (byType) types.push_back(typeRanks.emplace(CodeUnits(ClassName(list->mtl_)), 0).first);
    }
    int rank = 0;
    for (auto& type : typeRanks) type.second = rank++;
    size_t begin = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        ListItemData* list = listItems_[static_cast<int>(i)];
        list->nameKey_ = std::u16string_view(names).substr(begin, ends[i] - begin);
        list->typeKey_ = byType ? types[i]->second : 0;
        begin = ends[i];
    }
    if (flatList_) {
        std::vector<ListItemData*> items(listItems_.begin(), listItems_.end());
        std::stable_sort(items.begin(), items.end(),
                         [](ListItemData* a, ListItemData* b) { return CompareKeys(a, b) < 0; });
        std::copy(items.begin(), items.end(), listItems_.begin());
    } else {
        root_.SortChildren(CompareTreeKeys);
        preorderValid_ = false;
    }
    for (ListItemData* list : listItems_) list->nameKey_ = {};
    // The first list item and top-level item of a material may have moved.
    indexValid_ = false;
}

// ---- the lines of the list box

MSTR SelectMaterialDialog::RowText(TreeItem* item) {
    MSTR name = item->Data()->GetMaterial()->GetFullName();
    const int room = kLineBuffer - 1;
    const int nameUnits = UnitCount(name);
    int indent = (std::min)(kIndentPerLevel * (item->Depth() - 1), room);
    if (indent == 0 && nameUnits <= room) return name;
    if (indent + nameUnits > room)
        indent = (std::max)(0, (std::min)(indent, room - (std::min)(nameUnits, kNameKept)));
    MSTR text(std::wstring(static_cast<size_t>(indent), L' '));
    text += indent + nameUnits <= room ? name : name.Substr(0, CharsFitting(name, room - indent));
    return text;
}

const std::vector<SelectMaterialDialog::ListRow>& SelectMaterialDialog::FillRows() {
    rows_.clear();
    rows_.reserve(static_cast<size_t>(listItems_.Count()));
    if (flatList_) {
        for (ListItemData* list : listItems_)
            if (list->IsVisible())
                rows_.push_back({list->mtl_->GetFullName(), list, list, list->flags_[ITEM_SELECTED] != 0});
    } else {
        // An invisible item's visible descendants are listed at their own depth.
        for (TreeItem* t = root_.FirstChild(); t; t = t->NextInPreorder()) {
            SubtreeItemData* data = t->Data();
            if (data->flags_[ITEM_VISIBLE])
                rows_.push_back({RowText(t), data, data->list_, data->list_->flags_[ITEM_SELECTED] != 0});
        }
    }
    return rows_;
}

// ---- selection

SelectMaterialDialog::SelectionFollowUp SelectMaterialDialog::SyncSelection(
    const std::vector<int>& selectedEntries, int caret) {
    const int n = static_cast<int>(rows_.size());
    std::vector<bool> state(static_cast<size_t>(n), false);
    int selectedCount = 0;
    for (int k : selectedEntries)
        if (k >= 0 && k < n && !state[static_cast<size_t>(k)]) {
            state[static_cast<size_t>(k)] = true;
            ++selectedCount;
        }
    SelectionFollowUp followUp;
    if (selectedCount == 0 || flatList_) {
        for (ListItemData* list : listItems_) list->flags_.Clear(ITEM_SELECTED);
        for (int k = 0; k < n; ++k) {
            ListRow& row = rows_[static_cast<size_t>(k)];
            row.selected = state[static_cast<size_t>(k)];
            if (row.selected) row.list->flags_.Set(ITEM_SELECTED);
        }
        return followUp;
    }

    // Tree mode: the lines of one material share one state, the state of the line the user acted on last
    // (the caret). Without a caret line, a material is selected when any of its lines is.
    const bool c = caret >= 0 && caret < n ? state[static_cast<size_t>(caret)] : true;
    for (ListItemData* list : listItems_) list->flags_.Set(ITEM_SELECTED, list->IsVisible() && !c);
    for (int k = 0; k < n; ++k)
        if (state[static_cast<size_t>(k)] == c)
            rows_[static_cast<size_t>(k)].list->flags_.Set(ITEM_SELECTED, c);

    followUp.select = c;
    for (int k = 0; k < n; ++k) {
        ListRow& row = rows_[static_cast<size_t>(k)];
        if (state[static_cast<size_t>(k)] != c && (row.list->flags_[ITEM_SELECTED] != 0) == c)
            followUp.entries.push_back(k);
    }
    if (caret >= 0 && caret < n) followUp.entries.push_back(caret);
    for (ListRow& row : rows_) row.selected = row.list->flags_[ITEM_SELECTED] != 0;
    return followUp;
}

const Tab<MtlBase*>& SelectMaterialDialog::ReportSelection() {
    result_.ZeroCount();
    std::unordered_set<MtlBase*> taken;
    for (ListItemData* list : listItems_)
        if (list->flags_[ITEM_SELECTED] && taken.insert(list->mtl_).second) result_.Append(1, &list->mtl_);
    callback_->OnOK(result_);
    return result_;
}
