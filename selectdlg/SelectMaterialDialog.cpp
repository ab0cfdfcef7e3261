#include "SelectMaterialDialog.h"

#include "EditorSlots.h"
#include "Prefetch.h"

namespace {

// What a dialog opened without a callback asks.
SelectMaterialDialogCallback& DefaultCallback() {
    static SelectMaterialDialogCallback callback;
    return callback;
}

// Flags of a find, and the flags a repeated find merges into the item already there.
const unsigned kSceneFind = 0x09;   // ITEM_ELIGIBLE, ITEM_IN_SCENE
const unsigned kEditorFind = 0x11;  // ITEM_ELIGIBLE, ITEM_IN_MTL_EDITOR
const unsigned kMergeScene = 0x08;
const unsigned kMergeEditor = 0x10;
const unsigned kMergeSubMaterial = 0x18;

void SetEligible(BitArray& flags, int answer) { flags.Set(ITEM_ELIGIBLE, answer == SELMTL_ELIGIBLE); }

void StoreFlags(BitArray& flags, unsigned value) {
    for (int i = 0; i < kNumItemFlags; ++i) flags.Set(i, (value >> i) & 1u);
}

}  // namespace

unsigned FlagValue(const BitArray& flags) {
    unsigned value = 0;
    for (int i = 0; i < kNumItemFlags && i < flags.GetSize(); ++i) value |= flags[i] ? 1u << i : 0u;
    return value;
}

void SelectMaterialDialog::ListItemData::SetMaterial(MtlBase* mtl) {
    mtl_ = mtl;
    dialog_.MaterialChanged();
}

bool SelectMaterialDialog::ListItemData::IsVisible() const {
    for (SubtreeItemData* d = first_; d; d = d->next_)
        if (d->flags_[ITEM_VISIBLE]) return true;
    return false;
}

SelectMaterialDialog::SelectMaterialDialog(SelectMaterialDialogCallback* callback, Interface* ip)
    : callback_(callback ? callback : &DefaultCallback()), ip_(ip) {}

// The tree's nodes are freed with the places that hold them.
SelectMaterialDialog::~SelectMaterialDialog() = default;

// ---- items and their flags

// Flags are combined as values, bit i of a value for flag i, and written back bit by bit.
void SelectMaterialDialog::SetFlags(SubtreeItemData* item, unsigned flags) {
    StoreFlags(item->flags_, flags & kTreeItemFlags);
    StoreFlags(item->list_->flags_, flags & kListItemFlags);
}

void SelectMaterialDialog::MergeFlags(SubtreeItemData* item, unsigned flags, unsigned mask) {
    const unsigned found = flags & mask;
    StoreFlags(item->flags_, FlagValue(item->flags_) | (found & kTreeItemFlags));
    BitArray& listFlags = item->list_->flags_;
    StoreFlags(listFlags, (FlagValue(listFlags) & ~mask) | (found & kListItemFlags));
}

SelectMaterialDialog::ListItemData* SelectMaterialDialog::FindListItem(MtlBase* mtl) {
    Reindex();
    Places* places = index_.Find(mtl);
    return places ? places->list : nullptr;
}

SelectMaterialDialog::TreeItem* SelectMaterialDialog::FindTopLevel(MtlBase* mtl) {
    Reindex();
    Places* places = index_.Find(mtl);
    return places ? places->top : nullptr;
}

// Materials change only through SetMaterial and the root's children only through AddItem and Sort: those
// keep the indexes or mark them for this rebuild, which keeps the first entry of each material.
void SelectMaterialDialog::Reindex() {
    if (indexValid_) return;
    index_.Clear();
    for (ListItemData* list : listItems_) {
        Places& places = index_[list->mtl_];
        if (!places.list) places.list = list;
    }
    for (TreeItem* c = root_.FirstChild(); c; c = c->NextSibling()) {
        Places& places = index_[c->Data()->GetMaterial()];
        if (!places.top) places.top = c;
    }
    indexValid_ = true;
}

