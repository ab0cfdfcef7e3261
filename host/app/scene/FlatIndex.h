#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An id as a scene file gives it.
using FileId = long long;

// The vertex of each id a scene file gives (its nodes, then its objects): open addressing in one array,
// so that a look-up touches one place in memory rather than a node of its own.
class VertexIndex {
public:
    // Room for `count` ids without growing.
    void Reserve(size_t count) {
        size_t size = 1024;
        while (size < count * 2) size *= 2;
        if (size > slots_.size()) Rehash(size);
    }
    // Gives a new id its vertex; answers the vertex an id given before has, or -1 once added.
    int Add(FileId id, int vertex) {
        if ((used_ + 1) * 2 > slots_.size()) Rehash(slots_.empty() ? 1024 : slots_.size() * 2);
        size_t at = Hash(id) & mask_;
        for (; slots_[at].vertex >= 0; at = (at + 1) & mask_)
            if (slots_[at].id == id) return slots_[at].vertex;
        slots_[at] = {id, vertex};
        ++used_;
        return -1;
    }
    // The id's vertex, or -1.
    int Find(FileId id) const {
        if (slots_.empty()) return -1;
        for (size_t at = Hash(id) & mask_; slots_[at].vertex >= 0; at = (at + 1) & mask_)
            if (slots_[at].id == id) return slots_[at].vertex;
        return -1;
    }

private:
    struct Slot {
        FileId id = 0;
        int vertex = -1;
    };
    // Files number their objects mostly in runs, which this keeps in neighbouring slots; the high bits
    // are folded in so that ids far apart do not all meet in the same slots.
    static size_t Hash(FileId id) {
        const uint64_t x = static_cast<uint64_t>(id);
        return static_cast<size_t>(x ^ (x >> 21) ^ (x >> 42));
    }
    void Rehash(size_t size) {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(size, Slot());
        mask_ = size - 1;
        used_ = 0;
        for (const Slot& s : old)
            if (s.vertex >= 0) Add(s.id, s.vertex);
    }

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t used_ = 0;
};
