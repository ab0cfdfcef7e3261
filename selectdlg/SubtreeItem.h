#pragma once

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "Prefetch.h"

// A node of the selection dialog's tree: its data (none for the root) and links to its parent, first
// child and siblings. A node frees only itself; its data belongs to whoever made it. Every walk is a
// loop, never a recursion, so a tree of any depth is safe.
template <class T>
class SubtreeItem {
public:
    // Negative, zero or positive, as a before, equal to or after b.
    typedef int (*CompareFn)(T a, T b);

    explicit SubtreeItem(T data = T()) : data_(data) {}
    SubtreeItem(const SubtreeItem&) = delete;
    SubtreeItem& operator=(const SubtreeItem&) = delete;
    virtual ~SubtreeItem() {}

    // Makes node the next sibling of this one, with the same parent.
    virtual void InsertAfter(SubtreeItem* node) {
        node->Unlink();
        node->parent_ = parent_;
        node->prev_ = this;
        node->next_ = next_;
        if (next_) next_->prev_ = node;
        next_ = node;
    }
    // Detaches this node from its parent and siblings; answers 0.
    virtual int Unlink() {
        if (prev_)
            prev_->next_ = next_;
        else if (parent_ && parent_->firstChild_ == this)
            parent_->firstChild_ = next_;
        if (next_) next_->prev_ = prev_;
        parent_ = prev_ = next_ = nullptr;
        return 0;
    }
    // Makes node the first child of this one: children stand newest first.
    virtual void AddChildFront(SubtreeItem* node) {
        node->Unlink();
        node->parent_ = this;
        node->next_ = firstChild_;
        if (firstChild_) firstChild_->prev_ = node;
        firstChild_ = node;
    }
    // Deletes every descendant, deepest first.
    virtual void DeleteChildren() {
        SubtreeItem* node = firstChild_;
        while (node && node != this) {
            if (node->firstChild_) {
                node = node->firstChild_;
                continue;
            }
            // node is always the first child of its parent here.
            SubtreeItem* parent = node->parent_;
            SubtreeItem* next = node->next_ ? node->next_ : parent;
            parent->firstChild_ = node->next_;
            if (node->next_) node->next_->prev_ = nullptr;
            delete node;
            node = next;
        }
    }
    // First child, else next sibling, else the next sibling of the nearest ancestor that has one.
    virtual SubtreeItem* NextInPreorder() {
        if (firstChild_) return firstChild_;
        for (SubtreeItem* n = this; n; n = n->parent_)
            if (n->next_) return n->next_;
        return nullptr;
    }
    // Orders the children of this node and of every descendant by compare. The order is that of an
    // exchange sort over the children as they stand: for each position i, every later child j that
    // compares smaller than the child at i is exchanged with it. Equal children keep the order those
    // exchanges leave them in.
    virtual void SortChildren(CompareFn compare) {
        SortEachChildList([compare](std::vector<SubtreeItem*>& children, std::vector<size_t>& ranks) {
            RankByCompare(children, compare, ranks);
        });
    }
    // The order of SortChildren with a comparison that compares rank(a) with rank(b): each child's rank is
    // read once, instead of reaching the data of two children at every comparison.
    typedef size_t (*RankFn)(T data);
    void SortChildrenByRank(RankFn rank) {
        SortEachChildList([rank](std::vector<SubtreeItem*>& children, std::vector<size_t>& ranks) {
            for (size_t k = 0; k < children.size(); ++k) ranks[k] = rank(children[k]->data_);
        });
    }
    virtual int CountChildren() {
        int n = 0;
        for (SubtreeItem* c = firstChild_; c; c = c->next_) ++n;
        return n;
    }
    // The number of ancestors: a child of the root has depth 1.
    virtual int Depth() {
        int depth = 0;
        for (SubtreeItem* n = parent_; n; n = n->parent_) ++depth;
        return depth;
    }

