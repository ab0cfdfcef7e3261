#include "TextOrder.h"

#include <algorithm>
#include <utility>

void TextOrder::Reserve(size_t texts, size_t units) {
    ends_.reserve(texts);
    groups_.reserve(texts);
    units_.reserve(units);
}

void TextOrder::EndText(uint32_t group) {
    ends_.push_back(units_.size());
    groups_.push_back(group);
}

std::u16string_view TextOrder::Text(uint32_t text) const {
    return std::u16string_view(units_).substr(Begin(text), ends_[text] - Begin(text));
}

uint64_t TextOrder::Key(uint32_t text, size_t depth) const {
    const std::u16string_view units = Text(text);
    uint64_t key = 0;
    for (size_t i = depth; i < depth + kUnitsPerKey; ++i)
        key = (key << kBitsPerUnit) | (i < units.size() ? uint64_t(units[i]) + 1 : 0);
    return key;
}

size_t TextOrder::SharedUnits(const Record* first, const Record* last, size_t depth) const {
    const std::u16string_view head = Text(first->text).substr(depth);
    size_t shared = head.size();
    for (const Record* r = first + 1; r != last && shared; ++r) {
        const std::u16string_view text = Text(r->text).substr(depth, shared);
        shared =
            static_cast<size_t>(std::mismatch(text.begin(), text.end(), head.begin()).first - text.begin());
    }
    return shared;
}

namespace {

// Runs shorter than this are sorted by comparisons; longer ones by digits.
const size_t kRadixRun = 256;
const int kDigitBits = 11;
const uint32_t kDigitMask = (1u << kDigitBits) - 1;
const int kKeyDigits = 5;    // 55 bits, enough for the key's 51
const int kGroupDigits = 3;  // 33 bits, enough for the group's 32

uint32_t Digit(const TextOrder::Record& r, int d) {
    return d < kKeyDigits ? static_cast<uint32_t>(r.key >> (kDigitBits * d)) & kDigitMask
                          : (r.group >> (kDigitBits * (d - kKeyDigits))) & kDigitMask;
}

// Orders records of a long run by group and key, equal ones in the order they stand, which within a run is
// the order of their texts' indexes: a stable sort by one digit at a time from the lowest, so that the time
// per record does not grow with the number of texts. A digit all records share is passed over.
void SortByDigits(TextOrder::Record* first, TextOrder::Record* last, std::vector<TextOrder::Record>& spare) {
    const size_t n = static_cast<size_t>(last - first);
    const int kDigits = kKeyDigits + kGroupDigits;
    std::vector<uint32_t> counts(static_cast<size_t>(kDigits) << kDigitBits, 0);
    for (const TextOrder::Record* r = first; r != last; ++r)
        for (int d = 0; d < kDigits; ++d) ++counts[(static_cast<size_t>(d) << kDigitBits) + Digit(*r, d)];
    spare.resize(n);
    TextOrder::Record* from = first;
    TextOrder::Record* to = spare.data();
    for (int d = 0; d < kDigits; ++d) {
        uint32_t* count = &counts[static_cast<size_t>(d) << kDigitBits];
        if (count[Digit(*first, d)] == n) continue;
        uint32_t at = 0;
        for (uint32_t v = 0; v <= kDigitMask; ++v) at += std::exchange(count[v], at);
        for (const TextOrder::Record* r = from; r != from + n; ++r) to[count[Digit(*r, d)]++] = *r;
        std::swap(from, to);
    }
    if (from != first) std::copy(from, from + n, first);
}

}  // namespace

// Sorts on the keys at one depth, then sorts again each run of records whose keys are equal and whose texts
// go on, on the keys further in. Ties fall to the index, so equal texts keep the order they came in.
void TextOrder::Sort(std::vector<uint32_t>& order, std::vector<uint32_t>& ranks) const {
    const uint32_t n = static_cast<uint32_t>(ends_.size());
    std::vector<Record> records(n);
    for (uint32_t i = 0; i < n; ++i) records[i] = {0, groups_[i], i};
    std::vector<Record> spare;
    struct Run {
        size_t first, last, depth;
    };
    std::vector<Run> runs;
    if (n > 1) runs.push_back({0, n, 0});
    const uint64_t lastUnit = (uint64_t(1) << kBitsPerUnit) - 1;
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        Record* first = records.data() + run.first;
        Record* last = records.data() + run.last;
        const size_t depth = run.depth + SharedUnits(first, last, run.depth);
        for (Record* r = first; r != last; ++r) r->key = Key(r->text, depth);
        if (static_cast<size_t>(last - first) < kRadixRun)
            std::sort(first, last);
        else
            SortByDigits(first, last, spare);
        for (Record* r = first; r != last;) {
            Record* end = r + 1;
            while (end != last && end->group == r->group && end->key == r->key) ++end;
            if (end - r > 1 && (r->key & lastUnit))
                runs.push_back({static_cast<size_t>(r - records.data()),
                                static_cast<size_t>(end - records.data()), depth + kUnitsPerKey});
            r = end;
        }
    }
    order.resize(n);
    ranks.resize(n);
    for (uint32_t k = 0; k < n; ++k) {
        const Record& r = records[k];
        order[k] = r.text;
        const bool tie =
            k > 0 && records[k - 1].group == r.group && Text(records[k - 1].text) == Text(r.text);
        ranks[r.text] = tie ? ranks[records[k - 1].text] : k;
    }
}
