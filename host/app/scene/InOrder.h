#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Pieces of text numbered 0 to count - 1, made on up to `threads` threads (the caller's among them) and
// handed over one by one in their order on the calling thread. `make(piece, thread, text)` fills the
// empty `text` (its room is reused from piece to piece); `thread` is 0 on the caller and 1 to threads - 1
// on the others, so that each thread can keep its own tools. `take(piece, text)` runs on the caller. No
// more than `ahead` pieces are made before the next one to hand over, which bounds the memory held (and
// the threads worth starting). The first exception from either function stops the work and is thrown once
// every thread has stopped.
void MakeInOrder(size_t count, unsigned threads, size_t ahead,
                 const std::function<void(size_t piece, unsigned thread, std::string& text)>& make,
                 const std::function<void(size_t piece, std::string& text)>& take);

// The threads worth using for work that only needs the processor: one per processor of the machine.
unsigned WorkThreads();
