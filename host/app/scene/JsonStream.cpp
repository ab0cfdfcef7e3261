#include "JsonStream.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// What reads after the text.
const char kEnd = '\0';

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// The line breaks in a text. Sixteen byte counters side by side, each taking at most 255 before they are
// added up: the compiler makes one vector operation of the sixteen.
size_t CountBreaks(const char* text, size_t size) {
    size_t breaks = 0;
    while (size >= 16) {
        const size_t block = std::min<size_t>(size / 16, 255) * 16;
        unsigned char counts[16] = {};
        for (size_t k = 0; k < block; k += 16)
            for (int j = 0; j < 16; ++j) counts[j] += text[k + j] == '\n';
        for (unsigned char n : counts) breaks += n;
        text += block;
        size -= block;
    }
    return breaks + static_cast<size_t>(std::count(text, text + size, '\n'));
}

}  // namespace

const char* JsonStream::SkipSpaces(const char* at, const char* last) {
#ifdef __SSE2__
    // Sixteen characters at a time while they are all before `last`.
    const __m128i space = _mm_set1_epi8(' '), lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'),
                  tab = _mm_set1_epi8('\t');
    while (last - at >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i spaces = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, space), _mm_cmpeq_epi8(v, lf)),
                                            _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, tab)));
        const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(spaces)) & 0xFFFFu;
        if (others) return at + __builtin_ctz(others);
        at += 16;
    }
#endif
    while (at < last && IsSpace(*at)) ++at;
    return at;
}

JsonStream::JsonStream(const char* text, size_t size) : text_(text), size_(size) {}

JsonStream::JsonStream(std::FILE* file, size_t chunkSize)
    : file_(file), chunkSize_(std::max<size_t>(chunkSize, 1)) {}

void JsonStream::Start() {
    if (file_) {
        buffer_.reset(new char[chunkSize_ + 1]);
        Fill();
    } else if (size_ == 0) {
        chunk_ = at_ = last_ = &kEnd;
        end_ = true;
    } else {
        chunk_ = at_ = text_;
        last_ = text_ + size_ - 1;
    }
}

// Reads the file's next chunk into the buffer; a short read is its end, followed by NUL.
void JsonStream::Fill() {
    const size_t n = std::fread(buffer_.get(), 1, chunkSize_, file_);
    if (n < chunkSize_ && std::ferror(file_)) throw JsonReadError();
    chunk_ = at_ = buffer_.get();
    if (n < chunkSize_) {
        buffer_[n] = '\0';
        last_ = chunk_ + n;
        end_ = true;
    } else {
        last_ = chunk_ + n - 1;
    }
}

// The current chunk's last character was taken.
void JsonStream::Refill() {
    if (file_) {
        const size_t size = static_cast<size_t>(last_ - chunk_) + 1;
        Pass(chunk_, size);
        offset_ += size;
        Fill();
    } else {  // a text in memory stays there whole
        offset_ = size_;
        chunk_ = at_ = last_ = &kEnd;
        end_ = true;
    }
}

// A chunk is done with: its lines are counted, and what an error may name is kept.
void JsonStream::Pass(const char* text, size_t size) {
    size_t run = 0;  // the number characters it ends with, with those kept before if it is all number
    while (run < size && IsNumberChar(text[size - 1 - run])) ++run;
    if (run == size)
        for (size_t k = kept_.size(); k > 0 && IsNumberChar(kept_[k - 1]); --k) ++run;
    const size_t total = kept_.size() + size;
    const size_t drop = total - std::min(total, std::max(run, kKeptTail));
    const size_t fromKept = std::min(drop, kept_.size());
    CountLines(kept_.data(), fromKept, keptAt_);
    CountLines(text, drop - fromKept, keptAt_ + kept_.size());
    kept_.erase(0, fromKept);
    kept_.append(text + (drop - fromKept), size - (drop - fromKept));
    keptAt_ += drop;
}

void JsonStream::CountLines(const char* text, size_t size, size_t offset) {
    const size_t breaks = CountBreaks(text, size);
    lines_ += breaks;
    for (size_t k = breaks ? size : 0; k > 0; --k)
        if (text[k - 1] == '\n') {
            lineStart_ = offset + k;
            break;
        }
}

std::pair<size_t, size_t> JsonStream::LineAndColumn(size_t at) const {
    size_t line = lines_ + 1, lineStart = lineStart_;
    const auto scan = [&](const char* text, size_t size, size_t offset) {
        for (size_t k = 0; k < size && offset + k < at; ++k)
            if (text[k] == '\n') {
                ++line;
                lineStart = offset + k + 1;
            }
    };
    const std::string_view kept = Kept();
    scan(kept.data(), kept.size(), keptAt_);
    scan(chunk_, static_cast<size_t>(last_ - chunk_) + 1, offset_);
    return {line, at - lineStart + 1};
}

std::string JsonStream::NumberAt(size_t at) {
    std::string number;
    if (at < offset_ && at >= keptAt_) number = Kept().substr(at - keptAt_);
    const size_t from = std::max(at, offset_) - offset_;
    const size_t taken = static_cast<size_t>(at_ - chunk_);
    if (from < taken) number.append(chunk_ + from, taken - from);
    while (IsNumberChar(Peek())) number += Take();
    return number;
}
