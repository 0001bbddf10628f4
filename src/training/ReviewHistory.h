#pragma once

#include "training/CardIndex.h"
#include "training/MemoryModel.h"
#include "training/ReviewLog.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lexaro {

// One rating of a card as the replay keeps it.
struct ReviewRecord {
    long long utcSeconds = 0;
    int day = 0;
    Rating rating = Rating::Good;
};

// What the model makes of a card's ratings.
struct CardSchedule {
    MemoryState state;
    int firstDay = 0;
    int lastDay = 0;
    int dueDay = 0;
    int reviews = 0;
    // Again after the first review.
    int lapses = 0;
    // The stabilities the latest rating would have given for Hard, Good and Easy (unset after Again, which is
    // due the same day): the due day depends on the options, and is worked out again from these when they change.
    GradeStabilities offered{};
};

struct ReviewCard {
    std::string term;
    bool reverse = false;
    // In time order; empty once every rating was taken back or the term renamed.
    std::vector<ReviewRecord> records;
    CardSchedule schedule;
};

// Extends a card's schedule by one more rating, the latest; the due day only with settle set.
void AddToSchedule(CardSchedule& schedule, const ReviewRecord& record, const ScheduleOptions& options,
                   bool settle = true);
// The schedule of a card's ratings in order.
CardSchedule ScheduleOf(const std::vector<ReviewRecord>& records, const ScheduleOptions& options);

// The replay of a review log: every card with its ratings and schedule, and the latest successful look-up of
// every term. It takes the log's events in order.
class ReviewHistory {
public:
    explicit ReviewHistory(const ScheduleOptions& options = {}) : m_Options(options) {}

    // With settle off (reading a whole log), the due days wait for SettleDueDays: only a card's last rating
    // decides its due day, and working it out for every rating would triple the cost of reading.
    void Apply(const ReviewEvent& event, bool settle = true);
    // The same for count events in turn; the index slots of their cards are asked for first, so that their memory
    // is fetched while the events before them are replayed.
    void ApplyInTurn(const ReviewEvent* events, size_t count, bool settle = true);
    void SettleDueDays();
    // Room for this many cards, so that reading a long log does not move every card each time there are twice as
    // many. Memory is only used as cards come; without the address space the cards grow as they come.
    void ReserveCards(size_t cards);
    // New options move the due days; the memory states stay.
    void SetOptions(const ScheduleOptions& options);
    const ScheduleOptions& Options() const { return m_Options; }

    // Every card ever rated; skip those whose records are empty.
    const std::vector<ReviewCard>& Cards() const { return m_Cards; }
    // The card of a term in a direction; nullptr when it has no rating.
    const ReviewCard* Find(std::string_view term, bool reverse) const;
    // The same with the term's hash (CardIndex::HashOf) worked out before, after Prefetch(hash, reverse): going
    // through every entry of a dictionary, the memory of the next look-ups is fetched while this one is worked on.
    const ReviewCard* Find(std::string_view term, std::uint64_t hash, bool reverse) const;
    void Prefetch(std::uint64_t hash, bool reverse) const { m_Index[reverse].Prefetch(hash); }
    // After Prefetch: asks for the memory of the card the look-up will most likely find, its term and schedule.
    void PrefetchCard(std::uint64_t hash, bool reverse) const {
        if (const size_t card = m_Index[reverse].Likely(hash); card != CardIndex::kNone) {
            FetchAhead(&m_Cards[card].term);
            FetchAhead(&m_Cards[card].schedule.dueDay);
        }
    }
    // After PrefetchCard, some time later: asks for the memory of that card's term where it lies outside the card.
    void PrefetchCardTerm(std::uint64_t hash, bool reverse) const {
        if (const size_t card = m_Index[reverse].Likely(hash); card != CardIndex::kNone) {
            FetchAhead(m_Cards[card].term.data());
        }
    }
    // The hashes of the terms of the cards in one direction, for telling entries without a card apart quickly.
    const std::vector<std::uint64_t>& TermHashes(bool reverse) const { return m_Index[reverse].Hashes(); }
    // Review day of the latest look-up of the term; -1 when none is recorded.
    int LastLookupDay(std::string_view term) const;
    const auto& LookupDays() const { return m_Lookups; }
    size_t RatingCount() const { return m_Ratings; }
    // Changes with every rating, undo, rename and change of the options (never with a look-up), to a value no
    // history had before: what was worked out from the cards (a queue's due cards) holds while it stays the same.
    std::uint64_t Version() const { return m_Version; }
    // Never the same for two histories, nor for a copy: within one, a card keeps its place among Cards().
    std::uint64_t Identity() const { return m_Identity.value; }

private:
    void Apply(const ReviewEvent& event, std::uint64_t termHash, bool settle);
    ReviewCard& CardFor(const std::string& term, std::uint64_t hash, bool reverse);
    void MoveCard(const std::string& from, const std::string& to, bool reverse);

    ScheduleOptions m_Options;
    std::vector<ReviewCard> m_Cards;
    struct TermHash {
        using is_transparent = void;
        size_t operator()(std::string_view term) const { return std::hash<std::string_view>{}(term); }
    };
    // Index into m_Cards by direction and term.
    CardIndex m_Index[2];
    size_t IndexOf(std::string_view term, std::uint64_t hash, bool reverse) const;
    std::unordered_map<std::string, int, TermHash, std::equal_to<>> m_Lookups;
    size_t m_Ratings = 0;
    static std::uint64_t NewVersion();
    std::uint64_t m_Version = NewVersion();
    // A new value for every history made, copied or assigned.
    struct FreshIdentity {
        std::uint64_t value = NewVersion();
        FreshIdentity() = default;
        FreshIdentity(const FreshIdentity&) : value(NewVersion()) {}
        FreshIdentity& operator=(const FreshIdentity&) {
            value = NewVersion();
            return *this;
        }
    };
    FreshIdentity m_Identity;
};

} // namespace lexaro
