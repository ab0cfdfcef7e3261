#include "ObjectPool.h"
#include "hold.h"

// theHold and the pool's last cleanup live in one file so that their order at exit is fixed: the
// cleanup, made after theHold, runs before theHold goes.
Hold theHold;

namespace {
struct PoolCleanup {
    ~PoolCleanup() {
        theHold.ClearUndoStacks();
        HostObjectPool::FreeAll();
    }
} poolCleanup;
}  // namespace
