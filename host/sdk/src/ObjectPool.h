#pragma once

#include "ref.h"

// Every live reference target is on this list. Objects that nobody deleted stay here until the host
// resets the scene or exits; then the pool drops all references among them and frees them.
class HostObjectPool {
public:
    static void Add(ReferenceTarget* t);
    static void Remove(ReferenceTarget* t);
    static int Count();
    // Frees every pooled object. The undo stacks must be empty first.
    static void FreeAll();
    // Frees a deleted object when nothing refers to it and no undo record points at it.
    static void FreeIfUnused(ReferenceTarget* t);
};
