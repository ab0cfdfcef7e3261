#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "JsonFields.h"
#include "JsonParse.h"
#include "SceneTestSupport.h"
#include "SceneWriter.h"

// Reading and writing on several threads, and reading a file a chunk at a time, give exactly what one
// thread gives with the whole text in memory, errors included.

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

// A document whose items fill many of the reader's batches; `item` may change the text of one. Items are
// indented by runs of up to 39 spaces and tabs, which cross a file's chunks at every offset.
std::string Document(size_t items, size_t changed, const std::string& item) {
    std::string text = "{\"head\": [1, 2],\n\"items\": [";
    for (size_t i = 0; i < items; ++i) {
        if (i) text += ",\n" + std::string(i % 37, ' ') + std::string(i % 3, '\t');
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

// A file holding a text, open for reading, and removed when done with.
class TextFile {
public:
    explicit TextFile(const std::string& text) {
        std::random_device random;
        path_ =
            std::filesystem::temp_directory_path() / ("scene_stream_" + std::to_string(random()) + ".json");
        std::ofstream(path_, std::ios::binary) << text;
        file_ = std::fopen(path_.string().c_str(), "rb");
    }
    ~TextFile() {
        if (file_) std::fclose(file_);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    std::FILE* get() const { return file_; }

private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
};

// Reads the text from memory, or (`chunk` not 0) from a file `chunk` bytes at a time, expecting `size`.
Outcome Parse(const std::string& text, size_t refuse, unsigned threads, size_t chunk = 0,
              size_t size = SIZE_MAX) {
    Outcome o;
    Recorder r(refuse);
    const auto progress = [&](int pct) { o.progress.push_back(pct); };
    try {
        if (chunk == 0) {
            ParseJsonTop(text.data(), text.size(), r, progress, threads);
        } else {
            const TextFile file(text);
            ParseJsonTop(file.get(), size == SIZE_MAX ? text.size() : size, r, progress, threads, chunk);
        }
    } catch (const SceneError& e) {
        o.error = e.what();
    }
    o.log = std::move(r.log);
    return o;
}

TEST(SceneThreads, ReadingOnTwoThreadsOrFromAFileHandsOverWhatOneThreadDoes) {
    const size_t kItems = 6000;
    const size_t kLate = 4500;
    const std::string big = "1" + std::string(400, '0');  // a number across many chunks of a file
    struct Case {
        const char* what;
        std::string text;
        size_t refuse;
        std::string error;  // the start of the message; "" for none
    } cases[] = {
        {"a whole document", Document(kItems, SIZE_MAX, ""), SIZE_MAX, ""},
        {"the receiver refuses a late item", Document(kItems, SIZE_MAX, ""), kLate, "items[4500]: refused"},
        {"text that is not JSON late in the document", Document(kItems, kLate, "{\"n\": 1,}"), SIZE_MAX,
         "line 4502, column 32: missing a name for object member"},
        {"a key given twice", Document(kItems, kLate, "{\"n\": 1, \"n\": 2}"), SIZE_MAX,
         "items[4500]: field \"n\" is given twice"},
        {"text that is not UTF-8", Document(kItems, kLate, "{\"n\": 1, \"s\": \"\xC3\"}"), SIZE_MAX,
         "items[4500].s: the text is not valid UTF-8"},
        {"a refused item before bad text", Document(kItems, kLate, "{,}"), 2500, "items[2500]: refused"},
        {"a number beyond any double", Document(kItems, kLate, "{\"n\": " + big + "}"), SIZE_MAX,
         "items[4500].n: number overflow parsing '" + big + "'"},
        {"an escape named where it starts", Document(kItems, kLate, "{\"s\": \"\\uD800\\u0041\"}"), SIZE_MAX,
         "line 4502, column 31: the surrogate pair in string is invalid"},
        {"a NUL byte in a string", Document(kItems, kLate, std::string("{\"s\": \"a\0\"}", 11)), SIZE_MAX,
         "line 4502, column 32: missing a closing quotation mark in string"},
        {"a NUL byte ends the text", Document(kItems, SIZE_MAX, "") + std::string("\0}", 2), SIZE_MAX, ""},
        {"an empty text", "", SIZE_MAX, "line 1, column 1: the document is empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome one = Parse(c.text, c.refuse, 1);
        EXPECT_EQ(one.error.substr(0, c.error.size()), c.error);
        EXPECT_TRUE(std::is_sorted(one.progress.begin(), one.progress.end()));
        if (c.error.empty()) {
            EXPECT_EQ(one.progress.back(), 100);
        }
        // Chunks of 7 bytes put a boundary everywhere in turn, through tokens, escapes and numbers; on two
        // threads the reading thread reads the file.
        for (const auto& [threads, chunk] : {std::pair{2u, size_t{0}}, {1u, 7}, {2u, 4096}}) {
            SCOPED_TRACE(std::to_string(threads) + " threads, chunk " + std::to_string(chunk));
            const Outcome other = Parse(c.text, c.refuse, threads, chunk);
            EXPECT_EQ(other.error, one.error);
            EXPECT_EQ(other.log, one.log);
            EXPECT_EQ(other.progress, one.progress);
        }
    }
}

TEST(SceneThreads, AFileIsReadToItsEndAndAFailedReadIsTheError) {
    const std::string text = Document(2000, SIZE_MAX, "");
    const Outcome whole = Parse(text, SIZE_MAX, 1);
    // A file that grew after its size was taken is read to its end; the progress stops at 100.
    for (unsigned threads : {1u, 2u}) {
        const Outcome grown = Parse(text, SIZE_MAX, threads, 4096, text.size() / 3);
        EXPECT_EQ(grown.log, whole.log);
        EXPECT_EQ(grown.progress.back(), 100);
        EXPECT_TRUE(std::is_sorted(grown.progress.begin(), grown.progress.end()));
    }
#ifdef __linux__
    // A one-page file mapped on two pages and read through the process's memory: reading the second page
    // fails, with the document still open.
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const TextFile backing(text.substr(0, page));
    void* mapped = mmap(nullptr, 2 * page, PROT_READ, MAP_PRIVATE, fileno(backing.get()), 0);
    ASSERT_NE(mapped, MAP_FAILED);
    for (unsigned threads : {1u, 2u}) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> memory(std::fopen("/proc/self/mem", "rb"),
                                                               &std::fclose);
        ASSERT_TRUE(memory);
        ASSERT_EQ(fseeko(memory.get(), static_cast<off_t>(reinterpret_cast<uintptr_t>(mapped)), SEEK_SET), 0);
        Recorder r(SIZE_MAX);
        EXPECT_THROW(ParseJsonTop(memory.get(), 2 * page, r, nullptr, threads, 512), JsonReadError);
        EXPECT_NE(r.log.find("key items\n0x\n"), std::string::npos) << r.log;
    }
    munmap(mapped, 2 * page);
#endif
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
