#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Keys to values that are never negative: open addressing in one array, so that a look-up touches one
// place in memory rather than a node of its own. `Hash` says where a key's search starts.
template <class Key, class Value, size_t (*Hash)(Key)>
class FlatIndex {
public:
    // Room for `count` keys without growing.
    void Reserve(size_t count) {
        size_t size = 1024;
        while (size < count * 2) size *= 2;
        if (size > slots_.size()) Rehash(size);
    }
    // Gives a new key its value; answers the value a key given before has, or -1 once added.
    Value Add(Key key, Value value) {
        if ((used_ + 1) * 2 > slots_.size()) Rehash(slots_.empty() ? 1024 : slots_.size() * 2);
        size_t at = Hash(key) & mask_;
        for (; slots_[at].value >= 0; at = (at + 1) & mask_)
            if (slots_[at].key == key) return slots_[at].value;
        slots_[at] = {key, value};
        ++used_;
        return -1;
    }
    // The key's value, or -1.
    Value Find(Key key) const {
        if (slots_.empty()) return -1;
        for (size_t at = Hash(key) & mask_; slots_[at].value >= 0; at = (at + 1) & mask_)
            if (slots_[at].key == key) return slots_[at].value;
        return -1;
    }

private:
    struct Slot {
        Key key{};
        Value value = -1;
    };
    void Rehash(size_t size) {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(size, Slot());
        mask_ = size - 1;
        used_ = 0;
        for (const Slot& s : old)
            if (s.value >= 0) Add(s.key, s.value);
    }

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t used_ = 0;
};
