#pragma once

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>

#include "maxtypes.h"

// The host's wide string. Wide characters are UTF-16 on Windows and UTF-32 elsewhere; ToUTF8 and
// FromUTF8 convert either way, so text moves between the two builds unchanged.
class WStr {
public:
    WStr() = default;
    WStr(const MCHAR* s) : str_(s ? s : L"") {}
    WStr(const std::wstring& s) : str_(s) {}

    const MCHAR* data() const { return str_.c_str(); }
    // The characters for writing in place. A shorter string first grows to minimumBufferSize characters,
    // the new ones null; Resize sets the length afterwards.
    MCHAR* dataForWrite(size_t minimumBufferSize = 0) {
        if (minimumBufferSize > str_.size()) str_.resize(minimumBufferSize);
        return &str_[0];
    }
    operator const MCHAR*() const { return str_.c_str(); }
    int Length() const { return static_cast<int>(str_.size()); }
    int length() const { return Length(); }
    bool isNull() const { return str_.empty(); }
    void Resize(int n) { str_.resize(n > 0 ? static_cast<size_t>(n) : 0); }

    WStr& operator=(const MCHAR* s) {
        str_ = s ? s : L"";
        return *this;
    }
    WStr& operator+=(const WStr& s) {
        str_ += s.str_;
        return *this;
    }
    WStr& operator+=(const MCHAR* s) {
        if (s) str_ += s;
        return *this;
    }
    WStr operator+(const WStr& s) const { return WStr(str_ + s.str_); }
    // Read only; characters are written through dataForWrite.
    MCHAR operator[](int i) const { return str_[static_cast<size_t>(i)]; }

    bool operator==(const WStr& s) const { return str_ == s.str_; }
    bool operator!=(const WStr& s) const { return str_ != s.str_; }
    bool operator<(const WStr& s) const { return str_ < s.str_; }
    bool operator==(const MCHAR* s) const { return str_ == (s ? s : L""); }
    bool operator!=(const MCHAR* s) const { return !(*this == s); }

    // Index of the first (last) occurrence of the character c, or -1.
    int first(wchar_t c) const {
        size_t at = str_.find(c);
        return at == std::wstring::npos ? -1 : static_cast<int>(at);
    }
    int last(wchar_t c) const {
        size_t at = str_.rfind(c);
        return at == std::wstring::npos ? -1 : static_cast<int>(at);
    }
    WStr Substr(int start, int nchars) const {
        return WStr(str_.substr(static_cast<size_t>(start), static_cast<size_t>(nchars)));
    }
    void remove(int start, int nchars) {
        str_.erase(static_cast<size_t>(start), static_cast<size_t>(nchars));
    }

    int printf(const MCHAR* format, ...) {
        va_list args;
        va_start(args, format);
        int n = vprintf(format, args);
        va_end(args);
        return n;
    }
    int vprintf(const MCHAR* format, va_list args) {
        MCHAR buffer[1024];
        int n = vswprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), format, args);
        str_ = n >= 0 ? buffer : L"";
        return n;
    }

    const std::wstring& wstring() const { return str_; }

    std::string ToUTF8() const {
        std::string out;
        for (size_t i = 0; i < str_.size(); ++i) {
            uint32_t c = static_cast<uint32_t>(str_[i]);
            if (sizeof(MCHAR) == 2 && c >= 0xD800 && c < 0xDC00 && i + 1 < str_.size()) {
                uint32_t low = static_cast<uint32_t>(str_[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out += static_cast<char>(0xE0 | (c >> 12));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | (c >> 18));
                out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    }

    // Malformed sequences become U+FFFD; ok (when given) tells whether the text was valid UTF-8.
    static WStr FromUTF8(const std::string& s, bool* ok = nullptr) {
        std::wstring out;
        bool valid = true;
        size_t i = 0;
        while (i < s.size()) {
            unsigned char b = static_cast<unsigned char>(s[i]);
            uint32_t c;
            size_t extra;
            if (b < 0x80) {
                c = b;
                extra = 0;
            } else if ((b & 0xE0) == 0xC0) {
                c = b & 0x1F;
                extra = 1;
            } else if ((b & 0xF0) == 0xE0) {
                c = b & 0x0F;
                extra = 2;
            } else if ((b & 0xF8) == 0xF0) {
                c = b & 0x07;
                extra = 3;
            } else {
                valid = false;
                out += static_cast<MCHAR>(0xFFFD);
                ++i;
                continue;
            }
            if (i + extra >= s.size() + (extra ? 0 : 1)) {
                valid = false;
                out += static_cast<MCHAR>(0xFFFD);
                break;
            }
            bool good = true;
            for (size_t k = 1; k <= extra; ++k) {
                unsigned char nb = static_cast<unsigned char>(s[i + k]);
                if ((nb & 0xC0) != 0x80) {
                    good = false;
                    break;
                }
                c = (c << 6) | (nb & 0x3F);
            }
            if (!good) {
                valid = false;
                out += static_cast<MCHAR>(0xFFFD);
                ++i;
                continue;
            }
            i += extra + 1;
            if (sizeof(MCHAR) == 2 && c >= 0x10000) {
                c -= 0x10000;
                out += static_cast<MCHAR>(0xD800 + (c >> 10));
                out += static_cast<MCHAR>(0xDC00 + (c & 0x3FF));
            } else {
                out += static_cast<MCHAR>(c);
            }
        }
        if (ok) *ok = valid;
        return WStr(out);
    }

private:
    std::wstring str_;
};

typedef WStr MSTR;
typedef WStr TSTR;