    T Data() const { return data_; }
    void SetData(T data) { data_ = data; }
    SubtreeItem* Parent() const { return parent_; }
    SubtreeItem* FirstChild() const { return firstChild_; }
    SubtreeItem* NextSibling() const { return next_; }
    SubtreeItem* PrevSibling() const { return prev_; }

private:
    // Every node's children, from this node down, are ranked by rankChildren and put in exchange order.
    template <class RankChildren>
    void SortEachChildList(RankChildren rankChildren) {
        std::vector<SubtreeItem*> stack{this};
        std::vector<SubtreeItem*> children;
        std::vector<size_t> ranks;
        while (!stack.empty()) {
            SubtreeItem* node = stack.back();
            stack.pop_back();
            // Sorted children lie anywhere in memory: the nodes handled next are asked for ahead.
            if (stack.size() >= kReadAhead) PrefetchObject(stack[stack.size() - kReadAhead]);
            children.clear();
            for (SubtreeItem* c = node->firstChild_; c; c = c->next_) children.push_back(c);
            if (children.empty()) continue;
            if (children.size() > 1) {
                ranks.resize(children.size());
                rankChildren(children, ranks);
                ExchangeOrder(children, ranks);
            }
            node->firstChild_ = nullptr;
            // Relinked from the last, each at the front.
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                if (static_cast<size_t>(children.rend() - it) > kReadAhead)
                    PrefetchObject(*(it + kReadAhead));
                (*it)->parent_ = nullptr;
                (*it)->prev_ = (*it)->next_ = nullptr;
                node->AddChildFront(*it);
            }
            stack.insert(stack.end(), children.begin(), children.end());
        }
    }
    // Ranks the children by an n log n sort with compare: equal children share a rank.
    static void RankByCompare(const std::vector<SubtreeItem*>& items, CompareFn compare,
                              std::vector<size_t>& rank) {
        const size_t n = items.size();
        std::vector<size_t> order(n);
        std::iota(order.begin(), order.end(), size_t(0));
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return compare(items[a]->data_, items[b]->data_) < 0; });
        rank[order[0]] = 0;
        for (size_t k = 1; k < n; ++k) {
            const bool equal = compare(items[order[k - 1]]->data_, items[order[k]]->data_) == 0;
            rank[order[k]] = equal ? rank[order[k - 1]] : k;
        }
    }
    // The exchange sort's outcome without its n² comparisons of data: when no two ranks are equal, the
    // order of the ranks is the outcome; otherwise the exchanges run on the ranks, as plain integers.
    static void ExchangeOrder(std::vector<SubtreeItem*>& items, std::vector<size_t>& rank) {
        const size_t n = items.size();
        std::vector<SubtreeItem*> sorted(n);
        bool ties = false;
        const size_t top = *std::max_element(rank.begin(), rank.end());
        if (top < 4 * n) {
            // Ranks below a few times the number of children are counted into place.
            std::vector<size_t> start(top + 2, 0);
            for (size_t r : rank) ++start[r + 1];
            for (size_t r = 1; r <= top + 1; ++r) {
                ties = ties || start[r] > 1;
                start[r] += start[r - 1];
            }
            for (size_t k = 0; k < n; ++k) sorted[start[rank[k]]++] = items[k];
        } else {
            std::vector<std::pair<size_t, size_t>> order(n);  // rank and position
            for (size_t k = 0; k < n; ++k) order[k] = {rank[k], k};
            std::sort(order.begin(), order.end());
            for (size_t k = 0; k < n; ++k) {
                ties = ties || (k > 0 && order[k - 1].first == order[k].first);
                sorted[k] = items[order[k].second];
            }
        }
        if (!ties) {
            items.swap(sorted);
            return;
        }
        for (size_t i = 0; i + 1 < n; ++i)
            for (size_t j = i + 1; j < n; ++j)
                if (rank[i] > rank[j]) {
                    std::swap(rank[i], rank[j]);
                    std::swap(items[i], items[j]);
                }
    }

    static const size_t kReadAhead = 8;

    T data_;
    SubtreeItem* parent_ = nullptr;
    SubtreeItem* firstChild_ = nullptr;
    SubtreeItem* next_ = nullptr;
    SubtreeItem* prev_ = nullptr;
};
