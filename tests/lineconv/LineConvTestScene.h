#pragma once

// Scenes of Tavelin 2 line effects built from the stand-in products, and ways to read what the line
// conversion made of them.

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "ConversionMap.h"
#include "HostTestObjects.h"
#include "ProductClassIds.h"
#include "Products.h"
#include "hostclasses/BitmapTex.h"
#include "hostclasses/CurveControl.h"
#include "tavelin2/Tvl2BrushMap.h"
#include "tavelin2/Tvl2BrushSubMap.h"
#include "tavelin2/Tvl2Line.h"
#include "tavelin2/Tvl2LineSet.h"
#include "tavelin3/Tvl3BrushMap.h"
#include "tavelin3/Tvl3BrushSubMap.h"
#include "tavelin3/Tvl3Line.h"
#include "tavelin3/Tvl3LineSet.h"

// A render effect of a class the line conversion does not know, or one that claims the Tavelin 2 line
// class under another super class.
class PlainEffect : public Effect {
public:
    PlainEffect(const MCHAR* effectName, SClass_ID super, Class_ID classId)
        : super_(super), classId_(classId) {
        name = effectName;
    }
    SClass_ID SuperClassID() override { return super_; }
    Class_ID ClassID() override { return classId_; }

protected:
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage, BOOL) override {
        return REF_SUCCEED;
    }

private:
    SClass_ID super_;
    Class_ID classId_;
};

class LineConvTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
    }

    template <class T>
    static T* Make() {
        auto* obj =
            static_cast<T*>(GetCOREInterface()->CreateInstance(T::kInfo.superClass, T::kInfo.classID));
        EXPECT_NE(obj, nullptr);
        return obj;
    }

    static Tvl2Line* NewLine(const MCHAR* name, std::initializer_list<ReferenceTarget*> slots = {}) {
        auto* line = Make<Tvl2Line>();
        line->name = name;
        Tab<ReferenceTarget*> tab;
        for (ReferenceTarget* s : slots) tab.Append(1, &s);
        line->SetLineSets(tab);
        return line;
    }
    static Tvl2LineSet* NewSet() { return Make<Tvl2LineSet>(); }
    template <class T>
    static T* NewNamedMap(const MCHAR* name) {
        T* m = Make<T>();
        m->SetName(MSTR(name));
        return m;
    }
    static Tvl2BrushMap* NewBrush(const MCHAR* name) { return NewNamedMap<Tvl2BrushMap>(name); }
    static Tvl2BrushSubMap* NewSubMap(const MCHAR* name) { return NewNamedMap<Tvl2BrushSubMap>(name); }
    static BitmapTex* NewBitmap(const MCHAR* file) {
        BitmapTex* b = NewNamedMap<BitmapTex>(file);
        b->SetMapName(file);
        return b;
    }
    static PlainEffect* NewOtherEffect(const MCHAR* name) {
        return new PlainEffect(name, RENDER_EFFECT_CLASS_ID, Class_ID(0x7E570002, 1));
    }

    static Tvl3Line* AsLine(ReferenceTarget* r) { return dynamic_cast<Tvl3Line*>(r); }
    static Tvl3LineSet* AsSet(ReferenceTarget* r) { return dynamic_cast<Tvl3LineSet*>(r); }
    static Tvl3BrushMap* AsBrush(ReferenceTarget* r) { return dynamic_cast<Tvl3BrushMap*>(r); }
    static Tvl3BrushSubMap* AsSubMap(ReferenceTarget* r) { return dynamic_cast<Tvl3BrushSubMap*>(r); }

    static std::vector<Effect*> Effects() {
        std::vector<Effect*> out;
        for (int i = 0; i < GetCOREInterface()->NumEffects(); ++i)
            out.push_back(GetCOREInterface()->GetEffect(i));
        return out;
    }
    static std::vector<ReferenceTarget*> LineSetsOf(Tvl3Line* line) {
        std::vector<ReferenceTarget*> out;
        for (int i = 0; i < line->NumLineSets(); ++i) out.push_back(line->GetLineSet(i));
        return out;
    }
    static bool Deleted(Animatable* a) { return a->TestAFlag(A_IS_DELETED) != FALSE; }
    static std::string Text(const MSTR& s) { return s.ToUTF8(); }
};

