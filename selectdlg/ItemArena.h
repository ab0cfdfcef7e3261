#pragma once

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

// Objects made one after another and freed all together. They are kept in large blocks, so that items made
// in sequence also lie in sequence in memory, which a walk over many of them reaches far faster than
// objects allocated one by one; an object never moves.
template <class T>
class ItemArena {
public:
    ItemArena() = default;
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;
    ~ItemArena() {
        for (size_t b = blocks_.size(); b-- > 0;) {
            const size_t made = b + 1 == blocks_.size() ? used_ : kBlock;
            for (size_t i = made; i-- > 0;) blocks_[b][i].~T();
            ::operator delete(blocks_[b]);
        }
    }

    template <class... Args>
    T& Make(Args&&... args) {
        if (blocks_.empty() || used_ == kBlock) {
            T* block = static_cast<T*>(::operator new(kBlock * sizeof(T)));
            try {
                blocks_.push_back(block);
            } catch (...) {
                ::operator delete(block);
                throw;
            }
            used_ = 0;
        }
        T* made = new (blocks_.back() + used_) T(std::forward<Args>(args)...);
        ++used_;
        return *made;
    }

private:
    static const size_t kBlock = 512;
    std::vector<T*> blocks_;
    size_t used_ = 0;  // objects made in the last block
};
