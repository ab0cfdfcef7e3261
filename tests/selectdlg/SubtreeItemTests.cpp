#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "SubtreeItem.h"

namespace {

// Items carry a key (tens) and an identity (units): they compare by key only, so equal keys are ties
// whose order shows.
using Item = SubtreeItem<int>;
int ByKey(int a, int b) { return a / 10 - b / 10; }
size_t KeyRank(int a) { return static_cast<size_t>(a / 10); }

std::vector<int> Children(Item& parent) {
    std::vector<int> out;
    for (Item* c = parent.FirstChild(); c; c = c->NextSibling()) out.push_back(c->Data());
    return out;
}

// The exchange sort the tree's order is defined by.
std::vector<int> ExchangeSorted(std::vector<int> v) {
    for (size_t i = 0; i + 1 < v.size(); ++i)
        for (size_t j = i + 1; j < v.size(); ++j)
            if (ByKey(v[i], v[j]) > 0) std::swap(v[i], v[j]);
    return v;
}

}  // namespace

// SortChildren leaves children, ties included, in the order of the exchange sort, at every level; so does
// SortChildrenByRank with ranks that compare as the comparison does.
TEST(SubtreeItemTest, SortChildren_OrderOfTheExchangeSort) {
    for (bool byRank : {false, true}) {
        std::mt19937 random(7);
        for (int round = 0; round < 200; ++round) {
            const int n = 1 + round % 23;
            const int keys = 1 + round % 6;  // few keys: many ties
            Item root;
            std::vector<int> added;
            for (int i = 0; i < n; ++i) {
                const int value = static_cast<int>(random() % static_cast<unsigned>(keys)) * 10 + i % 10;
                root.AddChildFront(new Item(value));
                added.insert(added.begin(), value);
            }
            Item* first = root.FirstChild();
            first->AddChildFront(new Item(10));
            first->AddChildFront(new Item(0));
            byRank ? root.SortChildrenByRank(KeyRank) : root.SortChildren(ByKey);
            ASSERT_EQ(Children(root), ExchangeSorted(added))
                << "round " << round << (byRank ? ", by rank" : "");
            EXPECT_EQ(Children(*first), (std::vector<int>{0, 10}));
            root.DeleteChildren();
        }
    }
}

// Walks are loops: a chain far deeper than any call stack allows is walked, sorted and freed.
TEST(SubtreeItemTest, DeepChain_NoRecursion) {
    const int depth = 100000;
    Item root;
    Item* last = &root;
    for (int i = 0; i < depth; ++i) {
        Item* next = new Item(i);
        last->AddChildFront(next);
        last = next;
    }
    int count = 0;
    for (Item* t = root.FirstChild(); t; t = t->NextInPreorder()) ++count;
    EXPECT_EQ(count, depth);
    EXPECT_EQ(last->Depth(), depth);
    root.SortChildren(ByKey);
    root.DeleteChildren();
    EXPECT_EQ(root.FirstChild(), nullptr);
}
