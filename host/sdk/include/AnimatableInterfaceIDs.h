#pragma once

// Interface ids of the legacy GetInterface(ULONG) kind.

// Keyed controllers.
#define I_KEYCONTROL 0x00001100

class IKeyControl;

// The key interface of a controller. It asks the object itself, so anim must not be null.
#define GetKeyControlInterface(anim) ((IKeyControl*)(anim)->GetInterface(I_KEYCONTROL))
