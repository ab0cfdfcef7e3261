// The plug-in names the products' parameters, blocks and references in ProductInterfaces.h without
// including the products; this translation unit sees both and fails to compile when they drift apart.

#include "LineEffectStandIn.h"
#include "ProductInterfaces.h"
#include "stdmat/AnisotropicShader.h"
#include "stdmat/BlinnShader.h"
#include "stdmat/FinalToonShader.h"
#include "stdmat/IllustrateShader.h"
#include "stdmat/StandardVariantMtl.h"
#include "tavelin2/Tvl2BrushMap.h"
#include "tavelin2/Tvl2BrushSubMap.h"
#include "tavelin2/Tvl2LineSet.h"
#include "tavelin2/Tvl2Material.h"
#include "tavelin2/Tvl2ReflectRefractMap.h"
#include "tavelin2/Tvl2Settings.h"
#include "tavelin3/Tvl3BrushMap.h"
#include "tavelin3/Tvl3BrushSubMap.h"
#include "tavelin3/Tvl3Line.h"
#include "tavelin3/Tvl3LineSet.h"
#include "tavelin3/Tvl3Material.h"
#include "tavelin3/Tvl3ReflectRefractMap.h"
#include "tavelin3/Tvl3Settings.h"
#include "tavelin3/Tvl3Zone.h"

#define SAME(ns, product, name) static_assert(+ns::name == +product::name, #ns "::" #name)

// Shaders.
SAME(FinalToonShaderIds, FinalToonShader, kMainBlock);
SAME(FinalToonShaderIds, FinalToonShader, kAmbient);
SAME(FinalToonShaderIds, FinalToonShader, kDiffuse);
SAME(FinalToonShaderIds, FinalToonShader, kSpecular);
SAME(FinalToonShaderIds, FinalToonShader, kLockAD);
SAME(FinalToonShaderIds, FinalToonShader, kLockDS);
SAME(FinalToonShaderIds, FinalToonShader, kSpecularLevel);
SAME(FinalToonShaderIds, FinalToonShader, kGlossiness);
SAME(FinalToonShaderIds, FinalToonShader, kSoften);
SAME(FinalToonShaderIds, FinalToonShader, kBaseBlend);
SAME(FinalToonShaderIds, FinalToonShader, kZone1On);
SAME(FinalToonShaderIds, FinalToonShader, kZone2On);
SAME(FinalToonShaderIds, FinalToonShader, kZone3On);
SAME(FinalToonShaderIds, FinalToonShader, kZone1Color);
SAME(FinalToonShaderIds, FinalToonShader, kZone2Color);
SAME(FinalToonShaderIds, FinalToonShader, kZone3Color);
SAME(FinalToonShaderIds, FinalToonShader, kZone1Amount);
SAME(FinalToonShaderIds, FinalToonShader, kZone2Amount);
SAME(FinalToonShaderIds, FinalToonShader, kZone3Amount);
SAME(FinalToonShaderIds, FinalToonShader, kEdge1);
SAME(FinalToonShaderIds, FinalToonShader, kEdge2);
SAME(FinalToonShaderIds, FinalToonShader, kZone1Width);
SAME(FinalToonShaderIds, FinalToonShader, kZone3Width);

SAME(IllustrateShaderIds, IllustrateShader, kMainBlock);
SAME(IllustrateShaderIds, IllustrateShader, kZone1On);
SAME(IllustrateShaderIds, IllustrateShader, kZone2On);
SAME(IllustrateShaderIds, IllustrateShader, kZone3On);
SAME(IllustrateShaderIds, IllustrateShader, kZone1Width);
SAME(IllustrateShaderIds, IllustrateShader, kZone3Width);
SAME(IllustrateShaderIds, IllustrateShader, kZone1Color);
SAME(IllustrateShaderIds, IllustrateShader, kZone2Color);
SAME(IllustrateShaderIds, IllustrateShader, kZone3Color);
SAME(IllustrateShaderIds, IllustrateShader, kZone1Amount);
SAME(IllustrateShaderIds, IllustrateShader, kZone2Amount);
SAME(IllustrateShaderIds, IllustrateShader, kZone3Amount);
SAME(IllustrateShaderIds, IllustrateShader, kEdge1);
SAME(IllustrateShaderIds, IllustrateShader, kEdge2);
SAME(IllustrateShaderIds, IllustrateShader, kBaseBlend);
SAME(IllustrateShaderIds, IllustrateShader, kDesaturation);

SAME(AnisotropicShaderIds, AnisotropicShader, kMainBlock);
SAME(AnisotropicShaderIds, AnisotropicShader, kAnisotropy);
SAME(AnisotropicShaderIds, AnisotropicShader, kOrientation);

