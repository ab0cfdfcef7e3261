#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "maxtypes.h"

// A fixed number of bits. Up to 64 are kept in the array itself, as the host does, so a small flag set
// costs no allocation; longer arrays keep their words on the heap.
class BitArray {
public:
    BitArray() = default;
    explicit BitArray(int n) { SetSize(n); }

    // With save, the bits that fit in the new size keep their state.
    void SetSize(int n, int save = 0) {
        const int size = n > 0 ? n : 0;
        std::vector<uint64_t> words(WordCount(size), 0);
        if (save) std::copy_n(Words(), (std::min)(words.size(), WordCount(size_)), words.data());
        size_ = size;
        local_ = size <= kLocalBits && !words.empty() ? words[0] : 0;
        far_.swap(words);
        if (size_ <= kLocalBits) far_.clear();
        ClearBeyondSize();
    }
    int GetSize() const { return size_; }
    void Set(int i) { Word(i) |= Bit(i); }
    void Set(int i, int b) { b ? Set(i) : Clear(i); }
    void Clear(int i) { Word(i) &= ~Bit(i); }
    void SetAll() {
        std::fill_n(Words(), WordCount(size_), ~uint64_t(0));
        ClearBeyondSize();
    }
    void ClearAll() { std::fill_n(Words(), WordCount(size_), 0); }
    int NumberSet() const {
        int n = 0;
        for (size_t w = 0; w < WordCount(size_); ++w)
            for (uint64_t v = Words()[w]; v; v &= v - 1) ++n;
        return n;
    }
    int operator[](int i) const { return (Word(i) & Bit(i)) ? 1 : 0; }
    bool operator==(const BitArray& b) const {
        return size_ == b.size_ && std::equal(Words(), Words() + WordCount(size_), b.Words());
    }

    BitArray operator&(const BitArray& b) const {
        return Combine(b, [](uint64_t x, uint64_t y) { return x & y; });
    }
    BitArray operator|(const BitArray& b) const {
        return Combine(b, [](uint64_t x, uint64_t y) { return x | y; });
    }
    BitArray operator~() const {
        BitArray r(*this);
        for (size_t w = 0; w < WordCount(size_); ++w) r.Words()[w] = ~r.Words()[w];
        r.ClearBeyondSize();
        return r;
    }

private:
    static const int kLocalBits = 64;
    static size_t WordCount(int bits) { return static_cast<size_t>(bits + 63) / 64; }
    static uint64_t Bit(int i) { return uint64_t(1) << (i % 64); }

    uint64_t* Words() { return size_ <= kLocalBits ? &local_ : far_.data(); }
    const uint64_t* Words() const { return size_ <= kLocalBits ? &local_ : far_.data(); }
    uint64_t& Word(int i) { return Words()[Checked(i) / 64]; }
    const uint64_t& Word(int i) const { return Words()[Checked(i) / 64]; }
    size_t Checked(int i) const {
        if (i < 0 || i >= size_) throw std::out_of_range("BitArray: bit index out of range");
        return static_cast<size_t>(i);
    }
    // Bits past the size stay clear, so that counts and comparisons see only the array's own bits.
    void ClearBeyondSize() {
        if (size_ % 64) Words()[WordCount(size_) - 1] &= (uint64_t(1) << (size_ % 64)) - 1;
    }
    // Binary operations work on the common length, as the host's do.
    template <class Op>
    BitArray Combine(const BitArray& b, Op op) const {
        BitArray r((std::min)(GetSize(), b.GetSize()));
        for (size_t w = 0; w < WordCount(r.size_); ++w) r.Words()[w] = op(Words()[w], b.Words()[w]);
        r.ClearBeyondSize();
        return r;
    }

    int size_ = 0;
    uint64_t local_ = 0;
    std::vector<uint64_t> far_;
};
