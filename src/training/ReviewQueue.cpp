#include "training/ReviewQueue.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <queue>
#include <string_view>
#include <unordered_set>

namespace lexaro {

namespace {

constexpr int kTermColumn = 0;
constexpr int kDateColumn = 2;

// The first eight bytes of a term as a number that orders as the bytes do (a shorter term padded with zeros):
// sorting a long list of due cards compares numbers, and the terms only where their beginnings are equal.
std::uint64_t OrderPrefix(std::string_view term) {
    std::uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i) {
        prefix = prefix << 8 | (i < term.size() ? static_cast<unsigned char>(term[i]) : 0U);
    }
    return prefix;
}

struct DueCard {
    int dueDay;
    std::uint64_t prefix;
    std::string_view term;
    QueuedCard card;
};

// What the due cards are sorted by: the due day, the term (its first bytes, then the rest) and, for cards whose
// due day and term are the same, their place in the order of the entries.
struct DueKey {
    int dueDay;
    std::uint32_t found;
    std::uint64_t prefix;
};

// Puts the keys in order of due day, then of the first bytes of the term, keeping the order of equal ones: a
// counting pass per byte of the two, skipping bytes that are the same in every key, instead of comparisons.
void SortByDayAndPrefix(std::vector<DueKey>& keys) {
    if (keys.size() < 2) {
        return;
    }
    int firstDay = keys[0].dueDay;
    for (const DueKey& key : keys) {
        firstDay = std::min(firstDay, key.dueDay);
    }
    // Bytes 0-7 of the prefix, then 0-3 of the days since the first due day: the least significant first.
    constexpr int kBytes = 12;
    const auto byteOf = [firstDay](const DueKey& key, int byte) -> unsigned {
        if (byte < 8) {
            return static_cast<unsigned>(key.prefix >> (8 * byte)) & 0xFFU;
        }
        const auto days = static_cast<std::uint32_t>(static_cast<std::int64_t>(key.dueDay) - firstDay);
        return (days >> (8 * (byte - 8))) & 0xFFU;
    };
    std::vector<std::array<std::uint32_t, 256>> counts(kBytes);
    for (const DueKey& key : keys) {
        for (int byte = 0; byte < kBytes; ++byte) {
            ++counts[static_cast<size_t>(byte)][byteOf(key, byte)];
        }
    }
    std::vector<DueKey> sorted(keys.size());
    for (int byte = 0; byte < kBytes; ++byte) {
        std::array<std::uint32_t, 256>& count = counts[static_cast<size_t>(byte)];
        if (count[byteOf(keys[0], byte)] == keys.size()) {
            continue;
        }
        std::uint32_t start = 0;
        for (std::uint32_t& slot : count) {
            const std::uint32_t here = slot;
            slot = start;
            start += here;
        }
        for (const DueKey& key : keys) {
            sorted[count[byteOf(key, byte)]++] = key;
        }
        keys.swap(sorted);
    }
}

struct NewCandidate {
    std::string_view date;
    int row;
    bool reverse;
};

bool OlderEntry(const NewCandidate& a, const NewCandidate& b) {
    const int order = a.date.compare(b.date);
    return order != 0 ? order < 0 : a.row != b.row ? a.row < b.row : a.reverse < b.reverse;
}

// The terms that have a card, as bits of a table small enough to stay in the cache: most entries of a large
// dictionary have no card, and are told so here without a look-up among the cards. A term whose bit is set may
// have a card.
class CardFilter {
public:
    CardFilter(const ReviewHistory& history, int directions) {
        size_t hashes = 0;
        for (int d = 0; d < directions; ++d) {
            hashes += history.TermHashes(d == 1).size();
        }
        // About eight bits per card: one entry in eight without a card is looked up all the same.
        while (m_Bits < hashes * 8 && m_Bits < (size_t{1} << 30)) {
            m_Bits *= 2;
        }
        m_Words.assign(m_Bits / 64, 0);
        for (int d = 0; d < directions; ++d) {
            for (const std::uint64_t hash : history.TermHashes(d == 1)) {
                const size_t bit = Bit(hash);
                m_Words[bit / 64] |= std::uint64_t{1} << (bit % 64);
            }
        }
    }

    bool MayHave(std::uint64_t hash) const {
        const size_t bit = Bit(hash);
        return (m_Words[bit / 64] >> (bit % 64) & 1U) != 0;
    }

private:
    // Bits of the hash that the index of the cards does not start its look-ups from.
    size_t Bit(std::uint64_t hash) const { return static_cast<size_t>(hash >> 24) & (m_Bits - 1); }

