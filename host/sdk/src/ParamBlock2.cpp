#include <algorithm>
#include <cmath>

#include "HostRestore.h"
#include "control.h"
#include "imtl.h"
#include "inode.h"
#include "iparamb2.h"

// ---- parameter definitions ----

ParamDef ParamDef::Float(ParamID id, const MCHAR* name, float def, ParamType2 t) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = t;
    d.def_f = def;
    return d;
}

ParamDef ParamDef::Int(ParamID id, const MCHAR* name, int def, ParamType2 t) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = t;
    d.def_i = def;
    return d;
}

ParamDef ParamDef::Rgba(ParamID id, const MCHAR* name, Color def) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = TYPE_RGBA;
    d.def_c = def;
    return d;
}

ParamDef ParamDef::Pt3(ParamID id, const MCHAR* name, Point3 def) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = TYPE_POINT3;
    d.def_p = def;
    return d;
}

ParamDef ParamDef::Str(ParamID id, const MCHAR* name, const MCHAR* def) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = TYPE_STRING;
    d.def_s = def;
    return d;
}

ParamDef ParamDef::Ref(ParamID id, const MCHAR* name, ParamType2 t) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = t;
    return d;
}

ParamDef ParamDef::Table(ParamID id, const MCHAR* name, ParamType2 t, int size) {
    ParamDef d;
    d.ID = id;
    d.int_name = name;
    d.type = t;
    d.tab_size = size;
    return d;
}

ParamDef ParamDef::FloatTable(ParamID id, const MCHAR* name, int size, float def, ParamType2 t) {
    ParamDef d = Table(id, name, t, size);
    d.def_f = def;
    return d;
}

ParamDef ParamDef::IntTable(ParamID id, const MCHAR* name, int size, int def, ParamType2 t) {
    ParamDef d = Table(id, name, t, size);
    d.def_i = def;
    return d;
}

ParamDef ParamDef::Point3Table(ParamID id, const MCHAR* name, int size, Point3 def) {
    ParamDef d = Table(id, name, TYPE_POINT3_TAB, size);
    d.def_p = def;
    return d;
}

ParamBlockDesc2::ParamBlockDesc2(BlockID id, const MCHAR* name, std::initializer_list<ParamDef> params)
    : ID(id), int_name(name), paramdefs(params) {}

int ParamBlockDesc2::IDtoIndex(ParamID id) const {
    // IDs are unique within a block and mostly ascend from the first one, in steps of one with a few gaps:
    // the parameter is looked for from where steps of one would put it downwards, then in the rest.
    const int n = Count();
    if (n == 0) return -1;
    const int guess = std::min(static_cast<int>(id) - static_cast<int>(paramdefs.front().ID), n - 1);
    for (int i = guess; i >= 0; --i)
        if (paramdefs[static_cast<size_t>(i)].ID == id) return i;
    for (int i = std::max(guess + 1, 0); i < n; ++i)
        if (paramdefs[static_cast<size_t>(i)].ID == id) return i;
    return -1;
}

bool IsFloatType(int type) {
    switch (base_type(type)) {
        case TYPE_FLOAT:
        case TYPE_ANGLE:
        case TYPE_PCNT_FRAC:
        case TYPE_WORLD:
        case TYPE_COLOR_CHANNEL:
            return true;
        default:
            return false;
    }
}

bool IsIntType(int type) {
    switch (base_type(type)) {
        case TYPE_INT:
        case TYPE_BOOL:
        case TYPE_TIMEVALUE:
        case TYPE_RADIOBTN_INDEX:
        case TYPE_INDEX:
            return true;
        default:
            return false;
    }
}

bool IsRefType(int type) {
    switch (base_type(type)) {
        case TYPE_MTL:
        case TYPE_TEXMAP:
        case TYPE_INODE:
        case TYPE_REFTARG:
        case TYPE_PBLOCK2:
            return true;
        default:
            return false;
    }
}

