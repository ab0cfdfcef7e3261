#include "StdMtlBase.h"

#include "RefCasts.h"
#include "hostclasses/HeldMember.h"

StdMtlBase::StdMtlBase(const StandInClassInfo& info, const std::vector<MapChannel>& channels, bool bare)
    : StandIn(info, kRefFirstMap + static_cast<int>(channels.size()), {}, bare),
      channels_(channels),
      mapOn_(channels.size(), TRUE),
      mapAmount_(channels.size(), 1.0f) {
    for (size_t ch = 0; ch < channels.size(); ++ch) mapAmount_[ch] = channels[ch].amount;
}

void StdMtlBase::CopyMembers(StandIn* to) {
    StdMtlBase* copy = static_cast<StdMtlBase*>(to);
    copy->props_ = props_;
    // Element by element: the copy's vectors keep the storage they were made with.
    for (int ch = 0; ch < NumChannels(); ++ch) {
        copy->mapOn_[static_cast<size_t>(ch)] = mapOn_[static_cast<size_t>(ch)];
        copy->mapAmount_[static_cast<size_t>(ch)] = mapAmount_[static_cast<size_t>(ch)];
    }
}

// ---- MtlBase ----

void StdMtlBase::Update(TimeValue t, Interval& valid) {
    if (Shader* s = GetShader()) s->Update(t, valid);
    for (int ch = 0; ch < NumChannels(); ++ch)
        if (Texmap* m = GetSubTexmap(ch)) m->Update(t, valid);
}

// ---- ISubMap ----

Texmap* StdMtlBase::GetSubTexmap(int i) {
    return IsChannel(i) ? AsTexmap(GetReference(kRefFirstMap + i)) : nullptr;
}

void StdMtlBase::SetSubTexmap(int i, Texmap* m) {
    if (IsChannel(i)) ReplaceReference(kRefFirstMap + i, m);
}

MSTR StdMtlBase::GetSubTexmapSlotName(int i) {
    return IsChannel(i) ? MSTR(channels_[static_cast<size_t>(i)].name) : MSTR();
}

// ---- Mtl ----

Color StdMtlBase::GetAmbient(int, BOOL) { return GetAmbient(GetCOREInterface()->GetTime()); }
Color StdMtlBase::GetDiffuse(int, BOOL) { return GetDiffuse(GetCOREInterface()->GetTime()); }
Color StdMtlBase::GetSpecular(int, BOOL) { return GetSpecular(GetCOREInterface()->GetTime()); }
float StdMtlBase::GetShininess(int, BOOL) { return GetShininess(GetCOREInterface()->GetTime()); }
float StdMtlBase::GetShinStr(int, BOOL) { return GetShinStr(GetCOREInterface()->GetTime()); }
float StdMtlBase::GetXParency(int, BOOL) { return 1.0f - props_.opacity; }

// ---- StdMat: the material's own values ----

void StdMtlBase::SetSoften(BOOL onoff) { SetHeldMember(this, props_.soften, onoff); }
void StdMtlBase::SetFaceMap(BOOL onoff) { SetHeldMember(this, props_.faceMap, onoff); }
void StdMtlBase::SetTwoSided(BOOL onoff) { SetHeldMember(this, props_.twoSided, onoff); }
void StdMtlBase::SetWire(BOOL onoff) { SetHeldMember(this, props_.wire, onoff); }
void StdMtlBase::SetWireUnits(BOOL onOff) { SetHeldMember(this, props_.wireUnits, onOff); }
void StdMtlBase::SetFalloffOut(BOOL onOff) { SetHeldMember(this, props_.falloffOut, onOff); }
void StdMtlBase::SetTransparencyType(int type) { SetHeldMember(this, props_.transparencyType, type); }
void StdMtlBase::SetSelfIllum(float v, TimeValue) { SetHeldMember(this, props_.selfIllum, v); }
void StdMtlBase::SetOpacity(float v, TimeValue) { SetHeldMember(this, props_.opacity, v); }
void StdMtlBase::SetOpacFalloff(float v, TimeValue) { SetHeldMember(this, props_.opacFalloff, v); }
void StdMtlBase::SetWireSize(float s, TimeValue) { SetHeldMember(this, props_.wireSize, s); }
void StdMtlBase::SetIOR(float v, TimeValue) { SetHeldMember(this, props_.ior, v); }
void StdMtlBase::LockAmbDiffTex(BOOL onOff) { SetHeldMember(this, props_.lockAmbDiffTex, onOff); }
void StdMtlBase::SetFaceted(BOOL on) { SetHeldMember(this, props_.faceted, on); }
void StdMtlBase::SetSelfIllumColorOn(BOOL on) { SetHeldMember(this, props_.selfIllumColorOn, on); }
void StdMtlBase::SetSelfIllumColor(Color c, TimeValue) { SetHeldMember(this, props_.selfIllumColor, c); }

