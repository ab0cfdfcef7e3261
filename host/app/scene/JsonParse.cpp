#include "JsonParse.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include "JsonFields.h"

namespace {

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool IsUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        unsigned c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
        if (more < 0 || c > 0xF4 || end - p <= more) return false;
        unsigned cp = c & (0x3F >> more);
        for (int k = 1; k <= more; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        p += more + 1;
    }
    return true;
}

// RapidJSON's handler: hands the top-level members over as they close, and keeps where it is in the
// value being read so that an error can name the place.
class TopHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TopHandler> {
public:
    TopHandler(JsonTopReceiver& receiver, const rapidjson::MemoryStream& stream, size_t size,
               const std::function<void(int)>& progress)
        : receiver_(receiver), stream_(stream), size_(size), progress_(progress) {}

    bool Null() {
        return Scalar([&] { tape_.Null(); });
    }
    bool Bool(bool b) {
        return Scalar([&] { tape_.Bool(b); });
    }
    bool Int(int i) {
        return Scalar([&] { tape_.Int(i); });
    }
    bool Uint(unsigned u) {
        return Scalar([&] { tape_.Uint(u); });
    }
    bool Int64(int64_t i) {
        return Scalar([&] { tape_.Int(i); });
    }
    bool Uint64(uint64_t u) {
        return Scalar([&] { tape_.Uint(u); });
    }
    bool Double(double d) {
        return Scalar([&] { tape_.Double(d); });
    }
    bool String(const char* s, rapidjson::SizeType n, bool) {
        std::string_view text(s, n);
        if (!IsUtf8(text)) Fail(HerePath(), "the text is not valid UTF-8");
        return Scalar([&] { tape_.String(text); });
    }
    bool StartObject() {
        if (state_ == State::Start) {
            state_ = State::Top;
            return true;
        }
        Open();
        tape_.StartObject();
        frames_.push_back({true, 0, 0, nullptr});
        return true;
    }
    bool Key(const char* s, rapidjson::SizeType n, bool) {
        std::string_view key(s, n);
        if (frames_.empty()) {
            if (!IsUtf8(key)) Fail(JsonPath(), "a key is not valid UTF-8");
            for (const std::string& k : topKeys_)
                if (k == key) Fail(JsonPath(), "field \"" + k + "\" is given twice");
            topKeys_.emplace_back(key);
            key_ = topKeys_.back();
            byItem_ = receiver_.Key(key);
            return true;
        }
        Frame& f = frames_.back();
        if (!IsUtf8(key)) Fail(FramePath(frames_.size() - 1), "a key is not valid UTF-8");
        CheckNewKey(f, key);
        tape_.Key(key);
        f.key = tape_.Size() - 1;
        return true;
    }
    bool EndObject(rapidjson::SizeType) {
        if (frames_.empty()) {
            state_ = State::Done;
            receiver_.End();
            return true;
        }
        frames_.pop_back();
        tape_.End();
        EndValue();
        return true;
    }
    bool StartArray() {
        if (state_ == State::Start) Fail(JsonPath(), "expected an object");
        if (byItem_ && frames_.empty() && !inItems_) {
            inItems_ = true;
            item_ = 0;
            return true;
        }
        Open();
        tape_.StartArray();
        frames_.push_back({false, 0, 0, nullptr});
        return true;
    }
    bool EndArray(rapidjson::SizeType) {
        if (frames_.empty()) {  // the end of an array taken item by item
            inItems_ = false;
            return true;
        }
        frames_.pop_back();
        tape_.End();
        EndValue();
        return true;
    }

    // The place of the value that would come next, for errors found in it.
    std::string HerePath() const {
        if (state_ == State::Start) return std::string();
        if (frames_.empty()) return Base();
        const Frame& f = frames_.back();
        std::string path = FramePath(frames_.size() - 1);
        if (f.isObject) return path + "." + std::string(tape_.Text(f.key));
        return path + "[" + std::to_string(f.next) + "]";
    }

private:
    enum class State { Start, Top, Done };
    struct Frame {
        bool isObject;
        uint32_t key;                                 // objects: the tape index of the latest key
        size_t next;                                  // arrays: the index of the next item
        std::unique_ptr<std::set<std::string>> keys;  // objects with many keys: the keys so far
    };

    // A value opens an array or object: one more level, refused past the limit before it costs memory.
    void Open() {
        if (frames_.size() >= kMaxJsonNesting)
            Fail(HerePath(), "arrays and objects are nested more than " + std::to_string(kMaxJsonNesting) +
                                 " levels deep");
        BeginValue();
    }

