#include "JsonFields.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

void Fail(const std::string& path, const std::string& message) {
    throw SceneError((path.empty() ? std::string("top level") : path) + ": " + message);
}

std::string Member(const std::string& path, const char* key) {
    return path.empty() ? std::string(key) : path + "." + key;
}

std::string Item(const std::string& path, size_t i) { return path + "[" + std::to_string(i) + "]"; }

void ExpectFields(const Json& j, const std::string& path, std::initializer_list<const char*> allowed,
                  std::initializer_list<const char*> required) {
    if (!j.is_object()) Fail(path, "expected an object");
    for (const auto& item : j.items()) {
        bool known = false;
        for (const char* a : allowed) known = known || item.key() == a;
        if (!known) Fail(path, "unknown field \"" + item.key() + "\"");
    }
    for (const char* r : required)
        if (!j.contains(r)) Fail(path, std::string("missing field \"") + r + "\"");
}

void ExpectArray(const Json& j, const std::string& path) {
    if (!j.is_array()) Fail(path, "expected an array");
}

const Json* Find(const Json& j, const char* key) {
    auto it = j.find(key);
    return it == j.end() ? nullptr : &*it;
}

bool ReadBool(const Json& j, const std::string& path, const std::string& what) {
    if (!j.is_boolean()) Fail(path, "expected true or false" + what);
    return j.get<bool>();
}

long long ReadInteger(const Json& j, const std::string& path, long long min, long long max,
                      const std::string& what) {
    if (!j.is_number_integer()) Fail(path, "expected an integer" + what);
    bool tooBig =
        j.is_number_unsigned() &&
        j.get<unsigned long long>() > static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    long long v = tooBig ? 0 : j.get<long long>();
    if (tooBig || v < min || v > max)
        Fail(path,
             j.dump() + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
    return v;
}

int ReadInt(const Json& j, const std::string& path, const std::string& what) {
    return static_cast<int>(
        ReadInteger(j, path, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), what));
}

float ReadFloat(const Json& j, const std::string& path, const std::string& what) {
    if (!j.is_number()) Fail(path, "expected a number" + what);
    double d = j.get<double>();
    if (!(std::fabs(d) <= FLT_MAX)) Fail(path, j.dump() + " is out of range for a float");
    return static_cast<float>(d);
}

namespace {
void ReadTriple(const Json& j, const std::string& path, const char* shape, const std::string& what,
                float out[3]) {
    if (!j.is_array() || j.size() != 3) Fail(path, std::string("expected ") + shape + what);
    for (size_t k = 0; k < 3; ++k) {
        if (!j[k].is_number()) Fail(Item(path, k), "expected a number");
        out[k] = ReadFloat(j[k], Item(path, k));
    }
}
}  // namespace

Color ReadColor(const Json& j, const std::string& path, const std::string& what) {
    float v[3];
    ReadTriple(j, path, "[r, g, b]", what, v);
    return Color(v[0], v[1], v[2]);
}

Point3 ReadPoint3(const Json& j, const std::string& path, const std::string& what) {
    float v[3];
    ReadTriple(j, path, "[x, y, z]", what, v);
    return Point3(v[0], v[1], v[2]);
}

std::wstring ReadString(const Json& j, const std::string& path, const std::string& what) {
    if (!j.is_string()) Fail(path, "expected a string" + what);
    return WStr::FromUTF8(j.get<std::string>()).wstring();
}

std::optional<long long> ReadIdOrNull(const Json& j, const std::string& path, const std::string& what) {
    if (j.is_null()) return std::nullopt;
    if (!j.is_number_integer()) Fail(path, "expected an id (an integer from 0) or null" + what);
    return ReadId(j, path);
}

long long ReadId(const Json& j, const std::string& path) {
    if (!j.is_number_integer() || (!j.is_number_unsigned() && j.get<long long>() < 0))
        Fail(path, "expected an id (an integer from 0)");
    return ReadInteger(j, path, 0, std::numeric_limits<long long>::max());
}

Json FloatValue(float f) {
    if (!std::isfinite(f)) return Json(nullptr);
    char buffer[40];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(f));
        double d = std::strtod(buffer, nullptr);
        if (static_cast<float>(d) == f) return Json(d);
    }
    return Json(static_cast<double>(f));
}

Json ColorValue(const Color& c) { return Json::array({FloatValue(c.r), FloatValue(c.g), FloatValue(c.b)}); }

Json Point3Value(const Point3& p) { return Json::array({FloatValue(p.x), FloatValue(p.y), FloatValue(p.z)}); }

Json StringValue(const MCHAR* s) { return Json(WStr(s).ToUTF8()); }
