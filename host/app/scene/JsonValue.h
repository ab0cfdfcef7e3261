#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// JSON has no numbers that are not finite: scene files write such a float as one of these strings and
// read it back from it, so the value survives. NonFiniteName answers the string of a value that is not
// finite; ParseNonFinite answers whether a text is one of them, and which value.
const char* NonFiniteName(double d);
bool ParseNonFinite(std::string_view text, float* f);

// A JSON value stored flat, in document order: each node is followed by what it holds (in an object, a key
// node before each value) and knows where its subtree ends. Scene files are read one entry at a time
// through a tape that is cleared and refilled, so no second copy of a whole file is ever kept.
class JsonTape {
public:
    enum class Type : uint8_t { Null, Bool, Int, Uint, Double, Float, String, Key, Array, Object };

    struct Node {
        Type type = Type::Null;
        bool holdsObject = false;  // arrays and objects: an object is somewhere below
        uint32_t end = 0;          // the index after the subtree
        uint32_t count = 0;        // arrays and objects: the values held; strings and keys: the length
        union {
            bool b;
            int64_t i;   // Int: negative integers
            uint64_t u;  // Uint: integers from 0
            double d;
            float f;          // Float: written as the shortest text that reads back as the same float
            uint64_t offset;  // strings and keys: where the text starts in the pool
        } v{};
    };

    void Clear();

    // Building, in document order. End() closes the innermost open array or object.
    void Null();
    void Bool(bool b);
    void Int(int64_t i);  // stored as Uint when not negative
    void Uint(uint64_t u);
    void Double(double d);
    void Float(float f);  // a value that is not finite becomes its name (NonFiniteName), a string
    void String(std::string_view s);
    void Key(std::string_view k);
    void StartArray();
    void StartObject();
    void End();

    const Node& At(uint32_t index) const { return nodes_[index]; }
    uint32_t Size() const { return static_cast<uint32_t>(nodes_.size()); }
    std::string_view Text(uint32_t index) const {
        return std::string_view(pool_.data() + nodes_[index].v.offset, nodes_[index].count);
    }
    // The open container the next value goes in, or Size() for none.
    uint32_t OpenContainer() const { return open_.empty() ? Size() : open_.back(); }

private:
    Node& Add(Type type);
    std::vector<Node> nodes_;
    std::string pool_;
    std::vector<uint32_t> open_;
};

// Whether two texts are the same; the length and the first character rule out most pairs at once.
inline bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || (a[0] == b[0] && a == b));
}

// Whether a key is a name of the format's own, without measuring the name first.
inline bool IsKey(std::string_view key, const char* name) {
    size_t k = 0;
    while (k < key.size() && name[k] != '\0' && key[k] == name[k]) ++k;
    return k == key.size() && name[k] == '\0';
}

// A value in a tape. A default JsonRef stands for a value that is not there.
class JsonRef {
public:
    JsonRef() = default;
    JsonRef(const JsonTape* tape, uint32_t index) : tape_(tape), index_(index) {}

    bool Exists() const { return tape_ != nullptr; }
    explicit operator bool() const { return Exists(); }
    // A value that is not there reads as null.
    JsonTape::Type Type() const { return tape_ ? Node().type : JsonTape::Type::Null; }
    bool IsNull() const { return Type() == JsonTape::Type::Null; }
    bool IsBool() const { return Type() == JsonTape::Type::Bool; }
    bool IsString() const { return Type() == JsonTape::Type::String; }
    bool IsArray() const { return Type() == JsonTape::Type::Array; }
    bool IsObject() const { return Type() == JsonTape::Type::Object; }
    bool IsInteger() const { return Type() == JsonTape::Type::Int || Type() == JsonTape::Type::Uint; }
    bool IsUnsigned() const { return Type() == JsonTape::Type::Uint; }
    bool IsNumber() const {
        return IsInteger() || Type() == JsonTape::Type::Double || Type() == JsonTape::Type::Float;
    }

