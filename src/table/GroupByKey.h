#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace lexaro {

// Lays items out grouped by a key below 1 << keyBits (at most 32 bits; at most 2^32 - 1 items), each group keeping the
// order the items came in: group k is out[starts[k]] up to out[starts[k + 1]], and starts gets (1 << keyBits) + 1
// entries.
//
// forEach(emit) calls emit(key, item) for every item in order; it is called twice and must give the same items
// both times. Writing each item straight to its group's place touches a different cache line for nearly every
// item once there are many groups, so the items are grouped by the upper half of the key first, which writes to
// few enough places at once to stay in the cache, and then each of those groups by the lower half, inside a
// copy small enough for the cache.
template <typename Item, typename ForEach>
void GroupByKey(int keyBits, const ForEach& forEach, std::vector<Item>& out, std::vector<std::uint32_t>& starts) {
    const int lowBits = keyBits / 2;
    const std::size_t lowGroups = std::size_t{1} << lowBits;
    const std::size_t highGroups = std::size_t{1} << (keyBits - lowBits);
    const std::uint32_t lowMask = static_cast<std::uint32_t>(lowGroups - 1);

    std::vector<std::uint32_t> highStart(highGroups + 1, 0);
    forEach([&](std::uint32_t key, const Item&) { ++highStart[(key >> lowBits) + 1]; });
    for (std::size_t h = 1; h <= highGroups; ++h) {
        highStart[h] += highStart[h - 1];
    }
    const std::uint32_t total = highStart[highGroups];
    out.resize(total);
    std::vector<std::uint16_t> lows(total);
    std::vector<std::uint32_t> next(highStart.begin(), highStart.end() - 1);
    forEach([&](std::uint32_t key, const Item& item) {
        const std::uint32_t at = next[key >> lowBits]++;
        out[at] = item;
        lows[at] = static_cast<std::uint16_t>(key & lowMask);
    });

    starts.assign((highGroups << lowBits) + 1, 0);
    std::vector<Item> scratch;
    std::vector<std::uint16_t> scratchLows;
    std::vector<std::uint32_t> lowNext(lowGroups);
    for (std::size_t h = 0; h < highGroups; ++h) {
        const std::uint32_t begin = highStart[h];
        const std::uint32_t end = highStart[h + 1];
        std::uint32_t* groupStarts = starts.data() + (h << lowBits);
        std::fill(lowNext.begin(), lowNext.end(), 0);
        for (std::uint32_t k = begin; k < end; ++k) {
            ++lowNext[lows[k]];
        }
        std::uint32_t at = begin;
        for (std::size_t low = 0; low < lowGroups; ++low) {
            groupStarts[low] = at;
            at += std::exchange(lowNext[low], at);
        }
        scratch.assign(out.begin() + begin, out.begin() + end);
        scratchLows.assign(lows.begin() + begin, lows.begin() + end);
        for (std::size_t k = 0; k < scratch.size(); ++k) {
            out[lowNext[scratchLows[k]]++] = scratch[k];
        }
    }
    starts[highGroups << lowBits] = total;
}

} // namespace lexaro
