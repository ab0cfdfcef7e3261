#include "JsonOut.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "JsonValue.h"

void JsonOut::End() {
    const Level& l = levels_.back();
    if (l.lines && l.count) {
        out_ += '\n';
        Spaces(l.indent);
    }
    out_ += l.close;
    levels_.pop_back();
}

void JsonOut::Int(long long i) {
    char text[24];
    Put(std::string_view(text, static_cast<size_t>(std::to_chars(text, text + sizeof text, i).ptr - text)));
}

void JsonOut::Uint(unsigned long long u) {
    char text[24];
    Put(std::string_view(text, static_cast<size_t>(std::to_chars(text, text + sizeof text, u).ptr - text)));
}

void JsonOut::Float(float f) {
    if (!std::isfinite(f)) return String(NonFiniteName(f));
    char text[kNumberTextMax];
    Put(std::string_view(text, static_cast<size_t>(FloatText(text, f) - text)));
}

void JsonOut::String(std::string_view s) {
    Next();
    // Names seldom hold a character that needs an escape.
    bool plain = true;
    for (char c : s) plain = plain && static_cast<unsigned char>(c) >= 0x20 && c != '"' && c != '\\';
    if (plain) {
        out_ += '"';
        out_ += s;
        out_ += '"';
    } else {
        escaped_.clear();
        AppendStringText(escaped_, s);
        out_ += escaped_;
    }
}

void JsonOut::Open(char open, char close, bool lines) {
    Next();
    out_ += open;
    levels_.push_back({close, lines, levels_.empty() ? indent_ : levels_.back().indent + 2, 0});
}

void JsonOut::Spaces(int n) {
    static const char kSpaces[] = "                                                                ";
    for (; n > 0; n -= static_cast<int>(sizeof kSpaces - 1))
        out_.Append(kSpaces, std::min(static_cast<size_t>(n), sizeof kSpaces - 1));
}
