#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "color.h"
#include "interval.h"
#include "paramtype.h"
#include "point3.h"
#include "ref.h"

class Control;

// One parameter of a block: its ID, type and default. A table parameter (a TYPE_TAB type) starts
// with tab_size entries, each with the default.
struct CoreExport ParamDef {
    ParamID ID = -1;
    const MCHAR* int_name = nullptr;
    ParamType2 type = TYPE_UNSPECIFIED;
    float def_f = 0.0f;  // float-like types
    int def_i = 0;       // int, bool and other integer types
    Color def_c;         // TYPE_RGBA, TYPE_FRGBA
    Point3 def_p;        // TYPE_POINT3
    const MCHAR* def_s = nullptr;
    int tab_size = 0;

    static ParamDef Float(ParamID id, const MCHAR* name, float def, ParamType2 t = TYPE_FLOAT);
    static ParamDef Int(ParamID id, const MCHAR* name, int def, ParamType2 t = TYPE_INT);
    static ParamDef Rgba(ParamID id, const MCHAR* name, Color def);
    static ParamDef Pt3(ParamID id, const MCHAR* name, Point3 def);
    static ParamDef Str(ParamID id, const MCHAR* name, const MCHAR* def);
    static ParamDef Ref(ParamID id, const MCHAR* name, ParamType2 t);
    static ParamDef Table(ParamID id, const MCHAR* name, ParamType2 t, int size);
    // Tables whose entries start at a default of their own.
    static ParamDef FloatTable(ParamID id, const MCHAR* name, int size, float def,
                               ParamType2 t = TYPE_FLOAT_TAB);
    static ParamDef IntTable(ParamID id, const MCHAR* name, int size, int def, ParamType2 t = TYPE_INT_TAB);
    static ParamDef Point3Table(ParamID id, const MCHAR* name, int size, Point3 def);
};

// The layout of a parameter block: its ID and its parameters, in index order.
class CoreExport ParamBlockDesc2 {
public:
    ParamBlockDesc2(BlockID id, const MCHAR* int_name, std::initializer_list<ParamDef> params);

    BlockID ID;
    const MCHAR* int_name;
    std::vector<ParamDef> paramdefs;

    int Count() const { return static_cast<int>(paramdefs.size()); }
    int IDtoIndex(ParamID id) const;
};

// A block of typed parameters. Every entry can be driven by a controller. Entries of the reference
// types (material, map, node, reference target) are references of the block, so the block is a
// dependent of what they hold. References are numbered entry by entry, in parameter then table order:
// reference 2k is entry k's value and 2k+1 its controller.
class CoreExport IParamBlock2 : public ReferenceTarget {
public:
    IParamBlock2(const ParamBlockDesc2* desc, ReferenceMaker* owner);
    ~IParamBlock2() override;

    // Animatable
    SClass_ID SuperClassID() override { return PARAMETER_BLOCK2_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(PARAMETER_BLOCK2_CLASS_ID, 0); }
    void GetClassName(MSTR& s) override { s = _M("ParamBlock2"); }

    // ReferenceMaker
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;

    // ReferenceTarget
    RefTargetHandle Clone(RemapDir& remap) override;

    int NumParams();
    BlockID ID();
    ParamBlockDesc2* GetDesc() { return const_cast<ParamBlockDesc2*>(desc_); }
    ReferenceMaker* GetOwner() { return owner_; }
    void SetOwner(ReferenceMaker* owner) { owner_ = owner; }
    ParamID IndextoID(int i);
    int IDtoIndex(ParamID id);
    ParamDef& GetParamDef(ParamID id);
    ParamType2 GetParameterType(ParamID id);