namespace {

// The C++ type a parameter is read and written as. A get or set through any other type does nothing:
// the get answers FALSE and the typed getters 0 or null, the set answers FALSE and changes nothing.
// Colours are not points (and the reverse), a float is not an int, a material is not a reference target.
enum ValueKind { kFloat, kInt, kPoint3, kColor, kString, kMtl, kTexmap, kINode, kRefTarg, kNoValue };

bool IsStringType(int type) { return base_type(type) == TYPE_STRING || base_type(type) == TYPE_FILENAME; }

ValueKind KindOf(int type) {
    if (IsFloatType(type)) return kFloat;
    if (IsIntType(type)) return kInt;
    if (IsStringType(type)) return kString;
    switch (base_type(type)) {
        case TYPE_POINT3:
            return kPoint3;
        case TYPE_RGBA:
        case TYPE_HSV:
        case TYPE_FRGBA:  // no four-channel colour here: reached as a colour
            return kColor;
        case TYPE_MTL:
            return kMtl;
        case TYPE_TEXMAP:
            return kTexmap;
        case TYPE_INODE:
            return kINode;
        case TYPE_REFTARG:
            return kRefTarg;
        default:
            // Bitmaps, matrices, four-component points and blocks have no value type here.
            return kNoValue;
    }
}

// In animate mode a parameter without a controller that is set away from frame 0 gets a keyframe
// controller holding its value; setting it then keys the old value at 0 and the new one.
void GiveKeyController(IParamBlock2* pb, ParamID id, int tabIndex, int kind, float number,
                       const Color& colour) {
    Control* c = nullptr;
    if (kind == kFloat || kind == kInt) {
        auto* f = new LinearFloatController;
        f->SetValue(0, &number);
        c = f;
    } else if (kind == kPoint3 || kind == kColor) {
        auto* p = new LinearPoint3Controller;
        Point3 v(colour.r, colour.g, colour.b);
        p->SetValue(0, &v);
        c = p;
    }
    if (c) pb->SetControllerByID(id, tabIndex, c, FALSE);
}

// Floats and ints are driven by float controllers, points and colours by Point3 controllers.
bool IsFloatController(Control* c) { return c && c->SuperClassID() == CTRL_FLOAT_CLASS_ID; }
bool IsPoint3Controller(Control* c) { return c && c->SuperClassID() == CTRL_POINT3_CLASS_ID; }

}  // namespace

// Undo of a value change that is not a reference.
class ParamRestore : public RestoreObj {
public:
    ParamRestore(IParamBlock2* pb, ParamID id, int tab, IParamBlock2::Scalar before,
                 IParamBlock2::Scalar after)
        : pb_(pb), id_(id), tab_(tab), before_(std::move(before)), after_(std::move(after)) {
        PinForUndo(pb_);
    }
    ~ParamRestore() override { UnpinForUndo(pb_); }
    void Restore(int) override { Apply(before_); }
    void Redo() override { Apply(after_); }
    MSTR Description() override { return MSTR(_M("Parameter")); }

private:
    void Apply(const IParamBlock2::Scalar& v) {
        if (!pb_) return;
        int index = pb_->IDtoIndex(id_);
        if (index < 0 || tab_ >= pb_->Count(id_)) return;
        pb_->Write(index, tab_, v);
        pb_->NotifyOwnerChanged();
    }
    IParamBlock2* pb_;
    ParamID id_;
    int tab_;
    IParamBlock2::Scalar before_, after_;
};

