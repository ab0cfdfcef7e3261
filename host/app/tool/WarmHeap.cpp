#include "WarmHeap.h"

#ifdef TVL_WARM_HEAP

#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

#include <gperftools/malloc_extension.h>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14
#endif

namespace {

constexpr uintptr_t kPage = 4096;

uintptr_t AlignUp(uintptr_t v, uintptr_t a) { return (v + a - 1) & ~(a - 1); }

// tcmalloc's system memory, cut in order from large reserved regions. tcmalloc asks for it under its own
// lock and never gives it back (it only tells the kernel which pages it no longer uses), so the pages past
// the last piece handed out are nobody's yet: the warming thread faults them in without writing to them.
class WarmSysAllocator : public SysAllocator {
public:
    void* Alloc(size_t size, size_t* actual, size_t alignment) override {
        alignment = std::max<size_t>(alignment, kPage);
        std::lock_guard<std::mutex> lock(mutex_);
        uintptr_t at = AlignUp(next_, alignment);
        if (!next_ || at > regionEnd_ || size > regionEnd_ - at) {
            if (size > SIZE_MAX - kRegion) return nullptr;
            const size_t needed = AlignUp(size + alignment, kPage);
            if (!Reserve(std::max(kRegion, needed)) && !Reserve(needed)) return nullptr;
            at = AlignUp(next_, alignment);
        }
        next_ = at + size;
        handed_ += size;
        if (actual) *actual = size;
        if (warm_ < WarmTarget()) wanted_.notify_one();
        return reinterpret_cast<void*>(at);
    }

    // The warming thread: faults in the pages up to the target, a step at a time, outside the lock.
    void Warm() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wanted_.wait(lock, [&] { return warm_ < WarmTarget(); });
            // Pages already handed out are faulted in by their users.
            const uintptr_t from = std::max(warm_, next_) & ~(kPage - 1);
            const uintptr_t to = std::min(from + kStep, WarmTarget());
            warm_ = to;
            lock.unlock();
            const bool warmed = madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE) == 0;
            lock.lock();
            if (!warmed && errno == EINVAL) return;  // a kernel without it: tcmalloc's pages fault as usual
        }
    }

private:
    bool Reserve(size_t length) {
        void* p =
            mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (p == MAP_FAILED) return false;
        next_ = warm_ = reinterpret_cast<uintptr_t>(p);
        regionEnd_ = next_ + length;
        return true;
    }

    static constexpr size_t kRegion = size_t(1) << 30;  // reserved, not committed
    static constexpr size_t kStep = size_t(2) << 20;
    static constexpr size_t kAheadMost = size_t(32) << 20;

    // Warm ahead by a quarter of what tcmalloc has taken, so that a small program stays small.
    uintptr_t WarmTarget() const {
        return next_ ? std::min(regionEnd_, AlignUp(next_, kPage) + std::min(kAheadMost, handed_ / 4)) : 0;
    }

    std::mutex mutex_;
    std::condition_variable wanted_;
    uintptr_t next_ = 0;       // the first byte not handed out
    uintptr_t warm_ = 0;       // faulted in up to here
    uintptr_t regionEnd_ = 0;  // the end of the region `next_` is in
    size_t handed_ = 0;
};

}  // namespace

void StartWarmHeap() {
    // Lives to the program's end: tcmalloc may ask it for memory until then.
    static auto* allocator = new WarmSysAllocator;
    MallocExtension::instance()->SetSystemAllocator(allocator);
    try {
        std::thread([] { allocator->Warm(); }).detach();
    } catch (const std::system_error&) {  // no thread to be had: pages fault in as they are used
    }
}

#else

void StartWarmHeap() {}

#endif
