#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "JsonFields.h"
#include "JsonParse.h"
#include "SceneTestSupport.h"
#include "SceneWriter.h"

// Reading and writing on several threads give exactly what one thread gives, errors included.

namespace {

// Logs what the reader hands over, and refuses one item when asked.
class Recorder : public JsonTopReceiver {
public:
    explicit Recorder(size_t refuse) : refuse_(refuse) {}
    bool ByItem(std::string_view key) const override { return key == "items"; }
    void Key(std::string_view key) override { log += "key " + std::string(key) + "\n"; }
    void Value(std::string_view key, JsonRef v) override {
        log += std::string(key) + " " + std::to_string(v.Size()) + "\n";
    }
    void Item(std::string_view, size_t index, JsonRef v) override {
        if (index == refuse_) Fail("items[" + std::to_string(index) + "]", "refused");
        log += std::to_string(v["n"].Uint()) + std::string(v["s"].IsString() ? v["s"].Str() : "?") + "\n";
    }
    void End() override { log += "end\n"; }
    std::string log;

private:
    size_t refuse_;
};

// A document whose items fill many of the reader's batches; `item` may change the text of one.
std::string Document(size_t items, size_t changed, const std::string& item) {
    std::string text = "{\"head\": [1, 2],\n\"items\": [";
    for (size_t i = 0; i < items; ++i) {
        if (i) text += ",\n";
        text += i == changed ? item
                             : "{\"n\": " + std::to_string(i) +
                                   ", \"v\": [0.5, -3, true, null, {\"k\": []}], \"s\": \"x\"}";
    }
    return text + "],\n\"tail\": {\"a\": 1}}";
}

struct Outcome {
    std::string log, error;
    std::vector<int> progress;
};

Outcome Parse(const std::string& text, size_t refuse, unsigned threads) {
    Outcome o;
    Recorder r(refuse);
    try {
        ParseJsonTop(
            text.data(), text.size(), r, [&](int pct) { o.progress.push_back(pct); }, threads);
    } catch (const SceneError& e) {
        o.error = e.what();
    }
    o.log = std::move(r.log);
    return o;
}

TEST(SceneThreads, ReadingOnTwoThreadsHandsOverWhatOneThreadDoes) {
    const size_t kItems = 20000;
    const size_t kLate = 15000;
    struct Case {
        const char* what;
        std::string text;
        size_t refuse;
        const char* error;  // the start of the message; "" for none
    } cases[] = {
        {"a whole document", Document(kItems, SIZE_MAX, ""), SIZE_MAX, ""},
        {"the receiver refuses a late item", Document(kItems, SIZE_MAX, ""), kLate, "items[15000]: refused"},
        {"text that is not JSON late in the document", Document(kItems, kLate, "{\"n\": 1,}"), SIZE_MAX,
         "line 15002"},
        {"a key given twice", Document(kItems, kLate, "{\"n\": 1, \"n\": 2}"), SIZE_MAX,
         "items[15000]: field \"n\" is given twice"},
        {"text that is not UTF-8", Document(kItems, kLate, "{\"n\": 1, \"s\": \"\xC3\"}"), SIZE_MAX,
         "items[15000].s: the text is not valid UTF-8"},
        {"a refused item before bad text", Document(kItems, kLate, "{,}"), 8000, "items[8000]: refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome one = Parse(c.text, c.refuse, 1);
        const Outcome two = Parse(c.text, c.refuse, 2);
        EXPECT_EQ(one.error.rfind(c.error, 0), 0u) << one.error;
        EXPECT_EQ(two.error, one.error);
        EXPECT_EQ(two.log, one.log);
        EXPECT_EQ(two.progress, one.progress);
        EXPECT_TRUE(std::is_sorted(one.progress.begin(), one.progress.end()));
        if (!*c.error) {
            EXPECT_EQ(one.progress.back(), 100);
        }
    }
}

class SceneThreadsWrite : public SceneFileTest {};

TEST_F(SceneThreadsWrite, WritingOnSeveralThreadsGivesTheSameTextAndStopsAtAFailedWrite) {
    // Far more objects than one piece of the list holds: a material and the map it makes, on a node each.
    for (int i = 0; i < 6000; ++i) {
        auto* m = new SceneTestMtl;
        m->SetName((_M("M") + std::to_wstring(i)).c_str());
        HostCore::Get().CreateNode(_M("N"))->SetMtl(m);
    }
    auto write = [](unsigned threads, int failAt, std::vector<int>* progress) {
        std::string text;
        int pieces = 0;
        WriteScene(
            [&](const std::string& piece) {
                if (++pieces == failAt) throw std::runtime_error("disk full");
                text += piece;
            },
            [&](int pct) { progress->push_back(pct); }, threads);
        return text;
    };
    std::vector<int> firstProgress;
    const std::string first = write(1, 0, &firstProgress);
    EXPECT_EQ(firstProgress.back(), 100);
    for (unsigned threads : {2u, 3u}) {
        std::vector<int> progress;
        EXPECT_EQ(write(threads, 0, &progress), first);
        EXPECT_EQ(progress, firstProgress);
        EXPECT_THROW(write(threads, 3, &progress), std::runtime_error);
    }
}

}  // namespace
