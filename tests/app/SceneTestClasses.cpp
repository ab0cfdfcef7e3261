#include "SceneTestClasses.h"

namespace {

const ParamBlockDesc2 kMtlBlock(kTestBlockID, _M("params"),
                                {
                                    ParamDef::Float(kPFloat, _M("float"), 0.5f),
                                    ParamDef::Int(kPInt, _M("int"), 7),
                                    ParamDef::Int(kPBool, _M("bool"), 1, TYPE_BOOL),
                                    ParamDef::Rgba(kPColor, _M("color"), Color(1.0f, 0.0f, 0.0f)),
                                    ParamDef::Pt3(kPPoint3, _M("point"), Point3(1.0f, 2.0f, 3.0f)),
                                    ParamDef::Str(kPString, _M("string"), _M("hello")),
                                    ParamDef::Float(kPAngle, _M("angle"), 0.25f, TYPE_ANGLE),
                                    ParamDef::Table(kPFloatTab, _M("floats"), TYPE_FLOAT_TAB, 2),
                                    ParamDef::Ref(kPMtl, _M("mtl"), TYPE_MTL),
                                    ParamDef::Ref(kPMap, _M("map"), TYPE_TEXMAP),
                                    ParamDef::Ref(kPNode, _M("node"), TYPE_INODE),
                                    ParamDef::Table(kPRefTab, _M("targets"), TYPE_REFTARG_TAB, 0),
                                    ParamDef::Ref(kPBitmap, _M("bitmap"), TYPE_BITMAP),
                                    ParamDef::Table(kPIntTab, _M("ints"), TYPE_INT_TAB, 1),
                                });
const ParamBlockDesc2 kMapBlock(1, _M("map"),
                                {ParamDef::Float(0, _M("amount"), 1.0f),
                                 ParamDef::Ref(1, _M("sub"), TYPE_TEXMAP)});
const ParamBlockDesc2 kEffectBlock(0, _M("effect"), {ParamDef::Float(0, _M("width"), 2.0f)});

template <class T>
class Desc : public ClassDesc2 {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return static_cast<Animatable*>(new T); }
    const MCHAR* ClassName() override { return T::kClass.internalName; }
    SClass_ID SuperClassID() override { return T::kClass.superClass; }
    Class_ID ClassID() override { return T::kClass.classID; }
    const MCHAR* Category() override { return _M("Scene Test"); }
    const MCHAR* InternalName() override { return T::kClass.internalName; }
};

}  // namespace

const SceneTestClass SceneTestMtl::kClass = {
    MATERIAL_CLASS_ID, Class_ID(0x5CE7E001, 1), _M("SceneTestMtl"), 3, 0, &kMtlBlock, 3};
const SceneTestClass SceneTestMap::kClass = {
    TEXMAP_CLASS_ID, Class_ID(0x5CE7E001, 2), _M("SceneTestMap"), 2, 0, &kMapBlock, -1};
const SceneTestClass SceneTestEffect::kClass = {
    RENDER_EFFECT_CLASS_ID, Class_ID(0x5CE7E001, 3), _M("SceneTestEffect"), 2, 0, &kEffectBlock, -1};
const SceneTestClass SceneTestHolder::kClass = {
    REF_TARGET_CLASS_ID, Class_ID(0x5CE7E001, 4), _M("SceneTestHolder"), 2, -1, nullptr, 2};

SceneTestMtl::SceneTestMtl() : SceneTestObject(kClass) { ReplaceReference(2, new SceneTestMap); }

void RegisterSceneTestClasses() {
    static Desc<SceneTestMtl> mtl;
    static Desc<SceneTestMap> map;
    static Desc<SceneTestEffect> effect;
    static Desc<SceneTestHolder> holder;
    static bool done = false;
    if (done) return;
    done = true;
    for (ClassDesc* d : std::initializer_list<ClassDesc*>{&mtl, &map, &effect, &holder})
        HostCore::Get().AddClass(d, _M("Scene Test"));
}
