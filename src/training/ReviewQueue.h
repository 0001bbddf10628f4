#pragma once

#include "table/ClassTable.h"
#include "training/ReviewHistory.h"

#include <vector>

namespace lexaro {

// What the options say about the daily review.
struct ReviewQueueOptions {
    int newCardsPerDay = 20;
    // Every entry is also a card asking its main explanation and expecting the term.
    bool bothDirections = false;
};
inline constexpr int kMaxNewCardsPerDay = 9999;
// A look-up this many review days back or fewer puts its term ahead of the other new cards.
inline constexpr int kRecentLookupDays = 30;

struct QueuedCard {
    int entryRow = -1;
    bool reverse = false;
    bool isNew = false;
};

// Today's review: the due cards (earliest due day first, then by term), then new cards up to what is left of
// the day's limit: terms looked up in the last 30 days (latest first), then by entry date, oldest first. A card
// belongs to the first entry with its term; cards whose term the dictionary no longer has are not asked.
struct ReviewQueue {
    std::vector<QueuedCard> cards;
    int dueCount = 0;
};
ReviewQueue BuildReviewQueue(const ClassTable& entries, const ReviewHistory& history, const ReviewQueueOptions& options,
                             int today);

// Cards of the dictionary that were never rated, one per entry (entries that share a term count once each).
int CountNewCards(const ClassTable& entries, const ReviewHistory& history, bool bothDirections);

} // namespace lexaro
