#include "JsonParse.h"

#include <set>
#include <vector>

namespace {

// Where the parser is: one frame per open object or array.
class PathTracker {
public:
    bool operator()(int, Json::parse_event_t event, Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start: {
                std::string path = NextPath();
                frames_.push_back({event == Json::parse_event_t::object_start, std::move(path), {}, {}, 0});
                break;
            }
            case Json::parse_event_t::key: {
                Frame& f = frames_.back();
                f.key = parsed.get<std::string>();
                if (!f.keys.insert(f.key).second) Fail(f.path, "field \"" + f.key + "\" is given twice");
                break;
            }
            case Json::parse_event_t::value:
                NextPath();
                break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.pop_back();
                break;
        }
        return true;
    }

    // The path of the value the parser is reading now, for errors it finds inside a value.
    std::string Here() const {
        if (frames_.empty()) return std::string();
        const Frame& f = frames_.back();
        return f.isObject ? Member(f.path, f.key.c_str()) : Item(f.path, f.next);
    }

private:
    struct Frame {
        bool isObject;
        std::string path;
        std::set<std::string> keys;
        std::string key;
        size_t next;
    };
    // The path of the value that starts now.
    std::string NextPath() {
        if (frames_.empty()) return std::string();
        Frame& f = frames_.back();
        return f.isObject ? Member(f.path, f.key.c_str()) : Item(f.path, f.next++);
    }
    std::vector<Frame> frames_;
};

}  // namespace

Json ParseSceneJson(const std::string& text) {
    PathTracker tracker;
    try {
        return Json::parse(text, [&tracker](int depth, Json::parse_event_t event, Json& parsed) {
            return tracker(depth, event, parsed);
        });
    } catch (const Json::parse_error& e) {
        // The library's message reads "[json.exception.parse_error.101] parse error at line 3, column 7:
        // ...".
        std::string what = e.what();
        size_t at = what.find("line ");
        throw SceneError(at == std::string::npos ? "not a JSON document: " + what : what.substr(at));
    } catch (const Json::exception& e) {
        // Errors found inside a value (a number too large for any float) carry no position.
        std::string what = e.what();
        size_t at = what.find("] ");
        Fail(tracker.Here(), at == std::string::npos ? what : what.substr(at + 2));
    }
}