SelectMaterialDialog::TreeItem* SelectMaterialDialog::AddItem(TreeItem* parent, MtlBase* mtl,
                                                              const BitArray& flags) {
    if (!mtl) return nullptr;
    if (!parent) parent = &root_;
    Reindex();
    Places& places = index_[mtl];
    ListItemData* list = places.list;
    if (!list) {
        list = places.list = &listStore_.Make(*this, mtl);
        listItems_.Append(1, &list);
    }
    SubtreeItemData* data = &treeStore_.Make(list).data;
    (list->last_ ? list->last_->next_ : list->first_) = data;
    list->last_ = data;
    SetFlags(data, FlagValue(flags));

    parent->AddChildFront(data->node_);
    // Added at the front, the new item is now the first top-level item of its material.
    if (parent == &root_) places.top = data->node_;
    preorderValid_ = false;
    return data->node_;
}

SelectMaterialDialog::TreeItem* SelectMaterialDialog::AddItemWithSubMaterials(TreeItem* parent, MtlBase* mtl,
                                                                              BitArray& flags) {
    TreeItem* top = AddItem(parent, mtl, flags);
    if (!top) return nullptr;
    // The recursion over sub-materials, as a loop: each frame is an item whose sub-materials are being
    // gathered, and the next index to look at. The count is asked again before every index.
    struct Frame {
        TreeItem* item;
        Mtl* mtl;
        int next;
    };
    std::vector<Frame> frames;
    if (auto* m = dynamic_cast<Mtl*>(mtl)) frames.push_back({top, m, 0});
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next >= frame.mtl->NumSubMtls()) {
            frames.pop_back();
            continue;
        }
        const int i = frame.next++;
        TreeItem* item = frame.item;
        Mtl* owner = frame.mtl;
        Mtl* sub = owner->GetSubMtl(i);
        if (!sub) continue;
        // A sub-material in two slots of one parent is one item there.
        TreeItem* found = nullptr;
        for (TreeItem* c = item->FirstChild(); c && !found; c = c->NextSibling())
            if (c->Data()->GetMaterial() == sub) found = c;
        if (found) {
            MergeFlags(found->Data(), FlagValue(flags), kMergeSubMaterial);
            continue;
        }
        const int answer = callback_->CheckSubMaterial(owner, sub, i);
        if (answer == SELMTL_LEAVE_OUT) continue;
        SetEligible(flags, answer);
        frames.push_back({AddItem(item, sub, flags), sub, 0});
    }
    return top;
}

template <class Check>
SelectMaterialDialog::TreeItem* SelectMaterialDialog::AddTopLevel(MtlBase* mtl, unsigned flagValue,
                                                                  unsigned mergeMask, Check check) {
    if (TreeItem* found = FindTopLevel(mtl)) {
        MergeFlags(found->Data(), flagValue, mergeMask);
        return found;
    }
    const int answer = check();
    if (answer == SELMTL_LEAVE_OUT) return nullptr;
    BitArray flags = ItemFlags(flagValue);
    SetEligible(flags, answer);
    return AddItemWithSubMaterials(&root_, mtl, flags);
}

