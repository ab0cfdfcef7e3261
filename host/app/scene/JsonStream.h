#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// How many bytes each read of a scene file asks for.
constexpr size_t kJsonChunkSize = 1 << 20;

// A file that could not be read to its end.
class JsonReadError : public std::runtime_error {
public:
    JsonReadError() : std::runtime_error("reading failed") {}
};

// RapidJSON's input stream over a document's text: a whole text in memory, or a file read from where it
// stands to its end, a chunk at a time into one buffer that each refill reuses. Past the text it reads
// NUL, as RapidJSON's own streams do, and Tell() is the position in the whole text. Of the text before the
// current chunk it keeps only the line count and the few characters that an error's place may need.
class JsonStream {
public:
    using Ch = char;

    JsonStream(const char* text, size_t size);
    JsonStream(std::FILE* file, size_t chunkSize);
    JsonStream(const JsonStream&) = delete;
    JsonStream& operator=(const JsonStream&) = delete;

    // Reads the first chunk; the thread that parses calls it. Throws JsonReadError, as Take does.
    void Start();

    Ch Peek() const { return *at_; }
    Ch Take() {
        const Ch c = *at_;
        if (at_ < last_)
            ++at_;
        else if (!end_)
            Refill();
        return c;
    }
    size_t Tell() const { return offset_ + static_cast<size_t>(at_ - chunk_); }
    // Takes spaces, tabs and line breaks up to the next other character, as Take would one by one: a
    // single space at once, a longer run (an indentation) many at a time.
    void SkipWhitespace() {
        while (IsSpace(*at_)) {
            if (at_ < last_ && !IsSpace(at_[1])) {
                ++at_;
                return;
            }
            at_ = SkipSpaces(at_, last_);
            if (IsSpace(*at_)) Take();  // the chunk's last character
        }
    }

    // Only streams parsed in place are written to.
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    size_t PutEnd(Ch*) { return 0; }

    // The line and column (from 1) of a position at most kKeptTail characters before the current one, or
    // inside a number that reaches it (where RapidJSON names its errors).
    std::pair<size_t, size_t> LineAndColumn(size_t at) const;
    // The number that starts at `at` and reaches the current position, read on to its last character.
    std::string NumberAt(size_t at);

    // The characters before the current chunk that are always kept: RapidJSON names an error at most
    // this far back (the start of an escaped surrogate pair).
    static constexpr size_t kKeptTail = 16;

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
    // The first character from `at` that is not a space, or `last`.
    static const char* SkipSpaces(const char* at, const char* last);
    void Fill();
    void Refill();
    void Pass(const char* text, size_t size);
    void CountLines(const char* text, size_t size, size_t offset);
    // The text before the current chunk, from keptAt_: a text in memory is all kept.
    std::string_view Kept() const {
        return text_ ? std::string_view(text_, offset_) : std::string_view(kept_);
    }

    const Ch* at_ = nullptr;
    const Ch* last_ = nullptr;  // the current chunk's last character, or the NUL after the text
    const Ch* chunk_ = nullptr;
    size_t offset_ = 0;  // the current chunk's position in the text
    bool end_ = false;   // the current chunk is the text's last

    const char* text_ = nullptr;  // a text in memory
    size_t size_ = 0;
    std::FILE* file_ = nullptr;  // or a file
    size_t chunkSize_ = 0;
    std::unique_ptr<char[]> buffer_;

    // A file's text just before the current chunk, from `keptAt_`: its last kKeptTail characters, and all
    // of a number that reaches the chunk. Before it: `lines_` line breaks, the last ending at `lineStart_`.
    std::string kept_;
    size_t keptAt_ = 0;
    size_t lines_ = 0;
    size_t lineStart_ = 0;
};
