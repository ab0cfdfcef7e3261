#include "SceneGenerator.h"

#include <nlohmann/json.hpp>
#include <vector>

using Json = nlohmann::ordered_json;

namespace {

// Parameter types whose values are ids.
bool HoldsIds(const std::string& type) {
    for (const char* t : {"mtl", "texmap", "reftarg", "inode"})
        if (type.rfind(t, 0) == 0) return true;
    return false;
}

void Shift(Json& id, long long by) {
    if (id.is_number_integer()) id = id.get<long long>() + by;
}

void ShiftAll(Json& list, long long by) {
    for (Json& id : list) Shift(id, by);
}

void ShiftNodes(Json& nodes, long long by) {
    for (Json& n : nodes) {
        Shift(n["id"], by);
        if (n.contains("material")) Shift(n["material"], by);
        if (n.contains("children")) ShiftNodes(n["children"], by);
    }
}

// Every place the format keeps an id: the object's own, its active map, references, reference list,
// and parameters of object or node types with their controllers.
void ShiftObject(Json& o, long long by) {
    Shift(o["id"], by);
    if (o.contains("activeTexmap")) Shift(o["activeTexmap"], by);
    if (o.contains("refList")) ShiftAll(o["refList"], by);
    if (o.contains("refs"))
        for (Json& r : o["refs"]) Shift(r["object"], by);
    if (!o.contains("blocks")) return;
    for (Json& b : o["blocks"]) {
        if (!b.contains("params")) continue;
        for (Json& p : b["params"]) {
            if (HoldsIds(p["type"].get<std::string>())) {
                if (p["value"].is_array())
                    ShiftAll(p["value"], by);
                else
                    Shift(p["value"], by);
            }
            if (p.contains("controller")) Shift(p["controller"], by);
            if (p.contains("controllers")) ShiftAll(p["controllers"], by);
        }
    }
}

long long LargestId(const Json& nodes, const Json& objects) {
    long long top = 0;
    for (const Json& n : nodes) {
        top = std::max(top, n["id"].get<long long>());
        if (n.contains("children")) top = std::max(top, LargestId(n["children"], Json::array()));
    }
    for (const Json& o : objects) top = std::max(top, o["id"].get<long long>());
    return top;
}

const int kCrowdNodes = 84;

void CollectNodeMaterials(const Json& nodes, std::vector<Json>& out) {
    for (const Json& n : nodes) {
        if (n.contains("material") && n["material"].is_number_integer()) out.push_back(n["material"]);
        if (n.contains("children")) CollectNodeMaterials(n["children"], out);
    }
}

// Appends each item of `list` once for every copy from `from` to `to` (excluded), shifted to the copy.
void AppendCopies(std::string& out, bool& first, const Json& list, int from, int to, long long stride,
                  void (*shift)(Json&, long long)) {
    for (int c = from; c < to; ++c) {
        for (const Json& item : list) {
            Json copy = item;
            shift(copy, stride * c);
            out += first ? "\n" : ",\n";
            out += copy.dump();
            first = false;
        }
    }
}

void ShiftNode(Json& n, long long by) {
    Json list = Json::array({n});
    ShiftNodes(list, by);
    n = list[0];
}

}  // namespace

int ListedMaterialsPerCopy() { return 9; }

std::string RepeatSceneText(const std::string& sampleText, int copies) {
    Json sample = Json::parse(sampleText);
    const Json empty = Json::array();
    const Json& nodes = sample.contains("nodes") ? sample["nodes"] : empty;
    const Json& objects = sample.contains("objects") ? sample["objects"] : empty;
    const Json& effects = sample.contains("effects") ? sample["effects"] : empty;
    const Json& slots = sample.contains("editorSlots") ? sample["editorSlots"] : empty;
    // Materials that only the editor slots hold would be unused in the other copies: those copies hold
    // them on a node of their own instead, with ids after the sample's.
    const long long largest = LargestId(nodes, objects);
    const long long stride = largest + 1 + static_cast<long long>(slots.size()) + kCrowdNodes;
    Json slotNodes = Json::array();
    for (size_t k = 0; k < slots.size(); ++k) {
        if (!slots[k].is_number_integer()) continue;
        for (const Json& o : objects) {
            const std::string cls = o["class"].get<std::string>();
            if (o["id"] != slots[k] || cls.size() < 8 || cls.compare(cls.size() - 8, 8, "Material") != 0)
                continue;
            slotNodes.push_back({{"id", largest + 1 + static_cast<long long>(k)},
                                 {"name", "Editor slot " + std::to_string(k)},
                                 {"material", slots[k]}});
        }
    }

    // A production scene has many more nodes than materials: each copy adds a crowd of nodes that share
    // the materials of the sample's nodes.
    std::vector<Json> used;
    CollectNodeMaterials(nodes, used);
    Json crowd = Json::array();
    for (int k = 0; k < kCrowdNodes && !used.empty(); ++k)
        crowd.push_back({{"id", largest + 1 + static_cast<long long>(slots.size()) + k},
                         {"name", "Crowd " + std::to_string(k)},
                         {"material", used[static_cast<size_t>(k) % used.size()]}});

    // The copies keep the sample's version: it decides what the references the sample leaves out hold.
    std::string out = "{\"format\": \"tvl3host-scene\", \"version\": ";
    out += std::to_string(sample.value("version", 1)) + ", \"time\": ";
    out += std::to_string(sample.value("time", 0));
    bool first = true;
    out += ",\n\"nodes\": [";
    AppendCopies(out, first, nodes, 0, copies, stride, ShiftNode);
    AppendCopies(out, first, slotNodes, 1, copies, stride, ShiftNode);
    AppendCopies(out, first, crowd, 0, copies, stride, ShiftNode);
    out += "],\n\"editorSlots\": " + slots.dump();
    first = true;
    out += ",\n\"effects\": [";
    AppendCopies(out, first, effects, 0, copies, stride,
                 [](Json& e, long long by) { Shift(e["object"], by); });
    first = true;
    out += "],\n\"objects\": [";
    AppendCopies(out, first, objects, 0, copies, stride, ShiftObject);
    out += "]";
    out += "}\n";
    return out;
}
