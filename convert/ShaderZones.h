#pragma once

#include "ConversionOptions.h"
#include "max.h"
#include "stdmat.h"

// The three bands (shadow, middle, highlight) of a toon shader, whichever shader they came from.
class ConvertFromFtAndIlContext {
public:
    virtual int GetZoneCount() = 0;
    virtual int GetFallbackZoneIndex() = 0;
    virtual int IsHighlightAsZone() = 0;
    virtual int IsZoneOn(int i) = 0;
    virtual float GetZoneWidth(int i) = 0;
    virtual float GetLowerEdgeBlend(int i) = 0;
    virtual float GetUpperEdgeBlend(int i) = 0;
    virtual Color GetZoneColor(int i) = 0;
    virtual float GetZoneColorAmount(int i) = 0;
    virtual int GetZoneMapID(int i) = 0;
    virtual int BlendsSelfIllum() = 0;
    virtual float GetDesaturation() = 0;
    virtual float GetBaseBlend() = 0;
};

// The bands of the finalToon shader.
class ConvertFromFtContext : public ConvertFromFtAndIlContext {
public:
    int highlightAsZone = 0;
    int zoneOn[3] = {};
    float width[3] = {};
    float lowerEdgeBlend[3] = {};
    float upperEdgeBlend[3] = {};
    Color color[3];
    float colorAmount[3] = {};
    int mapID[3] = {};
    float baseBlend = 0.0f;

    // Reads the shader's block 0 at t; a missing block gives bands that are all off.
    void Fill(IParamBlock2* spb, TimeValue t, ConversionOptions options);
    // With the shadow and highlight bands on, the middle band off and the highlight taken as a zone, the
    // shadow band moves to the middle index, so that the zone numbers of the result stay in place.
    void ShiftShadowBand();

    int GetZoneCount() override { return 3; }
    int GetFallbackZoneIndex() override { return 1; }
    int IsHighlightAsZone() override { return highlightAsZone; }
    int IsZoneOn(int i) override { return zoneOn[i]; }
    float GetZoneWidth(int i) override { return width[i]; }
    float GetLowerEdgeBlend(int i) override { return lowerEdgeBlend[i]; }
    float GetUpperEdgeBlend(int i) override { return upperEdgeBlend[i]; }
    Color GetZoneColor(int i) override { return color[i]; }
    float GetZoneColorAmount(int i) override { return colorAmount[i]; }
    int GetZoneMapID(int i) override { return mapID[i]; }
    int BlendsSelfIllum() override { return 0; }
    float GetDesaturation() override { return 0.0f; }
    float GetBaseBlend() override { return baseBlend; }
};

// The bands of the Illustrate! shader: desaturated, and blended toward the diffuse colour by the
// self-illumination amount.
class ConvertFromIlContext : public ConvertFromFtContext {
public:
    float desaturation = 0.0f;

    void Fill(IParamBlock2* spb, TimeValue t, ConversionOptions options);

    int BlendsSelfIllum() override { return 1; }
    float GetDesaturation() override { return desaturation; }
};

// Turns the bands into zones of target and, when the highlight is not a zone, into target's highlight.
void BuildZonesFromContext(Mtl* target, StdMat2* source, ConvertFromFtAndIlContext& ctx, TimeValue t);

void SetUpZone(ReferenceTarget* zone, TimeValue t, StdMat2* source, float lower, float upper, Color color,
               float amount, float desaturation, int blendsSelfIllum, int channel);
void SetUpMaterialHighlight(Mtl* target, TimeValue t, StdMat2* source, float width, float lowerEdgeBlend,
                            Color color, float amount, float desaturation, int blendsSelfIllum, int channel);
Color ComputeZoneColor(TimeValue t, StdMat2* source, Color c, float amount, float desaturation,
                       int blendsSelfIllum);
