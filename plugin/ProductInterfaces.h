#pragma once

#include "ClassIds.h"
#include "iFnPub.h"
#include "maxtypes.h"

// What the converter relies on of the products beyond their identifiers: the functions the Tavelin 3
// interfaces publish, then the blocks, parameters and references it reads and writes. A setter takes one
// table of reference targets by reference (TYPE_REFTARG_TAB_BR); afterwards the object holds exactly those
// objects, in that order, and refers to each. Counts answer an int; getters take one TYPE_INT index and
// answer a reference target. An object that does not offer the interface ignores the setters, and the
// converter then reads a count of 0 and no objects.

// TVL3_MATERIAL_INTERFACE_ID
enum Tvl3MaterialFunction : FunctionID {
    TVL3_MATERIAL_FN_SET_ZONES = 1,
    TVL3_MATERIAL_FN_NUM_ZONES = 2,
    TVL3_MATERIAL_FN_GET_ZONE = 3,
};

// TVL3_ZONE_INTERFACE_ID
enum Tvl3ZoneFunction : FunctionID {
    TVL3_ZONE_FN_SET_STROKES = 0,
    TVL3_ZONE_FN_NUM_STROKES = 1,
    TVL3_ZONE_FN_GET_STROKE = 2,
};

// TVL3_LINE_INTERFACE_ID
enum Tvl3LineFunction : FunctionID {
    TVL3_LINE_FN_SET_LINE_SETS = 0,
};

// Parameter blocks, parameters and references, one namespace per class. Blocks are named by ID; those
// read by index (GetParamBlock) sit at the index of their ID. A switch is an int that is 0 or 1.

// Block 0 of the Standard material's shaders, as the host's shaders number it.
namespace FinalToonShaderIds {
enum Block : BlockID { kMainBlock = 0 };
enum Param : ParamID {
    kAmbient = 0,        // colour
    kDiffuse = 1,        // colour
    kSpecular = 2,       // colour
    kLockAD = 3,         // int
    kLockDS = 4,         // int
    kSpecularLevel = 8,  // float, fraction
    kGlossiness = 9,     // float, fraction
    kSoften = 10,        // float, fraction
    kBaseBlend = 16,     // float, fraction; 0: the zone colours stand alone
    kZone1On = 20,       // int switch
    kZone2On = 21,       // int switch
    kZone3On = 22,       // int switch
    kZone1Color = 23,    // colour
    kZone2Color = 24,    // colour
    kZone3Color = 25,    // colour
    kZone1Amount = 26,   // float, percent
    kZone2Amount = 27,   // float, percent
    kZone3Amount = 28,   // float, percent
    kEdge1 = 29,         // float, fraction: blend between zones 1 and 2
    kEdge2 = 30,         // float, fraction: blend between zones 2 and 3
    kZone1Width = 31,    // float, percent
    kZone3Width = 32,    // float, percent
};
}  // namespace FinalToonShaderIds

namespace IllustrateShaderIds {
enum Block : BlockID { kMainBlock = 0 };
enum Param : ParamID {
    kZone1On = 0,        // int switch
    kZone2On = 1,        // int switch
    kZone3On = 2,        // int switch
    kZone1Width = 3,     // float, fraction
    kZone3Width = 5,     // float, fraction
    kZone1Color = 6,     // colour
    kZone2Color = 7,     // colour
    kZone3Color = 8,     // colour
    kZone1Amount = 12,   // float, fraction
    kZone2Amount = 13,   // float, fraction
    kZone3Amount = 14,   // float, fraction
    kEdge1 = 15,         // float, fraction: blend between zones 1 and 2
    kEdge2 = 16,         // float, fraction: blend between zones 2 and 3
    kBaseBlend = 19,     // float, fraction
    kDesaturation = 20,  // float, fraction
};
}  // namespace IllustrateShaderIds

namespace AnisotropicShaderIds {
enum Block : BlockID { kMainBlock = 0 };
enum Param : ParamID {
    kAnisotropy = 8,   // float, fraction
    kOrientation = 9,  // float, fraction
};
}  // namespace AnisotropicShaderIds

// The shader of a Standard variant material, whatever its class.
namespace VariantShaderIds {
enum Block : BlockID { kMainBlock = 0 };
enum Param : ParamID {
    kBaseBlend =
        16,  // float, fraction; non-zero: the variant's extra channels stand in for its specular ones
};
}  // namespace VariantShaderIds

// The Standard variant material's own channels, beside those it reaches by standard map id.
namespace StdMatVariantIds {
enum Channel : int {
    kChannelGlossiness = 3,     // the channel of ID_SH, read as is
    kChannelSpecularLevel = 4,  // the channel of ID_SS, read as is
    kChannelExtra1 = 8,         // its first extra map, for ambient
    kChannelExtra2 = 9,         // its second extra map, for diffuse
    kChannelExtra3 = 10,        // its third extra map, for specular colour
};
}  // namespace StdMatVariantIds

