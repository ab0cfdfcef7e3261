#include "ShaderZones.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ClassIds.h"
#include "ConvertValues.h"
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

const ShaderLayout kFinalToon = {{20, 21, 22}, 31, 32, {29, 30}, {23, 24, 25}, {26, 27, 28}, 0, 16};
const ShaderLayout kIllustrate = {{0, 1, 2}, 3, 5, {15, 16}, {6, 7, 8}, {12, 13, 14}, 2, 19};
const ParamID kIllustrateDesaturation = 20;

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
    float e1 = BlockFloat(spb, l.edgeBlend[0], t);
    float e2 = BlockFloat(spb, l.edgeBlend[1], t);
    c.lowerEdgeBlend[0] = 0.0f;
    c.lowerEdgeBlend[1] = e1;
    c.lowerEdgeBlend[2] = e2;
    c.upperEdgeBlend[0] = e1;
    c.upperEdgeBlend[1] = e2;
    c.upperEdgeBlend[2] = 0.0f;
    c.baseBlend = BlockFloat(spb, l.baseBlend, t);
}

IParamBlock2* ZoneBlock(ReferenceTarget* zone) { return zone ? zone->GetParamBlock(0) : nullptr; }

}  // namespace

void ConvertFromFtContext::Fill(IParamBlock2* spb, TimeValue t, ConversionOptions options) {
    highlightAsZone = (options & CONVOPT_FT_SPECULAR_AS_ZONE) ? 1 : 0;
    FillFrom(*this, kFinalToon, spb, t);
}

void ConvertFromIlContext::Fill(IParamBlock2* spb, TimeValue t, ConversionOptions options) {
    highlightAsZone = (options & CONVOPT_IL_HIGHLIGHT_AS_ZONE) ? 1 : 0;
    FillFrom(*this, kIllustrate, spb, t);
    desaturation = BlockFloat(spb, kIllustrateDesaturation, t);
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
    const int n = ctx.GetZoneCount();
    std::vector<int> on(static_cast<size_t>(n));
    std::vector<float> w(static_cast<size_t>(n)), lo(static_cast<size_t>(n)), hi(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        on[static_cast<size_t>(i)] = ctx.IsZoneOn(i);
        w[static_cast<size_t>(i)] = ctx.GetZoneWidth(i);
    }
    if (!ctx.IsHighlightAsZone()) on[static_cast<size_t>(n - 1)] = 0;

    // A band that is off gives its width to the band that is on before it, or, before the first band that
    // is on, to the next band.
    if (std::none_of(on.begin(), on.end(), [](int v) { return v != 0; })) {
        std::fill(w.begin(), w.end(), 0.0f);
        w[static_cast<size_t>(ctx.GetFallbackZoneIndex())] = 100.0f;
    } else {
        int lastOn = -1;
        for (int i = 0; i < n; ++i) {
            size_t k = static_cast<size_t>(i);
            if (on[k]) {
                lastOn = i;
            } else if (lastOn >= 0) {
                w[static_cast<size_t>(lastOn)] += w[k];
                w[k] = 0.0f;
            } else {
                w[k + 1] += w[k];
                w[k] = 0.0f;
            }
        }
    }

    for (int i = 0; i < n; ++i) {
        size_t k = static_cast<size_t>(i);
        lo[k] = i == 0 ? 0.0f : hi[k - 1];
        hi[k] = lo[k] + w[k];
    }

    // Edge blends move the inner bounds of the bands that are on into each band; a band with neighbours on
    // both sides shares its width between the two.
    int first = n;
    for (int i = 0; i < n && first == n; ++i)
        if (on[static_cast<size_t>(i)]) first = i;
    int last = first;
    for (int i = first + 1; i < n; ++i)
        if (on[static_cast<size_t>(i)]) last = i;
    for (int i = first; i < n && i <= last; ++i) {
        size_t k = static_cast<size_t>(i);
        if (i != first) lo[k] += ctx.GetLowerEdgeBlend(i) * w[k] * (i == last ? 1.0f : 0.5f);
        if (i != last) hi[k] -= ctx.GetUpperEdgeBlend(i) * w[k] * (i == first ? 1.0f : 0.5f);
    }

    Tab<ReferenceTarget*> zones;
    Interface* ip = GetCOREInterface();
    for (int m = 0; m < n; ++m) {
        if (!on[static_cast<size_t>(m)]) continue;
        auto* zone =
            static_cast<ReferenceTarget*>(ip->CreateInstance(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID));
        if (!zone) continue;  // the zone class is missing: the band gives no zone
        zones.Append(1, &zone);
        if (IParamBlock2* pb = ZoneBlock(zone)) pb->SetValue(11, t, std::clamp(5 - n + m, 1, 8));
        SetUpZone(zone, t, source, lo[static_cast<size_t>(m)], hi[static_cast<size_t>(m)],
                  ctx.GetZoneColor(m), ctx.GetZoneColorAmount(m), ctx.GetDesaturation(),
                  ctx.BlendsSelfIllum(), source->StdIDToChannel(ctx.GetZoneMapID(m)));
    }
    SetMaterialZones(target, zones);

    if (!ctx.IsHighlightAsZone() && ctx.IsZoneOn(n - 1))
        SetUpMaterialHighlight(target, t, source, ctx.GetZoneWidth(n - 1), ctx.GetLowerEdgeBlend(n - 1),
                               ctx.GetZoneColor(n - 1), ctx.GetZoneColorAmount(n - 1), ctx.GetDesaturation(),
                               ctx.BlendsSelfIllum(), source->StdIDToChannel(ctx.GetZoneMapID(n - 1)));

    float b = ctx.GetBaseBlend();
    if (IsNonZero(b)) {
        for (int i = 0; i < zones.Count(); ++i)
            if (IParamBlock2* pb = ZoneBlock(zones[i])) pb->SetValue(8, t, 100.0f - 100.0f * b);
        if (IParamBlock2* tpb = target->GetParamBlock(0)) tpb->SetValue(1, t, 100.0f);
    }
}

