#pragma once

#include "ref.h"

// Atmospherics, render effects and shaders: named, and active unless disabled.
class CoreExport SpecialFX : public ReferenceTarget {
public:
    ~SpecialFX() override;
    virtual MSTR GetName() { return name; }
    virtual BOOL Active(TimeValue t) {
        (void)t;
        return !TestAFlag(A_ATMOS_DISABLED);
    }
    virtual void Update(TimeValue t, Interval& valid) {
        (void)t;
        (void)valid;
    }

    MSTR name;
};

class CoreExport Effect : public SpecialFX {
public:
    ~Effect() override;
    SClass_ID SuperClassID() override { return RENDER_EFFECT_CLASS_ID; }
};