// Undo of a table's resize. Entries removed from the end come back with their values; their
// references come back through the reference records made before the resize.
class TabCountRestore : public RestoreObj {
public:
    TabCountRestore(IParamBlock2* pb, ParamID id, int before, int after,
                    std::vector<IParamBlock2::Scalar> removed)
        : pb_(pb), id_(id), before_(before), after_(after), removed_(std::move(removed)) {
        PinForUndo(pb_);
    }
    ~TabCountRestore() override { UnpinForUndo(pb_); }
    void Restore(int) override { Apply(before_); }
    void Redo() override { Apply(after_); }
    MSTR Description() override { return MSTR(_M("Table count")); }

private:
    void Apply(int n) {
        if (!pb_) return;
        int index = pb_->IDtoIndex(id_);
        if (index < 0) return;
        pb_->Resize(index, n, nullptr);
        // Growing back to the larger count puts the removed values where they were.
        if (n == before_ && before_ > after_)
            for (size_t k = 0; k < removed_.size() && after_ + static_cast<int>(k) < n; ++k)
                pb_->Write(index, after_ + static_cast<int>(k), removed_[k]);
        pb_->NotifyOwnerChanged();
    }
    IParamBlock2* pb_;
    ParamID id_;
    int before_, after_;
    std::vector<IParamBlock2::Scalar> removed_;
};

// ---- IParamBlock2 ----

IParamBlock2::IParamBlock2(const ParamBlockDesc2* desc, ReferenceMaker* owner) : desc_(desc), owner_(owner) {
    // Every array is sized once; a parameter's entries all start as the same slot, a text entry with a
    // text of its own.
    auto entries = [](const ParamDef& def) { return is_tab(def.type) ? std::max(0, def.tab_size) : 1; };
    size_t total = 0, texts = 0;
    for (const ParamDef& def : desc->paramdefs) {
        const size_t n = static_cast<size_t>(entries(def));
        total += n;
        if (IsStringType(def.type)) texts += n;
    }
    params_.reserve(desc->paramdefs.size());
    slots_.reserve(total);
    strings_.reserve(texts);
    for (const ParamDef& def : desc->paramdefs) {
        const int n = entries(def);
        params_.push_back({&def, static_cast<int>(slots_.size()), n});
        if (IsStringType(def.type))
            for (int k = 0; k < n; ++k) slots_.push_back(NewSlot(def));
        else
            slots_.insert(slots_.end(), static_cast<size_t>(n), NewSlot(def));
    }
}

IParamBlock2::~IParamBlock2() = default;

IParamBlock2* CreateParameterBlock2(const ParamBlockDesc2* pdesc, ReferenceMaker* owner) {
    return pdesc ? new IParamBlock2(pdesc, owner) : nullptr;
}

IParamBlock2::Slot IParamBlock2::NewSlot(const ParamDef& def) {
    Slot s;
    s.f = def.def_f;
    s.i = def.def_i;
    s.c = base_type(def.type) == TYPE_POINT3 ? Color(def.def_p.x, def.def_p.y, def.def_p.z) : def.def_c;
    if (IsStringType(def.type)) {
        s.i = static_cast<int>(strings_.size());
        strings_.emplace_back(def.def_s ? def.def_s : L"");
    }
    return s;
}

IParamBlock2::Scalar IParamBlock2::Read(int paramIndex, int tabIndex) {
    const Param& p = params_[static_cast<size_t>(paramIndex)];
    const Slot& s = slots_[static_cast<size_t>(p.first + tabIndex)];
    Scalar v;
    v.f = s.f;
    v.i = s.i;
    v.c = s.c;
    if (IsStringType(p.def->type)) v.s = strings_[static_cast<size_t>(s.i)];
    return v;
}

void IParamBlock2::Write(int paramIndex, int tabIndex, const Scalar& v) {
    const Param& p = params_[static_cast<size_t>(paramIndex)];
    Slot& s = slots_[static_cast<size_t>(p.first + tabIndex)];
    if (IsStringType(p.def->type)) {
        strings_[static_cast<size_t>(s.i)] = v.s;  // a string entry keeps its place in the pool
        return;
    }
    s.f = v.f;
    s.i = v.i;
    s.c = v.c;
}

int IParamBlock2::NumRefs() { return 2 * static_cast<int>(slots_.size()); }