// The variant's shader may be any of them; the value it is read for sits at the same place in each.
SAME(VariantShaderIds, BlinnShader, kMainBlock);
SAME(VariantShaderIds, BlinnShader, kBaseBlend);
SAME(VariantShaderIds, AnisotropicShader, kBaseBlend);
SAME(VariantShaderIds, FinalToonShader, kBaseBlend);

SAME(StdMatVariantIds, StandardVariantMtl, kChannelGlossiness);
SAME(StdMatVariantIds, StandardVariantMtl, kChannelSpecularLevel);
SAME(StdMatVariantIds, StandardVariantMtl, kChannelExtra1);
SAME(StdMatVariantIds, StandardVariantMtl, kChannelExtra2);
SAME(StdMatVariantIds, StandardVariantMtl, kChannelExtra3);

// Materials and zones.
SAME(Tvl3MaterialIds, Tvl3Material, kMainBlock);
SAME(Tvl3MaterialIds, Tvl3Material, kBaseBlend);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightColor);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightAddBlend);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightWidth);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightSharpness);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightEdge);
SAME(Tvl3MaterialIds, Tvl3Material, kAnisotropyU);
SAME(Tvl3MaterialIds, Tvl3Material, kAnisotropyV);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightMapAmount);
SAME(Tvl3MaterialIds, Tvl3Material, kHighlightMapOn);
SAME(Tvl3MaterialIds, Tvl3Material, kBumpOn);
SAME(Tvl3MaterialIds, Tvl3Material, kBumpAmount);
SAME(Tvl3MaterialIds, Tvl3Material, kReflectionOn);
SAME(Tvl3MaterialIds, Tvl3Material, kReflectionAmount);
SAME(Tvl3MaterialIds, Tvl3Material, kRefBaseMtl);
SAME(Tvl3MaterialIds, Tvl3Material, kRefSettings);
SAME(Tvl3MaterialIds, Tvl3Material, kRefFirstSubMap);
SAME(Tvl3MaterialIds, Tvl3Material, kSubMtlBase);
SAME(Tvl3MaterialIds, Tvl3Material, kSubMapHighlightColor);
SAME(Tvl3MaterialIds, Tvl3Material, kSubMapHighlightLevel);
SAME(Tvl3MaterialIds, Tvl3Material, kSubMapHighlightGloss);
SAME(Tvl3MaterialIds, Tvl3Material, kSubMapBump);
SAME(Tvl3MaterialIds, Tvl3Material, kSubMapReflection);
SAME(Tvl3MaterialIds, Tvl3Material, kNumSubMaps);

SAME(Tvl3ZoneIds, Tvl3Zone, kMainBlock);
SAME(Tvl3ZoneIds, Tvl3Zone, kLowerBound);
SAME(Tvl3ZoneIds, Tvl3Zone, kUpperBound);
SAME(Tvl3ZoneIds, Tvl3Zone, kColor);
SAME(Tvl3ZoneIds, Tvl3Zone, kMapAmount);
SAME(Tvl3ZoneIds, Tvl3Zone, kMapOn);
SAME(Tvl3ZoneIds, Tvl3Zone, kBlendMode);
SAME(Tvl3ZoneIds, Tvl3Zone, kBlend);
SAME(Tvl3ZoneIds, Tvl3Zone, kStrokeSwitches);
SAME(Tvl3ZoneIds, Tvl3Zone, kZoneNumber);
SAME(Tvl3ZoneIds, Tvl3Zone, kBlendMultiply);
SAME(Tvl3ZoneIds, Tvl3Zone, kFirstZoneNumber);
SAME(Tvl3ZoneIds, Tvl3Zone, kLastZoneNumber);
SAME(Tvl3ZoneIds, Tvl3Zone, kRefMap);

SAME(Tvl2MaterialIds, Tvl2Material, kMainBlock);
SAME(Tvl2MaterialIds, Tvl2Material, kFirstZoneBlock);
SAME(Tvl2MaterialIds, Tvl2Material, kZoneLowerBound);
SAME(Tvl2MaterialIds, Tvl2Material, kZoneUpperBound);
SAME(Tvl2MaterialIds, Tvl2Material, kZoneStrokeSwitches);
SAME(Tvl2MaterialIds, Tvl2Material, kRefBaseMtl);
SAME(Tvl2MaterialIds, Tvl2Material, kRefSettings);
SAME(Tvl2MaterialIds, Tvl2Material, kRefFirstSubMap);
SAME(Tvl2MaterialIds, Tvl2Material, kRefFirstZoneObject);
SAME(Tvl2MaterialIds, Tvl2Material, kNumZones);
SAME(Tvl2MaterialIds, Tvl2Material, kStrokeSlots);
SAME(Tvl2MaterialIds, Tvl2Material, kRefsPerZone);
SAME(Tvl2MaterialIds, Tvl2Material, kNumSubMaps);

