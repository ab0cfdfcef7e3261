#include "ShaderZones.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ClassIds.h"
#include "ConvertValues.h"
#include "ProductInterfaces.h"
#include "ZoneAccess.h"
#include "iparamb2.h"
#include "shaders.h"

namespace {

// Where each shader keeps its band values in block 0.
struct ShaderLayout {
    ParamID zoneOn[3];
    ParamID width0, width2;  // width of the shadow and highlight bands
    ParamID edgeBlend[2];    // between bands 0/1 and 1/2
    ParamID color[3];
    ParamID colorAmount[3];
    int percentShift;  // decimal places from the stored widths and amounts to percent
    ParamID baseBlend;
};

namespace FinalToon = FinalToonShaderIds;
namespace Illustrate = IllustrateShaderIds;
namespace Mat = Tvl3MaterialIds;
namespace Zone = Tvl3ZoneIds;

const ShaderLayout kFinalToon = {{FinalToon::kZone1On, FinalToon::kZone2On, FinalToon::kZone3On},
                                 FinalToon::kZone1Width,
                                 FinalToon::kZone3Width,
                                 {FinalToon::kEdge1, FinalToon::kEdge2},
                                 {FinalToon::kZone1Color, FinalToon::kZone2Color, FinalToon::kZone3Color},
                                 {FinalToon::kZone1Amount, FinalToon::kZone2Amount, FinalToon::kZone3Amount},
                                 0,
                                 FinalToon::kBaseBlend};
const ShaderLayout kIllustrate = {
    {Illustrate::kZone1On, Illustrate::kZone2On, Illustrate::kZone3On},
    Illustrate::kZone1Width,
    Illustrate::kZone3Width,
    {Illustrate::kEdge1, Illustrate::kEdge2},
    {Illustrate::kZone1Color, Illustrate::kZone2Color, Illustrate::kZone3Color},
    {Illustrate::kZone1Amount, Illustrate::kZone2Amount, Illustrate::kZone3Amount},
    2,
    Illustrate::kBaseBlend};

// The zone number of the last band; the bands before it take the numbers below.
const int kTopBandZoneNumber = 4;

// A stored width or amount in percent, as the user would type it.
float Percent(const ShaderLayout& l, IParamBlock2* spb, ParamID id, TimeValue t) {
    return ShiftDecimal(BlockFloat(spb, id, t), l.percentShift);
}

void FillFrom(ConvertFromFtContext& c, const ShaderLayout& l, IParamBlock2* spb, TimeValue t) {
    for (int i = 0; i < 3; ++i) {
        c.zoneOn[i] = BlockInt(spb, l.zoneOn[i], t);
        c.color[i] = BlockColor(spb, l.color[i], t);
        c.colorAmount[i] = Percent(l, spb, l.colorAmount[i], t);
        c.mapID[i] = i;  // ambient, diffuse, specular
    }
    c.width[0] = Percent(l, spb, l.width0, t);
    c.width[2] = Percent(l, spb, l.width2, t);
    c.width[1] = 100.0f - c.width[0] - c.width[2];
    float edge01 = BlockFloat(spb, l.edgeBlend[0], t);
    float edge12 = BlockFloat(spb, l.edgeBlend[1], t);
    c.lowerEdgeBlend[0] = 0.0f;
    c.lowerEdgeBlend[1] = edge01;
    c.lowerEdgeBlend[2] = edge12;
    c.upperEdgeBlend[0] = edge01;
    c.upperEdgeBlend[1] = edge12;
    c.upperEdgeBlend[2] = 0.0f;
    c.baseBlend = BlockFloat(spb, l.baseBlend, t);
}

IParamBlock2* ZoneBlock(ReferenceTarget* zone) {
    return zone ? zone->GetParamBlock(Zone::kMainBlock) : nullptr;
}

// One band as the builder lays it out: whether it gives a zone, its width, its edge blends and the bounds
// of its zone, in percent.
struct BandLayout {
    int on = 0;
    float width = 0.0f;
    float lowerEdgeBlend = 0.0f;
    float upperEdgeBlend = 0.0f;
    float lower = 0.0f;
    float upper = 0.0f;
};
using Bands = std::vector<BandLayout>;

// The bands as the context gives them; a highlight that is not taken as a zone gives none.
Bands ReadBands(ConvertFromFtAndIlContext& ctx) {
    Bands bands(static_cast<size_t>(ctx.GetZoneCount()));
    int i = 0;
    for (BandLayout& b : bands) {
        b.on = ctx.IsZoneOn(i);
        b.width = ctx.GetZoneWidth(i);
        b.lowerEdgeBlend = ctx.GetLowerEdgeBlend(i);
        b.upperEdgeBlend = ctx.GetUpperEdgeBlend(i);
        ++i;
    }
    if (!ctx.IsHighlightAsZone()) bands.back().on = 0;
    return bands;
}

// A band that is off gives its width to the band that is on before it, or, before the first band that is
// on, to the next band. With every band off, the fallback band takes the whole width.
void MergeOffBandWidths(Bands& bands, size_t fallback) {
    if (std::none_of(bands.begin(), bands.end(), [](const BandLayout& b) { return b.on != 0; })) {
        for (BandLayout& b : bands) b.width = 0.0f;
        bands[fallback].width = 100.0f;
        return;
    }
    BandLayout* lastOn = nullptr;
    for (size_t k = 0; k < bands.size(); ++k) {
        BandLayout& b = bands[k];
        if (b.on) {
            lastOn = &b;
            continue;
        }
        BandLayout& heir = lastOn ? *lastOn : bands[k + 1];
        heir.width += b.width;
        b.width = 0.0f;
    }
}

// The bands side by side from 0.
void LayOutBounds(Bands& bands) {
    float lower = 0.0f;
    for (BandLayout& b : bands) {
        b.lower = lower;
        b.upper = b.lower + b.width;
        lower = b.upper;
    }
}

// Edge blends move the inner bounds of the bands that are on into each band; a band with neighbours on
// both sides shares its width between the two.
void ApplyEdgeBlends(Bands& bands) {
    auto isOn = [](const BandLayout& b) { return b.on != 0; };
    auto first = std::find_if(bands.begin(), bands.end(), isOn);
    if (first == bands.end()) return;
    auto last = std::find_if(bands.rbegin(), bands.rend(), isOn).base() - 1;
    for (auto b = first; b <= last; ++b) {
        if (b != first) b->lower += b->lowerEdgeBlend * b->width * (b == last ? 1.0f : 0.5f);
        if (b != last) b->upper -= b->upperEdgeBlend * b->width * (b == first ? 1.0f : 0.5f);
    }
}

// A zone for each band that is on, numbered so that the last band has the top number.
Tab<ReferenceTarget*> MakeBandZones(StdMat2* source, ConvertFromFtAndIlContext& ctx, const Bands& bands,
                                    TimeValue t) {
    const int n = static_cast<int>(bands.size());
    Tab<ReferenceTarget*> zones;
    Interface* ip = GetCOREInterface();
    for (int m = 0; m < n; ++m) {
        const BandLayout& band = bands[static_cast<size_t>(m)];
        if (!band.on) continue;
        auto* zone =
            static_cast<ReferenceTarget*>(ip->CreateInstance(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID));
        if (!zone) continue;  // the zone class is missing: the band gives no zone
        zones.Append(1, &zone);
        const int number = kTopBandZoneNumber - (n - 1 - m);
        if (IParamBlock2* pb = ZoneBlock(zone))
            pb->SetValue(Zone::kZoneNumber, t,
                         std::clamp(number, +Zone::kFirstZoneNumber, +Zone::kLastZoneNumber));
        SetUpZone(zone, t, source, band.lower, band.upper, ctx.GetZoneColor(m), ctx.GetZoneColorAmount(m),
                  ctx.GetDesaturation(), ctx.BlendsSelfIllum(), source->StdIDToChannel(ctx.GetZoneMapID(m)));
    }
    return zones;
}

// The highlight band, when it is on and not a zone, goes to the target's own highlight.
void WriteHighlightBand(Mtl* target, StdMat2* source, ConvertFromFtAndIlContext& ctx, TimeValue t) {
    const int top = ctx.GetZoneCount() - 1;
    if (ctx.IsHighlightAsZone() || !ctx.IsZoneOn(top)) return;
    SetUpMaterialHighlight(target, t, source, ctx.GetZoneWidth(top), ctx.GetLowerEdgeBlend(top),
                           ctx.GetZoneColor(top), ctx.GetZoneColorAmount(top), ctx.GetDesaturation(),
                           ctx.BlendsSelfIllum(), source->StdIDToChannel(ctx.GetZoneMapID(top)));
}

// A shader base blend lets the base material show through every zone.
void ApplyBaseBlend(Mtl* target, Tab<ReferenceTarget*>& zones, float baseBlend, TimeValue t) {
    if (!IsNonZero(baseBlend)) return;
    for (int i = 0; i < zones.Count(); ++i)
        if (IParamBlock2* pb = ZoneBlock(zones[i]))
            pb->SetValue(Zone::kBlend, t, 100.0f - 100.0f * baseBlend);
    if (IParamBlock2* tpb = target->GetParamBlock(Mat::kMainBlock)) tpb->SetValue(Mat::kBaseBlend, t, 100.0f);
}

}  // namespace