    size_t m_Bits = 1024;
    std::vector<std::uint64_t> m_Words;
};

// Hands every entry's row, term and card in each direction (nullptr for none) to visit, in row order. The terms
// are looked up in blocks: the memory of a block's terms, then of its index slots, then of the cards they lead
// to is asked for before the first is compared; withDates asks for the entries' dates too. Terms the filter
// knows to have no card are not looked up.
template <typename Visit>
void ForEachEntryCard(const ClassTable& entries, const ReviewHistory& history, int directions, bool withDates,
                      const Visit& visit) {
    constexpr int kBlock = 64;
    std::string_view terms[kBlock];
    std::uint64_t hashes[kBlock];
    bool mayHave[kBlock];
    const CardFilter filter(history, directions);
    const int rows = entries.RowCount();
    for (int first = 0; first < rows; first += kBlock) {
        const int count = std::min(kBlock, rows - first);
        for (int i = 0; i < count; ++i) {
            terms[i] = entries.CellView(kTermColumn, first + i);
            FetchAhead(terms[i].data());
            if (withDates) {
                FetchAhead(entries.CellView(kDateColumn, first + i).data());
            }
        }
        for (int i = 0; i < count; ++i) {
            hashes[i] = CardIndex::HashOf(terms[i]);
            mayHave[i] = filter.MayHave(hashes[i]);
            for (int d = 0; d < directions && mayHave[i]; ++d) {
                history.Prefetch(hashes[i], d == 1);
            }
        }
        for (int i = 0; i < count; ++i) {
            for (int d = 0; d < directions && mayHave[i]; ++d) {
                history.PrefetchCard(hashes[i], d == 1);
            }
        }
        for (int i = 0; i < count; ++i) {
            for (int d = 0; d < directions; ++d) {
                visit(first + i, terms[i], d == 1, mayHave[i] ? history.Find(terms[i], hashes[i], d == 1) : nullptr);
            }
        }
    }
}

int NewCardsLeft(const ReviewHistory& history, const ReviewQueueOptions& options, int today) {
    int started = 0;
    for (const ReviewCard& card : history.Cards()) {
        started += !card.records.empty() && card.schedule.firstDay == today ? 1 : 0;
    }
    return std::max(std::clamp(options.newCardsPerDay, 0, kMaxNewCardsPerDay) - started, 0);
}

} // namespace

ReviewQueue BuildReviewQueue(const ClassTable& entries, const ReviewHistory& history, const ReviewQueueOptions& options,
                             int today) {
    const size_t newLimit = static_cast<size_t>(NewCardsLeft(history, options, today));
    std::vector<DueCard> due;
    due.reserve(history.Cards().size());
    std::vector<NewCandidate> looked;
    std::vector<int> lookedDays;
    // The oldest entries seen so far, the newest of them on top.
    std::priority_queue<NewCandidate, std::vector<NewCandidate>, decltype(&OlderEntry)> oldest(OlderEntry);
    // A card already queued through an earlier entry with the same term, by its place among the cards.
    std::vector<char> queued(history.Cards().size(), 0);
    const bool anyLookups = !history.LookupDays().empty();
    const int directions = options.bothDirections ? 2 : 1;
    ForEachEntryCard(entries, history, directions, newLimit > 0,
                     [&](int row, std::string_view term, bool reverse, const ReviewCard* card) {
                         if (card != nullptr) {
                             char& done = queued[static_cast<size_t>(card - history.Cards().data())];
                             if (card->schedule.dueDay <= today && done == 0) {
                                 done = 1;
                                 due.push_back({card->schedule.dueDay, OrderPrefix(term), term, {row, reverse, false}});
                             }
                             return;
                         }
                         if (newLimit == 0) {
                             return;
                         }
                         const int lookedUp = anyLookups ? history.LastLookupDay(term) : -1;
                         const NewCandidate candidate{entries.CellView(kDateColumn, row), row, reverse};
                         if (lookedUp >= 0 && today - lookedUp < kRecentLookupDays) {
                             looked.push_back(candidate);
                             lookedDays.push_back(lookedUp);
                         } else if (oldest.size() < newLimit * 2) {
                             // Twice the limit leaves room for entries that repeat a term.
                             oldest.push(candidate);
                         } else if (OlderEntry(candidate, oldest.top())) {
                             oldest.pop();
                             oldest.push(candidate);
                         }
                     });

    ReviewQueue queue;
    std::vector<DueKey> keys;
    keys.reserve(due.size());
    for (size_t i = 0; i < due.size(); ++i) {
        keys.push_back({due[i].dueDay, static_cast<std::uint32_t>(i), due[i].prefix});
    }
    SortByDayAndPrefix(keys);
    // Terms that begin with the same eight bytes are put in order by the rest.
    for (size_t first = 0; first < keys.size();) {
        size_t end = first + 1;
        while (end < keys.size() && keys[end].dueDay == keys[first].dueDay && keys[end].prefix == keys[first].prefix) {
            ++end;
        }
        if (end - first > 1) {
            std::stable_sort(
                keys.begin() + static_cast<std::ptrdiff_t>(first), keys.begin() + static_cast<std::ptrdiff_t>(end),
                [&due](const DueKey& a, const DueKey& b) { return due[a.found].term < due[b.found].term; });
        }
        first = end;
    }
    queue.cards.reserve(due.size() + newLimit);
    for (const DueKey& key : keys) {
        queue.cards.push_back(due[key.found].card);
    }
    queue.dueCount = static_cast<int>(due.size());

    std::vector<size_t> order(looked.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return lookedDays[a] != lookedDays[b] ? lookedDays[a] > lookedDays[b] : OlderEntry(looked[a], looked[b]);
    });
    std::vector<NewCandidate> rest;
    for (; !oldest.empty(); oldest.pop()) {
        rest.push_back(oldest.top());
    }
    std::reverse(rest.begin(), rest.end());
    std::vector<NewCandidate> fresh;
    for (const size_t i : order) {
        fresh.push_back(looked[i]);
    }
    fresh.insert(fresh.end(), rest.begin(), rest.end());
    std::unordered_set<std::string_view> taken[2];
    size_t added = 0;
    for (const NewCandidate& candidate : fresh) {
        if (added == newLimit) {
            break;
        }
        if (taken[candidate.reverse].insert(entries.CellView(kTermColumn, candidate.row)).second) {
            queue.cards.push_back({candidate.row, candidate.reverse, true});
            ++added;
        }
    }
    return queue;
}

int CountNewCards(const ClassTable& entries, const ReviewHistory& history, bool bothDirections) {
    int count = 0;
    ForEachEntryCard(entries, history, bothDirections ? 2 : 1, false,
                     [&count](int, std::string_view, bool, const ReviewCard* card) { count += card ? 0 : 1; });
    return count;
}

} // namespace lexaro
