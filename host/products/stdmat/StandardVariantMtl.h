#pragma once

#include "ProductClassIds.h"
#include "StdMtlBase.h"

// A material that offers the Standard material's operations with its own channel layout: three extra
// maps of its own sit in channels 8 to 10, bump, reflection and refraction move to 11 to 13, and it has
// no displacement channel.
class StandardVariantMtl : public StdMtlBase {
public:
    static const StandInClassInfo kInfo;
    // Channels the converter reads as they are, beside those it reaches by standard map id.
    enum : int {
        kChannelGlossiness = 3,
        kChannelSpecularLevel = 4,
        kChannelExtra1 = 8,
        kChannelExtra2 = 9,
        kChannelExtra3 = 10,
    };

    StandardVariantMtl() : StandardVariantMtl(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new StandardVariantMtl(true); }

private:
    explicit StandardVariantMtl(bool bare);
};