void ConvertFromFtContext::Fill(IParamBlock2* spb, TimeValue t, ConversionOptions options) {
    highlightAsZone = (options & CONVOPT_FT_SPECULAR_AS_ZONE) ? 1 : 0;
    FillFrom(*this, kFinalToon, spb, t);
}

void ConvertFromIlContext::Fill(IParamBlock2* spb, TimeValue t, ConversionOptions options) {
    highlightAsZone = (options & CONVOPT_IL_HIGHLIGHT_AS_ZONE) ? 1 : 0;
    FillFrom(*this, kIllustrate, spb, t);
    desaturation = BlockFloat(spb, Illustrate::kDesaturation, t);
}

void ConvertFromFtContext::ShiftShadowBand() {
    if (!(zoneOn[0] && !zoneOn[1] && zoneOn[2] && highlightAsZone == 1)) return;
    zoneOn[1] = zoneOn[0];
    zoneOn[0] = 0;
    std::swap(width[0], width[1]);
    std::swap(lowerEdgeBlend[0], lowerEdgeBlend[1]);
    std::swap(upperEdgeBlend[0], upperEdgeBlend[1]);
    std::swap(color[0], color[1]);
    std::swap(colorAmount[0], colorAmount[1]);
    std::swap(mapID[0], mapID[1]);
}

