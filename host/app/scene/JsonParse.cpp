#include "JsonParse.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include "InOrder.h"
#include "JsonFields.h"

#include "JsonStream.h"

// Scene files are indented: a third of their text is spaces, passed a run at a time.
namespace rapidjson {
template <>
inline void SkipWhitespace(JsonStream& is) {
    is.SkipWhitespace();
}
}  // namespace rapidjson

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

// What the reader found, in document order, for the receiver: top-level values on a tape of their own
// batch, and the share of the text read. A batch ends with the error that stopped the reading, if any.
struct Event {
    enum Kind { Key, Value, Item, End, Progress } kind;
    const std::string* key;  // Key, Value and Item: the reader's copy, which stays
    size_t index;            // Item
    uint32_t root;           // Value and Item: where the value starts on the tape
    int percent;             // Progress
};

struct Batch {
    JsonTape tape;
    std::vector<Event> events;
    std::exception_ptr error;
    bool last = false;

    void Clear() {
        tape.Clear();
        events.clear();
    }
};

// A batch is handed over once its tape holds this many values, at the end of a top-level value.
constexpr uint32_t kBatchNodes = 1 << 14;
// Files smaller than this are read on one thread.
constexpr size_t kThreadedParseSize = 4 << 20;

// Gives a batch's events to the receiver, then throws the error it ends with.
void Dispatch(const Batch& batch, JsonTopReceiver& receiver, const std::function<void(int)>& progress) {
    for (const Event& e : batch.events) {
        switch (e.kind) {
            case Event::Key:
                receiver.Key(*e.key);
                break;
            case Event::Value:
                receiver.Value(*e.key, JsonRef(&batch.tape, e.root));
                break;
            case Event::Item:
                receiver.Item(*e.key, e.index, JsonRef(&batch.tape, e.root));
                break;
            case Event::End:
                receiver.End();
                break;
            case Event::Progress:
                if (progress) progress(e.percent);
                break;
        }
    }
    if (batch.error) std::rethrow_exception(batch.error);
}

// Batches between the reading thread and the receiver's: full ones in order one way, emptied ones back.
class Channel {
public:
    explicit Channel(size_t batches) : batches_(batches) {
        for (Batch& b : batches_) free_.push_back(&b);
    }
    // The reader: a batch to fill, or null once the receiver stopped.
    Batch* Free() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || !free_.empty(); });
        if (stopped_) return nullptr;
        Batch* b = free_.back();
        free_.pop_back();
        b->Clear();
        return b;
    }
    void Full(Batch* b) {
        std::lock_guard<std::mutex> lock(mutex_);
        full_.push_back(b);
        changed_.notify_all();
    }
    // The receiver: the next full batch, waiting for it.
    Batch* Next() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return !full_.empty(); });
        Batch* b = full_.front();
        full_.erase(full_.begin());
        return b;
    }
    void Done(Batch* b) {
        std::lock_guard<std::mutex> lock(mutex_);
        free_.push_back(b);
        changed_.notify_all();
    }
    void Stop() {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Batch> batches_;
    std::vector<Batch*> free_, full_;
    bool stopped_ = false;
};

// RapidJSON's handler: puts the top-level members in batches as they close, and keeps where it is in
// the value being read so that an error can name the place. A full batch goes to `hand`, which answers
// the batch to fill next, or null to stop reading.
class TopHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TopHandler> {
public:
    TopHandler(const JsonTopReceiver& receiver, const JsonStream& stream, size_t size,
               std::deque<std::string>& topKeys, Batch* batch, const std::function<Batch*(Batch*)>& hand)
        : receiver_(receiver),
          stream_(stream),
          size_(size),
          batch_(batch),
          tape_(&batch->tape),
          hand_(hand),
          topKeys_(topKeys) {}

    Batch* Current() const { return batch_; }
    bool Stopped() const { return batch_ == nullptr; }

