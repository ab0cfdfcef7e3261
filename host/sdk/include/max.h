#pragma once

// The host's core API. Like the real umbrella it leaves out the Standard material and its shaders
// (stdmat.h, shaders.h), parameter blocks (iparamb2.h), notifications (notify.h) and utilities
// (utilapi.h): a file that uses them includes them.
#include "WindowsDefines.h"
#include "animtbl.h"
#include "bitarray.h"
#include "color.h"
#include "control.h"
#include "hold.h"
#include "iFnPub.h"
#include "imtl.h"
#include "inode.h"
#include "interval.h"
#include "maxapi.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "point3.h"
#include "ref.h"
#include "render.h"
#include "strclass.h"
#include "tab.h"