void SelectMaterialDialog::AddSceneMaterials(INode* node) {
    if (!node) return;
    // Nodes next to each other often share a material: its item is kept at hand for them.
    MtlBase* lastMtl = nullptr;
    TreeItem* lastItem = nullptr;
    auto visit = [&](INode* n, Mtl* m) {
        if (m == lastMtl && lastItem) {
            MergeFlags(lastItem->Data(), kSceneFind, kMergeScene);
            return;
        }
        lastMtl = m;
        lastItem =
            AddTopLevel(m, kSceneFind, kMergeScene, [&] { return callback_->CheckSceneMaterial(n, m); });
    };
    // The walk runs a batch of nodes ahead of their visits: it collects the nodes that have a material, in
    // pre-order, and asks for each new material and its slot in the index, to be at hand for the visit.
    const size_t kBatch = 64;
    std::vector<std::pair<INode*, Mtl*>> found;
    found.reserve(kBatch);
    Mtl* lastFound = nullptr;
    auto collect = [&](INode* n) {
        Mtl* m = n->GetMtl();
        if (!m) return;
        if (m != lastFound) {
            PrefetchObject(m);
            index_.Prefetch(m);
            lastFound = m;
        }
        found.emplace_back(n, m);
        if (found.size() < kBatch) return;
        for (const auto& f : found) visit(f.first, f.second);
        found.clear();
    };
    // Pre-order over the node tree, as a loop: each entry is a node and the next child to visit. The nodes
    // of a large scene lie far apart in memory: the first children of a node are asked for when the walk
    // enters it, and each later one kReadAhead children before the walk reaches it.
    const int kReadAhead = 8;
    auto readAhead = [](INode* n, int from, int to) {
        for (int i = from; i < to && i < n->NumberOfChildren(); ++i)
            if (INode* child = n->GetChildNode(i)) PrefetchObject(child);
    };
    std::vector<std::pair<INode*, int>> stack;
    collect(node);
    readAhead(node, 0, kReadAhead);
    stack.emplace_back(node, 0);
    while (!stack.empty()) {
        INode* n = stack.back().first;
        const int i = stack.back().second++;
        if (i >= n->NumberOfChildren()) {
            stack.pop_back();
            continue;
        }
        readAhead(n, i + kReadAhead, i + kReadAhead + 1);
        if (INode* child = n->GetChildNode(i)) {
            collect(child);
            readAhead(child, 0, kReadAhead);
            stack.emplace_back(child, 0);
        }
    }
    for (const auto& f : found) visit(f.first, f.second);
}

// The editor is visited as everywhere in the plug-in: every slot that holds something, a map included;
// maps are passed over here.
void SelectMaterialDialog::AddEditorMaterials() {
    ForEachEditorSlot([this](int slot, MtlBase* m) {
        if (m->SuperClassID() != MATERIAL_CLASS_ID) return;
        AddTopLevel(m, kEditorFind, kMergeEditor, [&] { return callback_->CheckEditorMaterial(m, slot); });
    });
}

// ---- queries

SelectMaterialDialog::TreeItem* SelectMaterialDialog::FindTreeItem(MtlBase* parent, MtlBase* mtl) {
    // The item the visibility pass is asking about.
    if (cursorItem_ && cursorItem_->Data()->GetMaterial() == mtl) {
        if (cursorParent_ == &root_ ? parent == nullptr
                                    : cursorParent_ && cursorParent_->Data()->GetMaterial() == parent)
            return cursorItem_;
    }
    if (!parent) return FindTopLevel(mtl);
    ListItemData* list = FindListItem(mtl);
    if (!list) return nullptr;
    // Of mtl's places below an item of parent, the first in tree order: the one below the earliest such
    // parent, and there the earliest sibling.
    TreeItem* best = nullptr;
    int candidates = 0;
    for (SubtreeItemData* d = list->first_; d; d = d->next_) {
        TreeItem* up = d->node_->Parent();
        if (!up || up == &root_ || up->Data()->GetMaterial() != parent) continue;
        if (++candidates > 1) {
            const size_t a = PreorderIndex(up), b = PreorderIndex(best->Parent());
            if (a > b || (a == b && PreorderIndex(d->node_) > PreorderIndex(best))) continue;
        }
        best = d->node_;
    }
    return best;
}

size_t SelectMaterialDialog::PreorderIndex(TreeItem* item) {
    if (!preorderValid_) {
        preorder_.clear();
        size_t k = 0;
        for (TreeItem* t = root_.FirstChild(); t; t = t->NextInPreorder()) preorder_[t] = k++;
        preorderValid_ = true;
    }
    auto it = preorder_.find(item);
    return it == preorder_.end() ? 0 : it->second;
}

bool SelectMaterialDialog::IsInMaterialEditor(MtlBase* parent, MtlBase* mtl) {
    TreeItem* item = FindTreeItem(parent, mtl);
    return item && item->Data()->flags_[ITEM_IN_MTL_EDITOR];
}
