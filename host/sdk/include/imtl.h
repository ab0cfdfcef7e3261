#pragma once

#include <unordered_map>

#include "color.h"
#include "interval.h"
#include "ref.h"
#include "tab.h"

// Material flags.
#define MTL_TEX_DISPLAY_ENABLED (1 << 3)

class Texmap;
class Mtl;

class CoreExport ISubMap {
public:
    virtual ~ISubMap();
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int i) {
        (void)i;
        return nullptr;
    }
    virtual void SetSubTexmap(int i, Texmap* m) {
        (void)i;
        (void)m;
    }
    virtual MSTR GetSubTexmapSlotName(int i) {
        (void)i;
        return MSTR();
    }
};

// What materials and maps have in common: a name, flags and the validity of their state.
class CoreExport MtlBase : public ReferenceTarget, public ISubMap {
public:
    ~MtlBase() override;
    MSTR& GetName() { return name_; }
    void SetName(MSTR s) { name_ = s; }
    // The name followed by the class name, as in "Red (Standard)".
    virtual MSTR GetFullName();

    void SetMtlFlag(int mask, BOOL val = TRUE);
    void ClearMtlFlag(int mask) { mtlFlags_ &= ~mask; }
    int TestMtlFlag(int mask) { return (mtlFlags_ & mask) ? 1 : 0; }
    int GetMtlFlags() const { return mtlFlags_; }

    virtual void Update(TimeValue t, Interval& valid) = 0;
    virtual void Reset() {}
    virtual Interval Validity(TimeValue t) {
        (void)t;
        return FOREVER;
    }

    // Copies the name and flags; classes call it from their Clone.
    void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) override;

private:
    MSTR name_;
    int mtlFlags_ = 0;
};

class CoreExport Mtl : public MtlBase {
public:
    ~Mtl() override;
    SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }

    virtual int NumSubMtls() { return 0; }
    virtual Mtl* GetSubMtl(int i) {
        (void)i;
        return nullptr;
    }
    virtual void SetSubMtl(int i, Mtl* m) {
        (void)i;
        (void)m;
    }
    virtual MSTR GetSubMtlSlotName(int i) {
        (void)i;
        return MSTR();
    }

    // The map that the viewports show for this material.
    MtlBase* GetActiveTexmap() { return activeTexmap_; }
    void SetActiveTexmap(MtlBase* txt) { activeTexmap_ = txt; }

    // Viewport colours.
    virtual Color GetAmbient(int mtlNum = 0, BOOL backFace = FALSE);
    virtual Color GetDiffuse(int mtlNum = 0, BOOL backFace = FALSE);
    virtual Color GetSpecular(int mtlNum = 0, BOOL backFace = FALSE);
    virtual float GetShininess(int mtlNum = 0, BOOL backFace = FALSE);
    virtual float GetShinStr(int mtlNum = 0, BOOL backFace = FALSE);
    virtual float GetXParency(int mtlNum = 0, BOOL backFace = FALSE);

private:
    MtlBase* activeTexmap_ = nullptr;
};

class CoreExport Texmap : public MtlBase {
public:
    ~Texmap() override;
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
};

// Texture coordinates of a map.
class CoreExport UVGen : public MtlBase {
public:
    ~UVGen() override;
    SClass_ID SuperClassID() override { return UVGEN_CLASS_ID; }
};

// A list of materials and maps. Membership is answered from an index, so that FindMtl costs the same
// whatever the length of the list.
class CoreExport MtlBaseList : public Tab<MtlBase*> {
public:
    int AddMtl(MtlBase* m, BOOL checkUnique = TRUE);
    int FindMtl(MtlBase* m);
    int FindMtlByName(MSTR& name);
    void RemoveEntry(int n);
    void Empty();

private:
    void Reindex();
    std::unordered_map<MtlBase*, int> index_;  // first position of each entry
    int indexed_ = 0;                          // entries covered by the index
};

// A library of materials and maps: each entry is a reference of the library, so a library is a
// dependent of everything it lists and lets go of its entries when it is destroyed.
class CoreExport MtlBaseLib : public ReferenceTarget, public MtlBaseList {
public:
    MtlBaseLib() = default;
    ~MtlBaseLib() override;
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x1A7D4B2C, 0); }
    virtual void Add(MtlBase* m);
    virtual void Remove(MtlBase* m);
    virtual void RemoveDuplicates();
    void DeleteAll();

    int NumRefs() override { return Count(); }
    RefTargetHandle GetReference(int i) override { return i >= 0 && i < Count() ? (*this)[i] : nullptr; }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                               BOOL) override;
};

typedef MtlBaseLib MtlLib;
