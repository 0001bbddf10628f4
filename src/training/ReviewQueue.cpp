#include "training/ReviewQueue.h"

#include <algorithm>
#include <queue>
#include <string_view>
#include <unordered_set>

namespace lexaro {

namespace {

constexpr int kTermColumn = 0;
constexpr int kDateColumn = 2;

struct DueCard {
    int dueDay;
    std::string_view term;
    QueuedCard card;
};

struct NewCandidate {
    std::string_view date;
    int row;
    bool reverse;
};

bool OlderEntry(const NewCandidate& a, const NewCandidate& b) {
    return a.date != b.date ? a.date < b.date : a.row != b.row ? a.row < b.row : a.reverse < b.reverse;
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
    for (int row = 0; row < entries.RowCount(); ++row) {
        const std::string_view term = entries.CellView(kTermColumn, row);
        for (int d = 0; d < directions; ++d) {
            const bool reverse = d == 1;
            if (const ReviewCard* card = history.Find(term, reverse)) {
                char& done = queued[static_cast<size_t>(card - history.Cards().data())];
                if (card->schedule.dueDay <= today && done == 0) {
                    done = 1;
                    due.push_back({card->schedule.dueDay, term, {row, reverse, false}});
                }
                continue;
            }
            if (newLimit == 0) {
                continue;
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
        }
    }

    ReviewQueue queue;
    std::stable_sort(due.begin(), due.end(), [](const DueCard& a, const DueCard& b) {
        return a.dueDay != b.dueDay ? a.dueDay < b.dueDay : a.term < b.term;
    });
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
    for (int row = 0; row < entries.RowCount(); ++row) {
        const std::string_view term = entries.CellView(kTermColumn, row);
        count += history.Find(term, false) ? 0 : 1;
        count += bothDirections && !history.Find(term, true) ? 1 : 0;
    }
    return count;
}

} // namespace lexaro
