#include "JsonValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

void JsonTape::Clear() {
    nodes_.clear();
    pool_.clear();
    open_.clear();
}

JsonTape::Node& JsonTape::Add(Type type) {
    if (!open_.empty()) ++nodes_[open_.back()].count;
    Node& n = nodes_.emplace_back();
    n.type = type;
    n.end = static_cast<uint32_t>(nodes_.size());
    return n;
}

void JsonTape::Null() { Add(Type::Null); }
void JsonTape::Bool(bool b) { Add(Type::Bool).v.b = b; }
void JsonTape::Int(int64_t i) {
    if (i >= 0)
        Uint(static_cast<uint64_t>(i));
    else
        Add(Type::Int).v.i = i;
}
void JsonTape::Uint(uint64_t u) { Add(Type::Uint).v.u = u; }
void JsonTape::Double(double d) { Add(Type::Double).v.d = d; }
const char* NonFiniteName(double d) { return std::isnan(d) ? "NaN" : d > 0 ? "Infinity" : "-Infinity"; }

bool ParseNonFinite(std::string_view text, float* f) {
    if (text == "NaN")
        *f = std::numeric_limits<float>::quiet_NaN();
    else if (text == "Infinity")
        *f = std::numeric_limits<float>::infinity();
    else if (text == "-Infinity")
        *f = -std::numeric_limits<float>::infinity();
    else
        return false;
    return true;
}

void JsonTape::Float(float f) {
    if (std::isfinite(f))
        Add(Type::Float).v.f = f;
    else
        String(NonFiniteName(f));
}

void JsonTape::String(std::string_view s) {
    Node& n = Add(Type::String);
    n.v.offset = pool_.size();
    n.count = static_cast<uint32_t>(s.size());
    pool_.append(s);
}

void JsonTape::Key(std::string_view k) {
    // A key is not one of the object's values.
    Node& n = nodes_.emplace_back();
    n.type = Type::Key;
    n.end = static_cast<uint32_t>(nodes_.size());
    n.v.offset = pool_.size();
    n.count = static_cast<uint32_t>(k.size());
    pool_.append(k);
}

void JsonTape::StartArray() {
    Add(Type::Array);
    open_.push_back(Size() - 1);
}

void JsonTape::StartObject() {
    Add(Type::Object);
    open_.push_back(Size() - 1);
}

void JsonTape::End() {
    Node& n = nodes_[open_.back()];
    open_.pop_back();
    n.end = Size();
    if (!open_.empty() && (n.holdsObject || n.type == Type::Object)) nodes_[open_.back()].holdsObject = true;
}

double JsonRef::Number() const {
    const JsonTape::Node& n = Node();
    switch (n.type) {
        case JsonTape::Type::Int:
            return static_cast<double>(n.v.i);
        case JsonTape::Type::Uint:
            return static_cast<double>(n.v.u);
        case JsonTape::Type::Float:
            return static_cast<double>(n.v.f);
        default:
            return n.v.d;
    }
}

JsonRef JsonRef::Find(std::string_view key) const {
    if (!Exists() || !IsObject()) return JsonRef();
    const uint32_t stop = Node().end;
    for (uint32_t at = index_ + 1; at < stop; at = tape_->At(at + 1).end) {
        const JsonTape::Node& k = tape_->At(at);
        if (k.count == key.size() && SameText(tape_->Text(at), key)) return JsonRef(tape_, at + 1);
    }
    return JsonRef();
}

JsonRef JsonRef::Item(size_t k) const {
    Iterator it = begin();
    for (Iterator e = end(); it != e && k > 0; ++it) --k;
    return *it;
}

std::string JsonRef::Text() const {
    std::string out;
    const JsonTape::Node& n = Node();
    switch (n.type) {
        case JsonTape::Type::Null:
            return "null";
        case JsonTape::Type::Bool:
            return n.v.b ? "true" : "false";
        case JsonTape::Type::Int:
            return std::to_string(n.v.i);
        case JsonTape::Type::Uint:
            return std::to_string(n.v.u);
        case JsonTape::Type::Double:
            AppendDoubleText(out, n.v.d);
            return out;
        case JsonTape::Type::Float:
            AppendFloatText(out, n.v.f);
            return out;
        case JsonTape::Type::String:
        case JsonTape::Type::Key:
            AppendStringText(out, Str());
            return out;
        case JsonTape::Type::Array:
            return "[...]";
        case JsonTape::Type::Object:
            return "{...}";
    }
    return out;
}

std::string JsonPath::Text() const {
    std::string out;
    Append(out);
    return out;
}

void JsonPath::Append(std::string& out) const {
    if (parent_) parent_->Append(out);
    if (base_) out += *base_;
    if (key_) {
        if (!out.empty()) out += '.';
        out += key_;
    } else if (parent_) {
        out += '[';
        out += std::to_string(index_);
        out += ']';
    }
}

