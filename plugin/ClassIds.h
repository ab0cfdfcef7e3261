#pragma once

#include "plugapi.h"

// Every class, super class and interface the converter matches or creates. Class tests compare both
// words of a Class_ID; super classes come from the host SDK (plugapi.h).

// The converter's own utilities.
#define TVL3_MTL_CONVERTER_CLASS_ID Class_ID(0x22D45395, 0x18474EC6)
#define TVL3_LINE_CONVERTER_CLASS_ID Class_ID(0x67166004, 0x598340DD)

// Tavelin 3 classes: created by the conversions.
#define TVL3_MATERIAL_CLASS_ID Class_ID(0x20101757, 0x081454DE)
#define TVL3_ZONE_CLASS_ID Class_ID(0x20101757, 0x08140210)
#define TVL3_STROKE_MAP_CLASS_ID Class_ID(0x20101757, 0x081401A0)
#define TVL3_REFLECT_REFRACT_MAP_CLASS_ID Class_ID(0x20101757, 0x081401A5)
#define TVL3_LINE_CLASS_ID Class_ID(0x20101757, 0x0814032E)
#define TVL3_LINE_SET_CLASS_ID Class_ID(0x20101757, 0x081403F9)
#define TVL3_BRUSH_MAP_CLASS_ID Class_ID(0x20101757, 0x081401FD)
#define TVL3_BRUSH_SUBMAP_CLASS_ID Class_ID(0x20101757, 0x081401FF)

// Tavelin 2 classes: matched, never created.
#define TVL2_MATERIAL_CLASS_ID Class_ID(0x54022257, 0x0814C54E)
#define TVL2_STROKE_MAP_CLASS_ID Class_ID(0x54022257, 0x0814C4F5)
#define TVL2_REFLECT_REFRACT_MAP_CLASS_ID Class_ID(0x54022257, 0x0814ED97)
#define TVL2_PARAM_HOLDER_CLASS_ID Class_ID(0x54022257, 0x0814EBFB)
#define TVL2_LINE_CLASS_ID Class_ID(0x54022257, 0x0814C613)
#define TVL2_LINE_SET_CLASS_ID Class_ID(0x54022257, 0x0814C617)
#define TVL2_BRUSH_MAP_CLASS_ID Class_ID(0x71460FA7, 0x20262BF2)
#define TVL2_BRUSH_SUBMAP_CLASS_ID Class_ID(0x3C1E671C, 0x7C0F52A1)

// The host's classes and those of other products: matched, never created. The Standard material is
// Class_ID(DMTL_CLASS_ID, 0) as the host SDK names it.
#define STDMAT_VARIANT_CLASS_ID Class_ID(0x5D0F71A6, 0x28E02964)
#define FINALTOON_SHADER_CLASS_ID Class_ID(0x17633767, 0x4CD42397)
#define ILLUSTRATE_SHADER_CLASS_ID Class_ID(0x2D1F511F, 0x075853AF)
#define ANISOTROPIC_SHADER_CLASS_ID Class_ID(0x2857F460, 0)
#define BLINN_SHADER_CLASS_ID Class_ID(0x00000038, 0)
#define CURVE_CONTROL_CLASS_ID Class_ID(0x14585773, 0x483A7DCF)

// Function-publishing interfaces of the Tavelin 3 classes.
#define TVL3_MATERIAL_INTERFACE_ID Interface_ID(0x6E686977, 0x6CA31003)
#define TVL3_ZONE_INTERFACE_ID Interface_ID(0x75A156A0, 0x19017A72)
#define TVL3_LINE_INTERFACE_ID Interface_ID(0x0AC64497, 0x35366896)
