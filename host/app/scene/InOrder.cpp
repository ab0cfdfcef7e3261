#include "InOrder.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

class Pieces {
public:
    Pieces(size_t count, size_t ahead) : count_(count), slots_(ahead) {}

    // The next piece to make, or false once there is none or the work stopped; waits while the pieces
    // ahead are all made and not yet taken.
    bool Claim(size_t& piece) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || next_ >= count_ || next_ < taken_ + slots_.size(); });
        if (stopped_ || next_ >= count_) return false;
        piece = next_++;
        return true;
    }
    // Stores a piece made; `text` gets the room of a piece already taken.
    void Done(size_t piece, std::string& text) {
        std::lock_guard<std::mutex> lock(mutex_);
        Slot& s = slots_[piece % slots_.size()];
        s.text.swap(text);
        s.made = true;
        changed_.notify_all();
    }
    void Stop(std::exception_ptr error) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!error_) error_ = error;
        stopped_ = true;
        changed_.notify_all();
    }

    // The caller: hands the pieces over in order, making pieces itself while the next one is not made.
    void Run(const std::function<void(size_t, unsigned, std::string&)>& make,
             const std::function<void(size_t, std::string&)>& take) {
        std::string text;
        while (taken_ < count_) {
            std::unique_lock<std::mutex> lock(mutex_);
            Slot& s = slots_[taken_ % slots_.size()];
            if (stopped_) break;
            if (s.made) {
                s.made = false;
                s.text.swap(text);
                ++taken_;
                changed_.notify_all();
                lock.unlock();
                take(taken_ - 1, text);
                text.clear();
                continue;
            }
            if (next_ < count_ && next_ < taken_ + slots_.size()) {
                const size_t piece = next_++;
                lock.unlock();
                make(piece, 0, text);
                Done(piece, text);
                text.clear();
                continue;
            }
            changed_.wait(lock, [&] { return stopped_ || s.made; });
        }
    }

    std::exception_ptr Error() {
        std::lock_guard<std::mutex> lock(mutex_);
        return error_;
    }

private:
    struct Slot {
        std::string text;
        bool made = false;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    const size_t count_;
    size_t next_ = 0;   // the next piece to make
    size_t taken_ = 0;  // the next piece to hand over
    bool stopped_ = false;
    std::exception_ptr error_;
    std::vector<Slot> slots_;
};

}  // namespace

void MakeInOrder(size_t count, unsigned threads, size_t ahead,
                 const std::function<void(size_t, unsigned, std::string&)>& make,
                 const std::function<void(size_t, std::string&)>& take) {
    Pieces pieces(count, ahead > 0 ? ahead : 1);
    std::vector<std::thread> helpers;
    // No more threads than pieces that may be made at once.
    for (unsigned t = 1; t < threads && t < count && t < ahead; ++t)
        helpers.emplace_back([&pieces, &make, t] {
            std::string text;
            size_t piece = 0;
            try {
                while (pieces.Claim(piece)) {
                    make(piece, t, text);
                    pieces.Done(piece, text);
                    text.clear();
                }
            } catch (...) {
                pieces.Stop(std::current_exception());
            }
        });
    try {
        pieces.Run(make, take);
    } catch (...) {
        pieces.Stop(std::current_exception());
    }
    pieces.Stop(nullptr);
    for (std::thread& h : helpers) h.join();
    if (std::exception_ptr error = pieces.Error()) std::rethrow_exception(error);
}

unsigned WorkThreads() {
    const unsigned n = std::thread::hardware_concurrency();
    return n > 0 ? n : 1;
}
