#pragma once

#include "maxtypes.h"

// The plug-in's string table where no module holds it: the host tool and the native tests run the
// conversion cores without loading the plug-in, and take the same texts from here. Generated from
// Tavelin3_Converter.rc when the project is built. Null for an ID the table does not hold.
const MCHAR* StringTableText(int id);
