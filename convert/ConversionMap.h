#pragma once

#include <unordered_map>
#include <utility>
#include <vector>

#include "ref.h"

// What a pair of the map holds for its source: the object converted from it, or a plain copy of it. A
// line run both converts objects and copies others (a brush's sub-maps), and one source may meet both
// fates; each kind has its own pairs, so a copy never stands in for a conversion or the other way round.
enum class ConversionKind { Converted, Cloned };

// The objects one run has converted: an ordered list of (source, converted) pairs shared by every
// conversion of the run, so that an object met several times is converted once. The first pair of a
// kind for a source decides what a lookup of that kind answers, even when its converted object is null;
// an index of the first pair per source and kind makes the lookup cost the same however long the run.
// The map holds plain pointers and no references: it lives only for the run.
class ConversionMap {
public:
    // The object of the first pair of this kind for source, or null when there is none.
    ReferenceTarget* Lookup(ReferenceTarget* source, ConversionKind kind = ConversionKind::Converted) const {
        const auto& first = first_[Index(kind)];
        auto it = first.find(source);
        return it == first.end() ? nullptr : pairs_[it->second].second;
    }

    void Append(ReferenceTarget* source, ReferenceTarget* converted,
                ConversionKind kind = ConversionKind::Converted) {
        first_[Index(kind)].emplace(source, pairs_.size());
        pairs_.emplace_back(source, converted);
        kinds_.push_back(kind);
    }

    // Forgets the pairs of this kind for source, so that a later lookup finds only what is appended
    // afterwards (for a converted object that was deleted again).
    void Remove(ReferenceTarget* source, ConversionKind kind = ConversionKind::Converted) {
        first_[Index(kind)].erase(source);
        for (size_t i = 0; i < pairs_.size(); ++i)
            if (pairs_[i].first == source && kinds_[i] == kind) pairs_[i] = {nullptr, nullptr};
    }

    int Count() const { return static_cast<int>(pairs_.size()); }
    ConversionKind KindAt(int i) const { return kinds_[static_cast<size_t>(i)]; }
    const std::pair<ReferenceTarget*, ReferenceTarget*>& operator[](int i) const {
        return pairs_[static_cast<size_t>(i)];
    }

private:
    static size_t Index(ConversionKind kind) { return kind == ConversionKind::Cloned ? 1 : 0; }

    std::vector<std::pair<ReferenceTarget*, ReferenceTarget*>> pairs_;
    std::vector<ConversionKind> kinds_;
    std::unordered_map<ReferenceTarget*, size_t> first_[2];
};
