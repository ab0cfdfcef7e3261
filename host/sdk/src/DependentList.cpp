#include "DependentList.h"

#include <algorithm>

DependentList::~DependentList() {
    if (data_ != &first_) delete[] data_;
}

size_t DependentList::Find(ReferenceMaker* m) const {
    if (index_) {
        auto it = index_->find(m);
        return it == index_->end() ? size_ : it->second;
    }
    for (size_t i = 0; i < size_; ++i)
        if (data_[i].maker == m) return i;
    return size_;
}

void DependentList::Push(Entry e) {
    if (size_ == capacity_) {
        const size_t capacity = 2 * capacity_;
        Entry* grown = new Entry[capacity];
        std::copy(data_, data_ + size_, grown);
        if (data_ != &first_) delete[] data_;
        data_ = grown;
        capacity_ = capacity;
    }
    data_[size_++] = e;
}

void DependentList::Add(ReferenceMaker* m) {
    size_t at = Find(m);
    if (at < size_) {
        ++data_[at].refs;
        return;
    }
    if (size_ >= 2 * static_cast<size_t>(live_) + kIndexThreshold) Compact();
    Push({m, 1});
    ++live_;
    if (index_) {
        (*index_)[m] = size_ - 1;
    } else if (size_ > kIndexThreshold) {
        index_ = std::make_unique<std::unordered_map<ReferenceMaker*, size_t>>();
        for (size_t i = 0; i < size_; ++i)
            if (data_[i].maker) (*index_)[data_[i].maker] = i;
    }
}

void DependentList::Remove(ReferenceMaker* m) {
    size_t at = Find(m);
    if (at >= size_) return;
    if (--data_[at].refs > 0) return;
    data_[at].maker = nullptr;
    --live_;
    if (index_) index_->erase(m);
    while (size_ > 0 && !data_[size_ - 1].maker) --size_;
}

void DependentList::Erase(ReferenceMaker* m) {
    size_t at = Find(m);
    if (at >= size_) return;
    data_[at].refs = 1;
    Remove(m);
}

void DependentList::Compact() {
    size_t out = 0;
    for (size_t i = 0; i < size_; ++i)
        if (data_[i].maker) data_[out++] = data_[i];
    size_ = out;
    if (index_) {
        index_->clear();
        for (size_t i = 0; i < size_; ++i) (*index_)[data_[i].maker] = i;
    }
}
