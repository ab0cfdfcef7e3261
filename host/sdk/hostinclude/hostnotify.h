#pragma once

#include <vector>

#include "coreexp.h"
#include "notify.h"

// The host's notification registrations as it keeps them, in the order they were made. Host side only:
// a host program (or a test) sees from it which module registered what, and how often.
struct NotifyRegistration {
    NOTIFYPROC proc;
    void* param;
    int code;
};
CoreExport std::vector<NotifyRegistration> NotifyRegistrations();
