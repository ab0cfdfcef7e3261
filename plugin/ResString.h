#pragma once

#include "WindowsDefines.h"
#include "maxtypes.h"

// The plug-in module's instance handle, set by DllMain when the module is loaded; null before.
extern HINSTANCE hInstance;

// A text of the plug-in's string table, in one buffer of 512 characters shared by every call: the next
// call overwrites it, so a caller that keeps a text copies it first (into an MSTR). Null before the
// module handle is set and for an ID the table does not hold.
const MCHAR* LoadResString(int id);
