#pragma once

#include "maxtypes.h"

#define NOTIFY_SYSTEM_PRE_RESET 0x00000005
#define NOTIFY_SYSTEM_POST_RESET 0x00000006
#define NOTIFY_SYSTEM_PRE_NEW 0x00000007
#define NOTIFY_SYSTEM_POST_NEW 0x00000008
#define NOTIFY_FILE_PRE_OPEN 0x00000009
#define NOTIFY_FILE_POST_OPEN 0x0000000A
#define NOTIFY_SYSTEM_SHUTDOWN 0x00000049

struct NotifyInfo {
    int intcode;
    void* callParam;
};

typedef void (*NOTIFYPROC)(void* param, NotifyInfo* info);

// Each registration is called: a procedure registered twice for one code is called twice.
// UnRegisterNotification removes one registration.
CoreExport int RegisterNotification(NOTIFYPROC proc, void* param, int code);
CoreExport int UnRegisterNotification(NOTIFYPROC proc, void* param, int code);
CoreExport void BroadcastNotification(int code, void* callParam = nullptr);