SAME(Tvl2ParamHolderIds, Tvl2ParamHolder, kRefBlock);
SAME(Tvl3ParamHolderIds, Tvl3ParamHolder, kRefBlock);

// Reflection/refraction maps.
#define SAME_MAP(ns, layout)             \
    SAME(ns, layout, kMainBlock);        \
    SAME(ns, layout, kEnvironmentBlock); \
    SAME(ns, layout, kReflectAmount);    \
    SAME(ns, layout, kRefractAmount);    \
    SAME(ns, layout, kTint);             \
    SAME(ns, layout, kIor);              \
    SAME(ns, layout, kSamples);          \
    SAME(ns, layout, kBlur);             \
    SAME(ns, layout, kReflectionMap);    \
    SAME(ns, layout, kRefractionMap)
SAME_MAP(Tvl2ReflectRefractMapIds, Tvl2ReflectRefractMapLayout);
SAME_MAP(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout);
SAME(Tvl2ReflectRefractMapIds, Tvl2ReflectRefractMapLayout, kReflectOn);
SAME(Tvl2ReflectRefractMapIds, Tvl2ReflectRefractMapLayout, kRefractOn);
SAME(Tvl2ReflectRefractMapIds, Tvl2ReflectRefractMapLayout, kFresnelOn);
SAME(Tvl2ReflectRefractMapIds, Tvl2ReflectRefractMapLayout, kTintOn);
SAME(Tvl2ReflectRefractMapIds, Tvl2ReflectRefractMapLayout, kShadowsOn);
SAME(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout, kOutlineOff);
SAME(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout, kReflectOff);
SAME(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout, kRefractOff);
SAME(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout, kFresnelOff);
SAME(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout, kTintOff);
SAME(Tvl3ReflectRefractMapIds, Tvl3ReflectRefractMapLayout, kShadowsOff);

// Line effects, line sets and brushes.
SAME(LineEffectIds, LineEffectStandIn, kMainBlock);
SAME(LineEffectIds, LineEffectStandIn, kRefFirstLineSet);

#define SAME_LINE_SET(ns, layout)        \
    SAME(ns, layout, kGeneralBlock);     \
    SAME(ns, layout, kVisibleEdgeBlock); \
    SAME(ns, layout, kHiddenEdgeBlock);  \
    SAME(ns, layout, kVisibilityBlock);  \
    SAME(ns, layout, kReductionBlock);   \
    SAME(ns, layout, kRefBrushGroup0);   \
    SAME(ns, layout, kRefBrushGroup1);   \
    SAME(ns, layout, kRefCurve1);        \
    SAME(ns, layout, kRefCurve2);        \
    SAME(ns, layout, kBrushesPerGroup)
SAME_LINE_SET(Tvl2LineSetIds, Tvl2LineSetLayout);
SAME_LINE_SET(Tvl3LineSetIds, Tvl3LineSetLayout);
SAME(Tvl3LineSetIds, Tvl3LineSetLayout, kEdgeOverride);
SAME(Tvl3LineSetIds, Tvl3LineSetLayout, kEdgeInherit);
SAME(Tvl3LineSetIds, Tvl3LineSetLayout, kEdgeDetect);
SAME(Tvl3LineSetIds, Tvl3LineSetLayout, kEdgeMode);

#define SAME_BRUSH(ns, layout)        \
    SAME(ns, layout, kMainBlock);     \
    SAME(ns, layout, kSubMapPattern); \
    SAME(ns, layout, kSubMapStroke);  \
    SAME(ns, layout, kSubMapTexture)
SAME_BRUSH(Tvl2BrushMapIds, Tvl2BrushMapLayout);
SAME_BRUSH(Tvl3BrushMapIds, Tvl3BrushMapLayout);

#define SAME_BRUSH_SUBMAP(ns, layout) \
    SAME(ns, layout, kSubMapShape);   \
    SAME(ns, layout, kSubMapGrain);   \
    SAME(ns, layout, kRefCurve1);     \
    SAME(ns, layout, kRefCurve2)
SAME_BRUSH_SUBMAP(Tvl2BrushSubMapIds, Tvl2BrushSubMapLayout);
SAME_BRUSH_SUBMAP(Tvl3BrushSubMapIds, Tvl3BrushSubMapLayout);
