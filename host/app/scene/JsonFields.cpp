#include "JsonFields.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "ParamTypes.h"

void Fail(const std::string& path, const std::string& message) {
    throw SceneError((path.empty() ? std::string("top level") : path) + ": " + message);
}

void Fail(const JsonPath& path, const std::string& message) { Fail(path.Text(), message); }

std::string What::Text() const { return paramType >= 0 ? " for " + ParameterOfType(paramType) : text; }

void FindFields(JsonRef j, const JsonPath& path, const char* const* allowed, size_t count, size_t required,
                JsonRef* out) {
    if (!j.IsObject()) Fail(path, "expected an object");
    // Files written by the host give the members in the order of `allowed`: each is tried where the one
    // before it left off first.
    size_t next = 0;
    for (auto it = j.begin(), end = j.end(); it != end; ++it) {
        const std::string_view key = it.Key();
        size_t k = next < count && IsKey(key, allowed[next]) ? next : 0;
        while (k < count && !IsKey(key, allowed[k])) ++k;
        if (k == count) Fail(path, "unknown field \"" + std::string(key) + "\"");
        out[k] = *it;
        next = k + 1;
    }
    for (size_t k = 0; k < required; ++k)
        if (!out[k]) Fail(path, std::string("missing field \"") + allowed[k] + "\"");
}

void ExpectArray(JsonRef j, const JsonPath& path) {
    if (!j.IsArray()) Fail(path, "expected an array");
}

bool ReadBool(JsonRef j, const JsonPath& path, What what) {
    if (!j.IsBool()) Fail(path, "expected true or false" + what.Text());
    return j.Bool();
}

long long ReadInteger(JsonRef j, const JsonPath& path, long long min, long long max, What what) {
    if (!j.IsInteger()) Fail(path, "expected an integer" + what.Text());
    bool tooBig =
        j.IsUnsigned() && j.Uint() > static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    long long v = tooBig ? 0 : j.IsUnsigned() ? static_cast<long long>(j.Uint()) : j.Int();
    if (tooBig || v < min || v > max)
        Fail(path,
             j.Text() + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
    return v;
}

int ReadInt(JsonRef j, const JsonPath& path, What what) {
    return static_cast<int>(
        ReadInteger(j, path, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), what));
}

float ReadFloat(JsonRef j, const JsonPath& path, What what) {
    float nonFinite;
    if (j.IsString() && ParseNonFinite(j.Str(), &nonFinite)) return nonFinite;
    if (!j.IsNumber()) Fail(path, "expected a number" + what.Text());
    double d = j.Number();
    if (!(std::fabs(d) <= FLT_MAX)) Fail(path, j.Text() + " is out of range for a float");
    return static_cast<float>(d);
}

namespace {
void ReadTriple(JsonRef j, const JsonPath& path, const char* shape, What what, float out[3]) {
    if (!j.IsArray() || j.Size() != 3) Fail(path, std::string("expected ") + shape + what.Text());
    size_t k = 0;
    for (JsonRef v : j) {
        out[k] = ReadFloat(v, path.Item(k));
        ++k;
    }
}
}  // namespace

Color ReadColor(JsonRef j, const JsonPath& path, What what) {
    float v[3];
    ReadTriple(j, path, "[r, g, b]", what, v);
    return Color(v[0], v[1], v[2]);
}

Point3 ReadPoint3(JsonRef j, const JsonPath& path, What what) {
    float v[3];
    ReadTriple(j, path, "[x, y, z]", what, v);
    return Point3(v[0], v[1], v[2]);
}

std::wstring ReadString(JsonRef j, const JsonPath& path, What what) {
    if (!j.IsString()) Fail(path, "expected a string" + what.Text());
    const std::string_view text = j.Str();
    if (text.find('\0') != std::string_view::npos)
        Fail(path, "a text may not hold the character U+0000 (the host ends texts there)" + what.Text());
    // Most texts are ASCII, widened as they are.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::wstring(text.begin(), text.end());
    return WStr::FromUTF8(std::string(text)).wstring();
}

std::optional<long long> ReadIdOrNull(JsonRef j, const JsonPath& path, What what) {
    if (j.IsNull()) return std::nullopt;
    if (!j.IsInteger()) Fail(path, "expected an id (an integer from 0) or null" + what.Text());
    return ReadId(j, path);
}

long long ReadId(JsonRef j, const JsonPath& path) {
    if (!j.IsInteger() || !j.IsUnsigned()) Fail(path, "expected an id (an integer from 0)");
    return ReadInteger(j, path, 0, std::numeric_limits<long long>::max());
}
