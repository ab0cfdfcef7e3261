#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ClassFacts.h"
#include "FlatIndex.h"
#include "JsonValue.h"
#include "ParamTypes.h"
#include "SceneFormat.h"
#include "max.h"

// A scene file once read and checked: plain values and the file's ids, no host object yet. The reader
// fills it, the checker resolves and orders it, the builder turns it into the host's scene.

// An id as a scene file gives it.
using FileId = long long;

// Files number their objects mostly in runs, which this keeps in neighbouring slots; the high bits are
// folded in so that ids far apart do not all meet in the same slots.
inline size_t HashFileId(FileId id) {
    const uint64_t x = static_cast<uint64_t>(id);
    return static_cast<size_t>(x ^ (x >> 21) ^ (x >> 42));
}

// The vertex of each id a scene file gives: its nodes, then its objects.
using VertexIndex = FlatIndex<FileId, int, HashFileId>;

// One entry of a parameter (a single parameter has one). Only the member of the parameter's kind is used.
struct EntryModel {
    float f = 0.0f;
    int i = 0;  // and, for a string, its place in BlockModel::strings
    Color c;
    Point3 p;
    std::optional<FileId> target;      // Object and Node kinds
    std::optional<FileId> controller;  // the entry's controller, if any
};

// A parameter's entries are its block's entries [first, first + count).
struct ParamModel {
    ParamID id = 0;
    int type = 0;
    uint32_t first = 0;
    uint32_t count = 0;
};

// A block the file gives for a reference: filled in place in the block the new object made there. Its
// parameters' entries are kept together.
struct BlockModel {
    int ref = 0;
    std::vector<ParamModel> params;
    std::vector<EntryModel> entries;
    std::vector<std::wstring> strings;

    const EntryModel& Entry(const ParamModel& p, uint32_t k) const { return entries[p.first + k]; }
};

struct RefModel {
    int index = 0;
    std::optional<FileId> target;
};

// A Standard material's own values, set through the StdMat2 API; what the file leaves out keeps the
// new material's value.
struct StdMatModel {
    std::optional<bool> soften, faceMap, twoSided, wire, wireUnits, falloffOut, faceted, selfIllumColorOn,
        lockAmbDiffTex;
    std::optional<int> transparencyType;
    std::optional<float> opacity, opacFalloff, wireSize, ior, selfIllum;
    std::optional<Color> selfIllumColor;
    struct Map {
        bool enabled = true;
        float amount = 1.0f;
    };
    std::optional<std::vector<Map>> maps;
};

// A shader's standard values, set through the Shader API before its blocks are filled: where a shader
// keeps them in its block, the block's values are the ones that stay.
struct ShaderModel {
    std::optional<Color> ambient, diffuse, specular;
    std::optional<bool> lockAD, lockDS;
    std::optional<float> specularLevel, glossiness, softenLevel;
};

struct KeyModel {
    TimeValue time = 0;
    float f = 0.0f;
    Point3 p;
    DWORD flags = 0;
};

enum class ObjectKind { Class, FloatController, Point3Controller };

struct ObjectModel {
    FileId id = 0;
    std::string path;  // "objects[3]"
    ObjectKind kind = ObjectKind::Class;
    std::string className;
    const ClassFacts* facts = nullptr;  // ObjectKind::Class

    std::optional<std::wstring> name;
    std::optional<int> mtlFlags;
    std::optional<FileId> activeTexmap;
    std::vector<BlockModel> blocks;
    std::vector<RefModel> refs;
    std::vector<std::optional<FileId>> refList;
    bool hasRefList = false;  // whether the file gives the list
    std::optional<StdMatModel> stdMat;
    std::optional<ShaderModel> shader;

    // Controllers: the value without keys, and the keys.
    float constantF = 0.0f;
    Point3 constantP;
    std::vector<KeyModel> keys;
};

// Nodes in tree order, each after its parent.
struct NodeModel {
    FileId id = 0;
    std::string path;  // "nodes[0].children[2]"
    std::wstring name;
    std::optional<FileId> material;
    int parent = -1;  // index in SceneModel::nodes, -1 below the root
};

struct EffectModel {
    FileId object = 0;
    bool active = true;
};

// A place where the file names an id: what it must name, and whether it is a reference of the node or
// object at `from` (an edge of the reference graph) or only a pointer.
struct IdUse {
    enum Role { Reference, Root, Pointer };
    FileId id = 0;
    TargetKind kind = TargetKind::Any;
    Role role = Reference;
    int from = -1;    // vertex: a node index, or nodes.size() + object index; -1 for roots
    PathPlace place;  // where in `from` (or in the top level, for roots)
};

// The file's long lists grow without moving what they hold.
struct SceneModel {
    int version = SCENE_FORMAT_VERSION;
    TimeValue time = 0;
    std::deque<NodeModel> nodes;
    std::array<std::optional<FileId>, HostCore::kNumMtlSlots> slots;
    std::vector<EffectModel> effects;
    std::deque<ObjectModel> objects;
    std::deque<IdUse> uses;
    // Facts about each class the file names, by internal name; ObjectModel::facts points in here.
    std::map<std::wstring, std::unique_ptr<ClassFacts>> classes;

    // Filled by the checker: each id's vertex (nodes, then objects), and objects in the order they are
    // built, every object after those it refers to.
    VertexIndex vertexOf;
    std::vector<int> buildOrder;
};
