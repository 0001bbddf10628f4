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

// A due card as it is sorted: by the due day, the term (its first bytes, then the rest) and, for cards whose due
// day and term are the same, their place in the order of the entries. Sixteen bytes, so that the list of a large
// history is small: the term is read again from the entry where the first bytes are not enough.
struct DueKey {
    int dueDay;
    // The entry's row times two, plus one for the reverse direction.
    std::uint32_t entry;
    std::uint64_t prefix;

    int Row() const { return static_cast<int>(entry >> 1); }
    bool Reverse() const { return (entry & 1U) != 0; }
};

DueKey DueKeyOf(int dueDay, std::string_view term, int row, bool reverse) {
    return {dueDay, static_cast<std::uint32_t>(row) << 1 | (reverse ? 1U : 0U), OrderPrefix(term)};
}

// Puts the keys in order of due day, then of the first four bytes of the term, keeping the order of equal ones: a
// counting pass per byte of the two, skipping bytes that are the same in every key, instead of comparisons. Keys
// alike in these are few enough to be put in order by comparing them afterwards.
void SortByDayAndPrefix(std::vector<DueKey>& keys) {
    if (keys.size() < 2) {
        return;
    }
    int firstDay = keys[0].dueDay;
    for (const DueKey& key : keys) {
        firstDay = std::min(firstDay, key.dueDay);
    }
    // Bytes 4-7 of the prefix (its first four bytes of the term), then 0-3 of the days since the first due day: the
    // least significant first.
    constexpr int kBytes = 8;
    const auto byteOf = [firstDay](const DueKey& key, int byte) -> unsigned {
        if (byte < 4) {
            return static_cast<unsigned>(key.prefix >> (32 + 8 * byte)) & 0xFFU;
        }
        const auto days = static_cast<std::uint32_t>(static_cast<std::int64_t>(key.dueDay) - firstDay);
        return (days >> (8 * (byte - 4))) & 0xFFU;
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

// Hashes as bits of a table small enough to stay in the cache, about eight bits per hash: most entries of a large
// dictionary have no card and were never looked up, and are told so here without a look-up. A hash whose bits are
// set may be one of those added. Each hash sets two bits of one word, which lets through about half as many hashes
// that were not added as one bit would, for the same single read. shift picks bits of the hash that the look-ups it
// saves do not start from.
class HashFilter {
public:
    HashFilter(size_t hashes, int shift) : m_Shift(shift) {
        while (m_Words * 64 < hashes * 8 && m_Words < (size_t{1} << 24)) {
            m_Words *= 2;
        }
        m_Bits.assign(m_Words, 0);
    }

    void Add(std::uint64_t hash) { m_Bits[Word(hash)] |= Mask(hash); }

    void Prefetch(std::uint64_t hash) const { FetchAhead(&m_Bits[Word(hash)]); }

    bool MayHave(std::uint64_t hash) const {
        const std::uint64_t mask = Mask(hash);
        return (m_Bits[Word(hash)] & mask) == mask;
    }

private:
    size_t Word(std::uint64_t hash) const { return static_cast<size_t>(hash >> m_Shift) & (m_Words - 1); }
    // Two bits from the top of the hash, which neither the word nor an index slot is picked by.
    static std::uint64_t Mask(std::uint64_t hash) {
        return std::uint64_t{1} << (hash >> 58) | std::uint64_t{1} << (hash >> 52 & 63U);
    }

    int m_Shift;
    size_t m_Words = 16;
    std::vector<std::uint64_t> m_Bits;
};

// The terms that have a card in the given directions.
HashFilter CardFilter(const ReviewHistory& history, int directions) {
    size_t hashes = 0;
    for (int d = 0; d < directions; ++d) {
        hashes += history.TermHashes(d == 1).size();
    }
    HashFilter filter(hashes, 24);
    for (int d = 0; d < directions; ++d) {
        for (const std::uint64_t hash : history.TermHashes(d == 1)) {
            filter.Add(hash);
        }
    }
    return filter;
}

// The terms looked up.
HashFilter LookupFilter(const ReviewHistory& history) {
    HashFilter filter(history.LookupDays().size(), 20);
    for (const auto& [term, day] : history.LookupDays()) {
        filter.Add(CardIndex::HashOf(term));
    }
    return filter;
}

// One entry in one direction as the pass over the entries finds it. term is the entry's term where the pass read
// it (termRead); a pass that knows the hashes reads only the terms that may have a card.
struct EntryCard {
    int row;
    std::string_view term;
    bool termRead;
    // The entry's date where the pass read it (dateRead).
    std::string_view date;
    bool dateRead;
    std::uint64_t hash;
    bool reverse;
    const ReviewCard* card;
};

// Hands every entry's card in each direction (nullptr for none) to visit, in row order. The memory of the terms, of
// their index slots and of the cards they lead to is asked for ahead of the look-ups; withDates asks for the
// entries' dates too and hands them on (not with known). Terms the filter knows to have no card are not looked up. With
// known, the terms' hashes are taken from there, and only the terms that may have a card are read; with store, the
// hashes worked out are written there.
template <typename Visit>
void ForEachEntryCard(const ClassTable& entries, const ReviewHistory& history, int directions, bool withDates,
                      const std::uint64_t* known, std::uint64_t* store, const Visit& visit) {
    constexpr int kBlock = 64;
    const HashFilter filter = CardFilter(history, directions);
    const int rows = entries.RowCount();
    if (known != nullptr) {
        // The hashes being known, the terms and index slots of a block are asked for while the block before it is
        // looked up.
        std::string_view terms[2][kBlock];
        bool mayHave[2][kBlock];
        const auto request = [&](int first, int half) {
            for (int i = 0; i < std::min(kBlock, rows - first); ++i) {
                mayHave[half][i] = filter.MayHave(known[first + i]);
                if (mayHave[half][i]) {
                    terms[half][i] = entries.CellView(kTermColumn, first + i);
                    FetchAhead(terms[half][i].data());
                    for (int d = 0; d < directions; ++d) {
                        history.Prefetch(known[first + i], d == 1);
                    }
                }
            }
        };
        request(0, 0);
        for (int first = 0, half = 0; first < rows; first += kBlock, half ^= 1) {
            const int count = std::min(kBlock, rows - first);
            if (first + kBlock < rows) {
                request(first + kBlock, half ^ 1);
            }
            for (int i = 0; i < count; ++i) {
                for (int d = 0; d < directions && mayHave[half][i]; ++d) {
                    history.PrefetchCard(known[first + i], d == 1);
                }
            }
            for (int i = 0; i < count; ++i) {
                const bool may = mayHave[half][i];
                const std::string_view term = may ? terms[half][i] : std::string_view();
                for (int d = 0; d < directions; ++d) {
                    visit(EntryCard{first + i,
                                    term,
                                    may,
                                    {},
                                    false,
                                    known[first + i],
                                    d == 1,
                                    may ? history.Find(term, known[first + i], d == 1) : nullptr});
                }
            }
        }
        return;
    }
    // Row by row, each row goes through six steps some rows apart: its term (and date) asked for, its term hashed
    // and its bit of the filter asked for, its index slot asked for if the filter lets it, its card asked for, the
    // card's term asked for, then its look-up. The memory of a row is fetched while the rows before it are worked on,
    // and the requests are spread over the pass instead of coming in bursts.
    constexpr int kStep = 8;
    constexpr int kSteps = 5;
    constexpr int kRing = 64;
    static_assert(kRing > kSteps * kStep);
    struct Pending {
        std::string_view term;
        std::string_view date;
        std::uint64_t hash;
        bool mayHave;
    };
    Pending ring[kRing];
    for (int row = 0; row < rows + kSteps * kStep; ++row) {
        if (row < rows) {
            Pending& fetched = ring[row % kRing];
            fetched.term = entries.CellView(kTermColumn, row);
            FetchOnce(fetched.term.data());
            if (withDates) {
                fetched.date = entries.CellView(kDateColumn, row);
                FetchOnce(fetched.date.data());
            }
        }
        if (const int hashed = row - kStep; hashed >= 0 && hashed < rows) {
            Pending& pending = ring[hashed % kRing];
            pending.hash = CardIndex::HashOf(pending.term);
            filter.Prefetch(pending.hash);
            if (store != nullptr) {
                store[hashed] = pending.hash;
            }
        }
        if (const int filtered = row - 2 * kStep; filtered >= 0 && filtered < rows) {
            Pending& pending = ring[filtered % kRing];
            pending.mayHave = filter.MayHave(pending.hash);
            for (int d = 0; d < directions && pending.mayHave; ++d) {
                history.Prefetch(pending.hash, d == 1);
            }
        }
        if (const int carded = row - 3 * kStep; carded >= 0 && carded < rows) {
            const Pending& pending = ring[carded % kRing];
            for (int d = 0; d < directions && pending.mayHave; ++d) {
                history.PrefetchCard(pending.hash, d == 1);
            }
        }
        if (const int named = row - 4 * kStep; named >= 0 && named < rows) {
            const Pending& pending = ring[named % kRing];
            for (int d = 0; d < directions && pending.mayHave; ++d) {
                history.PrefetchCardTerm(pending.hash, d == 1);
            }
        }
        if (const int found = row - kSteps * kStep; found >= 0) {
            const Pending& pending = ring[found % kRing];
            for (int d = 0; d < directions; ++d) {
                visit(EntryCard{found, pending.term, true, pending.date, withDates, pending.hash, d == 1,
                                pending.mayHave ? history.Find(pending.term, pending.hash, d == 1) : nullptr});
            }
        }
    }
}

// The rows with the oldest dates, count of them at most, in order of date, then row.
std::vector<int> OldestRows(const ClassTable& entries, size_t count) {
    const auto older = [&entries](int a, int b) {
        const int order = entries.CellView(kDateColumn, a).compare(entries.CellView(kDateColumn, b));
        return order != 0 ? order < 0 : a < b;
    };
    // The oldest so far, the newest of them on top. Rows come in order, so a row whose date equals the top's is newer.
    std::priority_queue<int, std::vector<int>, decltype(older)> oldest(older);
    const int rows = entries.RowCount();
    constexpr int kAhead = 16;
    for (int row = 0; row < rows; ++row) {
        if (row + kAhead < rows) {
            FetchAhead(entries.CellView(kDateColumn, row + kAhead).data());
        }
        if (oldest.size() < count) {
            oldest.push(row);
        } else if (entries.CellView(kDateColumn, row) < entries.CellView(kDateColumn, oldest.top())) {
            oldest.pop();
            oldest.push(row);
        }
    }
    std::vector<int> sorted;
    sorted.reserve(oldest.size());
    for (; !oldest.empty(); oldest.pop()) {
        sorted.push_back(oldest.top());
    }
    std::reverse(sorted.begin(), sorted.end());
    return sorted;
}

// A card's first entry as the digest keeps it: no entry has the card's term, or the entries were not looked through
// for it (a card first rated since, or a direction the pass did not look at).
constexpr int kNoEntry = -1;
constexpr int kNotLooked = -2;

// What the pass over the entries starts from: every card it looks for has no entry until it finds one.
std::vector<int> CardRowsBeforePass(const ReviewHistory& history, int directions) {
    const std::vector<ReviewCard>& cards = history.Cards();
    std::vector<int> rows(cards.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        const bool looked = !cards[i].records.empty() && (!cards[i].reverse || directions == 2);
        rows[i] = looked ? kNoEntry : kNotLooked;
    }
    return rows;
}

// Looks for the first entries of these cards among the kept hashes of the entries, in one pass.
void FindFirstRows(const ClassTable& entries, const ReviewHistory& history, ReviewEntryDigest& kept,
                   const std::vector<size_t>& cards) {
    std::vector<std::pair<std::uint64_t, size_t>> byHash;
    HashFilter filter(cards.size(), 24);
    for (const size_t card : cards) {
        const std::uint64_t hash = history.TermHashes(history.Cards()[card].reverse)[card];
        byHash.emplace_back(hash, card);
        filter.Add(hash);
        kept.cardRows[card] = kNoEntry;
    }
    std::sort(byHash.begin(), byHash.end());
    for (size_t row = 0; row < kept.hashes.size(); ++row) {
        const std::uint64_t hash = kept.hashes[row];
        if (!filter.MayHave(hash)) {
            continue;
        }
        auto match = std::lower_bound(byHash.begin(), byHash.end(), std::make_pair(hash, size_t{0}));
        for (; match != byHash.end() && match->first == hash; ++match) {
            int& first = kept.cardRows[match->second];
            if (first == kNoEntry &&
                entries.CellView(kTermColumn, static_cast<int>(row)) == history.Cards()[match->second].term) {
                first = static_cast<int>(row);
            }
        }
    }
}

// The due cards through the first entry with their term, in the order of the cards, from the rows the last pass over
// the same entries found for the cards of the same history; the cards it did not look for are looked for now.
void DueFromCardRows(const ClassTable& entries, const ReviewHistory& history, ReviewEntryDigest& kept, int directions,
                     int today, std::vector<DueKey>& due) {
    const std::vector<ReviewCard>& cards = history.Cards();
    const auto isDue = [&](const ReviewCard& card) {
        return !card.records.empty() && card.schedule.dueDay <= today && (!card.reverse || directions == 2);
    };
    kept.cardRows.resize(cards.size(), kNotLooked);
    std::vector<size_t> notLooked;
    for (size_t i = 0; i < cards.size(); ++i) {
        if (kept.cardRows[i] == kNotLooked && isDue(cards[i])) {
            notLooked.push_back(i);
        }
    }
    if (!notLooked.empty()) {
        FindFirstRows(entries, history, kept, notLooked);
    }
    for (size_t i = 0; i < cards.size(); ++i) {
        if (kept.cardRows[i] >= 0 && isDue(cards[i])) {
            due.push_back(DueKeyOf(cards[i].schedule.dueDay, cards[i].term, kept.cardRows[i], cards[i].reverse));
        }
    }
}

// The due cards in the queue's order: by due day and term, then by their entries (no two due cards have the same
// entry and direction).
std::vector<QueuedCard> SortedDueCards(const ClassTable& entries, std::vector<DueKey>& due) {
    SortByDayAndPrefix(due);
    // Terms that begin with the same four bytes are put in order by the next four, then by the rest of the term
    // (read only where the first eight bytes are the same).
    for (size_t first = 0; first < due.size();) {
        size_t end = first + 1;
        while (end < due.size() && due[end].dueDay == due[first].dueDay &&
               due[end].prefix >> 32 == due[first].prefix >> 32) {
            ++end;
        }
        if (end - first > 1) {
            std::sort(due.begin() + static_cast<std::ptrdiff_t>(first), due.begin() + static_cast<std::ptrdiff_t>(end),
                      [&entries](const DueKey& a, const DueKey& b) {
                          if (a.prefix != b.prefix) {
                              return a.prefix < b.prefix;
                          }
                          const int order =
                              entries.CellView(kTermColumn, a.Row()).compare(entries.CellView(kTermColumn, b.Row()));
                          return order != 0 ? order < 0 : a.entry < b.entry;
                      });
        }
        first = end;
    }
    std::vector<QueuedCard> cards;
    cards.reserve(due.size());
    for (const DueKey& key : due) {
        cards.push_back({key.Row(), key.Reverse(), false});
    }
    return cards;
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
                             int today, ReviewEntryDigest* kept) {
    const size_t newLimit = static_cast<size_t>(NewCardsLeft(history, options, today));
    const bool knownEntries = kept != nullptr && kept->Describes(entries);
    if (kept != nullptr && !knownEntries) {
        const size_t oldestRows = kept->oldestRows;
        *kept = ReviewEntryDigest();
        kept->oldestRows = oldestRows;
        kept->hashes.resize(static_cast<size_t>(entries.RowCount()));
    }
    // New cards from the oldest entries kept, rather than from a look at every entry's date.
    const bool fromOldest = knownEntries && newLimit > 0;
    if (fromOldest && !kept->oldestKnown) {
        kept->oldest = OldestRows(entries, kept->oldestRows);
        kept->oldestKnown = true;
    }
    std::vector<DueKey> due;
    due.reserve(history.Cards().size());
    std::vector<NewCandidate> looked;
    std::vector<int> lookedDays;
    // The oldest entries seen so far, the newest of them on top.
    std::priority_queue<NewCandidate, std::vector<NewCandidate>, decltype(&OlderEntry)> oldest(OlderEntry);
    const bool anyLookups = !history.LookupDays().empty();
    const HashFilter lookups = LookupFilter(history);
    const auto termOf = [&entries](const EntryCard& entry) {
        return entry.termRead ? entry.term : entries.CellView(kTermColumn, entry.row);
    };
    // The review day of the entry's latest look-up if it is recent enough to put the entry ahead; -1 otherwise.
    const auto recentLookup = [&](const EntryCard& entry) {
        if (!anyLookups || !lookups.MayHave(entry.hash)) {
            return -1;
        }
        const int day = history.LastLookupDay(termOf(entry));
        return day >= 0 && today - day < kRecentLookupDays ? day : -1;
    };
    const int directions = options.bothDirections ? 2 : 1;
    const bool dueKept = knownEntries && kept->HoldsDueCards(history, today, directions);
    // With the first row of every term kept, the due cards lead to their entries, and the entries are looked at
    // only for terms looked up lately.
    bool fromCards = dueKept;
    if (knownEntries) {
        if (!dueKept && kept->cardsOf == history.Identity() && kept->cardRows.size() <= history.Cards().size()) {
            DueFromCardRows(entries, history, *kept, directions, today, due);
            fromCards = true;
        }
        if (fromCards) {
            for (int row = 0; row < entries.RowCount() && newLimit > 0 && anyLookups; ++row) {
                const std::uint64_t hash = kept->hashes[static_cast<size_t>(row)];
                if (!lookups.MayHave(hash)) {
                    continue;
                }
                const std::string_view term = entries.CellView(kTermColumn, row);
                for (int d = 0; d < directions; ++d) {
                    const int lookedUp = recentLookup(EntryCard{row, term, true, {}, false, hash, d == 1, nullptr});
                    if (lookedUp >= 0 && history.Find(term, hash, d == 1) == nullptr) {
                        looked.push_back({entries.CellView(kDateColumn, row), row, d == 1});
                        lookedDays.push_back(lookedUp);
                    }
                }
            }
        }
    }
    if (!fromCards) {
        // The first entry of each card, as the pass finds it: a card is queued through the first entry with its term.
        std::vector<int> cardRows = CardRowsBeforePass(history, directions);
        ForEachEntryCard(
            entries, history, directions, newLimit > 0 && !fromOldest, knownEntries ? kept->hashes.data() : nullptr,
            kept != nullptr && !knownEntries ? kept->hashes.data() : nullptr, [&](const EntryCard& entry) {
                if (entry.card != nullptr) {
                    const ReviewCard* card = entry.card;
                    int& first = cardRows[static_cast<size_t>(card - history.Cards().data())];
                    if (first == kNoEntry) {
                        first = entry.row;
                        if (card->schedule.dueDay <= today) {
                            due.push_back(DueKeyOf(card->schedule.dueDay, entry.term, entry.row, entry.reverse));
                        }
                    }
                    return;
                }
                if (newLimit == 0) {
                    return;
                }
                const int lookedUp = recentLookup(entry);
                if (lookedUp < 0 && fromOldest) {
                    return;
                }
                const NewCandidate candidate{entry.dateRead ? entry.date : entries.CellView(kDateColumn, entry.row),
                                             entry.row, entry.reverse};
                if (lookedUp >= 0) {
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
        if (kept != nullptr) {
            kept->cardRows = std::move(cardRows);
            kept->cardsOf = history.Identity();
        }
    }
    if (kept != nullptr && !knownEntries) {
        kept->table = &entries;
        kept->version = entries.Version();
        kept->rows = entries.RowCount();
    }
    std::vector<NewCandidate> rest;
    if (fromOldest) {
        // The oldest entries that are new cards and were not looked up lately, in order, as many as the pass
        // would have kept; more of the oldest rows when too many of those kept have cards.
        for (;;) {
            rest.clear();
            for (const int row : kept->oldest) {
                if (rest.size() >= newLimit * 2) {
                    break;
                }
                const std::string_view term = entries.CellView(kTermColumn, row);
                const std::uint64_t hash = kept->hashes[static_cast<size_t>(row)];
                for (int d = 0; d < directions && rest.size() < newLimit * 2; ++d) {
                    const EntryCard entry{row, term, true, {}, false, hash, d == 1, nullptr};
                    if (history.Find(term, hash, d == 1) == nullptr && recentLookup(entry) < 0) {
                        rest.push_back({entries.CellView(kDateColumn, row), row, d == 1});
                    }
                }
            }
            if (rest.size() >= newLimit * 2 || kept->oldest.size() >= static_cast<size_t>(entries.RowCount())) {
                break;
            }
            kept->oldestRows *= 4;
            kept->oldest = OldestRows(entries, kept->oldestRows);
        }
    } else {
        for (; !oldest.empty(); oldest.pop()) {
            rest.push_back(oldest.top());
        }
        std::reverse(rest.begin(), rest.end());
    }

    ReviewQueue queue;
    if (dueKept) {
        queue.cards = kept->due;
    } else {
        queue.cards = SortedDueCards(entries, due);
        if (kept != nullptr) {
            kept->due = queue.cards;
            kept->dueOf = history.Identity();
            kept->historyVersion = history.Version();
            kept->dueToday = today;
            kept->dueDirections = directions;
        }
    }
    queue.dueCount = static_cast<int>(queue.cards.size());
    queue.cards.reserve(queue.cards.size() + newLimit);

    std::vector<size_t> order(looked.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return lookedDays[a] != lookedDays[b] ? lookedDays[a] > lookedDays[b] : OlderEntry(looked[a], looked[b]);
    });
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
    ForEachEntryCard(entries, history, bothDirections ? 2 : 1, false, nullptr, nullptr,
                     [&count](const EntryCard& entry) { count += entry.card ? 0 : 1; });
    return count;
}

} // namespace lexaro
