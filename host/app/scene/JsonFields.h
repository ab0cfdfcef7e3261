#pragma once

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "hostcore.h"
#include "max.h"

// Scene files keep their keys in the order written.
using Json = nlohmann::ordered_json;

// The one error a scene file gets: the place as a JSON path, then what is wrong there.
class SceneError : public std::runtime_error {
public:
    explicit SceneError(const std::string& message) : std::runtime_error(message) {}
};

// Throws SceneError("<path>: <message>"); the top level is called "top level".
[[noreturn]] void Fail(const std::string& path, const std::string& message);

// path.key and path[i].
std::string Member(const std::string& path, const char* key);
std::string Item(const std::string& path, size_t i);

// Checks that j is an object whose keys are all in `allowed` and that has every key in `required`.
void ExpectFields(const Json& j, const std::string& path, std::initializer_list<const char*> allowed,
                  std::initializer_list<const char*> required = {});
void ExpectArray(const Json& j, const std::string& path);
// The member, or null when the object lacks it.
const Json* Find(const Json& j, const char* key);

// Typed values; `what` ends the message ("expected a number<what>").
bool ReadBool(const Json& j, const std::string& path, const std::string& what = "");
long long ReadInteger(const Json& j, const std::string& path, long long min, long long max,
                      const std::string& what = "");
int ReadInt(const Json& j, const std::string& path, const std::string& what = "");
float ReadFloat(const Json& j, const std::string& path, const std::string& what = "");
Color ReadColor(const Json& j, const std::string& path, const std::string& what = "");
Point3 ReadPoint3(const Json& j, const std::string& path, const std::string& what = "");
std::wstring ReadString(const Json& j, const std::string& path, const std::string& what = "");
// An id (an integer from 0) or null.
std::optional<long long> ReadIdOrNull(const Json& j, const std::string& path, const std::string& what = "");
long long ReadId(const Json& j, const std::string& path);

// Values as written: a float becomes the shortest number that reads back as the same float, so files
// show 0.1 rather than 0.10000000149011612.
Json FloatValue(float f);
Json ColorValue(const Color& c);
Json Point3Value(const Point3& p);
Json StringValue(const MCHAR* s);
