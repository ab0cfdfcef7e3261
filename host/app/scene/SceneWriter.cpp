#include "SceneWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string_view>
#include <tuple>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "ClassFacts.h"
#include "JsonValue.h"
#include "ParamTypes.h"
#include "SceneFormat.h"

namespace {

// Pieces of text are handed over once they are at least this long.
const size_t kPieceSize = 1 << 20;

// The text being made: appended through a pointer into storage kept at its full size, and handed over
// as a string of the text so far.
class TextBuffer {
public:
    explicit TextBuffer(size_t capacity) : text_(capacity, '\0') {}

    void Append(const char* s, size_t n) {
        if (n > text_.size() - used_) Grow(n);
        std::memcpy(text_.data() + used_, s, n);
        used_ += n;
    }
    TextBuffer& operator+=(std::string_view s) {
        Append(s.data(), s.size());
        return *this;
    }
    TextBuffer& operator+=(char c) {
        if (used_ == text_.size()) Grow(1);
        text_[used_++] = c;
        return *this;
    }
    size_t size() const { return used_; }
    // The text so far; Clear() before appending again.
    const std::string& Text() {
        text_.resize(used_);
        return text_;
    }
    void Clear() {
        text_.resize(text_.capacity());
        used_ = 0;
    }

private:
    void Grow(size_t n) { text_.resize(std::max(text_.size() * 2, used_ + n)); }
    std::string text_;
    size_t used_ = 0;
};

// JSON text laid out as it is made, with no value kept: whoever opens an array or object says whether it
// holds an object somewhere below, and so whether it gets one line per member or all of it on one line.
// Members are indented two spaces past their container; an empty one is "[]" or "{}".
class JsonOut {
public:
    explicit JsonOut(TextBuffer& out) : out_(out) {}

    // The next value starts a line indented this far (its members go two further).
    void At(int indent) {
        levels_.clear();
        indent_ = indent;
    }
    void StartObject(bool lines) { Open('{', '}', lines); }
    void StartArray(bool lines) { Open('[', ']', lines); }
    void End() {
        const Level& l = levels_.back();
        if (l.lines && l.count) {
            out_ += '\n';
            Spaces(l.indent);
        }
        out_ += l.close;
        levels_.pop_back();
    }
    // Keys are the format's own names: nothing in them needs an escape.
    void Key(std::string_view k) {
        Next();
        out_ += '"';
        out_ += k;
        out_ += std::string_view("\": ", 3);
        keyed_ = true;
    }

    void Null() { Put(std::string_view("null", 4)); }
    void Bool(bool b) { Put(b ? std::string_view("true", 4) : std::string_view("false", 5)); }
    void Int(long long i) {
        char text[24];
        Put(std::string_view(text,
                             static_cast<size_t>(std::to_chars(text, text + sizeof text, i).ptr - text)));
    }
    void Uint(unsigned long long u) {
        char text[24];
        Put(std::string_view(text,
                             static_cast<size_t>(std::to_chars(text, text + sizeof text, u).ptr - text)));
    }
    // A value that is not finite is written as its name, a string.
    void Float(float f) {
        if (!std::isfinite(f)) return String(NonFiniteName(f));
        char text[kNumberTextMax];
        Put(std::string_view(text, static_cast<size_t>(FloatText(text, f) - text)));
    }
    void String(std::string_view s) {
        Next();
        // Names seldom hold a character that needs an escape.
        bool plain = true;
        for (char c : s) plain = plain && static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\';
        if (plain) {
            out_ += '"';
            out_ += s;
            out_ += '"';
        } else {
            escaped_.clear();
            AppendStringText(escaped_, s);
            out_ += escaped_;
        }
    }

private:
    struct Level {
        char close;
        bool lines;
        int indent;
        uint32_t count;
    };