// A value unique to (block, parameter) across a whole object, so that a value found in a target
// parameter tells which source parameter it came from.
inline int Marker(BlockID block, ParamID id) { return 1000 * (block + 1) + id; }

// Writes a marker into every single value of the block whose type carries one; tables, maps, nodes,
// strings and switches keep what they hold.
inline void MarkBlock(IParamBlock2* pb) {
    const BlockID b = pb->ID();
    for (int i = 0; i < pb->NumParams(); ++i) {
        const ParamID id = pb->IndextoID(i);
        const int m = Marker(b, id);
        const float f = static_cast<float>(m) + 0.25f;
        switch (pb->GetParameterType(id)) {
            case TYPE_INT:
                pb->SetValue(id, 0, m);
                break;
            case TYPE_FLOAT:
            case TYPE_PCNT_FRAC:
                pb->SetValue(id, 0, f);
                break;
            case TYPE_RGBA:
                SetParamValue(pb, id, 0, Color(static_cast<float>(b), static_cast<float>(id), 0.5f));
                break;
            case TYPE_POINT3:
                SetParamValue(pb, id, 0, Point3(static_cast<float>(b), static_cast<float>(id), 0.5f));
                break;
            default:
                break;
        }
    }
}

// A parameter's type and value as text, for comparing parameters of different blocks.
inline std::string ValueText(IParamBlock2* pb, ParamID id) {
    std::ostringstream out;
    switch (pb->GetParameterType(id)) {
        case TYPE_INT:
        case TYPE_BOOL:
            out << "int " << pb->GetInt(id);
            break;
        case TYPE_FLOAT:
        case TYPE_PCNT_FRAC:
            out << "float " << pb->GetFloat(id);
            break;
        case TYPE_RGBA: {
            Color c = pb->GetColor(id);
            out << "rgb " << c.r << "," << c.g << "," << c.b;
            break;
        }
        case TYPE_POINT3: {
            Point3 p = pb->GetPoint3(id);
            out << "point " << p.x << "," << p.y << "," << p.z;
            break;
        }
        case TYPE_STRING:
            out << "string " << MSTR(pb->GetStr(id)).ToUTF8();
            break;
        default:
            out << "type " << pb->GetParameterType(id);
    }
    return out.str();
}

// Where a target parameter's value must come from: a source parameter, the target class's own
// default, or a fixed value the conversion writes.
struct ParamExpectation {
    BlockID toBlock;
    ParamID toId;
    int fromBlock;  // kDefault or kZero for the other two cases
    ParamID fromId;
};
constexpr int kDefault = -1;
constexpr int kZero = -2;

// Checks every expectation against the source and target objects; a fresh object of the target's
// class gives the defaults.
inline void ExpectParams(ReferenceTarget* source, ReferenceTarget* target,
                         const std::vector<ParamExpectation>& rows) {
    auto* fresh = static_cast<ReferenceTarget*>(
        GetCOREInterface()->CreateInstance(target->SuperClassID(), target->ClassID()));
    ASSERT_NE(fresh, nullptr);
    for (const ParamExpectation& row : rows) {
        SCOPED_TRACE(testing::Message() << "target block " << row.toBlock << " param " << row.toId);
        IParamBlock2* to = target->GetParamBlockByID(row.toBlock);
        ASSERT_NE(to, nullptr);
        std::string expected;
        if (row.fromBlock == kDefault) {
            expected = ValueText(fresh->GetParamBlockByID(row.toBlock), row.toId);
        } else if (row.fromBlock == kZero) {
            expected = "int 0";
        } else {
            IParamBlock2* from = source->GetParamBlockByID(static_cast<BlockID>(row.fromBlock));
            ASSERT_NE(from, nullptr);
            expected = ValueText(from, row.fromId);
        }
        EXPECT_EQ(ValueText(to, row.toId), expected);
    }
}
