#pragma once

#include "ProductClassIds.h"
#include "PublishedRefList.h"
#include "StandIn.h"

// The Tavelin 3 material. Block 0 holds its main parameters; its base material (sub-material 0), its
// five sub-maps and its settings object are direct references, and its zones follow them as a list
// that the zone-list interface sets and reads.
class Tvl3Material : public StandIn<Mtl> {
public:
    static const StandInClassInfo kInfo;

    // References. 1, 2 and 5 are kept free.
    enum : int {
        kRefMainBlock = 0,
        kRefBaseMtl = 3,
        kRefSettings = 4,
        kRefFirstSubMap = 6,
        kRefFirstZone = 11,
    };
    static constexpr int kNumSubMaps = 5;
    enum : int { kSubMtlBase = 0 };
    enum : int {
        kSubMapHighlightColor = 0,
        kSubMapHighlightLevel = 1,
        kSubMapHighlightGloss = 2,
        kSubMapBump = 3,
        kSubMapReflection = 4,
    };

    // Block 0, the main parameters.
    enum : BlockID { kMainBlock = 0 };
    enum : ParamID {
        kShadingStyle = 0,        // int
        kBaseBlend = 1,           // float, percent
        kHighlightColor = 2,      // colour
        kHighlightAddBlend = 3,   // int
        kHighlightWidth = 4,      // int
        kHighlightSharpness = 5,  // int, percent
        kHighlightEdge = 6,       // int, percent
        kAnisotropyU = 7,         // int, percent
        kAnisotropyV = 8,         // int, percent
        kHighlightMapAmount = 9,  // float, percent
        kHighlightMapOn = 10,     // int
        kOutlineWidth = 11,       // float
        kBandWeights = 12,        // float table
        kNotes = 13,              // string
        kBumpOn = 14,             // int
        kBumpAmount = 15,         // int, percent
        kDetailMap = 16,          // map
        kReflectionOn = 17,       // int
        kReflectionAmount = 18,   // int, percent
        kOpacity = 19,            // float, fraction
    };

    // Functions of the zone-list interface.
    enum : FunctionID { kFnSetZones = 1, kFnNumZones = 2, kFnGetZone = 3 };

    // Makes the material with its settings object and a Standard base material (when the host offers one).
    Tvl3Material() : Tvl3Material(false) {}

    // Animatable
    using StandIn<Mtl>::GetInterface;
    BaseInterface* GetInterface(Interface_ID id) override;

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return kNumSubMaps; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

    // Mtl
    int NumSubMtls() override { return 1; }
    Mtl* GetSubMtl(int i) override;
    void SetSubMtl(int i, Mtl* m) override;
    MSTR GetSubMtlSlotName(int i) override;

    // The zone list: exactly the given entries in order, null entries kept as empty slots.
    void SetZones(const Tab<ReferenceTarget*>& zones);
    int NumZones() { return RefListCount(kRefFirstZone); }
    int RefListStart() override { return kRefFirstZone; }
    ReferenceTarget* GetZone(int i);

    // The settings object in reference 4 (possibly shared with other materials).
    MtlBase* GetSettings() { return dynamic_cast<MtlBase*>(GetReference(kRefSettings)); }

    // Test hook: a material that does not offer its zone-list interface.
    void WithholdInterface(bool withhold) { withheld_ = withhold; }
    bool InterfaceWithheld() const { return withheld_; }
    // Test hook: materials made while one of these lives withhold their interface.
    using WithheldInterfaceScope = StandInHookScope<struct Tvl3MaterialWithheldInterface>;

protected:
    StandIn* MakeEmpty() override { return new Tvl3Material(true); }
    void CopyMembers(StandIn* to) override;

private:
    class ZoneListInterface : public PublishedRefList {
    public:
        explicit ZoneListInterface(Tvl3Material& mtl)
            : PublishedRefList(TVL3_MATERIAL_INTERFACE_ID, {kFnSetZones, kFnNumZones, kFnGetZone}),
              mtl_(mtl) {}

    protected:
        void SetItems(const Tab<ReferenceTarget*>& items, TimeValue) override { mtl_.SetZones(items); }
        int NumItems() override { return mtl_.NumZones(); }
        ReferenceTarget* GetItem(int i) override { return mtl_.GetZone(i); }

    private:
        Tvl3Material& mtl_;
    };

    explicit Tvl3Material(bool bare);
    void MakeBaseMaterial();

    ZoneListInterface zoneList_;
    bool withheld_ = false;
};
