#pragma once

#include <algorithm>
#include <vector>

#include "maxtypes.h"

// The host's growable array, for plain values and pointers.
template <class T>
class Tab {
public:
    typedef int (*CompareFnc)(const void* elem1, const void* elem2);

    int Count() const { return static_cast<int>(items_.size()); }
    void ZeroCount() { items_.clear(); }
    void SetCount(int n, BOOL resize = TRUE) {
        (void)resize;
        items_.resize(n > 0 ? static_cast<size_t>(n) : 0);
    }
    void Resize(int n) { items_.reserve(n > 0 ? static_cast<size_t>(n) : 0); }
    void Shrink() { items_.shrink_to_fit(); }

    // Appends num elements and answers the index of the first of them.
    int Append(int num, const T* el, int allocExtra = 0) {
        (void)allocExtra;
        int at = Count();
        items_.insert(items_.end(), el, el + num);
        return at;
    }
    int Insert(int at, int num, const T* el) {
        items_.insert(items_.begin() + at, el, el + num);
        return at;
    }
    // Deletes num elements from start and answers the new count.
    int Delete(int start, int num) {
        if (start < 0 || start >= Count() || num <= 0) return Count();
        int end = std::min(Count(), start + num);
        items_.erase(items_.begin() + start, items_.begin() + end);
        return Count();
    }
    void Sort(CompareFnc cmp) {
        std::stable_sort(items_.begin(), items_.end(),
                         [cmp](const T& a, const T& b) { return cmp(&a, &b) < 0; });
    }

    T& operator[](INT_PTR i) const { return items_[static_cast<size_t>(i)]; }
    T* Addr(INT_PTR i) const { return items_.data() + i; }

    T* begin() const { return items_.data(); }
    T* end() const { return items_.data() + items_.size(); }

private:
    mutable std::vector<T> items_;
};
