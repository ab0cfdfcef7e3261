#pragma once

#include <cstdint>

// The option word a material run hands to the engine. Each bit belongs to one control of the material
// converter's panel; the run sets the bits of the checked controls and no others.
typedef uint32_t ConversionOptions;

enum : ConversionOptions {
    CONVOPT_MULTIPLY_BLEND = 0x00000001,                // automatic zones use the multiply blend
    CONVOPT_HIGHLIGHT_ADD_BLEND = 0x00000002,           // the highlight blends additively
    CONVOPT_APPLY_STROKES = 0x00000004,                 // reference zones bring their strokes
    CONVOPT_COPY_STROKES = 0x00000008,                  // ... as copies rather than the same objects
    CONVOPT_SKIP_AREA_OFF_ZONES = 0x00000400,           // Tavelin 2 zones without area are dropped
    CONVOPT_SKIP_DISABLED_STROKES = 0x00000800,         // Tavelin 2 strokes switched off are dropped
    CONVOPT_FT_SPECULAR_AS_ZONE = 0x00008000,           // the finalToon specular band becomes a zone
    CONVOPT_IL_HIGHLIGHT_AS_ZONE = 0x00100000,          // the Illustrate! highlight band becomes a zone
    CONVOPT_CONVERT_REFLECT_REFRACT_MAPS = 0x10000000,  // Tavelin 2 reflection/refraction maps are converted
};

// The word the panel's initial states give.
constexpr ConversionOptions kDefaultConversionOptions =
    CONVOPT_MULTIPLY_BLEND | CONVOPT_FT_SPECULAR_AS_ZONE | CONVOPT_IL_HIGHLIGHT_AS_ZONE |
    CONVOPT_SKIP_AREA_OFF_ZONES | CONVOPT_SKIP_DISABLED_STROKES | CONVOPT_CONVERT_REFLECT_REFRACT_MAPS;
static_assert(kDefaultConversionOptions == 0x10108C01, "the panel's initial option word");