PathPlace JsonPath::Place() const {
    const JsonPath* chain[8];
    int n = 0;
    for (const JsonPath* p = this; p && (p->key_ || p->parent_) && n < 8; p = p->parent_) chain[n++] = p;
    PathPlace place;
    for (int k = n - 1; k >= 0; --k) {
        const JsonPath& p = *chain[k];
        PathPlace::Step* last = place.count ? &place.steps[place.count - 1] : nullptr;
        if (!p.key_ && last && last->index < 0)
            last->index = static_cast<int32_t>(p.index_);
        else if (place.count < 3)
            place.steps[place.count++] = {p.key_, p.key_ ? -1 : static_cast<int32_t>(p.index_)};
    }
    return place;
}

std::string PathPlace::Text(const std::string& base) const {
    std::string out = base;
    for (uint8_t k = 0; k < count; ++k) {
        if (steps[k].key) {
            if (!out.empty()) out += '.';
            out += steps[k].key;
        }
        if (steps[k].index >= 0) out += "[" + std::to_string(steps[k].index) + "]";
    }
    return out;
}

namespace {

// Lays out shortest digits in "%g" style with at least one decimal: `digits` (no sign, no point) are
// the value's significant digits and `exp10` the power of ten of the last one.
template <class Out>
void AppendDigits(Out& out, const char* digits, int k, int exp10, int maxExp) {
    const int n = k + exp10;  // where the decimal point goes
    if (k <= n && n <= maxExp) {
        out.append(digits, static_cast<size_t>(k));
        out.append(static_cast<size_t>(n - k), '0');
        out += ".0";
    } else if (0 < n && n <= maxExp) {
        out.append(digits, static_cast<size_t>(n));
        out += '.';
        out.append(digits + n, static_cast<size_t>(k - n));
    } else if (-4 < n && n <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-n), '0');
        out.append(digits, static_cast<size_t>(k));
    } else {
        out += digits[0];
        if (k > 1) {
            out += '.';
            out.append(digits + 1, static_cast<size_t>(k - 1));
        }
        int e = n - 1;
        out += e < 0 ? "e-" : "e+";
        e = e < 0 ? -e : e;
        if (e < 10) out += '0';
        out += std::to_string(e);
    }
}

// From std::to_chars's shortest scientific text ("-1.2345e+02") to the layout above.
template <class Out, class T>
void AppendShortest(Out& out, T value, int maxExp) {
    if (std::signbit(value)) {
        out += '-';
        value = -value;
    }
    if (value == 0) {
        out += "0.0";
        return;
    }
    // A whole number below the type's last whole step (2^24 for float; for double the limit of plain
    // notation) reads back only from its own digits, so those are its shortest text.
    const T wholeLimit = sizeof(T) == sizeof(float) ? T(16777216) : T(1e15);
    if (value < wholeLimit && value == std::floor(value)) {
        char whole[24];
        auto end = std::to_chars(whole, whole + sizeof whole, static_cast<long long>(value)).ptr;
        out.append(whole, static_cast<size_t>(end - whole));
        out += ".0";
        return;
    }
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    *result.ptr = '\0';
    char digits[32];
    int k = 0;
    const char* p = text;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') digits[k++] = *p;
    int exp = *p == 'e' ? std::atoi(p + 1) : 0;
    AppendDigits(out, digits, k, exp - (k - 1), maxExp);
}

// Text written to a fixed array (the longest number text is far shorter than kNumberTextMax).
struct FixedText {
    char* at;
    void append(const char* s, size_t n) {
        std::memcpy(at, s, n);
        at += n;
    }
    void append(size_t n, char c) {
        std::memset(at, c, n);
        at += n;
    }
    FixedText& operator+=(char c) {
        *at++ = c;
        return *this;
    }
    FixedText& operator+=(const char* s) {
        append(s, std::strlen(s));
        return *this;
    }
    FixedText& operator+=(const std::string& s) {
        append(s.data(), s.size());
        return *this;
    }
};

}  // namespace

char* FloatText(char* out, float f) {
    FixedText text{out};
    if (!std::isfinite(f))
        text += "null";
    else
        AppendShortest(text, f, 15);
    return text.at;
}

void AppendFloatText(std::string& out, float f) {
    if (!std::isfinite(f)) {
        out += "null";
        return;
    }
    AppendShortest(out, f, 15);
}

void AppendDoubleText(std::string& out, double d) {
    if (!std::isfinite(d)) {
        out += "null";
        return;
    }
    AppendShortest(out, d, 15);
}

void AppendStringText(std::string& out, std::string_view s) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    size_t plain = 0;  // start of the run of characters copied as they are
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(s.data() + plain, i - plain);
        plain = i + 1;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
        }
    }
    out.append(s.data() + plain, s.size() - plain);
    out += '"';
}
