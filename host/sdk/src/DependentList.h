#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

class ReferenceMaker;

// The makers that refer to one target, in the order in which they first referred to it, each with the
// number of its references to the target. Removal leaves a hole that later insertions compact away;
// a hash index takes over lookups once the list grows, so that a target with many dependents (a map
// shared by thousands of materials) costs constant time per change. Most targets have one dependent,
// which is kept in the list itself.
class DependentList {
public:
    DependentList() = default;
    ~DependentList();
    DependentList(const DependentList&) = delete;
    DependentList& operator=(const DependentList&) = delete;

    void Add(ReferenceMaker* m);
    void Remove(ReferenceMaker* m);  // one reference
    void Erase(ReferenceMaker* m);   // every reference
    int Count() const { return live_; }
    bool Empty() const { return live_ == 0; }
    template <class F>
    void ForEach(F f) const {
        for (size_t i = 0; i < size_; ++i)
            if (data_[i].maker) f(data_[i].maker);
    }

private:
    struct Entry {
        ReferenceMaker* maker;
        int refs;
    };
    static constexpr size_t kIndexThreshold = 16;

    size_t Find(ReferenceMaker* m) const;
    void Push(Entry e);
    void Compact();

    Entry first_{nullptr, 0};
    Entry* data_ = &first_;  // first_ alone, or an array of capacity_ entries on the heap
    size_t size_ = 0;
    size_t capacity_ = 1;
    std::unique_ptr<std::unordered_map<ReferenceMaker*, size_t>> index_;  // made once the list grows
    int live_ = 0;
};
