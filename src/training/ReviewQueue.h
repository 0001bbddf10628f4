#pragma once

#include "table/ClassTable.h"
#include "training/ReviewHistory.h"

#include <cstdint>
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
// What a queue keeps of one version of the dictionary for the queues built after it (on opening the review window,
// when the count is worked out again): the hash of every entry's term and the rows of the oldest entries, so that a
// queue built again reads neither every term nor every date. It describes the table it was made from as long as
// the table's version stays the same; a queue finds out for itself when it does not and reads the table afresh.
struct ReviewEntryDigest {
    // How many of the oldest rows are kept at first; more once as many of them have cards.
    size_t oldestRows = 4096;
    const ClassTable* table = nullptr;
    std::uint64_t version = 0;
    int rows = -1;
    // CardIndex::HashOf of each row's term.
    std::vector<std::uint64_t> hashes;
    // Rows in order of their date, then row number; the first oldest.size() of all rows.
    std::vector<int> oldest;
    bool oldestKnown = false;
    // The first row with each card's term by the card's place among the cards of the history Identity() names, for
    // going from the cards to the entries: as the last pass over the entries found it (negative: no entry has the
    // term, or the pass did not look for the card).
    std::vector<int> cardRows;
    std::uint64_t cardsOf = 0;
    // The due cards of the queue built last, in their order: a queue built for the same history (Identity()) and
    // version, day and directions takes them as they are (the review window opened after the count on opening).
    std::vector<QueuedCard> due;
    std::uint64_t dueOf = 0;
    std::uint64_t historyVersion = 0;
    int dueToday = 0;
    int dueDirections = 0;

    bool Describes(const ClassTable& entries) const {
        return table == &entries && version == entries.Version() && rows == entries.RowCount();
    }
    bool HoldsDueCards(const ReviewHistory& of, int today, int directions) const {
        return dueOf == of.Identity() && historyVersion == of.Version() && dueToday == today &&
               dueDirections == directions;
    }
};

// With kept, the queue uses what an earlier one kept of the same version of entries, and keeps it for the next.
ReviewQueue BuildReviewQueue(const ClassTable& entries, const ReviewHistory& history, const ReviewQueueOptions& options,
                             int today, ReviewEntryDigest* kept = nullptr);

// Cards of the dictionary that were never rated, one per entry (entries that share a term count once each).
int CountNewCards(const ClassTable& entries, const ReviewHistory& history, bool bothDirections);

} // namespace lexaro