    bool Bool() const { return Node().v.b; }
    int64_t Int() const { return Node().v.i; }
    uint64_t Uint() const { return Node().v.u; }
    double Number() const;
    std::string_view Str() const { return tape_->Text(index_); }
    // Members of an object, items of an array.
    size_t Size() const { return IsArray() || IsObject() ? Node().count : 0; }

    // The member of that name, or a JsonRef that does not exist.
    JsonRef Find(std::string_view key) const;
    JsonRef operator[](const char* key) const { return Find(key); }
    bool Has(const char* key) const { return Find(key).Exists(); }
    // The item at k of an array (a walk: for short arrays).
    JsonRef Item(size_t k) const;

    // Walks the members or items in order; Key() is the member's name.
    class Iterator {
    public:
        Iterator(const JsonTape* tape, uint32_t at, bool object) : tape_(tape), at_(at), object_(object) {}
        JsonRef operator*() const { return JsonRef(tape_, object_ ? at_ + 1 : at_); }
        std::string_view Key() const { return tape_->Text(at_); }
        Iterator& operator++() {
            at_ = tape_->At(object_ ? at_ + 1 : at_).end;
            return *this;
        }
        bool operator!=(const Iterator& o) const { return at_ != o.at_; }

    private:
        const JsonTape* tape_;
        uint32_t at_;
        bool object_;
    };
    Iterator begin() const { return Iterator(tape_, Size() ? index_ + 1 : 0, IsObject()); }
    Iterator end() const { return Iterator(tape_, Size() ? Node().end : 0, IsObject()); }

    // A scalar as JSON text, for messages.
    std::string Text() const;

private:
    const JsonTape::Node& Node() const { return tape_->At(index_); }
    const JsonTape* tape_ = nullptr;
    uint32_t index_ = 0;
};

// The steps of a path below the entry it starts from, kept without text: "blocks[0].params[2].value" is
// three steps. Paths of scene files are never deeper.
struct PathPlace {
    struct Step {
        const char* key = nullptr;  // null: an item of the array the step before named
        int32_t index = -1;         // -1: the member itself
    };
    Step steps[3];
    uint8_t count = 0;
    // The path as text after `base`, the path of the entry ("" for the top level).
    std::string Text(const std::string& base) const;
};

// A place in a file, such as objects[3].blocks[0].ref, made into text only when an error names it. A
// path refers to the path it extends, which must outlive it, so only a named path can be extended.
class JsonPath {
public:
    JsonPath() = default;  // the top level
    explicit JsonPath(const std::string& base) : base_(&base) {}
    JsonPath Member(const char* key) const& { return JsonPath(this, key, 0); }
    JsonPath Item(size_t index) const& { return JsonPath(this, nullptr, index); }
    // A path made from a temporary would outlive it.
    JsonPath Member(const char* key) && = delete;
    JsonPath Item(size_t index) && = delete;
    // "" for the top level.
    std::string Text() const;
    // The steps from the entry the path starts from (the top level, or the path given as base).
    PathPlace Place() const;

private:
    JsonPath(const JsonPath* parent, const char* key, size_t index)
        : parent_(parent), key_(key), index_(index) {}
    void Append(std::string& out) const;
    const JsonPath* parent_ = nullptr;
    const std::string* base_ = nullptr;
    const char* key_ = nullptr;
    size_t index_ = 0;
};

// Numbers as the scene files write them: the shortest digits that read back as the same value, in the
// notation of "%g" with at least one decimal ("1.0", "0.25", "1e+20"). Appends to `out`.
void AppendFloatText(std::string& out, float f);
void AppendDoubleText(std::string& out, double d);
// The same text for a float written at `out`, which has room for kNumberTextMax characters; answers
// where the text ends.
constexpr size_t kNumberTextMax = 40;
char* FloatText(char* out, float f);
// A string in JSON quotes with the escapes JSON needs.
void AppendStringText(std::string& out, std::string_view s);
