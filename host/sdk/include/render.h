#pragma once

#include "sfx.h"

// A render effect: one entry of the host's render-effect list.
class CoreExport Effect : public SpecialFX {
public:
    ~Effect() override;
    SClass_ID SuperClassID() override { return RENDER_EFFECT_CLASS_ID; }
};