int IParamBlock2::RefIndex(int paramIndex, int tabIndex) {
    return 2 * (params_[static_cast<size_t>(paramIndex)].first + tabIndex);
}

RefTargetHandle IParamBlock2::GetReference(int i) {
    if (i < 0 || i >= NumRefs()) return nullptr;
    const Slot& s = slots_[static_cast<size_t>(i / 2)];
    return (i % 2 == 0) ? s.ref : s.ctrl;
}

void IParamBlock2::SetReference(int i, RefTargetHandle rtarg) {
    if (i < 0 || i >= NumRefs()) return;
    Slot& s = slots_[static_cast<size_t>(i / 2)];
    if (i % 2 == 0)
        s.ref = rtarg;
    else
        s.ctrl = dynamic_cast<Control*>(rtarg);
}

RefResult IParamBlock2::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                         RefMessage message, BOOL) {
    // A deleted value or controller (a node leaving the scene) reads as none from now on.
    if (message == REFMSG_TARGET_DELETED)
        for (int i = 0, n = NumRefs(); i < n; ++i)
            if (GetReference(i) == hTarget) SetReference(i, nullptr);
    return REF_SUCCEED;
}

RefTargetHandle IParamBlock2::Clone(RemapDir& remap) {
    IParamBlock2* copy = new IParamBlock2(desc_, nullptr);
    copy->params_ = params_;
    copy->slots_ = slots_;
    copy->strings_ = strings_;
    for (Slot& s : copy->slots_) s.ref = s.ctrl = nullptr;
    for (const Param& p : params_) {
        for (int k = 0; k < p.count; ++k) {
            const Slot& from = slots_[static_cast<size_t>(p.first + k)];
            int ref = 2 * (p.first + k);
            // Nodes are shared, never copied; everything else below the block is copied deeply.
            ReferenceTarget* value = from.ref;
            if (value && base_type(p.def->type) != TYPE_INODE) value = remap.CloneRef(value);
            if (value) copy->ReplaceReference(ref, value);
            if (from.ctrl) copy->ReplaceReference(ref + 1, remap.CloneRef(from.ctrl));
        }
    }
    BaseClone(this, copy, remap);
    return copy;
}

int IParamBlock2::NumParams() { return static_cast<int>(params_.size()); }
BlockID IParamBlock2::ID() { return desc_->ID; }

ParamID IParamBlock2::IndextoID(int i) {
    return i >= 0 && i < NumParams() ? params_[static_cast<size_t>(i)].def->ID : ParamID(-1);
}

// A block holds its descriptor's parameters, one each and in the same order.
int IParamBlock2::IDtoIndex(ParamID id) { return desc_->IDtoIndex(id); }

ParamDef& IParamBlock2::GetParamDef(ParamID id) {
    static ParamDef missing;
    int i = IDtoIndex(id);
    if (i < 0) {
        missing = ParamDef();
        return missing;
    }
    return const_cast<ParamDef&>(*params_[static_cast<size_t>(i)].def);
}

ParamType2 IParamBlock2::GetParameterType(ParamID id) { return GetParamDef(id).type; }

IParamBlock2::Slot* IParamBlock2::Find(ParamID id, int tabIndex, int* paramIndex) {
    int i = IDtoIndex(id);
    if (i < 0) return nullptr;
    const Param& p = params_[static_cast<size_t>(i)];
    if (tabIndex < 0 || tabIndex >= p.count) return nullptr;
    if (paramIndex) *paramIndex = i;
    return &slots_[static_cast<size_t>(p.first + tabIndex)];
}

float IParamBlock2::ControllerFloat(Slot& s, TimeValue t, Interval& ivalid) {
    float f = 0.0f;
    s.ctrl->GetValue(t, &f, ivalid);
    return f;
}

