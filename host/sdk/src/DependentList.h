#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

class ReferenceMaker;

// The makers that refer to one target, in the order in which they first referred to it, each with the
// number of its references to the target. Removal leaves a hole that later insertions compact away;
// a hash index takes over lookups once the list grows, so that a target with many dependents (a map
// shared by thousands of materials) costs constant time per change.
class DependentList {
public:
    void Add(ReferenceMaker* m);
    void Remove(ReferenceMaker* m);  // one reference
    void Erase(ReferenceMaker* m);   // every reference
    int Count() const { return live_; }
    bool Empty() const { return live_ == 0; }
    template <class F>
    void ForEach(F f) const {
        for (const Entry& e : entries_)
            if (e.maker) f(e.maker);
    }

private:
    struct Entry {
        ReferenceMaker* maker;
        int refs;
    };
    static constexpr size_t kIndexThreshold = 16;

    size_t Find(ReferenceMaker* m) const;
    void Compact();

    std::vector<Entry> entries_;
    std::unique_ptr<std::unordered_map<ReferenceMaker*, size_t>> index_;  // made once the list grows
    int live_ = 0;
};
