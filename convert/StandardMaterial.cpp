#include "StandardMaterial.h"

#include <algorithm>

#include "ClassIds.h"
#include "ConvertValues.h"
#include "ProductInterfaces.h"
#include "ShaderZones.h"
#include "ZoneAccess.h"
#include "iparamb2.h"
#include "shaders.h"
#include "stdmat.h"

namespace {

namespace Mat = Tvl3MaterialIds;
namespace Zone = Tvl3ZoneIds;
namespace FinalToon = FinalToonShaderIds;

// What a source is, decided once: the class (Standard or the variant) and whether its shader is a toon
// shader (finalToon or Illustrate!).
enum class SourceKind { kPlain, kToon, kVariant, kToonVariant };

SourceKind Classify(StdMat2* source, Shader* shader) {
    const Class_ID shaderClass = shader->ClassID();
    const bool toon = shaderClass == FINALTOON_SHADER_CLASS_ID || shaderClass == ILLUSTRATE_SHADER_CLASS_ID;
    if (source->ClassID() == STDMAT_VARIANT_CLASS_ID)
        return toon ? SourceKind::kToonVariant : SourceKind::kVariant;
    return toon ? SourceKind::kToon : SourceKind::kPlain;
}

bool IsVariant(SourceKind kind) { return kind == SourceKind::kVariant || kind == SourceKind::kToonVariant; }
bool IsToon(SourceKind kind) { return kind == SourceKind::kToon || kind == SourceKind::kToonVariant; }

// The specular maps of a Standard material and the target slots they go to.
const struct {
    int id, slot;
} kSpecularMaps[] = {{ID_SP, Mat::kSubMapHighlightColor},
                     {ID_SS, Mat::kSubMapHighlightLevel},
                     {ID_SH, Mat::kSubMapHighlightGloss}};

// The variant's own channels and the standard ids they are copied to.
const struct {
    int rawChannel;
    int stdId;
} kVariantExtraChannels[] = {{StdMatVariantIds::kChannelExtra1, ID_AM},
                             {StdMatVariantIds::kChannelExtra2, ID_DI},
                             {StdMatVariantIds::kChannelExtra3, ID_SP},
                             {StdMatVariantIds::kChannelGlossiness, ID_SS},
                             {StdMatVariantIds::kChannelSpecularLevel, ID_SH}};

const int kAutomaticZones = 4;
const int kStandardHighlightEdge = 98;

// The self-illumination of a source at t.
struct SelfIllumination {
    float amount;
    Color color;
    BOOL colorOn;
};

SelfIllumination SelfIllumOf(StdMat2* source, TimeValue t) {
    return {source->GetSelfIllum(t), source->GetSelfIllumColor(t), source->GetSelfIllumColorOn()};
}

ReferenceTarget* NewZone() {
    return static_cast<ReferenceTarget*>(
        GetCOREInterface()->CreateInstance(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID));
}

IParamBlock2* ZoneBlock(ReferenceTarget* zone) {
    return zone ? zone->GetParamBlock(Zone::kMainBlock) : nullptr;
}

Texmap* MapOfId(StdMat2* m, int id) {
    int channel = m->StdIDToChannel(id);
    return channel >= 0 ? m->GetSubTexmap(channel) : nullptr;
}

// Sub-material 0 of the target: a plain source itself, a toon-shaded one as a clone with the Blinn shader;
// the variant keeps the base the target was made with. Answers the base, or null when it cannot be had.
StdMat2* MakeBaseMaterial(Mtl* target, StdMat2* source, SourceKind kind) {
    if (kind == SourceKind::kToon) {
        auto* clone = dynamic_cast<StdMat2*>(CloneRefHierarchy(source));
        if (!clone) return nullptr;
        if (!clone->SwitchShader(BLINN_SHADER_CLASS_ID)) return nullptr;
        target->SetSubMtl(Mat::kSubMtlBase, clone);
    } else if (kind == SourceKind::kPlain) {
        target->SetSubMtl(Mat::kSubMtlBase, source);
    }
    return dynamic_cast<StdMat2*>(target->GetSubMtl(Mat::kSubMtlBase));
}

// Finalizes the base of a finalToon-shaded source: its standard values come from the toon shader. A
// shader without its block reads as zeros here as everywhere else.
void CopyFinalToonShading(Shader* baseShader, Shader* toon, IParamBlock2* spb, TimeValue t) {
    if (IsNonZero(BlockFloat(spb, FinalToon::kBaseBlend, t))) {
        baseShader->CopyStdParams(toon);
        baseShader->SetLockAD(BlockInt(spb, FinalToon::kLockAD, t));
        baseShader->SetLockDS(BlockInt(spb, FinalToon::kLockDS, t));
        baseShader->SetAmbientClr(BlockColor(spb, FinalToon::kAmbient, t), t);
        baseShader->SetDiffuseClr(BlockColor(spb, FinalToon::kDiffuse, t), t);
        baseShader->SetSpecularClr(BlockColor(spb, FinalToon::kSpecular, t), t);
        baseShader->SetSpecularLevel(BlockFloat(spb, FinalToon::kSpecularLevel, t), t);
        baseShader->SetGlossiness(BlockFloat(spb, FinalToon::kGlossiness, t), t);
        baseShader->SetSoftenLevel(BlockFloat(spb, FinalToon::kSoften, t), t);
    } else {
        baseShader->SetAmbientClr(BlockColor(spb, FinalToon::kZone1Color, t), t);
        baseShader->SetDiffuseClr(BlockColor(spb, FinalToon::kZone2Color, t), t);
        baseShader->SetSpecularClr(BlockColor(spb, FinalToon::kZone3Color, t), t);
    }
}

// The base of a toon-shaded source keeps the source's surface properties.
void CopySurfaceProperties(StdMat2* from, StdMat2* to, TimeValue t) {
    to->SetSoften(from->GetSoften());
    to->SetFaceMap(from->GetFaceMap());
    to->SetTwoSided(from->GetTwoSided());
    to->SetWire(from->GetWire());
    to->SetWireUnits(from->GetWireUnits());
    to->SetFalloffOut(from->GetFalloffOut());
    to->SetTransparencyType(from->GetTransparencyType());
    to->SetOpacity(from->GetOpacity(t), t);
    to->SetOpacFalloff(from->GetOpacFalloff(t), t);
    to->SetWireSize(from->GetWireSize(t), t);
    to->SetIOR(from->GetIOR(t), t);
    to->SetFaceted(from->IsFaceted());
    to->SetSelfIllum(from->GetSelfIllum(t), t);
    to->SetSelfIllumColor(from->GetSelfIllumColor(t), t);
    to->SetSelfIllumColorOn(from->GetSelfIllumColorOn());
}

// The base shades as the toon shader did, and the zones come from its bands.
void ConvertToonShading(Mtl* target, StdMat2* source, Shader* shader, StdMat2* base,
                        ConversionOptions options, TimeValue t) {
    IParamBlock2* spb = shader->GetParamBlock(FinalToon::kMainBlock);
    const bool finalToon = shader->ClassID() == FINALTOON_SHADER_CLASS_ID;
    if (finalToon) CopyFinalToonShading(base->GetShader(), shader, spb, t);
    CopySurfaceProperties(source, base, t);
    if (finalToon) {
        ConvertFromFtContext ctx;
        ctx.Fill(spb, t, options);
        ctx.ShiftShadowBand();
        BuildZonesFromContext(target, source, ctx, t);
    } else {
        ConvertFromIlContext ctx;
        ctx.Fill(spb, t, options);
        ctx.ShiftShadowBand();
        BuildZonesFromContext(target, source, ctx, t);
    }
}

// Four new zones of equal width, numbered from 1. A zone the host cannot make is left out.
Tab<ReferenceTarget*> MakeAutomaticZones(TimeValue t) {
    const int n = kAutomaticZones;
    Tab<ReferenceTarget*> zones;
    for (int j = 0; j < n; ++j) {
        ReferenceTarget* zone = NewZone();
        if (!zone) continue;  // the zone class is missing: no zone for this band
        zones.Append(1, &zone);
        IParamBlock2* pb = ZoneBlock(zone);
        if (!pb) continue;
        // Prepares the block as the zone class expects before its bounds are written.
        pb->SetCount(Zone::kLowerBound, 1);
        pb->SetValue(Zone::kLowerBound, t, static_cast<float>((100 * j) / n));
        pb->SetValue(Zone::kUpperBound, t, static_cast<float>((100 * (j + 1)) / n));
        pb->SetValue(Zone::kZoneNumber, t,
                     std::clamp(j + 1, +Zone::kFirstZoneNumber, +Zone::kLastZoneNumber));
    }
    return zones;
}

// The colour of an automatic zone, ramp being its place from dark to light: under the multiply blend a grey
// (or the self-illumination colour screened over it), otherwise the diffuse colour scaled by the ramp.
Color AutomaticZoneColor(float ramp, bool multiply, const SelfIllumination& self, Color diffuse) {
    const Color& lit = self.color;
    if (multiply) {
        if (self.colorOn)
            return Color(1.0f - (1.0f - lit.r) * (1.0f - ramp), 1.0f - (1.0f - lit.g) * (1.0f - ramp),
                         1.0f - (1.0f - lit.b) * (1.0f - ramp));
        const float amount = self.amount;
        float grey = amount == 0.0f ? ramp : (1.0f - amount) * ramp + amount;
        return Color(grey, grey, grey);
    }
    Color scaled = diffuse * ramp;
    Color c = self.colorOn ? scaled + lit : scaled * (1.0f - self.amount) + diffuse * self.amount;
    c.ClampMinMax();
    return c;
}

// Four zones of equal width, shaded from the source's diffuse colour or, with the multiply blend, as greys.
void BuildAutomaticZones(Mtl* target, IParamBlock2* tpb, StdMat2* source, ConversionOptions options,
                         TimeValue t) {
    Tab<ReferenceTarget*> zones = MakeAutomaticZones(t);
    const bool multiply = (options & CONVOPT_MULTIPLY_BLEND) != 0;
    if (multiply && tpb) tpb->SetValue(Mat::kBaseBlend, t, 0.0f);
    const SelfIllumination self = SelfIllumOf(source, t);
    const Color diffuse = source->GetDiffuse(t);
    const float n = static_cast<float>(kAutomaticZones);
    for (int k = 0; k < zones.Count(); ++k) {
        IParamBlock2* pb = ZoneBlock(zones[k]);
        if (!pb) continue;
        const float ramp = (static_cast<float>(k) + 0.5f) / (n - 0.5f);
        Color c = AutomaticZoneColor(ramp, multiply, self, diffuse);
        pb->SetValue(Zone::kColor, t, c);
        if (multiply) pb->SetValue(Zone::kBlendMode, t, +Zone::kBlendMultiply);
    }
    SetMaterialZones(target, zones);
}
// The entries both tables hold of an int or map table; map entries are cloned when copies is set. Other
// types are not copied.
void CopyZoneTable(IParamBlock2* to, IParamBlock2* from, ParamID id, bool copies, TimeValue t) {
    const ParamType2 type = to->GetParameterType(id);
    if (type != TYPE_INT_TAB && type != TYPE_BOOL_TAB && type != TYPE_TEXMAP_TAB) return;
    const int count = (std::min)(to->Count(id), from->Count(id));
    for (int e = 0; e < count; ++e) {
        if (type != TYPE_TEXMAP_TAB) {
            to->SetValue(id, t, from->GetInt(id, t, e), e);
            continue;
        }
        Texmap* map = from->GetTexmap(id, t, e);
        if (copies && map) map = static_cast<Texmap*>(CloneRefHierarchy(map));
        to->SetValue(id, t, map, e);
    }
}

// One parameter of a reference zone's block copied to the same parameter of a new zone's block: single
// values read at time 0, table entries at t. Map table entries are cloned when copies is set.
void CopyZoneParam(IParamBlock2* to, IParamBlock2* from, ParamID id, bool copies, TimeValue t) {
    switch (to->GetParameterType(id)) {
        case TYPE_FLOAT:
            to->SetValue(id, t, from->GetFloat(id, 0));
            break;
        case TYPE_INT:
        case TYPE_BOOL:
            to->SetValue(id, t, from->GetInt(id, 0));
            break;
        case TYPE_RGBA: {
            Color c = from->GetColor(id, 0);
            to->SetValue(id, t, c);
            break;
        }
        case TYPE_POINT3: {
            Point3 p = from->GetPoint3(id, 0);
            to->SetValue(id, t, p);
            break;
        }
        case TYPE_MTL:
            to->SetValue(id, t, from->GetMtl(id, 0));
            break;
        case TYPE_TEXMAP:
            to->SetValue(id, t, from->GetTexmap(id, 0));
            break;
        default:
            CopyZoneTable(to, from, id, copies, t);
            break;
    }
}

// The generic copy: every parameter both blocks hold at the same index, but the stroke switches, which
// follow the strokes.
void CopyZoneParams(IParamBlock2* to, IParamBlock2* from, bool copies, TimeValue t) {
    for (int x = 0; x < to->NumParams(); ++x) {
        ParamID id = to->IndextoID(x);
        if (from->IndextoID(x) != id || id == Zone::kStrokeSwitches) continue;
        CopyZoneParam(to, from, id, copies, t);
    }
}

// The reference zone's strokes, the same objects or copies, and their switches.
void CopyZoneStrokes(ReferenceTarget* zone, IParamBlock2* zoneBlock, ReferenceTarget* referenceZone,
                     IParamBlock2* referenceBlock, bool copies, TimeValue t) {
    const int k = GetZoneStrokeCount(referenceZone);
    Tab<ReferenceTarget*> strokes;
    strokes.SetCount(k);
    for (int e = 0; e < k; ++e) {
        ReferenceTarget* s = GetZoneStroke(referenceZone, e);
        strokes[e] = (s && copies) ? CloneRefHierarchy(s) : s;
    }
    SetZoneStrokes(zone, strokes);
    for (int e = 0; e < k; ++e)
        zoneBlock->SetValue(Zone::kStrokeSwitches, t, referenceBlock->GetInt(Zone::kStrokeSwitches, t, e), e);
}

// Zones copied from the reference material's zones, with their strokes when asked. A new zone stays in
// the list even when its reference zone cannot be read.
void CopyReferenceZones(Mtl* target, Mtl* reference, ConversionOptions options, TimeValue t) {
    const bool copies = (options & CONVOPT_COPY_STROKES) != 0;
    const int m = GetMaterialZoneCount(reference);
    Tab<ReferenceTarget*> zones;
    for (int i = 0; i < m; ++i) {
        ReferenceTarget* zone = NewZone();
        if (!zone) continue;  // the zone class is missing: no zone for this one
        zones.Append(1, &zone);
        IParamBlock2* zoneBlock = ZoneBlock(zone);
        ReferenceTarget* referenceZone = GetMaterialZone(reference, i);
        IParamBlock2* referenceBlock = ZoneBlock(referenceZone);
        if (!zoneBlock || !referenceBlock) continue;
        CopyZoneParams(zoneBlock, referenceBlock, copies, t);
        if (options & CONVOPT_APPLY_STROKES)
            CopyZoneStrokes(zone, zoneBlock, referenceZone, referenceBlock, copies, t);
    }
    SetMaterialZones(target, zones);
}

// The highlight of a plain Standard material.
void WriteHighlight(IParamBlock2* tpb, StdMat2* source, Shader* shader, ConversionOptions options,
                    TimeValue t) {
    if (!tpb) return;
    Color highlight = source->GetSpecular(t);
    tpb->SetValue(Mat::kHighlightColor, t, highlight);
    tpb->SetValue(Mat::kHighlightWidth, t, PercentInt(source->GetShinStr(t)));
    tpb->SetValue(Mat::kHighlightSharpness, t, PercentInt(source->GetShininess(t)));
    tpb->SetValue(Mat::kHighlightEdge, t, kStandardHighlightEdge);
    if (options & CONVOPT_HIGHLIGHT_ADD_BLEND) tpb->SetValue(Mat::kHighlightAddBlend, t, 1);
    if (shader->ClassID() == ANISOTROPIC_SHADER_CLASS_ID) {
        IParamBlock2* spb = shader->GetParamBlock(AnisotropicShaderIds::kMainBlock);
        tpb->SetValue(Mat::kAnisotropyU, t,
                      PercentInt(BlockFloat(spb, AnisotropicShaderIds::kAnisotropy, t)));
        tpb->SetValue(Mat::kAnisotropyV, t,
                      PercentInt(BlockFloat(spb, AnisotropicShaderIds::kOrientation, t)));
    }
}

// The zones and highlight of a plain Standard material: automatic zones, or those of the reference.
void ConvertPlainShading(Mtl* target, IParamBlock2* tpb, StdMat2* source, Shader* shader,
                         ConversionOptions options, Mtl* reference, TimeValue t) {
    if (!reference)
        BuildAutomaticZones(target, tpb, source, options, t);
    else
        CopyReferenceZones(target, reference, options, t);
    WriteHighlight(tpb, source, shader, options, t);
}

// Bump and reflection go to the target's own slots, whatever the shader.
void WriteBumpAndReflection(Mtl* target, IParamBlock2* tpb, StdMat2* source, TimeValue t) {
    const struct {
        int id, slot;
        ParamID on, amount;
    } maps[] = {{ID_BU, Mat::kSubMapBump, Mat::kBumpOn, Mat::kBumpAmount},
                {ID_RL, Mat::kSubMapReflection, Mat::kReflectionOn, Mat::kReflectionAmount}};
    for (const auto& m : maps) {
        int channel = source->StdIDToChannel(m.id);
        target->SetSubTexmap(m.slot, MapOfId(source, m.id));
        if (!tpb) continue;
        tpb->SetValue(m.on, t, static_cast<int>(source->MapEnabled(channel)));
        tpb->SetValue(m.amount, t, PercentInt(source->GetTexmapAmt(channel, t)));
    }
}

void CopyChannel(StdMat2* from, int fromChannel, StdMat2* to, int toChannel, TimeValue t) {
    to->SetSubTexmap(toChannel, from->GetSubTexmap(fromChannel));
    to->EnableMap(toChannel, from->MapEnabled(fromChannel));
    to->SetTexmapAmt(toChannel, from->GetTexmapAmt(fromChannel, t), t);
}

// The variant's maps go to its base; its own extra channels stand in for the specular ones when its
// shader keeps them.
void CopyVariantChannels(StdMat2* source, Shader* shader, StdMat2* base, TimeValue t) {
    IParamBlock2* spb = shader->GetParamBlock(VariantShaderIds::kMainBlock);
    const bool keep = IsNonZero(BlockFloat(spb, VariantShaderIds::kBaseBlend, t));
    for (int id = 0; id < NTEXMAPS; ++id) {
        if (!keep && (id == ID_SP || id == ID_SH || id == ID_SS)) continue;
        int sc = source->StdIDToChannel(id);
        int dc = base->StdIDToChannel(id);
        if (sc >= 0 && dc >= 0) CopyChannel(source, sc, base, dc, t);
    }
    if (!keep) return;
    for (const auto& extra : kVariantExtraChannels) {
        int dc = source->StdIDToChannel(extra.stdId);
        if (dc >= 0) CopyChannel(source, extra.rawChannel, base, dc, t);
    }
}

// The specular maps of a Standard source that are on go to the target's highlight slots.
void WriteSpecularMaps(Mtl* target, StdMat2* source) {
    for (const auto& m : kSpecularMaps) {
        int channel = source->StdIDToChannel(m.id);
        if (channel >= 0 && source->MapEnabled(channel))
            target->SetSubTexmap(m.slot, source->GetSubTexmap(channel));
    }
}

}  // namespace

bool ConvertStandardMaterial(Mtl* target, Mtl* sourceMtl, ConversionOptions options, Mtl* reference) {
    auto* source = dynamic_cast<StdMat2*>(sourceMtl);
    if (!source) return false;
    const TimeValue t = GetCOREInterface()->GetTime();
    Shader* shader = source->GetShader();
    if (!shader) return false;
    const SourceKind kind = Classify(source, shader);
    Interval valid = FOREVER;
    source->Update(t, valid);
    IParamBlock2* tpb = target->GetParamBlock(Mat::kMainBlock);

    StdMat2* base = MakeBaseMaterial(target, source, kind);
    if (!base || !base->GetShader()) return false;

    if (IsToon(kind))
        ConvertToonShading(target, source, shader, base, options, t);
    else if (kind == SourceKind::kPlain)
        ConvertPlainShading(target, tpb, source, shader, options, reference, t);

    WriteBumpAndReflection(target, tpb, source, t);
    if (IsVariant(kind))
        CopyVariantChannels(source, shader, base, t);
    else
        WriteSpecularMaps(target, source);
    return true;
}
