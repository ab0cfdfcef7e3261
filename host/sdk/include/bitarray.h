#pragma once

#include <vector>

#include "maxtypes.h"

class BitArray {
public:
    BitArray() = default;
    explicit BitArray(int n) : bits_(n > 0 ? static_cast<size_t>(n) : 0, false) {}

    // With save, the bits that fit in the new size keep their state.
    void SetSize(int n, int save = 0) {
        size_t size = n > 0 ? static_cast<size_t>(n) : 0;
        if (!save)
            bits_.assign(size, false);
        else
            bits_.resize(size, false);
    }
    int GetSize() const { return static_cast<int>(bits_.size()); }
    void Set(int i) { bits_.at(static_cast<size_t>(i)) = true; }
    void Set(int i, int b) { bits_.at(static_cast<size_t>(i)) = b != 0; }
    void Clear(int i) { bits_.at(static_cast<size_t>(i)) = false; }
    void SetAll() { bits_.assign(bits_.size(), true); }
    void ClearAll() { bits_.assign(bits_.size(), false); }
    int NumberSet() const {
        int n = 0;
        for (bool b : bits_) n += b ? 1 : 0;
        return n;
    }
    int operator[](int i) const { return bits_.at(static_cast<size_t>(i)) ? 1 : 0; }
    bool operator==(const BitArray& b) const { return bits_ == b.bits_; }

    BitArray operator&(const BitArray& b) const {
        return Combine(b, [](bool x, bool y) { return x && y; });
    }
    BitArray operator|(const BitArray& b) const {
        return Combine(b, [](bool x, bool y) { return x || y; });
    }
    BitArray operator~() const {
        BitArray r(*this);
        for (size_t i = 0; i < r.bits_.size(); ++i) r.bits_[i] = !r.bits_[i];
        return r;
    }

private:
    // Binary operations work on the common length, as the host's do.
    template <class Op>
    BitArray Combine(const BitArray& b, Op op) const {
        BitArray r(std::min(GetSize(), b.GetSize()));
        for (size_t i = 0; i < r.bits_.size(); ++i) r.bits_[i] = op(bits_[i], b.bits_[i]);
        return r;
    }

    std::vector<bool> bits_;
};
