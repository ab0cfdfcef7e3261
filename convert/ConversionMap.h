#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

#include "ref.h"

// The objects one run has converted: an ordered list of (source, converted) pairs shared by every
// conversion of the run, so that an object met several times is converted once. The first pair for a
// source decides what a lookup answers, even when its converted object is null; an index of the first
// pair per source makes the lookup cost the same however long the run. The map holds plain pointers and
// no references: it lives only for the run.
class ConversionMap {
public:
    // The converted object of the first pair for source, or null when there is none.
    ReferenceTarget* Lookup(ReferenceTarget* source) const {
        auto it = first_.find(source);
        return it == first_.end() ? nullptr : pairs_[it->second].second;
    }

    void Append(ReferenceTarget* source, ReferenceTarget* converted) {
        first_.emplace(source, pairs_.size());
        pairs_.emplace_back(source, converted);
    }

    // Forgets the pairs of source, so that a later lookup finds only what is appended afterwards (for a
    // converted object that was deleted again).
    void Remove(ReferenceTarget* source) {
        first_.erase(source);
        for (auto& p : pairs_)
            if (p.first == source) p = {nullptr, nullptr};
    }

    int Count() const { return static_cast<int>(pairs_.size()); }
    const std::pair<ReferenceTarget*, ReferenceTarget*>& operator[](int i) const {
        return pairs_[static_cast<size_t>(i)];
    }

private:
    std::vector<std::pair<ReferenceTarget*, ReferenceTarget*>> pairs_;
    std::unordered_map<ReferenceTarget*, size_t> first_;
};