void BuildZonesFromContext(Mtl* target, StdMat2* source, ConvertFromFtAndIlContext& ctx, TimeValue t) {
    Bands bands = ReadBands(ctx);
    MergeOffBandWidths(bands, static_cast<size_t>(ctx.GetFallbackZoneIndex()));
    LayOutBounds(bands);
    ApplyEdgeBlends(bands);
    Tab<ReferenceTarget*> zones = MakeBandZones(source, ctx, bands, t);
    SetMaterialZones(target, zones);
    WriteHighlightBand(target, source, ctx, t);
    ApplyBaseBlend(target, zones, ctx.GetBaseBlend(), t);
}

void SetUpZone(ReferenceTarget* zone, TimeValue t, StdMat2* source, float lower, float upper, Color color,
               float amount, float desaturation, int blendsSelfIllum, int channel) {
    IParamBlock2* pb = ZoneBlock(zone);
    if (!pb) return;
    pb->SetValue(Zone::kLowerBound, t, lower);
    pb->SetValue(Zone::kUpperBound, t, upper);
    zone->ReplaceReference(Zone::kRefMap, source->GetSubTexmap(channel), TRUE);
    pb->SetValue(Zone::kMapOn, t, static_cast<int>(source->MapEnabled(channel)));
    pb->SetValue(Zone::kMapAmount, t, 100.0f * source->GetTexmapAmt(channel, t));
    Color zoneColor = ComputeZoneColor(t, source, color, amount, desaturation, blendsSelfIllum);
    pb->SetValue(Zone::kColor, t, zoneColor);
}

void SetUpMaterialHighlight(Mtl* target, TimeValue t, StdMat2* source, float width, float lowerEdgeBlend,
                            Color color, float amount, float desaturation, int blendsSelfIllum, int channel) {
    IParamBlock2* pb = target->GetParamBlock(Mat::kMainBlock);
    if (pb) {
        Color highlight = ComputeZoneColor(t, source, color, amount, desaturation, blendsSelfIllum);
        pb->SetValue(Mat::kHighlightColor, t, highlight);
        pb->SetValue(Mat::kHighlightWidth, t, RoundedInt(width, 10));
        pb->SetValue(Mat::kHighlightEdge, t, RoundedInt(lowerEdgeBlend, -100, 100));
    }
    target->SetSubTexmap(Mat::kSubMapHighlightColor, source->GetSubTexmap(channel));
    if (pb) {
        pb->SetValue(Mat::kHighlightMapOn, t, static_cast<int>(source->MapEnabled(channel)));
        pb->SetValue(Mat::kHighlightMapAmount, t, 100.0f * source->GetTexmapAmt(channel, t));
    }
}

Color ComputeZoneColor(TimeValue t, StdMat2* source, Color c, float amount, float desaturation,
                       int blendsSelfIllum) {
    Color out = c;
    float selfIllum = source->GetSelfIllum(t);
    Color selfIllumColor = source->GetSelfIllumColor(t);
    BOOL selfIllumColorOn = source->GetSelfIllumColorOn();
    if (desaturation > 0.0f) {
        float grey = (c.r + c.g + c.b) / 3.0f;
        out = Color(grey * desaturation + (1.0f - desaturation) * out.r,
                    grey * desaturation + (1.0f - desaturation) * out.g,
                    grey * desaturation + (1.0f - desaturation) * out.b);
    }
    out = out * (amount * 0.01f);
    if (selfIllumColorOn) {
        out = out + selfIllumColor;
    } else if (IsNonZero(selfIllum)) {
        Color diffuse = source->GetDiffuse(t);
        out = blendsSelfIllum ? out + (diffuse - out) * selfIllum : out + diffuse * selfIllum;
    }
    out.ClampMinMax();
    return out;
}
