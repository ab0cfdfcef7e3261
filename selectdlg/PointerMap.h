#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Prefetch.h"

// A map from pointers to small values, kept in one flat array: open addressing with linear probing, at most
// half full. A lookup on a large scene costs one cache line instead of a bucket and a list node apart.
// Entries are never removed one by one, only all at once.
template <class Key, class Value>
class PointerMap {
public:
    // The value of key, added as Value() when missing.
    Value& operator[](Key key) {
        if (2 * (count_ + 1) > slots_.size()) Grow();
        Slot& slot = Probe(key);
        if (!slot.key) {
            slot.key = key;
            ++count_;
        }
        return slot.value;
    }
    // The value of key, null when missing.
    Value* Find(Key key) {
        if (slots_.empty()) return nullptr;
        Slot& slot = Probe(key);
        return slot.key ? &slot.value : nullptr;
    }
    // Starts loading the slot where key is or would go.
    void Prefetch(Key key) const {
        if (!slots_.empty()) PrefetchObject(&slots_[Home(key)]);
    }
    void Clear() {
        slots_.assign(slots_.size(), Slot());
        count_ = 0;
    }

private:
    struct Slot {
        Key key = nullptr;
        Value value = Value();
    };

    // Fibonacci hashing: the multiplication spreads the pointer's middle bits over the high ones.
    size_t Home(Key key) const {
        return static_cast<size_t>((reinterpret_cast<uintptr_t>(key) * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    // The slot of key, or the empty one where it belongs.
    Slot& Probe(Key key) {
        const size_t mask = slots_.size() - 1;
        size_t at = Home(key);
        while (slots_[at].key && slots_[at].key != key) at = (at + 1) & mask;
        return slots_[at];
    }
    void Grow() {
        std::vector<Slot> old(slots_.empty() ? 16 : 2 * slots_.size());
        old.swap(slots_);
        shift_ = 64;
        for (size_t n = slots_.size(); n > 1; n /= 2) --shift_;
        for (Slot& slot : old)
            if (slot.key) Probe(slot.key) = slot;
    }

    std::vector<Slot> slots_;
    size_t count_ = 0;
    int shift_ = 64;
};