// ---- StdMat: the shader's values ----

void StdMtlBase::SetAmbient(Color c, TimeValue t) {
    if (Shader* s = GetShader()) s->SetAmbientClr(c, t);
}
void StdMtlBase::SetDiffuse(Color c, TimeValue t) {
    if (Shader* s = GetShader()) s->SetDiffuseClr(c, t);
}
void StdMtlBase::SetSpecular(Color c, TimeValue t) {
    if (Shader* s = GetShader()) s->SetSpecularClr(c, t);
}
void StdMtlBase::SetShininess(float v, TimeValue t) {
    if (Shader* s = GetShader()) s->SetGlossiness(v, t);
}
void StdMtlBase::SetShinStr(float v, TimeValue t) {
    if (Shader* s = GetShader()) s->SetSpecularLevel(v, t);
}

Color StdMtlBase::GetAmbient(TimeValue t) { return GetShader() ? GetShader()->GetAmbientClr(t) : Color(); }
Color StdMtlBase::GetDiffuse(TimeValue t) { return GetShader() ? GetShader()->GetDiffuseClr(t) : Color(); }
Color StdMtlBase::GetSpecular(TimeValue t) { return GetShader() ? GetShader()->GetSpecularClr(t) : Color(); }
float StdMtlBase::GetShininess(TimeValue t) { return GetShader() ? GetShader()->GetGlossiness(t) : 0.0f; }
float StdMtlBase::GetShinStr(TimeValue t) { return GetShader() ? GetShader()->GetSpecularLevel(t) : 0.0f; }

// ---- StdMat: maps, by channel ----

void StdMtlBase::EnableMap(int id, BOOL onoff) {
    if (IsChannel(id)) SetHeldMember(this, mapOn_[static_cast<size_t>(id)], onoff);
}

BOOL StdMtlBase::MapEnabled(int id) { return IsChannel(id) ? mapOn_[static_cast<size_t>(id)] : FALSE; }

void StdMtlBase::SetTexmapAmt(int id, float amt, TimeValue) {
    if (IsChannel(id)) SetHeldMember(this, mapAmount_[static_cast<size_t>(id)], amt);
}

float StdMtlBase::GetTexmapAmt(int id, TimeValue) {
    return IsChannel(id) ? mapAmount_[static_cast<size_t>(id)] : 0.0f;
}

// ---- StdMat2 ----

Shader* StdMtlBase::GetShader() {
    RefTargetHandle r = GetReference(kRefShader);
    return r && r->SuperClassID() == SHADER_CLASS_ID ? dynamic_cast<Shader*>(r) : nullptr;
}

BOOL StdMtlBase::SwitchShader(Class_ID id) {
    Shader* old = GetShader();
    if (old && old->ClassID() == id) return TRUE;
    Shader* next = static_cast<Shader*>(GetCOREInterface()->CreateInstance(SHADER_CLASS_ID, id));
    if (!next) return FALSE;
    next->CopyStdParams(old);
    ReplaceReference(kRefShader, next);
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    return TRUE;
}

long StdMtlBase::StdIDToChannel(long id) {
    if (id < 0) return -1;
    for (int ch = 0; ch < NumChannels(); ++ch)
        if (channels_[static_cast<size_t>(ch)].stdID == id) return ch;
    return -1;
}