void SetUpZone(ReferenceTarget* zone, TimeValue t, StdMat2* source, float lower, float upper, Color color,
               float amount, float desaturation, int blendsSelfIllum, int channel) {
    IParamBlock2* pb = ZoneBlock(zone);
    if (!pb) return;
    pb->SetValue(0, t, lower);
    pb->SetValue(1, t, upper);
    zone->ReplaceReference(1, source->GetSubTexmap(channel), TRUE);
    pb->SetValue(5, t, static_cast<int>(source->MapEnabled(channel)));
    pb->SetValue(4, t, 100.0f * source->GetTexmapAmt(channel, t));
    Color zoneColor = ComputeZoneColor(t, source, color, amount, desaturation, blendsSelfIllum);
    pb->SetValue(3, t, zoneColor);
}

void SetUpMaterialHighlight(Mtl* target, TimeValue t, StdMat2* source, float width, float lowerEdgeBlend,
                            Color color, float amount, float desaturation, int blendsSelfIllum, int channel) {
    IParamBlock2* pb = target->GetParamBlock(0);
    if (pb) {
        Color highlight = ComputeZoneColor(t, source, color, amount, desaturation, blendsSelfIllum);
        pb->SetValue(2, t, highlight);
        pb->SetValue(4, t, RoundedInt(width, 10));
        pb->SetValue(6, t, RoundedInt(lowerEdgeBlend, -100, 100));
    }
    target->SetSubTexmap(0, source->GetSubTexmap(channel));
    if (pb) {
        pb->SetValue(10, t, static_cast<int>(source->MapEnabled(channel)));
        pb->SetValue(9, t, 100.0f * source->GetTexmapAmt(channel, t));
    }
}

Color ComputeZoneColor(TimeValue t, StdMat2* source, Color c, float amount, float desaturation,
                       int blendsSelfIllum) {
    Color out = c;
    float L = source->GetSelfIllum(t);
    Color S = source->GetSelfIllumColor(t);
    BOOL selfOn = source->GetSelfIllumColorOn();
    if (desaturation > 0.0f) {
        float a = (c.r + c.g + c.b) / 3.0f;
        out = Color(a * desaturation + (1.0f - desaturation) * out.r,
                    a * desaturation + (1.0f - desaturation) * out.g,
                    a * desaturation + (1.0f - desaturation) * out.b);
    }
    out = out * (amount * 0.01f);
    if (selfOn) {
        out = out + S;
    } else if (IsNonZero(L)) {
        Color D = source->GetDiffuse(t);
        out = blendsSelfIllum ? out + (D - out) * L : out + D * L;
    }
    out.ClampMinMax();
    return out;
}
