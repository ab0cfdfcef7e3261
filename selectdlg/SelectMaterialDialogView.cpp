#include <algorithm>
#include <cstdint>
#include <map>
#include <unordered_set>

#include "Prefetch.h"
#include "SelectMaterialDialog.h"
#include "TextOrder.h"

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

// Items between two steps of reading ahead.
const size_t kReadAhead = 8;

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

// Answers items[k]. Reading an item's name reaches the item, its material and the name's text, which on a
// large scene lie far apart in memory: for the items after k, each is asked for a step before the next one
// needs it, kReadAhead items apart.
inline SelectMaterialDialog::ListItemData* SelectMaterialDialog::ItemReadingAhead(ListItemData* const* items,
                                                                                  size_t count, size_t k) {
    if (k + 3 * kReadAhead < count) PrefetchObject(items[k + 3 * kReadAhead]);
    if (k + 2 * kReadAhead < count) {
        ListItemData* list = items[k + 2 * kReadAhead];
        PrefetchObject(list->mtl_);
        if (list->first_) PrefetchObject(list->first_);
    }
    if (k + kReadAhead < count) PrefetchObject(items[k + kReadAhead]->mtl_->GetName().data());
    return items[k];
}

// The names (and by type the class names) are read once per sort, the class names ranked among the few
// classes listed; the items are ordered on compact records of those, and the tree on the ranks that gives.
void SelectMaterialDialog::Sort() {
    const bool byType = sortMode_ == 1;
    const size_t count = static_cast<size_t>(listItems_.Count());
    ListItemData* const* items = listItems_.begin();
    TextOrder names;
    names.Reserve(count, 24 * count);
    std::map<std::u16string, uint32_t> typeRanks;
    std::vector<std::map<std::u16string, uint32_t>::iterator> types;
    for (size_t i = 0; i < count; ++i) {
        AppendCodeUnits(ItemReadingAhead(items, count, i)->mtl_->GetFullName(), names.Units());
        names.EndText(0);
        if (byType) types.push_back(typeRanks.emplace(CodeUnits(ClassName(items[i]->mtl_)), 0).first);
    }
    if (byType) {
        uint32_t rank = 0;
        for (auto& type : typeRanks) type.second = rank++;
        for (size_t i = 0; i < count; ++i) names.SetGroup(i, types[i]->second);
    }
    std::vector<uint32_t> order, ranks;
    names.Sort(order, ranks);
    if (flatList_) {
        std::vector<ListItemData*> sorted(count);
        for (size_t k = 0; k < count; ++k) sorted[k] = items[order[k]];
        std::copy(sorted.begin(), sorted.end(), listItems_.begin());
    } else {
        for (size_t i = 0; i < count; ++i) items[i]->rank_ = ranks[i];
        root_.SortChildrenByRank(TreeRank);
        preorderValid_ = false;
    }
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
        const size_t count = static_cast<size_t>(listItems_.Count());
        ListItemData* const* items = listItems_.begin();
        for (size_t k = 0; k < count; ++k) {
            ListItemData* list = ItemReadingAhead(items, count, k);
            if (list->IsVisible())
                rows_.push_back({list->mtl_->GetFullName(), list, list, list->flags_[ITEM_SELECTED] != 0});
        }
    } else {
        // An invisible item's visible descendants are listed at their own depth.
        std::vector<TreeItem*> places;
        for (TreeItem* t = root_.FirstChild(); t; t = t->NextInPreorder()) places.push_back(t);
        // The items of the places, read ahead of the lines as the items of the flat list are.
        std::vector<ListItemData*> items(places.size());
        for (size_t k = 0; k < places.size(); ++k) {
            if (k + kReadAhead < places.size()) PrefetchObject(places[k + kReadAhead]->Data()->list_);
            items[k] = places[k]->Data()->list_;
        }
        for (size_t k = 0; k < places.size(); ++k) {
            ListItemData* list = ItemReadingAhead(items.data(), items.size(), k);
            SubtreeItemData* data = places[k]->Data();
            if (data->flags_[ITEM_VISIBLE])
                rows_.push_back({RowText(places[k]), data, list, list->flags_[ITEM_SELECTED] != 0});
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
