#pragma once

#include <xmmintrin.h>
#include <cstdint>

// Starts loading every cache line of *object without waiting for it: a walk over a large scene asks for the
// nodes it will reach next, so that their loads overlap instead of following one another.
template <class T>
inline void PrefetchObject(const T* object) {
    const uintptr_t kLine = 64;
    const auto at = reinterpret_cast<uintptr_t>(object);
    for (uintptr_t line = at & ~(kLine - 1); line < at + sizeof(T); line += kLine)
        _mm_prefetch(reinterpret_cast<const char*>(line), _MM_HINT_T0);
}