    bool Null() {
        return Scalar([&] { tape_->Null(); });
    }
    bool Bool(bool b) {
        return Scalar([&] { tape_->Bool(b); });
    }
    bool Int(int i) {
        return Scalar([&] { tape_->Int(i); });
    }
    bool Uint(unsigned u) {
        return Scalar([&] { tape_->Uint(u); });
    }
    bool Int64(int64_t i) {
        return Scalar([&] { tape_->Int(i); });
    }
    bool Uint64(uint64_t u) {
        return Scalar([&] { tape_->Uint(u); });
    }
    bool Double(double d) {
        return Scalar([&] { tape_->Double(d); });
    }
    bool String(const char* s, rapidjson::SizeType n, bool) {
        std::string_view text(s, n);
        if (!IsUtf8(text)) Fail(HerePath(), "the text is not valid UTF-8");
        return Scalar([&] { tape_->String(text); });
    }
    bool StartObject() {
        if (state_ == State::Start) {
            state_ = State::Top;
            return true;
        }
        Open();
        tape_->StartObject();
        frames_.push_back({true, 0, 0, 0, nullptr});
        return true;
    }
    bool Key(const char* s, rapidjson::SizeType n, bool) {
        std::string_view key(s, n);
        if (frames_.empty()) {
            if (!IsUtf8(key)) Fail(JsonPath(), "a key is not valid UTF-8");
            for (const std::string& k : topKeys_)
                if (k == key) Fail(JsonPath(), "field \"" + k + "\" is given twice");
            topKeys_.emplace_back(key);
            byItem_ = receiver_.ByItem(key);
            batch_->events.push_back({Event::Key, &topKeys_.back(), 0, 0, 0});
            return true;
        }
        Frame& f = frames_.back();
        if (!IsUtf8(key)) Fail(FramePath(frames_.size() - 1), "a key is not valid UTF-8");
        CheckNewKey(f, key);
        tape_->Key(key);
        f.key = tape_->Size() - 1;
        return true;
    }
    bool EndObject(rapidjson::SizeType) {
        if (frames_.empty()) {
            state_ = State::Done;
            batch_->events.push_back({Event::End, nullptr, 0, 0, 0});
            return true;
        }
        frames_.pop_back();
        tape_->End();
        return EndValue();
    }
    bool StartArray() {
        if (state_ == State::Start) Fail(JsonPath(), "expected an object");
        if (byItem_ && frames_.empty() && !inItems_) {
            inItems_ = true;
            item_ = 0;
            return true;
        }
        Open();
        tape_->StartArray();
        frames_.push_back({false, 0, 0, 0, nullptr});
        return true;
    }
    bool EndArray(rapidjson::SizeType) {
        if (frames_.empty()) {  // the end of an array taken item by item
            inItems_ = false;
            return true;
        }
        frames_.pop_back();
        tape_->End();
        return EndValue();
    }

    // The place of the value that would come next, for errors found in it.
    std::string HerePath() const {
        if (state_ == State::Start) return std::string();
        if (frames_.empty()) return Base();
        const Frame& f = frames_.back();
        std::string path = FramePath(frames_.size() - 1);
        if (f.isObject) return path + "." + std::string(tape_->Text(f.key));
        return path + "[" + std::to_string(f.next) + "]";
    }

private:
    enum class State { Start, Top, Done };
    struct Frame {
        bool isObject;
        uint32_t key;                                 // objects: the tape index of the latest key
        size_t next;                                  // arrays: the index of the next item
        uint64_t seen;                                // objects: a bit for each key so far (KeyBit)
        std::unique_ptr<std::set<std::string>> keys;  // objects with many keys: the keys so far
    };

    // One of 64 bits for a key: two keys with different bits differ.
    static uint64_t KeyBit(std::string_view key) {
        const unsigned h = key.empty() ? 0u
                                       : key.size() * 7u + static_cast<unsigned char>(key[0]) * 3u +
                                             static_cast<unsigned char>(key.back());
        return uint64_t{1} << (h & 63u);
    }

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
        return EndValue();
    }

    void BeginValue() {
        if (frames_.empty()) root_ = tape_->Size();
    }

    // A value is complete: an item of an array moves its array on; a whole top-level value goes in the
    // batch, and a full batch is handed over.
    bool EndValue() {
        if (!frames_.empty()) {
            if (!frames_.back().isObject) ++frames_.back().next;
            return true;
        }
        if (inItems_)
            batch_->events.push_back({Event::Item, &topKeys_.back(), item_++, root_, 0});
        else
            batch_->events.push_back({Event::Value, &topKeys_.back(), 0, root_, 0});
        // A file that grew while it is read stays at 100 until its end; one of no known size (a pipe) at 0.
        const int pct = size_ ? static_cast<int>(std::min<size_t>(stream_.Tell() * 100 / size_, 100)) : 0;
        if (pct != shown_) batch_->events.push_back({Event::Progress, nullptr, 0, 0, shown_ = pct});
        if (tape_->Size() < kBatchNodes) return true;
        batch_ = hand_(batch_);
        if (!batch_) return false;
        tape_ = &batch_->tape;
        return true;
    }

    // A key of the open object must be new to it. Objects of scene files have few keys: those are compared
    // with the keys before them; an object with many keeps a set.
    void CheckNewKey(Frame& f, std::string_view key) {
        // Most keys are new to their object by their bit alone.
        const uint64_t bit = KeyBit(key);
        const bool maybeSeen = (f.seen & bit) != 0;
        f.seen |= bit;
        if (!maybeSeen && !f.keys) return;
        const uint32_t object = tape_->OpenContainer();
        const JsonTape::Node& node = tape_->At(object);
        bool repeated = false;
        if (node.count < 64) {
            for (uint32_t at = object + 1; at < tape_->Size() && !repeated; at = tape_->At(at + 1).end)
                repeated = SameText(tape_->Text(at), key);
        } else {
            if (!f.keys) {
                f.keys = std::make_unique<std::set<std::string>>();
                for (uint32_t at = object + 1; at < tape_->Size(); at = tape_->At(at + 1).end)
                    f.keys->emplace(tape_->Text(at));
            }
            repeated = !f.keys->emplace(key).second;
        }
        if (repeated)
            Fail(FramePath(frames_.size() - 1), "field \"" + std::string(key) + "\" is given twice");
    }

    // The path of the top-level value being read: its key, and its index in an array read by item.
    std::string Base() const {
        const std::string key = topKeys_.empty() ? std::string() : topKeys_.back();
        return inItems_ ? key + "[" + std::to_string(item_) + "]" : key;
    }

    // The path of the array or object of frame k.
    std::string FramePath(size_t k) const {
        std::string path = Base();
        for (size_t i = 0; i < k; ++i) {
            const Frame& f = frames_[i];
            if (f.isObject)
                path += "." + std::string(tape_->Text(f.key));
            else
                path += "[" + std::to_string(f.next) + "]";
        }
        return path;
    }

    const JsonTopReceiver& receiver_;
    const JsonStream& stream_;
    const size_t size_;
    Batch* batch_;
    JsonTape* tape_;
    const std::function<Batch*(Batch*)>& hand_;
    uint32_t root_ = 0;
    int shown_ = -1;
    State state_ = State::Start;
    std::vector<Frame> frames_;
    std::deque<std::string>& topKeys_;  // the keys of the top level, in order, for the receiver too
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

