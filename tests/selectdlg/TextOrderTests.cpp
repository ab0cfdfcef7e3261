#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "TextOrder.h"

// The order is that of a stable sort by group, then by code units (a text that ends first is smaller), and
// equal texts of a group share the rank of the first: on texts with long shared beginnings, texts that are
// beginnings of others, repeats, empty texts and units at both ends of the 16-bit range.
TEST(TextOrderTest, StableCodeUnitOrderAndRanks) {
    const std::u16string pieces[] = {u"",       u"Material ", u"Material 1", u"0", u"00", u" (Standard)",
                                     u"\xFFFF", u"\x0001",    u"a",          u"A"};
    std::mt19937 random(11);
    for (int round = 0; round < 100; ++round) {
        const size_t n = 1 + static_cast<size_t>(round) * 3;
        std::vector<std::u16string> texts(n);
        std::vector<uint32_t> groups(n);
        TextOrder textOrder;
        for (size_t i = 0; i < n; ++i) {
            for (unsigned k = random() % 5; k > 0; --k) texts[i] += pieces[random() % std::size(pieces)];
            groups[i] = round % 2 ? random() % 3 : 0;
            textOrder.Units() += texts[i];
            textOrder.EndText(groups[i]);
        }
        std::vector<uint32_t> expected(n);
        std::iota(expected.begin(), expected.end(), 0u);
        std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
            return groups[a] != groups[b] ? groups[a] < groups[b] : texts[a] < texts[b];
        });
        std::vector<uint32_t> order, ranks;
        textOrder.Sort(order, ranks);
        ASSERT_EQ(order, expected) << "round " << round;
        for (size_t k = 0; k < n; ++k) {
            size_t first = k;
            while (first > 0 && groups[order[first - 1]] == groups[order[k]] &&
                   texts[order[first - 1]] == texts[order[k]])
                --first;
            ASSERT_EQ(ranks[order[k]], first) << "round " << round << ", place " << k;
        }
    }
}
