#include "training/ReviewQueue.h"

#include <algorithm>
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
    // Its place in the order of the entries, for cards whose due day and term are the same.
    size_t found;
    QueuedCard card;
};

bool DueEarlier(const DueCard& a, const DueCard& b) {
    if (a.dueDay != b.dueDay) {
        return a.dueDay < b.dueDay;
    }
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    const int order = a.term.compare(b.term);
    return order != 0 ? order < 0 : a.found < b.found;
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

// Hands every entry's row, term and card in each direction (nullptr for none) to visit, in row order. The terms
// are looked up in blocks: the memory of a block's look-ups is asked for before the first is compared.
template <typename Visit>
void ForEachEntryCard(const ClassTable& entries, const ReviewHistory& history, int directions, const Visit& visit) {
    constexpr int kBlock = 64;
    std::string_view terms[kBlock];
    std::uint64_t hashes[kBlock];
    const int rows = entries.RowCount();
    for (int first = 0; first < rows; first += kBlock) {
        const int count = std::min(kBlock, rows - first);
        for (int i = 0; i < count; ++i) {
            terms[i] = entries.CellView(kTermColumn, first + i);
            FetchAhead(terms[i].data());
        }
        for (int i = 0; i < count; ++i) {
            hashes[i] = CardIndex::HashOf(terms[i]);
            for (int d = 0; d < directions; ++d) {
                history.Prefetch(hashes[i], d == 1);
            }
        }
        for (int i = 0; i < count; ++i) {
            for (int d = 0; d < directions; ++d) {
                visit(first + i, terms[i], d == 1, history.Find(terms[i], hashes[i], d == 1));
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
    std::vector<NewCandidate> looked;
    std::vector<int> lookedDays;
    // The oldest entries seen so far, the newest of them on top.
    std::priority_queue<NewCandidate, std::vector<NewCandidate>, decltype(&OlderEntry)> oldest(OlderEntry);
    // A card already queued through an earlier entry with the same term, by its place among the cards.
    std::vector<char> queued(history.Cards().size(), 0);
    const bool anyLookups = !history.LookupDays().empty();
    const int directions = options.bothDirections ? 2 : 1;
    ForEachEntryCard(
        entries, history, directions, [&](int row, std::string_view term, bool reverse, const ReviewCard* card) {
            if (card != nullptr) {
                char& done = queued[static_cast<size_t>(card - history.Cards().data())];
                if (card->schedule.dueDay <= today && done == 0) {
                    done = 1;
                    due.push_back({card->schedule.dueDay, OrderPrefix(term), term, due.size(), {row, reverse, false}});
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
    std::sort(due.begin(), due.end(), DueEarlier);
    queue.cards.reserve(due.size() + newLimit);
    for (const DueCard& card : due) {
        queue.cards.push_back(card.card);
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
    ForEachEntryCard(entries, history, bothDirections ? 2 : 1,
                     [&count](int, std::string_view, bool, const ReviewCard* card) { count += card ? 0 : 1; });
    return count;
}

} // namespace lexaro
