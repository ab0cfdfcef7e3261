#include "ParamIDConverter.h"

#include "ProductInterfaces.h"

const ParamIDConverter theDefaultIDConverter;

short ParamIDConverter::MapID(ParamID srcId, ParamType2 srcType) const {
    if (srcType == TYPE_MTL || srcType == TYPE_TEXMAP) return -1;
    return srcId;
}

namespace {
namespace Tvl2Map = Tvl2ReflectRefractMapIds;
namespace Tvl3Map = Tvl3ReflectRefractMapIds;

// Tavelin 2 reflection/refraction map → Tavelin 3: settings, the switches, and the two maps. Each switch
// arrives as it was; the conversion inverts it afterwards.
const ParamIDPair kRefTexIDs[] = {
    {Tvl2Map::kReflectAmount, Tvl3Map::kReflectAmount},
    {Tvl2Map::kRefractAmount, Tvl3Map::kRefractAmount},
    {Tvl2Map::kTint, Tvl3Map::kTint},
    {Tvl2Map::kIor, Tvl3Map::kIor},
    {Tvl2Map::kSamples, Tvl3Map::kSamples},
    {Tvl2Map::kBlur, Tvl3Map::kBlur},
    {Tvl2Map::kReflectOn, Tvl3Map::kReflectOff},
    {Tvl2Map::kRefractOn, Tvl3Map::kRefractOff},
    {Tvl2Map::kFresnelOn, Tvl3Map::kFresnelOff},
    {Tvl2Map::kTintOn, Tvl3Map::kTintOff},
    {Tvl2Map::kShadowsOn, Tvl3Map::kShadowsOff},
    {Tvl2Map::kReflectionMap, Tvl3Map::kReflectionMap},
    {Tvl2Map::kRefractionMap, Tvl3Map::kRefractionMap},
};

// The reflection switch also drives the outline.
const ParamIDPair kRefTexOutlineIDs[] = {{Tvl2Map::kReflectOn, Tvl3Map::kOutlineOff}};
}  // namespace

short ParamIDConverterRefTex::MapID(ParamID srcId, ParamType2) const { return MapByTable(kRefTexIDs, srcId); }

short ParamIDConverterRefTexForOutline::MapID(ParamID srcId, ParamType2) const {
    return MapByTable(kRefTexOutlineIDs, srcId);
}
