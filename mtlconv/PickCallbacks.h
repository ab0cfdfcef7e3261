#pragma once

#include "MtlConverterState.h"
#include "WindowsDefines.h"

// The material converter's "追加" and "削除" flows: each opens the material selection dialog, owned by the
// host's main window, over the materials the state's conversion list may gain or lose, applies the
// user's choice to the list after OK and has the panel refill its list box. Neither records an undo step.
// hPanel is the panel that asked (it may be null when no panel is open).
void AddMaterials(HWND hPanel, MtlConverterState& state);
void DeleteMaterials(HWND hPanel, MtlConverterState& state);