Point3 IParamBlock2::ControllerPoint3(Slot& s, TimeValue t, Interval& ivalid) {
    Point3 p;
    s.ctrl->GetValue(t, &p, ivalid);
    return p;
}

// ---- getters ----

IParamBlock2::Slot* IParamBlock2::FindOfKind(ParamID id, int tabIndex, int kind) {
    int pi;
    Slot* s = Find(id, tabIndex, &pi);
    return s && KindOf(params_[static_cast<size_t>(pi)].def->type) == kind ? s : nullptr;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kFloat);
    if (!s) return FALSE;
    v = IsFloatController(s->ctrl) ? ControllerFloat(*s, t, ivalid) : s->f;
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kInt);
    if (!s) return FALSE;
    v = IsFloatController(s->ctrl) ? static_cast<int>(std::lround(ControllerFloat(*s, t, ivalid))) : s->i;
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue t, Point3& v, Interval& ivalid, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kPoint3);
    if (!s) return FALSE;
    v = IsPoint3Controller(s->ctrl) ? ControllerPoint3(*s, t, ivalid) : Point3(s->c.r, s->c.g, s->c.b);
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue t, Color& v, Interval& ivalid, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kColor);
    if (!s) return FALSE;
    if (IsPoint3Controller(s->ctrl)) {
        Point3 p = ControllerPoint3(*s, t, ivalid);
        v = Color(p.x, p.y, p.z);
    } else {
        v = s->c;
    }
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue, const MCHAR*& v, Interval&, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kString);
    if (!s) return FALSE;
    v = strings_[static_cast<size_t>(s->i)].c_str();
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue, ReferenceTarget*& v, Interval&, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kRefTarg);
    if (!s) return FALSE;
    v = s->ref;
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue, Mtl*& v, Interval&, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kMtl);
    if (!s) return FALSE;
    v = dynamic_cast<Mtl*>(s->ref);
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue, Texmap*& v, Interval&, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kTexmap);
    if (!s) return FALSE;
    v = dynamic_cast<Texmap*>(s->ref);
    return TRUE;
}

BOOL IParamBlock2::GetValue(ParamID id, TimeValue, INode*& v, Interval&, int tabIndex) {
    Slot* s = FindOfKind(id, tabIndex, kINode);
    if (!s) return FALSE;
    v = dynamic_cast<INode*>(s->ref);
    return TRUE;
}

float IParamBlock2::GetFloat(ParamID id, TimeValue t, int tabIndex) {
    float v = 0.0f;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : 0.0f;
}

int IParamBlock2::GetInt(ParamID id, TimeValue t, int tabIndex) {
    int v = 0;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : 0;
}

Color IParamBlock2::GetColor(ParamID id, TimeValue t, int tabIndex) {
    Color v;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : Color();
}

Point3 IParamBlock2::GetPoint3(ParamID id, TimeValue t, int tabIndex) {
    Point3 v;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : Point3();
}

const MCHAR* IParamBlock2::GetStr(ParamID id, TimeValue t, int tabIndex) {
    const MCHAR* v = nullptr;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : nullptr;
}

Mtl* IParamBlock2::GetMtl(ParamID id, TimeValue t, int tabIndex) {
    Mtl* v = nullptr;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : nullptr;
}

Texmap* IParamBlock2::GetTexmap(ParamID id, TimeValue t, int tabIndex) {
    Texmap* v = nullptr;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : nullptr;
}

INode* IParamBlock2::GetINode(ParamID id, TimeValue t, int tabIndex) {
    INode* v = nullptr;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : nullptr;
}

ReferenceTarget* IParamBlock2::GetReferenceTarget(ParamID id, TimeValue t, int tabIndex) {
    ReferenceTarget* v = nullptr;
    Interval iv = FOREVER;
    return GetValue(id, t, v, iv, tabIndex) ? v : nullptr;
}

// ---- setters ----

