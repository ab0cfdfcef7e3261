#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Orders texts code unit by code unit as unsigned 16-bit values, a text that ends first being smaller,
// within groups that order first. Equal texts keep the order they were added in.
class TextOrder {
public:
    void Reserve(size_t texts, size_t units);
    // The next text is appended here, then closed with its group.
    std::u16string& Units() { return units_; }
    void EndText(uint32_t group);
    void SetGroup(size_t text, uint32_t group) { groups_[text] = group; }

    // The texts' indexes in order, and each text's rank: texts of one group with equal units share the
    // rank of the first of them, otherwise ranks grow along the order.
    void Sort(std::vector<uint32_t>& order, std::vector<uint32_t>& ranks) const;

    // What the sort moves: a few units of its text from the current depth, packed so that the records
    // compare as their texts do, and the text's group and index. Most comparisons are decided by the
    // record itself, inside one contiguous array, without reaching the texts.
    struct Record {
        uint64_t key;
        uint32_t group;
        uint32_t text;
        bool operator<(const Record& b) const {
            if (group != b.group) return group < b.group;
            if (key != b.key) return key < b.key;
            return text < b.text;
        }
    };

private:
    static const int kUnitsPerKey = 3;
    static const int kBitsPerUnit = 17;  // a unit plus one; zero past the end of the text

    size_t Begin(uint32_t text) const { return text ? ends_[text - 1] : 0; }
    std::u16string_view Text(uint32_t text) const;
    uint64_t Key(uint32_t text, size_t depth) const;
    // The number of units from depth that every text of the records shares.
    size_t SharedUnits(const Record* first, const Record* last, size_t depth) const;

    std::u16string units_;
    std::vector<size_t> ends_;
    std::vector<uint32_t> groups_;
};