    // Before a value: the separator and indentation its container puts before it (none after a key).
    void Next() {
        if (keyed_) {
            keyed_ = false;
            return;
        }
        if (levels_.empty()) return;
        Level& l = levels_.back();
        if (l.lines) {
            if (l.count)
                out_ += std::string_view(",\n", 2);
            else
                out_ += '\n';
            Spaces(l.indent + 2);
        } else if (l.count) {
            out_ += std::string_view(", ", 2);
        }
        ++l.count;
    }
    void Put(std::string_view text) {
        Next();
        out_ += text;
    }
    void Open(char open, char close, bool lines) {
        Next();
        out_ += open;
        levels_.push_back({close, lines, levels_.empty() ? indent_ : levels_.back().indent + 2, 0});
    }
    void Spaces(int n) {
        static const char kSpaces[] = "                                                                ";
        for (; n > 0; n -= static_cast<int>(sizeof kSpaces - 1))
            out_.Append(kSpaces, std::min(static_cast<size_t>(n), sizeof kSpaces - 1));
    }

    TextBuffer& out_;
    std::vector<Level> levels_;
    int indent_ = 0;
    bool keyed_ = false;
    std::string escaped_;
};

// The ids given to objects, by address: open addressing in one array, so that a look-up touches one
// place in memory rather than a node of its own.
class IdMap {
public:
    // The object's id, or -1.
    long long Find(const void* object) const {
        if (slots_.empty()) return -1;
        for (size_t at = Hash(object) & mask_;; at = (at + 1) & mask_) {
            if (slots_[at].object == object) return slots_[at].id;
            if (!slots_[at].object) return -1;
        }
    }
    // Gives an object not numbered yet its id.
    void Add(const void* object, long long id) {
        if ((used_ + 1) * 2 > slots_.size()) Grow();
        Place(object, id);
        ++used_;
    }

private:
    struct Slot {
        const void* object = nullptr;
        long long id = 0;
    };
    static size_t Hash(const void* p) {
        uint64_t x = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
        x ^= x >> 33;
        x *= 0xff51afd7ed558ccdULL;
        x ^= x >> 33;
        return static_cast<size_t>(x);
    }
    void Place(const void* object, long long id) {
        size_t at = Hash(object) & mask_;
        while (slots_[at].object) at = (at + 1) & mask_;
        slots_[at] = {object, id};
    }
    void Grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot());
        mask_ = slots_.size() - 1;
        for (const Slot& s : old)
            if (s.object) Place(s.object, s.id);
    }
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t used_ = 0;
};

// Which of the writer's casts succeed on objects of one class. A cast that fails walks the class's whole
// hierarchy, so each class's answers are found once and a cast is made only where it succeeds.
struct ClassCasts {
    bool node, block, mtlBase, mtl, stdMat, shader, floatController, point3Controller;
};

template <class T>
T* CastIf(bool succeeds, ReferenceTarget* t) {
    return succeeds ? dynamic_cast<T*>(t) : nullptr;
}

class Writer {
public:
    Writer(const std::function<void(const std::string&)>& write, const std::function<void(int)>& progress)
        : write_(write), progress_(progress) {}

    void Run() {
        HostCore& host = HostCore::Get();
        host.ForEachNode([&](INode* n) { ids_.Add(n, next_++); });
        host.ForEachNode([&](INode* n) { Meet(n->GetMtl()); });
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot) Meet(host.GetMtlSlot(slot));
        for (int i = 0; i < host.NumEffects(); ++i) Meet(host.GetEffect(i));

        out_ += "{\n  \"format\": \"" SCENE_FORMAT_NAME "\",\n  \"version\": ";
        out_ += std::to_string(SCENE_FORMAT_VERSION);
        out_ += ",\n  \"time\": ";
        out_ += std::to_string(host.GetTime());
        out_ += ",\n  \"nodes\": ";
        INode* root = host.GetRootNode();
        List(root->NumberOfChildren(), [&](int i) { NodeJson(root->GetChildNode(i)); });

        out_ += ",\n  \"editorSlots\": ";
        int used = HostCore::kNumMtlSlots;
        while (used > 0 && RefId(host.GetMtlSlot(used - 1)) < 0) --used;
        json_.At(2);
        json_.StartArray(false);
        for (int slot = 0; slot < used; ++slot) RefValue(host.GetMtlSlot(slot));
        json_.End();

        out_ += ",\n  \"effects\": ";
        json_.At(2);
        json_.StartArray(true);
        for (int i = 0; i < host.NumEffects(); ++i) {
            Effect* eff = host.GetEffect(i);
            if (!eff) continue;
            json_.StartObject(false);
            json_.Key("object");
            RefValue(eff);
            json_.Key("active");
            json_.Bool(!eff->TestAFlag(A_ATMOS_DISABLED));
            json_.End();
        }
        json_.End();

