#pragma once

#include "ProductClassIds.h"
#include "StdMtlBase.h"

// The host's Standard material: twelve map channels, one per standard map id, and the Blinn shader
// when new.
class StandardMtl : public StdMtlBase {
public:
    static const StandInClassInfo kInfo;

    StandardMtl() : StandardMtl(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new StandardMtl(true); }

private:
    explicit StandardMtl(bool bare);
};