    template <class Add>
    bool Scalar(Add add) {
        if (state_ == State::Start) Fail(JsonPath(), "expected an object");
        BeginValue();
        add();
        EndValue();
        return true;
    }

    void BeginValue() {
        if (frames_.empty()) tape_.Clear();
    }

    // A value is complete: an item of an array moves its array on; a whole top-level value is handed over.
    void EndValue() {
        if (!frames_.empty()) {
            if (!frames_.back().isObject) ++frames_.back().next;
            return;
        }
        if (inItems_)
            receiver_.Item(key_, item_++, JsonRef(&tape_, 0));
        else
            receiver_.Value(key_, JsonRef(&tape_, 0));
        tape_.Clear();
        if (progress_) {
            int pct = static_cast<int>(stream_.Tell() * 100 / (size_ ? size_ : 1));
            if (pct != shown_) progress_(shown_ = pct);
        }
    }

    // A key of the open object must be new to it. Objects of scene files have few keys: those are compared
    // with the keys before them; an object with many keeps a set.
    void CheckNewKey(Frame& f, std::string_view key) {
        const uint32_t object = tape_.OpenContainer();
        const JsonTape::Node& node = tape_.At(object);
        bool repeated = false;
        if (node.count < 16) {
            for (uint32_t at = object + 1; at < tape_.Size() && !repeated; at = tape_.At(at + 1).end)
                repeated = SameText(tape_.Text(at), key);
        } else {
            if (!f.keys) {
                f.keys = std::make_unique<std::set<std::string>>();
                for (uint32_t at = object + 1; at < tape_.Size(); at = tape_.At(at + 1).end)
                    f.keys->emplace(tape_.Text(at));
            }
            repeated = !f.keys->emplace(key).second;
        }
        if (repeated)
            Fail(FramePath(frames_.size() - 1), "field \"" + std::string(key) + "\" is given twice");
    }

    std::string Base() const { return inItems_ ? key_ + "[" + std::to_string(item_) + "]" : key_; }

    // The path of the array or object of frame k.
    std::string FramePath(size_t k) const {
        std::string path = Base();
        for (size_t i = 0; i < k; ++i) {
            const Frame& f = frames_[i];
            if (f.isObject)
                path += "." + std::string(tape_.Text(f.key));
            else
                path += "[" + std::to_string(f.next) + "]";
        }
        return path;
    }

    JsonTopReceiver& receiver_;
    const rapidjson::MemoryStream& stream_;
    const size_t size_;
    const std::function<void(int)>& progress_;
    int shown_ = -1;
    State state_ = State::Start;
    JsonTape tape_;
    std::vector<Frame> frames_;
    std::vector<std::string> topKeys_;
    std::string key_;
    bool byItem_ = false;
    bool inItems_ = false;
    size_t item_ = 0;
};

// "Missing a comma or '}' after an object member." as "missing a comma or '}' after an object member".
std::string Describe(rapidjson::ParseErrorCode code) {
    std::string what = rapidjson::GetParseError_En(code);
    if (!what.empty() && what.back() == '.') what.pop_back();
    if (!what.empty() && what[0] >= 'A' && what[0] <= 'Z') what[0] = static_cast<char>(what[0] - 'A' + 'a');
    return what;
}

}  // namespace

void ParseJsonTop(const char* text, size_t size, JsonTopReceiver& receiver,
                  const std::function<void(int)>& progress) {
    rapidjson::Reader reader;
    rapidjson::MemoryStream stream(text, size);
    TopHandler handler(receiver, stream, size, progress);
    rapidjson::ParseResult result =
        reader.Parse<rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag>(stream, handler);
    if (!result) {
        const size_t at = result.Offset();
        if (result.Code() == rapidjson::kParseErrorNumberTooBig) {
            size_t stop = at;
            while (stop < size &&
                   std::string_view("+-.0123456789eE").find(text[stop]) != std::string_view::npos)
                ++stop;
            Fail(handler.HerePath(), "number overflow parsing '" + std::string(text + at, stop - at) + "'");
        }
        size_t line = 1, lineStart = 0;
        for (size_t k = 0; k < at && k < size; ++k)
            if (text[k] == '\n') {
                ++line;
                lineStart = k + 1;
            }
        throw SceneError("line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1) +
                         ": " + Describe(result.Code()));
    }
    if (progress) progress(100);
}