// Reads the whole text into batches, each handed to `hand` as it fills; the last one, marked so, may end
// with the error that stopped the reading. Stops without a last batch when `hand` answers null. The
// batches' events name the keys in `topKeys`, which must outlive them. `size` is the text's expected size.
void Produce(JsonStream& stream, size_t size, const JsonTopReceiver& receiver,
             std::deque<std::string>& topKeys, Batch* batch, const std::function<Batch*(Batch*)>& hand) {
    rapidjson::Reader reader;
    TopHandler handler(receiver, stream, size, topKeys, batch, hand);
    try {
        stream.Start();
        rapidjson::ParseResult result =
            reader.Parse<rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag>(stream,
                                                                                              handler);
        if (handler.Stopped()) return;
        if (!result) {
            if (result.Code() == rapidjson::kParseErrorNumberTooBig)
                Fail(handler.HerePath(),
                     "number overflow parsing '" + stream.NumberAt(result.Offset()) + "'");
            const auto [line, column] = stream.LineAndColumn(result.Offset());
            throw SceneError("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
                             Describe(result.Code()));
        }
    } catch (...) {
        if (handler.Stopped()) return;
        handler.Current()->error = std::current_exception();
    }
    handler.Current()->last = true;
    hand(handler.Current());
}

// Reads the stream's text as ParseJsonTop says.
void ParseStream(JsonStream& stream, size_t size, JsonTopReceiver& receiver,
                 const std::function<void(int)>& progress, unsigned threads) {
    if (threads == 0) threads = size >= kThreadedParseSize ? WorkThreads() : 1;
    std::deque<std::string> topKeys;
    if (threads < 2) {
        // Each batch goes to the receiver as soon as it is full; an error stops the reading.
        Batch batch;
        std::exception_ptr error;
        Produce(stream, size, receiver, topKeys, &batch, [&](Batch* b) -> Batch* {
            try {
                Dispatch(*b, receiver, progress);
            } catch (...) {
                error = std::current_exception();
                return nullptr;
            }
            b->Clear();
            return b;
        });
        if (error) std::rethrow_exception(error);
    } else {
        // The text is read on a thread of its own while the receiver takes the batches in order here.
        Channel channel(3);
        std::thread reading([&] {
            if (Batch* first = channel.Free())
                Produce(stream, size, receiver, topKeys, first, [&](Batch* b) {
                    channel.Full(b);
                    return b->last ? nullptr : channel.Free();
                });
        });
        try {
            for (bool last = false; !last;) {
                Batch* b = channel.Next();
                last = b->last;
                Dispatch(*b, receiver, progress);
                channel.Done(b);
            }
        } catch (...) {
            channel.Stop();
            reading.join();
            throw;
        }
        reading.join();
    }
    if (progress) progress(100);
}

}  // namespace

void ParseJsonTop(const char* text, size_t size, JsonTopReceiver& receiver,
                  const std::function<void(int)>& progress, unsigned threads) {
    JsonStream stream(text, size);
    ParseStream(stream, size, receiver, progress, threads);
}

void ParseJsonTop(std::FILE* file, size_t size, JsonTopReceiver& receiver,
                  const std::function<void(int)>& progress, unsigned threads, size_t chunkSize) {
    JsonStream stream(file, chunkSize);
    ParseStream(stream, size, receiver, progress, threads);
}
