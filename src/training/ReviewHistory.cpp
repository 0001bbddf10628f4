#include "training/ReviewHistory.h"

#include <algorithm>
#include <atomic>
#include <new>

namespace lexaro {

namespace {

bool Earlier(const ReviewRecord& a, const ReviewRecord& b) {
    return a.utcSeconds < b.utcSeconds;
}

void SetDueDay(CardSchedule& schedule, Rating rating, const ScheduleOptions& options) {
    schedule.dueDay = schedule.lastDay;
    if (rating != Rating::Again) {
        schedule.dueDay += OfferIntervals(schedule.offered, options)[static_cast<int>(rating) - 1];
    }
}

} // namespace

void AddToSchedule(CardSchedule& schedule, const ReviewRecord& record, const ScheduleOptions& options, bool settle) {
    if (schedule.reviews == 0) {
        schedule.state = FirstReview(record.rating);
        schedule.firstDay = record.day;
        schedule.offered = StabilitiesAfter(nullptr, 0);
    } else {
        const int gap = std::max(record.day - schedule.lastDay, 0);
        schedule.offered = {};
        schedule.state = NextReview(schedule.state, record.rating, gap, &schedule.offered);
        schedule.lapses += record.rating == Rating::Again ? 1 : 0;
    }
    schedule.lastDay = record.day;
    ++schedule.reviews;
    if (settle) {
        SetDueDay(schedule, record.rating, options);
    }
}

CardSchedule ScheduleOf(const std::vector<ReviewRecord>& records, const ScheduleOptions& options) {
    CardSchedule schedule;
    for (const ReviewRecord& record : records) {
        AddToSchedule(schedule, record, options, false);
    }
    if (!records.empty()) {
        SetDueDay(schedule, records.back().rating, options);
    }
    return schedule;
}

void ReviewHistory::Apply(const ReviewEvent& event, bool settle) {
    if (event.kind != ReviewEventKind::Lookup) {
        m_Version = NewVersion();
    }
    Apply(event, CardIndex::HashOf(event.term), settle);
}

void ReviewHistory::ApplyInTurn(const ReviewEvent* events, size_t count, bool settle) {
    m_Version = NewVersion();
    constexpr size_t kAhead = 64;
    std::uint64_t hashes[kAhead];
    for (size_t first = 0; first < count; first += kAhead) {
        const size_t block = std::min(kAhead, count - first);
        for (size_t i = 0; i < block; ++i) {
            const ReviewEvent& event = events[first + i];
            hashes[i] = CardIndex::HashOf(event.term);
            Prefetch(hashes[i], event.reverse);
        }
        for (size_t i = 0; i < block; ++i) {
            Apply(events[first + i], hashes[i], settle);
        }
    }
}

std::uint64_t ReviewHistory::NewVersion() {
    // Histories are also read on threads of their own.
    static std::atomic<std::uint64_t> versions{0};
    return ++versions;
}

void ReviewHistory::Apply(const ReviewEvent& event, std::uint64_t termHash, bool settle) {
    switch (event.kind) {
    case ReviewEventKind::Rating: {
        ReviewCard& card = CardFor(event.term, termHash, event.reverse);
        const ReviewMoment moment = MomentOf(event.time);
        const ReviewRecord record{moment.utcSeconds, moment.day, event.rating};
        if (card.records.empty() || !Earlier(record, card.records.back())) {
            card.records.push_back(record);
            AddToSchedule(card.schedule, record, m_Options, settle);
        } else {
            // Logs merged by hand may hold a card's ratings out of order; each goes to its place in time.
            card.records.insert(std::upper_bound(card.records.begin(), card.records.end(), record, Earlier), record);
            card.schedule = ScheduleOf(card.records, m_Options);
        }
        ++m_Ratings;
        break;
    }
    case ReviewEventKind::Undo: {
        const size_t found = IndexOf(event.term, termHash, event.reverse);
        if (found != CardIndex::kNone && !m_Cards[found].records.empty()) {
            ReviewCard& card = m_Cards[found];
            card.records.pop_back();
            card.schedule = ScheduleOf(card.records, m_Options);
            --m_Ratings;
        }
        break;
    }
    case ReviewEventKind::Lookup: {
        const int day = ReviewDay(event.time.local);
        const auto [found, added] = m_Lookups.try_emplace(event.term, day);
        found->second = std::max(found->second, day);
        break;
    }
    case ReviewEventKind::Rename:
        if (event.term != event.newTerm) {
            MoveCard(event.term, event.newTerm, false);
            MoveCard(event.term, event.newTerm, true);
        }
        break;
    }
}

void ReviewHistory::ReserveCards(size_t cards) {
    try {
        m_Cards.reserve(cards);
    } catch (const std::bad_alloc&) {
    }
}

void ReviewHistory::SettleDueDays() {
    SetOptions(m_Options);
}

void ReviewHistory::SetOptions(const ScheduleOptions& options) {
    m_Options = options;
    m_Version = NewVersion();
    for (ReviewCard& card : m_Cards) {
        if (!card.records.empty()) {
            SetDueDay(card.schedule, card.records.back().rating, options);
        }
    }
}

const ReviewCard* ReviewHistory::Find(std::string_view term, bool reverse) const {
    return Find(term, CardIndex::HashOf(term), reverse);
}

const ReviewCard* ReviewHistory::Find(std::string_view term, std::uint64_t hash, bool reverse) const {
    const size_t found = IndexOf(term, hash, reverse);
    if (found == CardIndex::kNone || m_Cards[found].records.empty()) {
        return nullptr;
    }
    return &m_Cards[found];
}

size_t ReviewHistory::IndexOf(std::string_view term, std::uint64_t hash, bool reverse) const {
    return m_Index[reverse].Find(term, hash, [this](size_t i) { return std::string_view(m_Cards[i].term); });
}

int ReviewHistory::LastLookupDay(std::string_view term) const {
    const auto found = m_Lookups.find(term);
    return found == m_Lookups.end() ? -1 : found->second;
}

ReviewCard& ReviewHistory::CardFor(const std::string& term, std::uint64_t hash, bool reverse) {
    bool found = false;
    const size_t card = m_Index[reverse].FindOrAdd(
        term, hash, m_Cards.size(), [this](size_t i) { return std::string_view(m_Cards[i].term); }, found);
    if (!found) {
        m_Cards.push_back({term, reverse, {}, {}});
        // Room for a few ratings at once: most cards get several, and growing one by one cost more than the model.
        m_Cards.back().records.reserve(4);
    }
    return m_Cards[card];
}

void ReviewHistory::MoveCard(const std::string& from, const std::string& to, bool reverse) {
    const size_t found = IndexOf(from, CardIndex::HashOf(from), reverse);
    if (found == CardIndex::kNone || m_Cards[found].records.empty()) {
        return;
    }
    std::vector<ReviewRecord> moved = std::move(m_Cards[found].records);
    m_Cards[found].records.clear();
    m_Cards[found].schedule = {};
    ReviewCard& target = CardFor(to, CardIndex::HashOf(to), reverse);
    target.records.insert(target.records.end(), moved.begin(), moved.end());
    std::stable_sort(target.records.begin(), target.records.end(), Earlier);
    target.schedule = ScheduleOf(target.records, m_Options);
}

} // namespace lexaro
