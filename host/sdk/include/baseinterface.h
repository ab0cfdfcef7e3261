#pragma once

#include "plugapi.h"

// Base of the interfaces an object offers through Animatable::GetInterface(Interface_ID).
class CoreExport BaseInterface {
public:
    virtual ~BaseInterface();
    virtual Interface_ID GetID() { return Interface_ID(0, 0); }
};
