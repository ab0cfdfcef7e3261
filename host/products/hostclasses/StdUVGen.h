#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The texture coordinates of a map: offset and tiling in U and V.
class StdUVGen : public StandIn<UVGen> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock, kNumRefs };
    enum : ParamID { kUOffset, kVOffset, kUTiling, kVTiling };

    StdUVGen() : StdUVGen(false) {}

    float GetUOffs(TimeValue t) { return Get(kUOffset, t); }
    float GetVOffs(TimeValue t) { return Get(kVOffset, t); }
    float GetUScl(TimeValue t) { return Get(kUTiling, t); }
    float GetVScl(TimeValue t) { return Get(kVTiling, t); }
    void SetUOffs(float v, TimeValue t) { Set(kUOffset, v, t); }
    void SetVOffs(float v, TimeValue t) { Set(kVOffset, v, t); }
    void SetUScl(float v, TimeValue t) { Set(kUTiling, v, t); }
    void SetVScl(float v, TimeValue t) { Set(kVTiling, v, t); }

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new StdUVGen(true); }

private:
    explicit StdUVGen(bool bare);

    float Get(ParamID id, TimeValue t);
    void Set(ParamID id, float v, TimeValue t);
};
