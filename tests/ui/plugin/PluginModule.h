#pragma once

// The plug-in module as the host meets it: loaded by file name, its exports looked up by name.

#include <cstddef>
#include <vector>

#include "hostnotify.h"
#include "maxapi.h"
#include "utilapi.h"

struct PluginModule {
    HMODULE module;
    const MCHAR* (*LibDescription)();
    int (*LibNumberClasses)();
    ClassDesc* (*LibClassDesc)(int i);
    ULONG (*LibVersion)();
    int (*LibInitialize)();
    int (*CanAutoDefer)();
    // Right after loading, before any other export, the loader asks LibClassDesc(0) as a host may.
    size_t registrationsBeforeFirstCall;
    ClassDesc* firstClassDesc;
};

// Loaded on first use and kept for the rest of the process, as the host keeps its plug-ins.
const PluginModule& Plugin();

// The host's notification registrations whose procedure lies in the plug-in module.
std::vector<NotifyRegistration> PluginRegistrations();

// The dialog among the thread's windows (the host's command panel included) that has a control of this ID
// and window class; null when there is none.
HWND FindPanel(int controlId, const wchar_t* controlClass);

// The utility object of descriptor i, as the host gets it to open the utility.
UtilityObj* PluginUtility(int i);