BOOL IParamBlock2::SetScalar(ParamID id, TimeValue t, int tabIndex, const Scalar& value, int kind) {
    int pi;
    Slot* s = Find(id, tabIndex, &pi);
    if (!s || KindOf(params_[static_cast<size_t>(pi)].def->type) != kind) return FALSE;
    if (!s->ctrl && t != 0 && Animating()) {
        Scalar now = Read(pi, tabIndex);
        GiveKeyController(this, id, tabIndex, kind, kind == kFloat ? now.f : static_cast<float>(now.i),
                          now.c);
        s = Find(id, tabIndex);
    }
    // A controlled entry takes the value through its controller.
    if ((kind == kFloat || kind == kInt) && IsFloatController(s->ctrl)) {
        float f = kind == kFloat ? value.f : static_cast<float>(value.i);
        s->ctrl->SetValue(t, &f);
        NotifyOwnerChanged();
        return TRUE;
    }
    if ((kind == kPoint3 || kind == kColor) && IsPoint3Controller(s->ctrl)) {
        Point3 p(value.c.r, value.c.g, value.c.b);
        s->ctrl->SetValue(t, &p);
        NotifyOwnerChanged();
        return TRUE;
    }
    // The entry's other fields stay; only a recording needs the whole entry before and after.
    const bool holding = theHold.Holding() != FALSE;
    Scalar before;
    if (holding) before = Read(pi, tabIndex);
    switch (kind) {
        case kFloat:
            s->f = value.f;
            break;
        case kInt:
            s->i = value.i;
            break;
        case kString:
            strings_[static_cast<size_t>(s->i)] = value.s;
            break;
        default:
            s->c = value.c;
            break;
    }
    if (holding) theHold.Put(new ParamRestore(this, id, tabIndex, std::move(before), Read(pi, tabIndex)));
    NotifyOwnerChanged();
    return TRUE;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, float v, int tabIndex) {
    Scalar s;
    s.f = v;
    return SetScalar(id, t, tabIndex, s, kFloat);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, int v, int tabIndex) {
    Scalar s;
    s.i = v;
    return SetScalar(id, t, tabIndex, s, kInt);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, Point3& v, int tabIndex) {
    Scalar s;
    s.c = Color(v.x, v.y, v.z);
    return SetScalar(id, t, tabIndex, s, kPoint3);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, Color& v, int tabIndex) {
    Scalar s;
    s.c = v;
    return SetScalar(id, t, tabIndex, s, kColor);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, const MCHAR* v, int tabIndex) {
    Scalar s;
    s.s = v ? v : L"";
    return SetScalar(id, t, tabIndex, s, kString);
}

BOOL IParamBlock2::SetRef(ParamID id, ReferenceTarget* v, int tabIndex, int kind) {
    int pi;
    Slot* s = Find(id, tabIndex, &pi);
    if (!s || KindOf(params_[static_cast<size_t>(pi)].def->type) != kind) return FALSE;
    if (ReplaceReference(RefIndex(pi, tabIndex), v) != REF_SUCCEED) return FALSE;
    NotifyOwnerChanged();
    return TRUE;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, Mtl* v, int tabIndex) {
    return SetRef(id, v, tabIndex, kMtl);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, Texmap* v, int tabIndex) {
    return SetRef(id, v, tabIndex, kTexmap);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, INode* v, int tabIndex) {
    return SetRef(id, v, tabIndex, kINode);
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, ReferenceTarget* v, int tabIndex) {
    return SetRef(id, v, tabIndex, kRefTarg);
}

void IParamBlock2::NotifyOwnerChanged() { NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE); }

// ---- tables ----

int IParamBlock2::Count(ParamID id) {
    int i = IDtoIndex(id);
    return i < 0 ? 0 : params_[static_cast<size_t>(i)].count;
}

void IParamBlock2::ZeroCount(ParamID id) { SetCount(id, 0); }

