#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Text being made: appended through a pointer into storage kept at its full size. The storage is a
// string that can be lent in and given back, so that buffers pass between threads without copies.
class TextBuffer {
public:
    void Append(const char* s, size_t n) {
        if (n > text_.size() - used_) Grow(n);
        std::memcpy(text_.data() + used_, s, n);
        used_ += n;
    }
    TextBuffer& operator+=(std::string_view s) {
        Append(s.data(), s.size());
        return *this;
    }
    TextBuffer& operator+=(char c) {
        if (used_ == text_.size()) Grow(1);
        text_[used_++] = c;
        return *this;
    }
    size_t size() const { return used_; }
    // The text so far; Clear() before appending again.
    const std::string& Text() {
        text_.resize(used_);
        return text_;
    }
    void Clear() {
        text_.resize(text_.capacity());
        used_ = 0;
    }
    // Takes `storage` (emptied, its room kept) to append to; Lend() gives the text made back in it.
    void Borrow(std::string& storage) {
        text_.swap(storage);
        Clear();
    }
    void Lend(std::string& storage) {
        text_.resize(used_);
        text_.swap(storage);
        used_ = 0;
    }

private:
    void Grow(size_t n) { text_.resize(std::max(text_.size() * 2, used_ + n)); }
    std::string text_;
    size_t used_ = 0;
};

// JSON text laid out as it is made, with no value kept: whoever opens an array or object says whether it
// holds an object somewhere below, and so whether it gets one line per member or all of it on one line.
// Members are indented two spaces past their container; an empty one is "[]" or "{}".
class JsonOut {
public:
    explicit JsonOut(TextBuffer& out) : out_(out) {}

    // The next value starts a line indented this far (its members go two further).
    void At(int indent) {
        levels_.clear();
        indent_ = indent;
    }
    void StartObject(bool lines) { Open('{', '}', lines); }
    void StartArray(bool lines) { Open('[', ']', lines); }
    void End();
    // Keys are the format's own names: nothing in them needs an escape.
    void Key(std::string_view k) {
        Next();
        out_ += '"';
        out_ += k;
        out_ += std::string_view("\": ", 3);
        keyed_ = true;
    }

    void Null() { Put(std::string_view("null", 4)); }
    void Bool(bool b) { Put(b ? std::string_view("true", 4) : std::string_view("false", 5)); }
    void Int(long long i);
    void Uint(unsigned long long u);
    // A value that is not finite is written as its name, a string.
    void Float(float f);
    void String(std::string_view s);

private:
    struct Level {
        char close;
        bool lines;
        int indent;
        uint32_t count;
    };

    // Before a value: the separator and indentation its container puts before it (none after a key).
    void Next() {
        if (keyed_) {
            keyed_ = false;
            return;
        }
        if (levels_.empty()) return;
        Level& l = levels_.back();
        if (l.lines) {
            if (l.count)
                out_ += std::string_view(",\n", 2);
            else
                out_ += '\n';
            Spaces(l.indent + 2);
        } else if (l.count) {
            out_ += std::string_view(", ", 2);
        }
        ++l.count;
    }
    void Put(std::string_view text) {
        Next();
        out_ += text;
    }
    void Open(char open, char close, bool lines);
    void Spaces(int n);

    TextBuffer& out_;
    std::vector<Level> levels_;
    int indent_ = 0;
    bool keyed_ = false;
    std::string escaped_;
};