// The Tavelin 3 material.
namespace Tvl3MaterialIds {
enum Block : BlockID { kMainBlock = 0 };
enum Param : ParamID {
    kBaseBlend = 1,           // float, percent: how much of the base material shows under the zones
    kHighlightColor = 2,      // colour
    kHighlightAddBlend = 3,   // int switch: the highlight is added rather than laid over
    kHighlightWidth = 4,      // int: the highlight's extent (a specular level in percent, a band in tenths)
    kHighlightSharpness = 5,  // int, percent
    kHighlightEdge = 6,       // int, percent, -100 to 100: how hard the highlight's edge is
    kAnisotropyU = 7,         // int, percent
    kAnisotropyV = 8,         // int, percent
    kHighlightMapAmount = 9,  // float, percent
    kHighlightMapOn = 10,     // int switch
    kBumpOn = 14,             // int switch
    kBumpAmount = 15,         // int, percent
    kReflectionOn = 17,       // int switch
    kReflectionAmount = 18,   // int, percent
};
enum Ref : int {
    kRefBaseMtl = 3,      // Mtl: the base material, sub-material 0
    kRefSettings = 4,     // the render settings, which the material makes when it is created
    kRefFirstSubMap = 6,  // Texmap: sub-maps 0 to 4 follow in order
};
enum SubMtl : int { kSubMtlBase = 0 };  // the base material
enum SubMap : int {
    kSubMapHighlightColor = 0,  // Texmap
    kSubMapHighlightLevel = 1,  // Texmap
    kSubMapHighlightGloss = 2,  // Texmap
    kSubMapBump = 3,            // Texmap
    kSubMapReflection = 4,      // Texmap
    kNumSubMaps = 5,
};
}  // namespace Tvl3MaterialIds

// A zone of a Tavelin 3 material.
namespace Tvl3ZoneIds {
enum Block : BlockID { kMainBlock = 0 };
enum Param : ParamID {
    kLowerBound = 0,      // float, percent
    kUpperBound = 1,      // float, percent
    kColor = 3,           // colour
    kMapAmount = 4,       // float, percent
    kMapOn = 5,           // int switch
    kBlendMode = 7,       // int, one of BlendMode
    kBlend = 8,           // float, percent: how much of the zone colour shows
    kStrokeSwitches = 9,  // int table, one switch per stroke
    kZoneNumber = 11,     // int, kFirstZoneNumber to kLastZoneNumber
};
enum BlendMode : int { kBlendMultiply = 3 };
enum ZoneNumber : int { kFirstZoneNumber = 1, kLastZoneNumber = 8 };
enum Ref : int {
    kRefMap = 1,  // the zone's map, any object, shared
};
}  // namespace Tvl3ZoneIds

// A holder of one block of the Tavelin 3 material's render settings.
namespace Tvl3ParamHolderIds {
enum Ref : int { kRefBlock = 0 };  // IParamBlock2
}  // namespace Tvl3ParamHolderIds

// The Tavelin 2 material.
namespace Tvl2MaterialIds {
enum Block : BlockID {
    kMainBlock = 0,
    kFirstZoneBlock = 2,  // zone i has block kFirstZoneBlock + i
};
enum Param : ParamID {        // of a zone block
    kZoneLowerBound = 0,      // float, percent
    kZoneUpperBound = 1,      // float, percent
    kZoneStrokeSwitches = 9,  // int table, one switch per stroke slot
};
enum Ref : int {
    kRefBaseMtl = 7,           // Mtl
    kRefSettings = 8,          // the render settings, possibly shared
    kRefFirstSubMap = 9,       // Texmap: sub-maps 0 to 4 follow in order
    kRefFirstZoneObject = 14,  // zone i: its object, then its stroke slots, kRefsPerZone in all
};
enum Count : int { kNumZones = 4, kStrokeSlots = 6, kRefsPerZone = 1 + kStrokeSlots, kNumSubMaps = 5 };
}  // namespace Tvl2MaterialIds

// A holder of one block of the Tavelin 2 material's render settings.
namespace Tvl2ParamHolderIds {
enum Ref : int { kRefBlock = 0 };  // IParamBlock2
}  // namespace Tvl2ParamHolderIds

