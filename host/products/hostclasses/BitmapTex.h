#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

class StdUVGen;

// A plain bitmap map: a file name and its texture coordinates, no sub-maps. Scenes use it wherever an
// ordinary map sits beside the products' own maps.
class BitmapTex : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock, kRefUVGen, kNumRefs };
    enum : ParamID { kFileName };  // string

    BitmapTex() : BitmapTex(false) {}

    MSTR GetMapName();
    void SetMapName(const MCHAR* fileName);
    StdUVGen* GetUVGen();

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new BitmapTex(true); }

private:
    explicit BitmapTex(bool bare);
};
