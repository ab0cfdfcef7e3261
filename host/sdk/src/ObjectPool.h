#pragma once

#include "ref.h"

// Every live reference target is on this list. What the scene still holds when the host resets it or
// exits (and objects that were made but never referenced) is freed from here: the pool drops all
// references among them and frees them.
class HostObjectPool {
public:
    static void Add(ReferenceTarget* t);
    static void Remove(ReferenceTarget* t);
    static int Count();
    // Frees every pooled object. The undo stacks must be empty first.
    static void FreeAll();
    // Frees a deleted object (A_IS_DELETED) when nothing refers to it and no undo record points at it.
    static void FreeIfUnused(ReferenceMaker* m);
};
