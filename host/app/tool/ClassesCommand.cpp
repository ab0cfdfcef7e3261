#include "ClassesCommand.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "ClassFacts.h"
#include "JsonValue.h"
#include "ParamTypes.h"
#include "SceneFormat.h"

namespace {

std::string Utf8(const MCHAR* s) { return s ? WStr(s).ToUTF8() : std::string(); }

// The SDK class a scene class derives from, most specific first.
const char* KindOf(const ClassFacts& f) {
    if (f.isShader) return "shader (Shader)";
    if (f.isMtl) return "material (Mtl)";
    if (f.isTexmap) return "map (Texmap)";
    if (f.isEffect) return "render effect (Effect)";
    if (f.isSpecialFX) return "special effect (SpecialFX)";
    if (f.isMtlBase) return "material or map base (MtlBase)";
    if (f.controller != ControllerKind::None) return "controller (Control)";
    return "reference target (ReferenceTarget)";
}

// The object fields beside id and class that objects of the class take.
std::string FieldsOf(const ClassFacts& f) {
    const std::pair<const char*, bool> fields[] = {
        {"name", f.HasName()}, {"mtlFlags", f.isMtlBase},   {"activeTexmap", f.isMtl}, {"blocks", true},
        {"refs", true},        {"refList", f.HasRefList()}, {"stdMat", f.isStdMat2},   {"shader", f.isShader},
    };
    std::string out;
    for (const auto& [name, has] : fields)
        if (has) out += (out.empty() ? "" : ", ") + std::string(name);
    return out;
}

std::string Triple(float a, float b, float c) {
    std::string s = "[";
    AppendFloatText(s, a);
    s += ", ";
    AppendFloatText(s, b);
    s += ", ";
    AppendFloatText(s, c);
    return s + "]";
}

// A parameter's default as a scene file writes the value.
std::string DefaultOf(const ParamDef& d) {
    std::string v;
    switch (KindOfType(d.type)) {
        case ValueKind::Float:
            AppendFloatText(v, d.def_f);
            break;
        case ValueKind::Int:
            v = std::to_string(d.def_i);
            break;
        case ValueKind::Bool:
            v = d.def_i ? "true" : "false";
            break;
        case ValueKind::Color:
            v = Triple(d.def_c.r, d.def_c.g, d.def_c.b);
            break;
        case ValueKind::Point3:
            v = Triple(d.def_p.x, d.def_p.y, d.def_p.z);
            break;
        case ValueKind::String:
            AppendStringText(v, Utf8(d.def_s));
            break;
        default:
            v = "null";
            break;
    }
    if (!is_tab(d.type)) return v;
    if (d.tab_size == 0) return "[]";
    return std::to_string(d.tab_size) + " × " + v;
}

struct RefRow {
    int index;
    std::string role;
    std::string holds;  // what a new object holds there
};

struct ClassSheet {
    std::string name, display, kind, fields;
    std::vector<RefRow> refs;
    std::string list;  // the reference list, if any
    const ClassFacts* facts = nullptr;
};

// The first class of that SDK kind, to probe slots with.
ClassDesc* FirstOfKind(SClass_ID kind) {
    for (ClassDesc* d : SceneClasses())
        if (d->SuperClassID() == kind) return d;
    return nullptr;
}

// What each reference outside the list is for, where the object's own interface tells: a Standard
// material's shader, and each sub-map and sub-material slot, found by putting a new object into the slot
// of a new object of the class and seeing which reference takes it.
std::vector<std::string> RefRoles(ClassDesc* desc, const ClassFacts& f) {
    std::vector<std::string> roles(static_cast<size_t>(f.FixedRefs()));
    SuspendAll suspend(TRUE);
    Interface* ip = GetCOREInterface();
    auto make = [&](ClassDesc* d) -> ReferenceTarget* {
        void* made = d ? ip->CreateInstance(d->SuperClassID(), d->ClassID()) : nullptr;
        return made ? dynamic_cast<ReferenceTarget*>(static_cast<Animatable*>(made)) : nullptr;
    };
    ReferenceTarget* t = make(desc);
    if (!t) return roles;
    auto refOf = [&](ReferenceTarget* held) {
        for (int r = 0; held && r < f.FixedRefs(); ++r)
            if (t->GetReference(r) == held) return r;
        return -1;
    };
    // Puts a probe into a slot; the reference that takes it gets the role. Taking the probe out again
    // deletes it with its last reference.
    auto probe = [&](ClassDesc* kind, auto set, const std::string& role) {
        ReferenceTarget* p = make(kind);
        if (!p) return;
        set(p);
        int r = refOf(p);
        if (r < 0) {
            p->MaybeAutoDelete();
            return;
        }
        roles[static_cast<size_t>(r)] = role;
        set(nullptr);
    };
    if (auto* s = dynamic_cast<StdMat2*>(t))
        if (int r = refOf(s->GetShader()); r >= 0) roles[static_cast<size_t>(r)] = "shader";
    if (auto* mb = dynamic_cast<MtlBase*>(t)) {
        for (int i = 0; i < mb->NumSubTexmaps(); ++i)
            if (int r = refOf(mb->GetSubTexmap(i)); r >= 0)
                roles[static_cast<size_t>(r)] = "map: " + mb->GetSubTexmapSlotName(i).ToUTF8();
            else if (!mb->GetSubTexmap(i))
                probe(
                    FirstOfKind(TEXMAP_CLASS_ID),
                    [&](ReferenceTarget* p) { mb->SetSubTexmap(i, dynamic_cast<Texmap*>(p)); },
                    "map: " + mb->GetSubTexmapSlotName(i).ToUTF8());
    }
    if (auto* m = dynamic_cast<Mtl*>(t)) {
        for (int i = 0; i < m->NumSubMtls(); ++i)
            if (int r = refOf(m->GetSubMtl(i)); r >= 0)
                roles[static_cast<size_t>(r)] = "material: " + m->GetSubMtlSlotName(i).ToUTF8();
            else if (!m->GetSubMtl(i))
                probe(
                    FirstOfKind(MATERIAL_CLASS_ID),
                    [&](ReferenceTarget* p) { m->SetSubMtl(i, dynamic_cast<Mtl*>(p)); },
                    "material: " + m->GetSubMtlSlotName(i).ToUTF8());
    }
    t->MaybeAutoDelete();
    return roles;
}

ClassSheet SheetOf(ClassDesc* desc, const ClassFacts& f) {
    ClassSheet s;
    s.name = Utf8(desc->InternalName());
    s.display = Utf8(desc->ClassName());
    s.kind = KindOf(f);
    s.fields = FieldsOf(f);
    s.facts = &f;
    const std::vector<std::string> roles = RefRoles(desc, f);
    for (int r = 0; r < f.FixedRefs(); ++r) {
        RefRow row{r, roles[static_cast<size_t>(r)], "nothing"};
        auto block = f.blocks.find(r);
        if (block != f.blocks.end()) {
            row.holds = "block " + std::to_string(block->second.id);
            if (block->second.desc) row.holds += " `" + Utf8(block->second.desc->int_name) + "`";
        } else if (ClassDesc* d = f.defaultRefs[static_cast<size_t>(r)]) {
            row.holds = "a new `" + Utf8(d->InternalName()) + "`";
        } else if (f.defaultHolds[static_cast<size_t>(r)]) {
            row.holds = "an object of the class's own";
        }
        s.refs.push_back(row);
    }
    if (f.HasRefList())
        s.list = "from reference " + std::to_string(f.refListStart) + " on (`refList`); a new object's has " +
                 std::to_string(f.defaultListCount) + " empty entr" + (f.defaultListCount == 1 ? "y" : "ies");
    return s;
}

// A block's title and its parameter rows: id, name, type, default.
std::vector<std::vector<std::string>> ParamRows(const ClassFacts::Block& b) {
    std::vector<std::vector<std::string>> rows;
    for (const ClassFacts::Param& p : b.params) {
        const ParamDef* def = nullptr;
        if (b.desc)
            for (const ParamDef& d : b.desc->paramdefs)
                if (d.ID == p.id) def = &d;
        rows.push_back({std::to_string(p.id), def ? Utf8(def->int_name) : std::string(),
                        ParamTypeName(p.type), def ? DefaultOf(*def) : std::string()});
    }
    return rows;
}

std::string BlockTitle(int ref, const ClassFacts::Block& b) {
    return "block " + std::to_string(b.id) + (b.desc ? " `" + Utf8(b.desc->int_name) + "`" : std::string()) +
           " in reference " + std::to_string(ref);
}

void PrintText(const ClassSheet& s, std::ostream& out) {
    auto plain = [](std::string t) {
        t.erase(std::remove(t.begin(), t.end(), '`'), t.end());
        return t;
    };
    out << s.name << " (" << s.display << "): " << s.kind << "\n";
    out << "  fields: " << s.fields << "\n";
    for (const RefRow& r : s.refs)
        out << "  reference " << r.index << (r.role.empty() ? "" : " (" + r.role + ")") << ": "
            << plain(r.holds) << "\n";
    if (!s.list.empty()) out << "  reference list: " << plain(s.list) << "\n";
    for (const auto& [ref, block] : s.facts->blocks) {
        out << "  " << plain(BlockTitle(ref, block)) << "\n";
        for (const auto& row : ParamRows(block))
            out << "    " << row[0] << "  " << row[1] << "  " << row[2] << "  = " << row[3] << "\n";
    }
}

// A class's section; parts are parted by empty lines, and the section ends with its last line.
void PrintMarkdown(const ClassSheet& s, std::ostream& out) {
    out << "## " << s.name << "\n\n";
    out << s.display << ", a " << s.kind << ". Fields: " << s.fields << ".\n";
    if (!s.refs.empty()) {
        out << "\n| reference | for | a new object holds |\n|---|---|---|\n";
        for (const RefRow& r : s.refs)
            out << "| " << r.index << " | " << r.role << " | " << r.holds << " |\n";
    }
    if (!s.list.empty()) out << "\nReference list: " << s.list << ".\n";
    for (const auto& [ref, block] : s.facts->blocks) {
        std::string title = BlockTitle(ref, block);
        title[0] = 'B';
        out << "\n" << title << ":\n\n| id | name | type | default |\n|---|---|---|---|\n";
        for (const auto& row : ParamRows(block))
            out << "| " << row[0] << " | `" << row[1] << "` | `" << row[2] << "` | `" << row[3] << "` |\n";
    }
}

const char kMarkdownHead[] =
    "# Scene classes\n"
    "\n"
    "<!-- Made by `tvl3host classes --markdown`; scripts/test checks that it is current. -->\n"
    "\n"
    "Every class a [scene file](scene-format.md) can name in an object's `class`, with the fields its "
    "objects\n"
    "take, what each reference of a new object holds, and the parameters of each block: the ID and type a\n"
    "file gives, the block's own name for it and its default. A reference or block the file leaves out "
    "keeps\n"
    "what a new object holds there; a parameter left out keeps its default. Besides these, the keyframe\n"
    "controllers `" SCENE_FLOAT_CONTROLLER_CLASS "` and `" SCENE_POINT3_CONTROLLER_CLASS
    "` drive animated parameters.\n"
    "\n";

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::string ClassesUsage() {
    return "usage: tvl3host classes [NAME] [--markdown]\n"
           "\n"
           "Lists every class a scene file can name: its kind, fields, references and the parameters of its\n"
           "blocks (id, name, type, default). NAME shows one class; --markdown prints docs/classes.md.\n";
}

int RunClassesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool markdown = false;
    std::string only;
    for (const std::string& a : args) {
        if (a == "--markdown") {
            markdown = true;
        } else if (!a.empty() && a[0] == '-') {
            err << "tvl3host classes: unknown option \"" << a
                << "\"\nRun 'tvl3host help classes' for help.\n";
            return 2;
        } else if (!only.empty()) {
            err << "tvl3host classes: one class at a time\nRun 'tvl3host help classes' for help.\n";
            return 2;
        } else {
            only = a;
        }
    }
    std::vector<ClassDesc*> classes = SceneClasses();
    if (!only.empty()) {
        auto named = std::find_if(classes.begin(), classes.end(),
                                  [&](ClassDesc* d) { return Utf8(d->InternalName()) == only; });
        if (named == classes.end()) {
            // The names that hold the given text, or all of them.
            std::string hint;
            for (int pass = 0; pass < 2 && hint.empty(); ++pass)
                for (ClassDesc* d : classes) {
                    const std::string name = Utf8(d->InternalName());
                    if (pass == 1 || Lower(name).find(Lower(only)) != std::string::npos)
                        hint += (hint.empty() ? "" : ", ") + name;
                }
            err << "tvl3host classes: unknown class \"" << only << "\" (known: " << hint << ")\n";
            return 1;
        }
        classes = {*named};
    }
    std::ostringstream text;
    if (markdown && only.empty()) text << kMarkdownHead;
    for (ClassDesc* desc : classes) {
        ClassFacts facts;
        std::string why;
        if (!LearnClassFacts(desc, facts, why)) continue;  // a class of an unloaded product
        if (markdown)
            PrintMarkdown(SheetOf(desc, facts), text);
        else
            PrintText(SheetOf(desc, facts), text);
        text << "\n";
    }
    // Classes are parted by an empty line; the last one ends the text.
    std::string all = text.str();
    if (all.size() >= 2 && all.compare(all.size() - 2, 2, "\n\n") == 0) all.pop_back();
    out << all;
    return 0;
}
