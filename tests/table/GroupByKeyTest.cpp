#include "table/GroupByKey.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

namespace {

// Against a stable sort by key, for key widths with and without a lower half and with empty groups: every
// group holds its items in the order they came, and the starts bound the groups.
TEST(GroupByKeyTest, MatchesAStableSortByKey) {
    std::mt19937 random(7);
    for (const int keyBits : {0, 1, 5, 10, 16, 21}) {
        for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{3000}}) {
            std::vector<std::pair<std::uint32_t, int>> items;
            const std::uint32_t keys = std::uint32_t{1} << keyBits;
            for (std::size_t i = 0; i < count; ++i) {
                // Few distinct keys in the larger widths, so that most groups stay empty.
                items.emplace_back(static_cast<std::uint32_t>(random() % std::min<std::uint32_t>(keys, 97)) *
                                       (keys / std::min<std::uint32_t>(keys, 97)),
                                   static_cast<int>(i));
            }
            std::vector<int> grouped;
            std::vector<std::uint32_t> starts;
            lexaro::GroupByKey<int>(
                keyBits,
                [&](const auto& emit) {
                    for (const auto& [key, item] : items) {
                        emit(key, item);
                    }
                },
                grouped, starts);

            std::vector<std::pair<std::uint32_t, int>> expected = items;
            std::stable_sort(expected.begin(), expected.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            ASSERT_EQ(starts.size(), std::size_t{keys} + 1) << keyBits;
            ASSERT_EQ(grouped.size(), count);
            for (std::uint32_t key = 0; key < keys; ++key) {
                for (std::uint32_t at = starts[key]; at < starts[key + 1]; ++at) {
                    ASSERT_EQ(expected[at].first, key) << "bits " << keyBits << " at " << at;
                    ASSERT_EQ(expected[at].second, grouped[at]) << "bits " << keyBits << " at " << at;
                }
            }
            EXPECT_EQ(starts[keys], count);
        }
    }
}

} // namespace