// The reflection/refraction maps of both products.
namespace Tvl2ReflectRefractMapIds {
enum Block : BlockID { kMainBlock = 0, kEnvironmentBlock = 1 };
enum Param : ParamID {    // of block 0
    kReflectAmount = 0,   // float
    kRefractAmount = 1,   // float
    kTint = 2,            // colour
    kIor = 3,             // float
    kSamples = 4,         // int
    kBlur = 5,            // float
    kReflectOn = 6,       // bool
    kRefractOn = 7,       // bool
    kFresnelOn = 8,       // bool
    kTintOn = 9,          // bool
    kShadowsOn = 10,      // bool
    kReflectionMap = 11,  // Texmap
    kRefractionMap = 12,  // Texmap
};
}  // namespace Tvl2ReflectRefractMapIds

namespace Tvl3ReflectRefractMapIds {
enum Block : BlockID { kMainBlock = 0, kEnvironmentBlock = 1 };
enum Param : ParamID {   // of block 0; the switches mean the opposite of their Tavelin 2 sources
    kReflectAmount = 0,  // float
    kRefractAmount = 1,  // float
    kTint = 2,           // colour
    kReflectionMap = 3,  // Texmap
    kRefractionMap = 4,  // Texmap
    kIor = 5,            // float
    kSamples = 6,        // int
    kBlur = 7,           // int
    kOutlineOff = 8,     // bool
    kReflectOff = 9,     // bool
    kRefractOff = 10,    // bool
    kFresnelOff = 11,    // bool
    kTintOff = 12,       // bool
    kShadowsOff = 13,    // bool
};
}  // namespace Tvl3ReflectRefractMapIds

// The line effects of both products: block 0, then the line sets from reference 1 on.
namespace LineEffectIds {
enum Block : BlockID { kMainBlock = 0 };
enum Ref : int { kRefFirstLineSet = 1 };
}  // namespace LineEffectIds

namespace Tvl2LineSetIds {
enum Block : BlockID {
    kGeneralBlock = 0,
    kVisibleEdgeBlock = 1,
    kHiddenEdgeBlock = 2,
    kVisibilityBlock = 4,
    kReductionBlock = 5,
};
enum Ref : int {
    kRefBrushGroup0 = 13,  // Texmap: the brushes of the visible edges, kBrushesPerGroup of them
    kRefBrushGroup1 = 19,  // Texmap: those of the hidden edges
    kRefCurve1 = 31,       // curve control
    kRefCurve2 = 32,       // curve control
};
enum Count : int { kBrushesPerGroup = 6 };
}  // namespace Tvl2LineSetIds

namespace Tvl3LineSetIds {
enum Block : BlockID {
    kGeneralBlock = 0,
    kVisibleEdgeBlock = 2,
    kHiddenEdgeBlock = 3,
    kVisibilityBlock = 4,
    kReductionBlock = 5,
};
enum Param : ParamID {  // of the two edge blocks
    kEdgeOverride = 0,  // int switch: the set's own edge settings apply
    kEdgeInherit = 1,   // int switch: the effect's edge settings apply
    kEdgeDetect = 9,    // int: the detection, following the mode
    kEdgeMode = 10,     // int
};
enum Ref : int {
    kRefCurve1 = 6,        // curve control
    kRefCurve2 = 7,        // curve control
    kRefBrushGroup0 = 10,  // Texmap: the brushes of the visible edges, kBrushesPerGroup of them
    kRefBrushGroup1 = 21,  // Texmap: those of the hidden edges
};
enum Count : int { kBrushesPerGroup = 7 };
}  // namespace Tvl3LineSetIds

// The brush maps of both products: block 0 and three sub-maps, the brush's own sub-map among them.
namespace Tvl2BrushMapIds {
enum Block : BlockID { kMainBlock = 0 };
enum SubMap : int {
    kSubMapPattern = 0,  // Texmap
    kSubMapStroke = 1,   // Texmap: usually the brush's own sub-map
    kSubMapTexture = 2,  // Texmap
};
}  // namespace Tvl2BrushMapIds

namespace Tvl3BrushMapIds {
enum Block : BlockID { kMainBlock = 0 };
enum SubMap : int {
    kSubMapStroke = 0,   // Texmap: the brush's own sub-map
    kSubMapPattern = 1,  // Texmap
    kSubMapTexture = 2,  // Texmap
};
}  // namespace Tvl3BrushMapIds

// The sub-maps of the brushes of both products: blocks 0 and 1, two sub-maps and two curve controls.
namespace Tvl2BrushSubMapIds {
enum SubMap : int { kSubMapShape = 0, kSubMapGrain = 1 };  // Texmaps
enum Ref : int { kRefCurve1 = 8, kRefCurve2 = 9 };         // curve controls
}  // namespace Tvl2BrushSubMapIds

namespace Tvl3BrushSubMapIds {
enum SubMap : int { kSubMapShape = 0, kSubMapGrain = 1 };  // Texmaps
enum Ref : int { kRefCurve1 = 6, kRefCurve2 = 7 };         // curve controls
}  // namespace Tvl3BrushSubMapIds
