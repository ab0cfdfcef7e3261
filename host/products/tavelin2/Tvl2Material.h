#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The Tavelin 2 material. Block 0 holds its main parameters and blocks 2 to 5 its four zones; its base
// material, settings object and five sub-maps are direct references, followed by seven references
// per zone: the zone's object and its six stroke slots.
class Tvl2Material : public StandIn<Mtl> {
public:
    static const StandInClassInfo kInfo;

    // References. 1 and 6 are kept free; blocks 2 to 5 sit at the references of the same number.
    enum : int {
        kRefMainBlock = 0,
        kRefFirstZoneBlock = 2,
        kRefBaseMtl = 7,
        kRefSettings = 8,
        kRefFirstSubMap = 9,
        kRefFirstZoneObject = 14,
        kNumRefs = 42,
    };
    static constexpr int kNumZones = 4;
    static constexpr int kStrokeSlots = 6;
    static constexpr int kRefsPerZone = 1 + kStrokeSlots;
    static constexpr int kNumSubMaps = 5;
    enum : BlockID { kMainBlock = 0, kFirstZoneBlock = 2 };
    // Zone block parameters with a role of their own.
    enum : ParamID {
        kZoneLowerBound = 0,      // float, percent
        kZoneUpperBound = 1,      // float, percent
        kZoneStrokeSwitches = 9,  // int table, one entry per stroke slot
        kZoneNumber = 11,         // int, in the numbered layout only
    };

    // Makes the material with its settings object; zone objects, strokes and sub-objects start empty.
    Tvl2Material() : Tvl2Material(false) {}

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

    // Zone i (0 to 3): its block, its object and its stroke slots j (0 to 5).
    IParamBlock2* GetZoneBlock(int zone) {
        return GetParamBlockByID(static_cast<BlockID>(kFirstZoneBlock + zone));
    }
    static int ZoneObjectRef(int zone) { return kRefFirstZoneObject + kRefsPerZone * zone; }
    static int StrokeSlotRef(int zone, int slot) { return ZoneObjectRef(zone) + 1 + slot; }
    ReferenceTarget* GetZoneObject(int zone);
    void SetZoneObject(int zone, ReferenceTarget* r);
    ReferenceTarget* GetStrokeSlot(int zone, int slot);
    void SetStrokeSlot(int zone, int slot, ReferenceTarget* r);

    // The settings object in reference 8 (possibly shared with other materials).
    MtlBase* GetSettings() { return dynamic_cast<MtlBase*>(GetReference(kRefSettings)); }
    void SetSettings(MtlBase* settings) { ReplaceReference(kRefSettings, settings); }

    // Test hook: replaces the four zone blocks by fresh ones of the later layout, which also has the
    // zone number (int parameter 11).
    void UseNumberedZoneBlocks();

protected:
    StandIn* MakeEmpty() override { return new Tvl2Material(true); }

private:
    explicit Tvl2Material(bool bare);
    static bool ValidZone(int zone) { return zone >= 0 && zone < kNumZones; }
    static bool ValidSlot(int zone, int slot) { return ValidZone(zone) && slot >= 0 && slot < kStrokeSlots; }
};
