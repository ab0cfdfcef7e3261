#include "SceneTestSupport.h"

namespace {

// A file with the two fields every file has, then `rest`.
std::string Scene(const std::string& rest) {
    return R"({"format": "tvl3host-scene", "version": 1)" + (rest.empty() ? "" : ", " + rest) + "}";
}

// A node "n" with material 2, a SceneTestMtl whose block 3 has the given parameters, then more objects.
std::string MtlWithParams(const std::string& params, const std::string& moreObjects = "") {
    return Scene(R"("nodes": [{"id": 1, "name": "n", "material": 2}], "objects": [
        {"id": 2, "class": "SceneTestMtl", "blocks": [{"ref": 0, "id": 3, "params": [)" +
                 params + "]}]}" + (moreObjects.empty() ? "" : ", " + moreObjects) + "]");
}

// A node "n" with material 2, a SceneTestMtl with the given fields, then more objects.
std::string MtlFile(const std::string& fields, const std::string& moreObjects = "") {
    return Scene(R"("nodes": [{"id": 1, "name": "n", "material": 2}], "objects": [
        {"id": 2, "class": "SceneTestMtl")" +
                 (fields.empty() ? "" : ", " + fields) + "}" +
                 (moreObjects.empty() ? "" : ", " + moreObjects) + "]");
}

const char* const kParams = "objects[0].blocks[0].params";

struct BadFile {
    const char* what;
    std::string text;
    std::string error;  // the whole message; a trailing "..." asks only for the start
};

std::string P(const std::string& rest) { return kParams + rest; }

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

const std::vector<BadFile>& BadFiles() {
    static const std::vector<BadFile> cases = {
        // Text
        {"not JSON", R"({"format": })", "line 1, column 12: invalid value"},
        {"cut short", Scene(R"("nodes": [)"), "line 1, column 54: invalid value"},
        {"second line", "{\"format\": \"tvl3host-scene\",\n  \"version\": 1 \"time\": 0}",
         "line 2, column 16: missing a comma or '}' after an object member"},
        {"text after the scene", Scene("") + " []",
         "line 1, column 44: the document root must not be followed by other values"},
        {"bad UTF-8", Scene("\"nodes\": [{\"id\": 1, \"name\": \"\xff\"}]"),
         "nodes[0].name: the text is not valid UTF-8"},
        {"bad UTF-8 deeper", MtlWithParams("{\"id\": 5, \"type\": \"string\", \"value\": \"\xc3\x28\"}"),
         P("[0].value: the text is not valid UTF-8")},
        {"key twice deep inside", MtlWithParams(R"({"id": 0, "type": "float", "value": 1, "id": 0})"),
         P("[0]: field \"id\" is given twice")},
        {"key twice among many", MtlFile([] {
             std::string keys;
             for (int k = 0; k < 70; ++k) keys += "\"k" + std::to_string(k) + "\": 0, ";
             return keys + "\"k3\": 1";
         }()),
         "objects[0]: field \"k3\" is given twice"},
        {"number beyond any float", Scene(R"("nodes": [{"id": 1, "name": "a"}], "time": 1e999)"),
         "time: number overflow parsing '1e999'"},
        {"key twice", Scene(R"("nodes": [{"id": 1, "name": "a", "name": "b"}])"),
         "nodes[0]: field \"name\" is given twice"},
        // Top level
        {"not an object", "[]", "top level: expected an object"},
        {"no format", R"({"version": 1})", "top level: missing field \"format\""},
        {"other format", R"({"format": "other", "version": 1})", "format: expected \"tvl3host-scene\""},
        {"newer version", R"({"format": "tvl3host-scene", "version": 3})",
         "version: version 3 is not supported (this host reads versions 1 to 2)"},
        {"unknown field", Scene(R"("colour": 1)"), "top level: unknown field \"colour\""},
        {"time not an integer", Scene(R"("time": 1.5)"), "time: expected an integer"},
        // Nodes
        {"node without name", Scene(R"("nodes": [{"id": 1}])"), "nodes[0]: missing field \"name\""},
        {"child name", Scene(R"("nodes": [{"id": 1, "name": "a", "children": [{"id": 2, "name": 5}]}])"),
         "nodes[0].children[0].name: expected a string"},
        {"negative id", Scene(R"("nodes": [{"id": -1, "name": "a"}])"),
         "nodes[0].id: expected an id (an integer from 0)"},
        {"dangling material", Scene(R"("nodes": [{"id": 1, "name": "a", "material": 42}])"),
         "nodes[0].material: no object with id 42"},
        {"material is a map",
         Scene(
             R"("nodes": [{"id": 1, "name": "a", "material": 2}], "objects": [{"id": 2, "class": "SceneTestMap"}])"),
         "nodes[0].material: id 2 (objects[0]) is of class \"SceneTestMap\", not a material"},
        // Editor slots and effects
        {"too many slots", Scene(R"("editorSlots": [)" + Repeat("null, ", 24) + "null]"),
         "editorSlots: the material editor has 24 slots, not 25"},
        {"slot holds an effect",
         Scene(R"("editorSlots": [null, 2], "objects": [{"id": 2, "class": "SceneTestEffect"}])"),
         "editorSlots[1]: id 2 (objects[0]) is of class \"SceneTestEffect\", not a material or map"},
        {"effect is a material",
         Scene(
             R"("effects": [{"object": 2, "active": true}], "objects": [{"id": 2, "class": "SceneTestMtl"}])"),
         "effects[0].object: id 2 (objects[0]) is of class \"SceneTestMtl\", not a render effect"},
        {"effect without state", Scene(R"("effects": [{"object": 2}])"),
         "effects[0]: missing field \"active\""},
        {"effect on and off",
         Scene(R"("effects": [{"object": 2, "active": true}, {"object": 2, "active": false}],
                  "objects": [{"id": 2, "class": "SceneTestEffect"}])"),
         "effects[1].active: the same effect is listed as active in effects[0]"},
        // Objects
        {"object without id", Scene(R"("objects": [{"class": "SceneTestMtl"}])"),
         "objects[0]: missing field \"id\""},
        {"unknown class", Scene(R"("objects": [{"id": 2, "class": "Tvl9Material"}])"),
         "objects[0].class: unknown class \"Tvl9Material\""},
        {"unknown object field", MtlFile(R"("colour": 1)"), "objects[0]: unknown field \"colour\""},
        {"node tree too deep",
         Scene(R"("nodes": [)" + Repeat(R"({"id": 1, "name": "n", "children": [)", 1001) +
               Repeat("]}", 1001) + "]"),
         "nodes[0]" + Repeat(".children[0]", 1000) + ": the node tree is more than 1000 levels deep"},
        {"arrays nested too deep", Scene(R"("nodes": )" + Repeat("[", 20000) + Repeat("]", 20000)),
         "nodes" + Repeat("[0]", 10001) + ": arrays and objects are nested more than 10000 levels deep"},
        {"objects nested too deep",
         Scene(R"("objects": [{"id": 2, "name": )" + Repeat(R"({"a": )", 10001) + "1" + Repeat("}", 10001) +
               "}]"),
         "objects[0].name" + Repeat(".a", 9999) +
             ": arrays and objects are nested more than 10000 levels deep"},
        {"name holding U+0000", MtlFile(R"("name": "Cut\u0000Here")"),
         "objects[0].name: a text may not hold the character U+0000 (the host ends texts there)"},
        {"name of a nameless class",
         MtlFile(R"("refList": [3])", R"({"id": 3, "class": "SceneTestHolder", "name": "x"})"),
         "objects[1].name: objects of class \"SceneTestHolder\" have no name"},
        {"stdMat of another material", MtlFile(R"("stdMat": {})"),
         "objects[0].stdMat: objects of class \"SceneTestMtl\" have no stdMat"},
        {"name not a string", MtlFile(R"("name": 5)"), "objects[0].name: expected a string"},
        {"flags not an integer", MtlFile(R"("mtlFlags": 1.5)"), "objects[0].mtlFlags: expected an integer"},
        {"id used twice",
         Scene(
             R"("nodes": [{"id": 2, "name": "a", "material": 2}], "objects": [{"id": 2, "class": "SceneTestMtl"}])"),
         "objects[0].id: id 2 is used twice (also by nodes[0])"},
        {"dangling active map", MtlFile(R"("activeTexmap": 9)"),
         "objects[0].activeTexmap: no object with id 9"},
        // Blocks and parameters
        {"block where none is", MtlFile(R"("blocks": [{"ref": 1, "id": 3}])"),
         "objects[0].blocks[0].ref: reference 1 of class \"SceneTestMtl\" holds no parameter block"},
        {"block the class lacks", MtlFile(R"("blocks": [{"ref": 0, "id": 7}])"),
         "objects[0].blocks[0].id: class \"SceneTestMtl\" has no block 7 in reference 0 (it holds block 3)"},
        {"parameter the block lacks", MtlWithParams(R"({"id": 42, "type": "float", "value": 1})"),
         P("[0].id: block 3 has no parameter 42")},
        {"parameter twice",
         MtlWithParams(R"({"id": 0, "type": "float", "value": 1}, {"id": 0, "type": "float", "value": 2})"),
         P("[1].id: parameter 0 is given twice (also objects[0].blocks[0].params[0])")},
        {"parameter without value", MtlWithParams(R"({"id": 0, "type": "float"})"),
         P("[0]: missing field \"value\"")},
        {"unknown type", MtlWithParams(R"({"id": 0, "type": "flaot", "value": 1})"),
         P("[0].type: unknown parameter type \"flaot\"")},
        {"other type", MtlWithParams(R"({"id": 1, "type": "float", "value": 1})"),
         P("[0].type: parameter 1 of block 3 is \"int\", not \"float\"")},
        {"float as string", MtlWithParams(R"({"id": 0, "type": "float", "value": "x"})"),
         P("[0].value: expected a number for a float parameter")},
        {"int as float", MtlWithParams(R"({"id": 1, "type": "int", "value": 1.5})"),
         P("[0].value: expected an integer for an int parameter")},
        {"int too big", MtlWithParams(R"({"id": 1, "type": "int", "value": 3000000000})"),
         P("[0].value: 3000000000 is out of range (-2147483648 to 2147483647)")},
        {"bool as number", MtlWithParams(R"({"id": 2, "type": "bool", "value": 1})"),
         P("[0].value: expected true or false for a bool parameter")},
        {"colour too short", MtlWithParams(R"({"id": 3, "type": "rgba", "value": [1, 0]})"),
         P("[0].value: expected [r, g, b] for a rgba parameter")},
        {"colour component", MtlWithParams(R"({"id": 3, "type": "rgba", "value": [1, "0", 0]})"),
         P("[0].value[1]: expected a number")},
        {"string as number", MtlWithParams(R"({"id": 5, "type": "string", "value": 5})"),
         P("[0].value: expected a string for a string parameter")},
        {"material parameter holds a map",
         MtlWithParams(R"({"id": 8, "type": "mtl", "value": 3})", R"({"id": 3, "class": "SceneTestMap"})"),
         P("[0].value: id 3 (objects[1]) is of class \"SceneTestMap\", not a material")},
        {"node parameter holds a material", MtlWithParams(R"({"id": 10, "type": "inode", "value": 2})"),
         P("[0].value: id 2 (objects[0]) is of class \"SceneTestMtl\", not a node")},
        {"dangling node", MtlWithParams(R"({"id": 10, "type": "inode", "value": 9})"),
         P("[0].value: no node with id 9")},
        {"bitmap value", MtlWithParams(R"({"id": 12, "type": "bitmap", "value": 1})"),
         P("[0].value: expected null: a bitmap parameter keeps no value in scene files")},
        {"table not an array", MtlWithParams(R"({"id": 7, "type": "float_tab", "value": 1})"),
         P("[0].value: expected an array for a float_tab parameter")},
        {"table entry", MtlWithParams(R"({"id": 7, "type": "float_tab", "value": [1, true]})"),
         P("[0].value[1]: expected a number for a float_tab parameter")},
        {"controllers per entry",
         MtlWithParams(R"({"id": 7, "type": "float_tab", "value": [1, 2], "controllers": [null]})"),
         P("[0].controllers: expected 2 entries, one per value, not 1")},
        {"controller of a table",
         MtlWithParams(R"({"id": 7, "type": "float_tab", "value": [], "controller": null})"),
         P("[0]: a table takes \"controllers\", one per entry, not \"controller\"")},
        {"controller of a string",
         MtlWithParams(R"({"id": 5, "type": "string", "value": "", "controller": 3})"),
         P("[0].controller: a string parameter cannot have a controller")},
        {"controller of the other kind",
         MtlWithParams(R"({"id": 0, "type": "float", "value": 0, "controller": 3})",
                       R"({"id": 3, "class": "LinearPoint3Controller"})"),
         P("[0].controller: id 3 (objects[1]) is of class \"LinearPoint3Controller\", not a float "
           "controller")},
        // References
        {"reference out of range",
         MtlFile(R"("refs": [{"index": 1, "object": 3}])",
                 R"({"id": 3, "class": "SceneTestMap", "refs": [{"index": 2, "object": null}]})"),
         "objects[1].refs[0].index: reference 2 is out of range (class \"SceneTestMap\" has 2 here)"},
        {"reference past the list", MtlFile(R"("refList": [null], "refs": [{"index": 4, "object": null}])"),
         "objects[0].refs[0].index: reference 4 is out of range (class \"SceneTestMtl\" has 4 here)"},
        {"object in a block's reference",
         MtlFile(R"("refs": [{"index": 0, "object": 3}])", R"({"id": 3, "class": "SceneTestMap"})"),
         "objects[0].refs[0].object: reference 0 of class \"SceneTestMtl\" holds block 3: give it in "
         "\"blocks\", or null to clear it"},
        {"reference inside the list", MtlFile(R"("refList": [null], "refs": [{"index": 3, "object": null}])"),
         "objects[0].refs[0].index: reference 3 belongs to the reference list (from 3 on); give it in "
         "\"refList\""},
        {"reference twice",
         MtlFile(R"("blocks": [{"ref": 0, "id": 3}], "refs": [{"index": 0, "object": null}])"),
         "objects[0].refs[0].index: reference 0 is given twice (also objects[0].blocks[0].ref)"},
        {"dangling reference", MtlFile(R"("refs": [{"index": 1, "object": 42}])"),
         "objects[0].refs[0].object: no object with id 42"},
        {"list of a class without one", MtlFile("", R"({"id": 3, "class": "SceneTestMap", "refList": []})"),
         "objects[1].refList: objects of class \"SceneTestMap\" have no refList"},
        {"list not an array", MtlFile(R"("refList": 3)"), "objects[0].refList: expected an array"},
        // The graph
        {"loop",
         Scene(R"("objects": [{"id": 5, "class": "SceneTestHolder", "refs": [{"index": 0, "object": 6}]},
                                      {"id": 6, "class": "SceneTestHolder", "refs": [{"index": 1, "object": 5}]}])"),
         "reference loop: objects[0] -> objects[1] -> objects[0]"},
        {"object refers to itself",
         Scene(R"("objects": [{"id": 5, "class": "SceneTestHolder", "refList": [5]}])"),
         "reference loop: objects[0] -> objects[0]"},
        {"loop through a node", MtlWithParams(R"({"id": 10, "type": "inode", "value": 1})"),
         "reference loop: nodes[0] -> objects[0] -> nodes[0]"},
        {"unused object", MtlFile("", R"({"id": 3, "class": "SceneTestMap"})"),
         "objects[1]: object 3 is not used: no node, editor slot, effect or other object refers to it"},
        // Controllers
        {"keys out of order",
         MtlWithParams(R"({"id": 0, "type": "float", "value": 0, "controller": 3})",
                       R"({"id": 3, "class": "LinearFloatController", "keys": [[160, 1.0], [0, 2.0]]})"),
         "objects[1].keys[1]: keys must be in time order (0 comes after 160)"},
        {"key without value",
         MtlWithParams(R"({"id": 0, "type": "float", "value": 0, "controller": 3})",
                       R"({"id": 3, "class": "LinearFloatController", "keys": [[0]]})"),
         "objects[1].keys[0]: expected [time, value] or [time, value, flags]"},
        {"named controller",
         MtlWithParams(R"({"id": 0, "type": "float", "value": 0, "controller": 3})",
                       R"({"id": 3, "class": "LinearFloatController", "name": "x"})"),
         "objects[1]: unknown field \"name\""},
    };
    return cases;
}

// What the scene held before: a node with a material, a slot and an effect.
struct SceneSnapshot {
    std::vector<INode*> nodes;
    std::vector<Mtl*> materials;
    MtlBase* slot0;
    int effects;
    TimeValue time;
    int liveObjects;

    static SceneSnapshot Take() {
        HostCore& host = HostCore::Get();
        SceneSnapshot s;
        host.ForEachNode([&](INode* n) {
            s.nodes.push_back(n);
            s.materials.push_back(n->GetMtl());
        });
        s.slot0 = host.GetMtlSlot(0);
        s.effects = host.NumEffects();
        s.time = host.GetTime();
        s.liveObjects = host.NumLiveObjects();
        return s;
    }
    bool operator==(const SceneSnapshot& o) const {
        return nodes == o.nodes && materials == o.materials && slot0 == o.slot0 && effects == o.effects &&
               time == o.time && liveObjects == o.liveObjects;
    }
};

}  // namespace

class SceneErrors : public SceneFileTest {
protected:
    void SetUp() override {
        SceneFileTest::SetUp();
        HostCore& host = HostCore::Get();
        auto* mtl = new SceneTestMtl;
        host.CreateNode(_M("keep"))->SetMtl(mtl);
        GetCOREInterface7()->SetMtlSlot(0, mtl);
        host.AddEffect(new SceneTestEffect);
        host.SetTime(640);
    }
};

TEST_F(SceneErrors, EachMalformedFileGivesOneMessageAndLeavesTheSceneAlone) {
    for (const BadFile& c : BadFiles()) {
        SCOPED_TRACE(c.what);
        SceneSnapshot before = SceneSnapshot::Take();
        std::string error;
        EXPECT_FALSE(LoadSceneText(c.text, error));
        const std::string dots = "...";
        if (c.error.size() > dots.size() &&
            c.error.compare(c.error.size() - dots.size(), dots.size(), dots) == 0)
            EXPECT_EQ(error.substr(0, c.error.size() - dots.size()),
                      c.error.substr(0, c.error.size() - dots.size()))
                << error;
        else
            EXPECT_EQ(error, c.error);
        EXPECT_TRUE(SceneSnapshot::Take() == before);
    }
}

TEST_F(SceneErrors, TheSameFilesLoadOnceTheFaultIsMended) {
    // The helpers build valid files around each fault: without it they load.
    const std::string good[] = {
        Scene(""),
        MtlFile(""),
        MtlWithParams(R"({"id": 0, "type": "float", "value": 1})"),
        MtlWithParams(R"({"id": 0, "type": "float", "value": 0, "controller": 3})",
                      R"({"id": 3, "class": "LinearFloatController", "keys": [[0, 1.0], [160, 2.0]]})"),
        MtlFile(R"("refList": [null], "refs": [{"index": 1, "object": 3}])",
                R"({"id": 3, "class": "SceneTestMap"})"),
    };
    for (const std::string& text : good) {
        std::string error;
        EXPECT_TRUE(LoadSceneText(text, error)) << text << "\n" << error;
    }
}

TEST_F(SceneErrors, AFailedLoadInsideATransactionRecordsNothing) {
    theHold.Begin();
    std::string error;
    // The unused object is found last, after every class was looked at.
    EXPECT_FALSE(LoadSceneText(MtlFile("", R"({"id": 3, "class": "SceneTestMap"})"), error));
    EXPECT_EQ(theHold.NumRecordsOpen(), 0);
    theHold.Accept(MSTR(_M("nothing")).dataForWrite());
}
