#include "StandardMaterial.h"

#include <algorithm>

#include "ClassIds.h"
#include "ConvertValues.h"
#include "ShaderZones.h"
#include "ZoneAccess.h"
#include "iparamb2.h"
#include "shaders.h"
#include "stdmat.h"

namespace {

// Target parameters of the Tavelin 3 material's block 0.
enum TargetParam : ParamID {
    kTargetBaseBlend = 1,
    kTargetHighlightColor = 2,
    kTargetHighlightAdd = 3,
    kTargetHighlightLevel = 4,
    kTargetHighlightGloss = 5,
    kTargetHighlightSharpness = 6,
    kTargetAnisotropy = 7,
    kTargetOrientation = 8,
    kTargetBumpOn = 14,
    kTargetBumpAmount = 15,
    kTargetReflectionOn = 17,
    kTargetReflectionAmount = 18,
};

// Zone parameters of block 0.
enum ZoneParam : ParamID {
    kZoneLower = 0,
    kZoneUpper = 1,
    kZoneColor = 3,
    kZoneBlendMode = 7,
    kZoneStrokeSwitches = 9,
    kZoneNumber = 11,
};
const int kMultiplyBlend = 3;

// Target sub-map slots.
const int kSlotBump = 3;
const int kSlotReflection = 4;

// The specular maps of a Standard material and the target slots they go to.
const int kSpecularMapIds[] = {ID_SP, ID_SS, ID_SH};

// The variant's own channels and the standard ids they are copied to.
const struct {
    int rawChannel;
    int stdId;
} kVariantExtraChannels[] = {{8, ID_AM}, {9, ID_DI}, {10, ID_SP}, {3, ID_SS}, {4, ID_SH}};

const int kAutomaticZones = 4;

ReferenceTarget* NewZone() {
    return static_cast<ReferenceTarget*>(
        GetCOREInterface()->CreateInstance(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID));
}

Texmap* MapOfId(StdMat2* m, int id) {
    int channel = m->StdIDToChannel(id);
    return channel >= 0 ? m->GetSubTexmap(channel) : nullptr;
}

// Finalizes the base of a finalToon-shaded source: its standard values come from the toon shader. A
// shader without its block reads as zeros here as everywhere else.
void CopyFinalToonShading(Shader* baseShader, Shader* toon, IParamBlock2* spb, TimeValue t) {
    if (IsNonZero(BlockFloat(spb, 16, t))) {
        baseShader->CopyStdParams(toon);
        baseShader->SetLockAD(BlockInt(spb, 3, t));
        baseShader->SetLockDS(BlockInt(spb, 4, t));
        baseShader->SetAmbientClr(BlockColor(spb, 0, t), t);
        baseShader->SetDiffuseClr(BlockColor(spb, 1, t), t);
        baseShader->SetSpecularClr(BlockColor(spb, 2, t), t);
        baseShader->SetSpecularLevel(BlockFloat(spb, 8, t), t);
        baseShader->SetGlossiness(BlockFloat(spb, 9, t), t);
        baseShader->SetSoftenLevel(BlockFloat(spb, 10, t), t);
    } else {
        baseShader->SetAmbientClr(BlockColor(spb, 23, t), t);
        baseShader->SetDiffuseClr(BlockColor(spb, 24, t), t);
        baseShader->SetSpecularClr(BlockColor(spb, 25, t), t);
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

// Four zones of equal width, shaded from the source's diffuse colour or, with the multiply blend, as greys.
void BuildAutomaticZones(Mtl* target, IParamBlock2* tpb, StdMat2* source, ConversionOptions options,
                         TimeValue t, float L, Color S, BOOL on) {
    const int n = kAutomaticZones;
    Tab<ReferenceTarget*> zones;
    for (int j = 0; j < n; ++j) {
        ReferenceTarget* zone = NewZone();
        if (!zone) continue;  // the zone class is missing: no zone for this band
        zones.Append(1, &zone);
        IParamBlock2* pb = zone->GetParamBlock(0);
        if (!pb) continue;
        // Prepares the block as the zone class expects before its bounds are written.
        pb->SetCount(0, 1);
        pb->SetValue(kZoneLower, t, static_cast<float>((100 * j) / n));
        pb->SetValue(kZoneUpper, t, static_cast<float>((100 * (j + 1)) / n));
        pb->SetValue(kZoneNumber, t, std::clamp(j + 1, 1, 8));
    }

    const bool multiply = (options & CONVOPT_MULTIPLY_BLEND) != 0;
    if (multiply && tpb) tpb->SetValue(kTargetBaseBlend, t, 0.0f);
    Color D = source->GetDiffuse(t);
    for (int k = 0; k < zones.Count(); ++k) {
        IParamBlock2* pb = zones[k]->GetParamBlock(0);
        if (!pb) continue;
        float ramp = (static_cast<float>(k) + 0.5f) / (static_cast<float>(n) - 0.5f);
        Color c;
        if (multiply) {
            if (on) {
                c = Color(1.0f - (1.0f - S.r) * (1.0f - ramp), 1.0f - (1.0f - S.g) * (1.0f - ramp),
                          1.0f - (1.0f - S.b) * (1.0f - ramp));
            } else {
                float v = L == 0.0f ? ramp : (1.0f - L) * ramp + L;
                c = Color(v, v, v);
            }
            pb->SetValue(kZoneColor, t, c);
            pb->SetValue(kZoneBlendMode, t, kMultiplyBlend);
        } else {
            Color s = D * ramp;
            c = on ? s + S : s * (1.0f - L) + D * L;
            c.ClampMinMax();
            pb->SetValue(kZoneColor, t, c);
        }
    }
    SetMaterialZones(target, zones);
}

// Zones copied from the reference material's zones, with their strokes when asked.
void CopyReferenceZones(Mtl* target, Mtl* reference, ConversionOptions options, TimeValue t) {
    const bool copies = (options & CONVOPT_COPY_STROKES) != 0;
    const int m = GetMaterialZoneCount(reference);
    Tab<ReferenceTarget*> zones;
    for (int i = 0; i < m; ++i) {
        ReferenceTarget* zone = NewZone();
        if (!zone) continue;  // the zone class is missing: no zone for this one
        zones.Append(1, &zone);
        IParamBlock2* P = zone->GetParamBlock(0);
        ReferenceTarget* r = GetMaterialZone(reference, i);
        IParamBlock2* Q = r ? r->GetParamBlock(0) : nullptr;
        if (!P || !Q) continue;

        for (int x = 0; x < P->NumParams(); ++x) {
            ParamID id = P->IndextoID(x);
            if (Q->IndextoID(x) != id || id == kZoneStrokeSwitches) continue;
            switch (P->GetParameterType(id)) {
                case TYPE_FLOAT:
                    P->SetValue(id, t, Q->GetFloat(id, 0));
                    break;
                case TYPE_INT:
                case TYPE_BOOL:
                    P->SetValue(id, t, Q->GetInt(id, 0));
                    break;
                case TYPE_RGBA: {
                    Color c = Q->GetColor(id, 0);
                    P->SetValue(id, t, c);
                    break;
                }
                case TYPE_POINT3: {
                    Point3 p = Q->GetPoint3(id, 0);
                    P->SetValue(id, t, p);
                    break;
                }
                case TYPE_MTL:
                    P->SetValue(id, t, Q->GetMtl(id, 0));
                    break;
                case TYPE_TEXMAP:
                    P->SetValue(id, t, Q->GetTexmap(id, 0));
                    break;
                case TYPE_INT_TAB:
                case TYPE_BOOL_TAB: {
                    int count = (std::min)(P->Count(id), Q->Count(id));
                    for (int e = 0; e < count; ++e) P->SetValue(id, t, Q->GetInt(id, t, e), e);
                    break;
                }
                case TYPE_TEXMAP_TAB: {
                    int count = (std::min)(P->Count(id), Q->Count(id));
                    for (int e = 0; e < count; ++e) {
                        Texmap* map = Q->GetTexmap(id, t, e);
                        if (copies && map) map = static_cast<Texmap*>(CloneRefHierarchy(map));
                        P->SetValue(id, t, map, e);
                    }
                    break;
                }
                default:
                    break;
            }
        }

        if (options & CONVOPT_APPLY_STROKES) {
            const int k = GetZoneStrokeCount(r);
            Tab<ReferenceTarget*> strokes;
            strokes.SetCount(k);
            for (int e = 0; e < k; ++e) {
                ReferenceTarget* s = GetZoneStroke(r, e);
                strokes[e] = (s && copies) ? CloneRefHierarchy(s) : s;
            }
            SetZoneStrokes(zone, strokes);
            for (int e = 0; e < k; ++e)
                P->SetValue(kZoneStrokeSwitches, t, Q->GetInt(kZoneStrokeSwitches, t, e), e);
        }
    }
    SetMaterialZones(target, zones);
}

// The highlight of a plain Standard material.
void WriteHighlight(IParamBlock2* tpb, StdMat2* source, Shader* shader, ConversionOptions options,
                    TimeValue t) {
    if (!tpb) return;
    Color highlight = source->GetSpecular(t);
    tpb->SetValue(kTargetHighlightColor, t, highlight);
    tpb->SetValue(kTargetHighlightLevel, t, PercentInt(source->GetShinStr(t)));
    tpb->SetValue(kTargetHighlightGloss, t, PercentInt(source->GetShininess(t)));
    tpb->SetValue(kTargetHighlightSharpness, t, 98);
    if (options & CONVOPT_HIGHLIGHT_ADD_BLEND) tpb->SetValue(kTargetHighlightAdd, t, 1);
    if (shader->ClassID() == ANISOTROPIC_SHADER_CLASS_ID) {
        IParamBlock2* spb = shader->GetParamBlock(0);
        tpb->SetValue(kTargetAnisotropy, t, PercentInt(BlockFloat(spb, 8, t)));
        tpb->SetValue(kTargetOrientation, t, PercentInt(BlockFloat(spb, 9, t)));
    }
}

// Bump and reflection go to the target's own slots, whatever the shader.
void WriteBumpAndReflection(Mtl* target, IParamBlock2* tpb, StdMat2* source, TimeValue t) {
    const struct {
        int id, slot;
        ParamID on, amount;
    } maps[] = {{ID_BU, kSlotBump, kTargetBumpOn, kTargetBumpAmount},
                {ID_RL, kSlotReflection, kTargetReflectionOn, kTargetReflectionAmount}};
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
// shader keeps them (value 16).
void CopyVariantChannels(StdMat2* source, Shader* shader, StdMat2* base, TimeValue t) {
    const bool keep = IsNonZero(BlockFloat(shader->GetParamBlock(0), 16, t));
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

}  // namespace

bool ConvertStandardMaterial(Mtl* target, Mtl* sourceMtl, ConversionOptions options, Mtl* reference) {
    auto* source = dynamic_cast<StdMat2*>(sourceMtl);
    if (!source) return false;
    const TimeValue t = GetCOREInterface()->GetTime();
    const bool variant = source->ClassID() == STDMAT_VARIANT_CLASS_ID;
    Shader* shader = source->GetShader();
    if (!shader) return false;

    const Class_ID shaderClass = shader->ClassID();
    Interval valid = FOREVER;
    source->Update(t, valid);
    IParamBlock2* tpb = target->GetParamBlock(0);
    const bool finalToon = shaderClass == FINALTOON_SHADER_CLASS_ID;
    const bool illustrate = shaderClass == ILLUSTRATE_SHADER_CLASS_ID;
    const bool toon = finalToon || illustrate;

    if (!variant) {
        if (toon) {
            auto* clone = dynamic_cast<StdMat2*>(CloneRefHierarchy(source));
            if (!clone) return false;
            if (!clone->SwitchShader(BLINN_SHADER_CLASS_ID)) return false;
            target->SetSubMtl(0, clone);
        } else {
            target->SetSubMtl(0, source);
        }
    }
    auto* base = dynamic_cast<StdMat2*>(target->GetSubMtl(0));
    if (!base) return false;
    Shader* baseShader = base->GetShader();
    if (!baseShader) return false;

    if (toon) {
        // The base shades as the toon shader did, and the zones come from its bands.
        IParamBlock2* spb = shader->GetParamBlock(0);
        if (finalToon) CopyFinalToonShading(baseShader, shader, spb, t);
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
    } else if (!variant) {
        float L = source->GetSelfIllum(t);
        Color S = source->GetSelfIllumColor(t);
        BOOL on = source->GetSelfIllumColorOn();
        if (!reference)
            BuildAutomaticZones(target, tpb, source, options, t, L, S, on);
        else
            CopyReferenceZones(target, reference, options, t);
        WriteHighlight(tpb, source, shader, options, t);
    }

    WriteBumpAndReflection(target, tpb, source, t);
    if (variant) {
        CopyVariantChannels(source, shader, base, t);
    } else {
        for (int slot = 0; slot < 3; ++slot) {
            int channel = source->StdIDToChannel(kSpecularMapIds[slot]);
            if (channel >= 0 && source->MapEnabled(channel))
                target->SetSubTexmap(slot, source->GetSubTexmap(channel));
        }
    }
    return true;
}
