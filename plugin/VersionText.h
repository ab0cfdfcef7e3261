#pragma once

#include "strclass.h"

// The label both utility panels show at their top (control IDC_VERSION): "Version 0.89".
WStr BuildVersionText();
