#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "JsonValue.h"
#include "hostcore.h"
#include "max.h"

// The one error a scene file gets: the place as a JSON path, then what is wrong there.
class SceneError : public std::runtime_error {
public:
    explicit SceneError(const std::string& message) : std::runtime_error(message) {}
};

// Throws SceneError("<path>: <message>"); the top level is called "top level".
[[noreturn]] void Fail(const std::string& path, const std::string& message);
[[noreturn]] void Fail(const JsonPath& path, const std::string& message);

// What ends a message about a value of the wrong kind ("expected a number<what>"): a text such as
// " for the key's time", or " for <a parameter of the type>".
struct What {
    const char* text = "";
    int paramType = -1;
    std::string Text() const;
};

// Checks that j is an object whose keys are all in `allowed` and that has the first `required` of them.
// Answers the members named in `allowed`, in that order, found in one walk over the object; a member the
// object does not have does not exist.
void FindFields(JsonRef j, const JsonPath& path, const char* const* allowed, size_t count, size_t required,
                JsonRef* out);
template <size_t N>
std::array<JsonRef, N> Fields(JsonRef j, const JsonPath& path, const char* const (&allowed)[N],
                              size_t required = 0) {
    std::array<JsonRef, N> out;
    FindFields(j, path, allowed, N, required, out.data());
    return out;
}
void ExpectArray(JsonRef j, const JsonPath& path);

// Typed values.
bool ReadBool(JsonRef j, const JsonPath& path, What what = {});
long long ReadInteger(JsonRef j, const JsonPath& path, long long min, long long max, What what = {});
int ReadInt(JsonRef j, const JsonPath& path, What what = {});
float ReadFloat(JsonRef j, const JsonPath& path, What what = {});
Color ReadColor(JsonRef j, const JsonPath& path, What what = {});
Point3 ReadPoint3(JsonRef j, const JsonPath& path, What what = {});
std::wstring ReadString(JsonRef j, const JsonPath& path, What what = {});
// An id (an integer from 0) or null.
std::optional<long long> ReadIdOrNull(JsonRef j, const JsonPath& path, What what = {});
long long ReadId(JsonRef j, const JsonPath& path);