void IParamBlock2::Resize(int paramIndex, int n, std::vector<Scalar>* removed) {
    Param& p = params_[static_cast<size_t>(paramIndex)];
    const int count = std::max(0, n);
    if (count == p.count) return;
    if (count < p.count) {
        if (removed)
            for (int k = count; k < p.count; ++k) removed->push_back(Read(paramIndex, k));
        // The references of entries that go must already be cleared; clear any left without a record.
        for (int k = count; k < p.count; ++k) {
            const Slot& s = slots_[static_cast<size_t>(p.first + k)];
            if (!s.ref && !s.ctrl) continue;
            int ref = RefIndex(paramIndex, k);
            theHold.Suspend();
            ReplaceReference(ref, nullptr);
            ReplaceReference(ref + 1, nullptr);
            theHold.Resume();
        }
        auto from = slots_.begin() + (p.first + count);
        slots_.erase(from, from + (p.count - count));
    } else {
        std::vector<Slot> added;
        for (int k = p.count; k < count; ++k) added.push_back(NewSlot(*p.def));
        slots_.insert(slots_.begin() + (p.first + p.count), added.begin(), added.end());
    }
    // The entries of the parameters after this one, and so their references, move along.
    const int shift = count - p.count;
    p.count = count;
    for (size_t q = static_cast<size_t>(paramIndex) + 1; q < params_.size(); ++q) params_[q].first += shift;
}

void IParamBlock2::SetCount(ParamID id, int n) {
    int pi = IDtoIndex(id);
    if (pi < 0 || !is_tab(params_[static_cast<size_t>(pi)].def->type)) return;
    n = std::max(0, n);
    int count = Count(id);
    if (n == count) return;
    // Entries that go first let go of what they refer to, each with its own undo record.
    for (int k = n; k < count; ++k) {
        int ref = RefIndex(pi, k);
        DeleteReference(ref);
        DeleteReference(ref + 1);
    }
    std::vector<Scalar> removed;
    Resize(pi, n, &removed);
    if (theHold.Holding()) theHold.Put(new TabCountRestore(this, id, count, n, std::move(removed)));
    NotifyOwnerChanged();
}

// ---- controllers ----

Control* IParamBlock2::GetControllerByID(ParamID id, int tabIndex) {
    Slot* s = Find(id, tabIndex);
    return s ? s->ctrl : nullptr;
}

void IParamBlock2::SetControllerByID(ParamID id, int tabIndex, Control* c, BOOL preserveFrame0Value) {
    int pi;
    Slot* s = Find(id, tabIndex, &pi);
    if (!s) return;
    const ValueKind kind = KindOf(params_[static_cast<size_t>(pi)].def->type);
    bool scalar = kind == kFloat || kind == kInt;
    bool vector = kind == kPoint3 || kind == kColor;
    if (!scalar && !vector) return;
    if (c && scalar && !IsFloatController(c)) return;
    if (c && vector && !IsPoint3Controller(c)) return;
    // The entry's frame-0 value, as the controller will answer it.
    float f = kind == kFloat ? GetFloat(id, 0, tabIndex) : static_cast<float>(GetInt(id, 0, tabIndex));
    Color col = kind == kColor ? GetColor(id, 0, tabIndex) : Color();
    Point3 p = kind == kPoint3 ? GetPoint3(id, 0, tabIndex) : Point3(col.r, col.g, col.b);
    if (ReplaceReference(RefIndex(pi, tabIndex) + 1, c) != REF_SUCCEED) return;
    if (preserveFrame0Value && c) {
        // The controller is made to answer the parameter's frame-0 value; a curve that already does is
        // left exactly as it is.
        Interval iv = FOREVER;
        if (scalar) {
            float now = 0.0f;
            c->GetValue(0, &now, iv);
            if (now != f) c->SetValue(0, &f);
        } else {
            Point3 now;
            c->GetValue(0, &now, iv);
            if (now != p) c->SetValue(0, &p);
        }
    }
    NotifyOwnerChanged();
}
