#pragma once

#include "ref.h"

// What atmospherics, render effects and shaders have in common: a name and an active state.
class CoreExport SpecialFX : public ReferenceTarget {
public:
    ~SpecialFX() override;
    // Classes that show a name of their own override it; the name member is not what it answers.
    virtual MSTR GetName() { return _M(""); }
    // Active unless disabled (A_ATMOS_DISABLED).
    virtual BOOL Active(TimeValue t) {
        (void)t;
        return !TestAFlag(A_ATMOS_DISABLED);
    }
    virtual void Update(TimeValue t, Interval& valid) {
        (void)t;
        (void)valid;
    }

    // The name the user gave the effect.
    MSTR name;
};