        out_ += ",\n  \"objects\": ";
        const size_t total = objects_.size();
        int shown = -1;
        List(static_cast<int>(total), [&](int i) {
            ObjectJson(objects_[static_cast<size_t>(i)]);
            int pct = static_cast<int>(static_cast<size_t>(i + 1) * 100 / total);
            if (progress_ && pct != shown) progress_(shown = pct);
        });
        out_ += "\n}\n";
        write_(out_.Text());
    }

private:
    // What an object's own references lead to, in order: a block stands for the references it holds.
    // A material's active map comes last; the file must carry it even when no reference holds it.
    void Children(ReferenceTarget* t, std::vector<ReferenceTarget*>& out) {
        out.clear();
        for (int i = 0, n = t->NumRefs(); i < n; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = AsBlock(r)) {
                for (int k = 0, m = pb->NumRefs(); k < m; ++k) out.push_back(pb->GetReference(k));
            } else {
                out.push_back(r);
            }
        }
        if (auto* mtl = CastIf<Mtl>(Casts(t).mtl, t)) out.push_back(mtl->GetActiveTexmap());
    }

    // Numbers objects depth first, each before what it refers to.
    void Meet(ReferenceTarget* start) {
        std::vector<ReferenceTarget*>& stack = stack_;
        stack.assign(1, start);
        while (!stack.empty()) {
            ReferenceTarget* t = stack.back();
            stack.pop_back();
            if (!t || ids_.Find(t) >= 0 || Casts(t).node || Casts(t).block) continue;
            ids_.Add(t, next_++);
            objects_.push_back(t);
            Children(t, children_);
            stack.insert(stack.end(), children_.rbegin(), children_.rend());
        }
    }

    // A top-level list of n entries, each written by `entry`, one per line.
    template <class Entry>
    void List(int n, Entry entry) {
        if (n == 0) {
            out_ += "[]";
            return;
        }
        out_ += "[";
        for (int i = 0; i < n; ++i) {
            out_ += i ? ",\n    " : "\n    ";
            json_.At(4);
            entry(i);
            if (out_.size() >= kPieceSize) {
                write_(out_.Text());
                out_.Clear();
            }
        }
        out_ += "\n  ]";
    }

    const ClassCasts& Casts(ReferenceTarget* t) {
        const std::type_info* type = &typeid(*t);
        if (type == lastType_) return *lastCasts_;
        auto known = casts_.find(type);
        if (known == casts_.end()) {
            ClassCasts c{};
            c.node = dynamic_cast<INode*>(t) != nullptr;
            c.block = dynamic_cast<IParamBlock2*>(t) != nullptr;
            c.mtlBase = dynamic_cast<MtlBase*>(t) != nullptr;
            c.mtl = dynamic_cast<Mtl*>(t) != nullptr;
            c.stdMat = dynamic_cast<StdMat2*>(t) != nullptr;
            c.shader = dynamic_cast<Shader*>(t) != nullptr;
            c.floatController = dynamic_cast<LinearFloatController*>(t) != nullptr;
            c.point3Controller = dynamic_cast<LinearPoint3Controller*>(t) != nullptr;
            known = casts_.emplace(type, c).first;
        }
        lastType_ = type;
        lastCasts_ = &known->second;
        return known->second;
    }
    IParamBlock2* AsBlock(ReferenceTarget* r) {
        return r ? CastIf<IParamBlock2>(Casts(r).block, r) : nullptr;
    }

    // The id of what a reference holds; -1 for nothing, for a block held outside an object's own
    // references, and for a node outside the scene's tree (written as null).
    long long RefId(ReferenceTarget* r) const { return r ? ids_.Find(r) : -1; }
    void RefValue(ReferenceTarget* r) {
        long long id = RefId(r);
        if (id < 0)
            json_.Null();
        else
            json_.Int(id);
    }
    void Member(const char* key, int v) {
        json_.Key(key);
        json_.Int(v);
    }
    void Member(const char* key, bool v) {
        json_.Key(key);
        json_.Bool(v);
    }
    void FloatMember(const char* key, float v) {
        json_.Key(key);
        json_.Float(v);
    }
    void StringMember(const char* key, const MCHAR* s) {
        json_.Key(key);
        json_.String(WStr(s).ToUTF8());
    }
    void Triple(float a, float b, float c) {
        json_.StartArray(false);
        json_.Float(a);
        json_.Float(b);
        json_.Float(c);
        json_.End();
    }
    void ColorMember(const char* key, const Color& c) {
        json_.Key(key);
        Triple(c.r, c.g, c.b);
    }

    void NodeJson(INode* n) {
        const int children = n->NumberOfChildren();
        json_.StartObject(children > 0);
        json_.Key("id");
        json_.Int(ids_.Find(n));
        StringMember("name", n->GetName());
        if (Mtl* m = n->GetMtl()) {
            json_.Key("material");
            RefValue(m);
        }
        if (children > 0) {
            json_.Key("children");
            json_.StartArray(true);
            for (int i = 0; i < children; ++i) NodeJson(n->GetChildNode(i));
            json_.End();
        }
        json_.End();
    }

    // The name a class is written under, once per class.
    const std::string& ClassName(ReferenceTarget* t) {
        const ClassKey key{t->SuperClassID(), t->ClassID().PartA(), t->ClassID().PartB()};
        auto known = classNames_.find(key);
        if (known != classNames_.end()) return known->second;
        std::string name;
        ClassDesc* desc = HostCore::Get().FindClass(t->SuperClassID(), t->ClassID());
        if (desc && desc->InternalName()) {
            name = WStr(desc->InternalName()).ToUTF8();
        } else {
            // Not a class the host can make: written under its display name, which loading then reports.
            MSTR display;
            t->GetClassName(display);
            name = display.ToUTF8();
        }
        return classNames_.emplace(key, std::move(name)).first->second;
    }

    template <class Controller, class Key, class Value>
    void ControllerJson(Controller* c, const char* className, Value value) {
        json_.Key("class");
        json_.String(className);
        json_.Key("value");
        value(c->ConstantValue());
        json_.Key("keys");
        json_.StartArray(false);
        for (int i = 0; i < c->GetNumKeys(); ++i) {
            Key k;
            c->GetKey(i, &k);
            json_.StartArray(false);
            json_.Int(k.time);
            value(k.val);
            if (k.flags) json_.Uint(k.flags);
            json_.End();
        }
        json_.End();
    }

    void ObjectJson(ReferenceTarget* t) {
        const ClassCasts& casts = Casts(t);
        if (auto* c = CastIf<LinearFloatController>(casts.floatController, t)) {
            ObjectStart(t, false);
            ControllerJson<LinearFloatController, ILinFloatKey>(c, SCENE_FLOAT_CONTROLLER_CLASS,
                                                                [&](float f) { json_.Float(f); });
        } else if (auto* p = CastIf<LinearPoint3Controller>(casts.point3Controller, t)) {
            ObjectStart(t, false);
            ControllerJson<LinearPoint3Controller, ILinPoint3Key>(
                p, SCENE_POINT3_CONTROLLER_CLASS, [&](const Point3& v) { Triple(v.x, v.y, v.z); });
        } else {
            ClassObjectJson(t);
        }
        json_.End();
    }

    void ObjectStart(ReferenceTarget* t, bool lines) {
        json_.StartObject(lines);
        json_.Key("id");
        json_.Int(ids_.Find(t));
    }

    void ClassObjectJson(ReferenceTarget* t) {
        IRefList* list = GetRefList(t);
        const int fixed = list ? std::min(list->RefListStart(), t->NumRefs()) : t->NumRefs();
        // Each fixed reference once: a block, or the id of what it holds; an empty one (-1) is written as
        // null only where a new object of the class holds something, which loading would keep.
        blocks_.clear();
        refs_.clear();
        const std::vector<bool>* holds = nullptr;
        for (int i = 0; i < fixed; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = AsBlock(r)) {
                blocks_.emplace_back(i, pb);
            } else if (long long id = RefId(r); id >= 0) {
                refs_.emplace_back(i, id);
            } else {
                if (!holds) holds = &DefaultHolds(t);
                if (static_cast<size_t>(i) < holds->size() && (*holds)[static_cast<size_t>(i)])
                    refs_.emplace_back(i, id);
            }
        }
        const ClassCasts& casts = Casts(t);
        auto* mb = CastIf<MtlBase>(casts.mtlBase, t);
        auto* mtl = CastIf<Mtl>(casts.mtl, t);
        auto* stdMat = CastIf<StdMat2>(casts.stdMat, t);
        auto* shader = CastIf<Shader>(casts.shader, t);
        // Blocks, references, the Standard material's values and the shader's are objects.
        ObjectStart(t, !blocks_.empty() || !refs_.empty() || stdMat || shader);
        json_.Key("class");
        json_.String(ClassName(t));
        if (mb) {
            StringMember("name", mb->GetName());
            json_.Key("mtlFlags");
            json_.Uint(mb->GetMtlFlags());
        } else if (auto* fx = dynamic_cast<SpecialFX*>(t)) {
            StringMember("name", fx->name);
        }
        if (mtl && mtl->GetActiveTexmap()) {
            json_.Key("activeTexmap");
            RefValue(mtl->GetActiveTexmap());
        }
        if (!blocks_.empty()) {
            json_.Key("blocks");
            json_.StartArray(true);
            for (const auto& [i, pb] : blocks_) BlockJson(i, pb);
            json_.End();
        }
        if (!refs_.empty()) {
            json_.Key("refs");
            json_.StartArray(true);
            for (const auto& [i, id] : refs_) {
                json_.StartObject(false);
                Member("index", i);
                json_.Key("object");
                if (id < 0)
                    json_.Null();
                else
                    json_.Int(id);
                json_.End();
            }
            json_.End();
        }
        if (list) {
            json_.Key("refList");
            json_.StartArray(false);
            for (int i = fixed; i < t->NumRefs(); ++i) RefValue(t->GetReference(i));
            json_.End();
        }
        if (stdMat) StdMatJson(stdMat);
        if (shader) ShaderJson(shader);
    }

    // Which references a new object of t's class fills, learnt once per class.
    const std::vector<bool>& DefaultHolds(ReferenceTarget* t) {
        ClassDesc* desc = HostCore::Get().FindClass(t->SuperClassID(), t->ClassID());
        auto [at, fresh] = defaultHolds_.emplace(desc, std::vector<bool>());
        ClassFacts facts;
        std::string why;
        if (fresh && desc && LearnClassFacts(desc, facts, why)) at->second = std::move(facts.defaultHolds);
        return at->second;
    }

    void BlockJson(int ref, IParamBlock2* pb) {
        const int count = pb->NumParams();
        json_.StartObject(count > 0);
        Member("ref", ref);
        Member("id", static_cast<int>(pb->ID()));
        json_.Key("params");
        json_.StartArray(true);
        for (int i = 0; i < count; ++i) ParamJson(pb, pb->IndextoID(i));
        json_.End();
        json_.End();
    }

    void ParamJson(IParamBlock2* pb, ParamID id) {
        const int type = pb->GetParameterType(id);
        const int count = pb->Count(id);
        bool animated = false;
        for (int k = 0; k < count && !animated; ++k) animated = pb->GetControllerByID(id, k) != nullptr;
        json_.StartObject(false);
        Member("id", static_cast<int>(id));
        json_.Key("type");
        json_.String(TypeName(type));
        json_.Key("value");
        if (is_tab(type)) {
            json_.StartArray(false);
            for (int k = 0; k < count; ++k) EntryValue(pb, id, type, k);
            json_.End();
            if (animated) {
                json_.Key("controllers");
                json_.StartArray(false);
                for (int k = 0; k < count; ++k) RefValue(pb->GetControllerByID(id, k));
                json_.End();
            }
        } else {
            if (count > 0)
                EntryValue(pb, id, type, 0);
            else
                json_.Null();
            if (animated) {
                json_.Key("controller");
                RefValue(pb->GetControllerByID(id, 0));
            }
        }
        json_.End();
    }

    // A parameter type's name, made once per type.
    const std::string& TypeName(int type) {
        auto known = typeNames_.find(type);
        if (known == typeNames_.end()) known = typeNames_.emplace(type, ParamTypeName(type)).first;
        return known->second;
    }

    void EntryValue(IParamBlock2* pb, ParamID id, int type, int k) {
        switch (KindOfType(type)) {
            case ValueKind::Float:
                json_.Float(pb->GetFloat(id, 0, k));
                return;
            case ValueKind::Int:
                json_.Int(pb->GetInt(id, 0, k));
                return;
            case ValueKind::Bool:
                json_.Bool(pb->GetInt(id, 0, k) != 0);
                return;
            case ValueKind::Color: {
                Color c = pb->GetColor(id, 0, k);
                Triple(c.r, c.g, c.b);
                return;
            }
            case ValueKind::Point3: {
                Point3 p = pb->GetPoint3(id, 0, k);
                Triple(p.x, p.y, p.z);
                return;
            }
            case ValueKind::String:
                json_.String(WStr(pb->GetStr(id, 0, k)).ToUTF8());
                return;
            case ValueKind::Object:
            case ValueKind::Node:
                RefValue(GetObjectParam(pb, id, k));
                return;
            case ValueKind::None:
                break;
        }
        json_.Null();
    }

    void StdMatJson(StdMat2* s) {
        const int channels = s->NumSubTexmaps();
        json_.Key("stdMat");
        json_.StartObject(channels > 0);
        Member("soften", s->GetSoften() != FALSE);
        Member("faceMap", s->GetFaceMap() != FALSE);
        Member("twoSided", s->GetTwoSided() != FALSE);
        Member("wire", s->GetWire() != FALSE);
        Member("wireUnits", s->GetWireUnits() != FALSE);
        Member("falloffOut", s->GetFalloffOut() != FALSE);
        Member("transparencyType", s->GetTransparencyType());
        FloatMember("opacity", s->GetOpacity(0));
        FloatMember("opacFalloff", s->GetOpacFalloff(0));
        FloatMember("wireSize", s->GetWireSize(0));
        FloatMember("ior", s->GetIOR(0));
        Member("faceted", s->IsFaceted() != FALSE);
        FloatMember("selfIllum", s->GetSelfIllum(0));
        Member("selfIllumColorOn", s->GetSelfIllumColorOn() != FALSE);
        ColorMember("selfIllumColor", s->GetSelfIllumColor(0));
        Member("lockAmbDiffTex", s->GetLockAmbDiffTex() != FALSE);
        json_.Key("maps");
        json_.StartArray(true);
        for (int ch = 0; ch < channels; ++ch) {
            json_.StartObject(false);
            Member("enabled", s->MapEnabled(ch) != FALSE);
            FloatMember("amount", s->GetTexmapAmt(ch, 0));
            json_.End();
        }
        json_.End();
        json_.End();
    }

    void ShaderJson(Shader* s) {
        json_.Key("shader");
        json_.StartObject(false);
        ColorMember("ambient", s->GetAmbientClr(0));
        ColorMember("diffuse", s->GetDiffuseClr(0));
        ColorMember("specular", s->GetSpecularClr(0));
        Member("lockAD", s->GetLockAD() != FALSE);
        Member("lockDS", s->GetLockDS() != FALSE);
        FloatMember("specularLevel", s->GetSpecularLevel(0));
        FloatMember("glossiness", s->GetGlossiness(0));
        FloatMember("softenLevel", s->GetSoftenLevel(0));
        json_.End();
    }

    using ClassKey = std::tuple<SClass_ID, ULONG, ULONG>;

    const std::function<void(const std::string&)>& write_;
    const std::function<void(int)>& progress_;
    TextBuffer out_{kPieceSize + (kPieceSize >> 2)};
    JsonOut json_{out_};
    // Reused from object to object.
    std::vector<ReferenceTarget*> stack_, children_;
    std::vector<std::pair<int, IParamBlock2*>> blocks_;
    std::vector<std::pair<int, long long>> refs_;
    IdMap ids_;
    std::unordered_map<ClassDesc*, std::vector<bool>> defaultHolds_;
    std::vector<ReferenceTarget*> objects_;
    std::map<ClassKey, std::string> classNames_;
    std::map<int, std::string> typeNames_;
    std::unordered_map<const std::type_info*, ClassCasts> casts_;
    const std::type_info* lastType_ = nullptr;
    const ClassCasts* lastCasts_ = nullptr;
    long long next_ = 1;
};

}  // namespace

void WriteScene(const std::function<void(const std::string&)>& write,
                const std::function<void(int)>& progress) {
    Writer(write, progress).Run();
}
