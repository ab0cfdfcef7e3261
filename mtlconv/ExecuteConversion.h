#pragma once

#include "WindowsDefines.h"

// The run behind the panel's "変換を実行する" button: reads the options from the panel's controls, checks
// that a reference material is held when the zones are to follow one, asks for confirmation, then converts
// the conversion list as one undo step named with string 2. The list box is refilled as the list empties.
void ExecuteConversion(HWND panel);