    // Each C++ type reaches its own parameter types only: float the float types (TYPE_FLOAT, TYPE_ANGLE,
    // TYPE_PCNT_FRAC, TYPE_WORLD, TYPE_COLOR_CHANNEL), int the integer types (TYPE_INT, TYPE_BOOL,
    // TYPE_TIMEVALUE, TYPE_RADIOBTN_INDEX, TYPE_INDEX), Point3 TYPE_POINT3, Color TYPE_RGBA, TYPE_HSV and
    // TYPE_FRGBA (four-channel colours are kept as their colour),
    // strings TYPE_STRING and TYPE_FILENAME, Mtl* TYPE_MTL, Texmap* TYPE_TEXMAP, INode* TYPE_INODE and
    // ReferenceTarget* TYPE_REFTARG (tables alike). Otherwise no get occurs (GetValue answers FALSE, the
    // typed getters 0 or null) and no set occurs (SetValue answers FALSE).
    float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0);
    int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0);
    Color GetColor(ParamID id, TimeValue t = 0, int tabIndex = 0);
    Point3 GetPoint3(ParamID id, TimeValue t = 0, int tabIndex = 0);
    const MCHAR* GetStr(ParamID id, TimeValue t = 0, int tabIndex = 0);
    Mtl* GetMtl(ParamID id, TimeValue t = 0, int tabIndex = 0);
    Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0);
    INode* GetINode(ParamID id, TimeValue t = 0, int tabIndex = 0);
    ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t = 0, int tabIndex = 0);

    BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, Point3& v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, Color& v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, const MCHAR* v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, Mtl* v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, INode* v, int tabIndex = 0);
    BOOL SetValue(ParamID id, TimeValue t, ReferenceTarget* v, int tabIndex = 0);

    BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, Point3& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, const MCHAR*& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, Mtl*& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, INode*& v, Interval& ivalid, int tabIndex = 0);
    BOOL GetValue(ParamID id, TimeValue t, ReferenceTarget*& v, Interval& ivalid, int tabIndex = 0);

    // Tables. Single parameters answer a count of 1 and cannot be resized.
    int Count(ParamID id);
    void ZeroCount(ParamID id);
    void SetCount(ParamID id, int n);

    Control* GetControllerByID(ParamID id, int tabIndex = 0);
    void SetControllerByID(ParamID id, int tabIndex, Control* c, BOOL preserveFrame0Value = TRUE);

    // Tells the owner that a value changed.
    void NotifyOwnerChanged();

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;

private:
    friend class ParamRestore;
    friend class TabCountRestore;

    // One entry of a parameter: its value and its controller. A colour or a point is kept in c; a string
    // entry keeps the index of its text in the block's string pool in i, so that entries stay small.
    struct Slot {
        float f = 0.0f;
        int i = 0;
        Color c;
        ReferenceTarget* ref = nullptr;
        Control* ctrl = nullptr;
    };
    // A parameter's entries are slots_[first] ... slots_[first + count - 1]; entry k of the block as a
    // whole holds references 2k (its value) and 2k + 1 (its controller).
    struct Param {
        const ParamDef* def;
        int first;
        int count;
    };
    // A value on its way into an entry.
    struct Scalar {
        float f = 0.0f;
        int i = 0;
        Color c;
        std::wstring s;
    };

    Slot* Find(ParamID id, int tabIndex, int* paramIndex = nullptr);
    Slot* FindOfKind(ParamID id, int tabIndex, int kind);  // null unless the parameter is of that kind
    int RefIndex(int paramIndex, int tabIndex);  // reference of the entry's value; +1 for its controller
    Slot NewSlot(const ParamDef& def);
    float ControllerFloat(Slot& s, TimeValue t, Interval& ivalid);
    Point3 ControllerPoint3(Slot& s, TimeValue t, Interval& ivalid);
    BOOL SetScalar(ParamID id, TimeValue t, int tabIndex, const Scalar& value, int kind);
    Scalar Read(int paramIndex, int tabIndex);
    void Write(int paramIndex, int tabIndex, const Scalar& value);
    BOOL SetRef(ParamID id, ReferenceTarget* v, int tabIndex, int kind);
    void Resize(int paramIndex, int n, std::vector<Scalar>* removed);

    const ParamBlockDesc2* desc_;
    ReferenceMaker* owner_;
    std::vector<Param> params_;
    std::vector<Slot> slots_;            // the entries of every parameter, in parameter order
    std::vector<std::wstring> strings_;  // the texts of string entries
};

CoreExport IParamBlock2* CreateParameterBlock2(const ParamBlockDesc2* pdesc, ReferenceMaker* owner);

// The kinds of value a parameter type stores.
CoreExport bool IsFloatType(int type);
CoreExport bool IsIntType(int type);
CoreExport bool IsRefType(int type);
