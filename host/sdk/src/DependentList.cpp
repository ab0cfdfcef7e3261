#include "DependentList.h"

size_t DependentList::Find(ReferenceMaker* m) const {
    if (index_) {
        auto it = index_->find(m);
        return it == index_->end() ? entries_.size() : it->second;
    }
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].maker == m) return i;
    return entries_.size();
}

void DependentList::Add(ReferenceMaker* m) {
    size_t at = Find(m);
    if (at < entries_.size()) {
        ++entries_[at].refs;
        return;
    }
    if (entries_.size() >= 2 * static_cast<size_t>(live_) + kIndexThreshold) Compact();
    entries_.push_back({m, 1});
    ++live_;
    if (index_) {
        (*index_)[m] = entries_.size() - 1;
    } else if (entries_.size() > kIndexThreshold) {
        index_ = std::make_unique<std::unordered_map<ReferenceMaker*, size_t>>();
        for (size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].maker) (*index_)[entries_[i].maker] = i;
    }
}

void DependentList::Remove(ReferenceMaker* m) {
    size_t at = Find(m);
    if (at >= entries_.size()) return;
    if (--entries_[at].refs > 0) return;
    entries_[at].maker = nullptr;
    --live_;
    if (index_) index_->erase(m);
    while (!entries_.empty() && !entries_.back().maker) entries_.pop_back();
}

void DependentList::Erase(ReferenceMaker* m) {
    size_t at = Find(m);
    if (at >= entries_.size()) return;
    entries_[at].refs = 1;
    Remove(m);
}

void DependentList::Compact() {
    size_t out = 0;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].maker) entries_[out++] = entries_[i];
    entries_.resize(out);
    if (index_) {
        index_->clear();
        for (size_t i = 0; i < entries_.size(); ++i) (*index_)[entries_[i].maker] = i;
    }
}
