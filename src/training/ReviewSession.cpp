#include "training/ReviewSession.h"

#include "engine/EntryStore.h"
#include "training/QuizRules.h"

#include <algorithm>

namespace lexaro {

Rating SuggestedRating(ReviewAnswer outcome) {
    switch (outcome) {
    case ReviewAnswer::Wrong:
        return Rating::Again;
    case ReviewAnswer::RightAfterHelp:
        return Rating::Hard;
    case ReviewAnswer::Right:
    case ReviewAnswer::Shown:
        break;
    }
    return Rating::Good;
}

std::string ShownAnswer(std::string_view term, std::string_view explanation) {
    std::string shown(term);
    shown += '\n';
    shown += EntryStore::MainExplanation(explanation);
    for (const bool positive : {true, false}) {
        ClassTable examples;
        if (!EntryStore::ExtractExamples(explanation, positive, examples)) {
            continue;
        }
        for (int row = 0; row < examples.RowCount(); ++row) {
            shown += positive ? "\n+ " : "\n- ";
            shown += examples.CellView(0, row);
        }
    }
    return shown;
}

ReviewSession::ReviewSession(ReviewDeck& deck, const ClassTable& entries, ReviewQueue queue, long long startSeconds)
    : m_Deck(deck), m_Entries(entries), m_Cards(std::move(queue.cards)), m_Start(startSeconds) {}

std::string ReviewSession::Term() const {
    return EntryCell(m_Entries, Current().entryRow, 0, false);
}

std::string ReviewSession::Explanation() const {
    return EntryCell(m_Entries, Current().entryRow, 1, false);
}

std::string ReviewSession::Question() const {
    return Current().reverse ? EntryCell(m_Entries, Current().entryRow, 1, true) : Term();
}

std::string ReviewSession::ExpectedAnswer() const {
    return Current().reverse ? Term() : EntryCell(m_Entries, Current().entryRow, 1, true);
}

OfferedIntervals ReviewSession::Offered(int today) const {
    const ReviewCard* card = m_Deck.History().Find(Term(), Current().reverse);
    if (!card) {
        return OfferIntervals(nullptr, 0, m_Deck.History().Options());
    }
    const CardSchedule& schedule = card->schedule;
    return OfferIntervals(&schedule.state, std::max(today - schedule.lastDay, 0), m_Deck.History().Options());
}

bool ReviewSession::Rate(Rating rating, const ReviewTime& time) {
    if (Finished() || !m_Deck.Rate(Term(), Current().reverse, rating, time)) {
        return false;
    }
    m_Done.push_back({Current(), rating});
    if (rating == Rating::Again) {
        m_Cards.push_back(Current());
    }
    ++m_Position;
    return true;
}

bool ReviewSession::Undo(const ReviewTime& time) {
    if (m_Done.empty()) {
        return false;
    }
    const Done last = m_Done.back();
    if (!m_Deck.Undo(EntryCell(m_Entries, last.card.entryRow, 0, false), last.card.reverse, time)) {
        return false;
    }
    m_Done.pop_back();
    if (last.rating == Rating::Again) {
        m_Cards.pop_back();
    }
    --m_Position;
    return true;
}

ReviewSummary ReviewSession::Summary(long long nowSeconds, int today) const {
    ReviewSummary summary;
    summary.reviewed = static_cast<int>(m_Done.size());
    summary.right = static_cast<int>(
        std::count_if(m_Done.begin(), m_Done.end(), [](const Done& done) { return done.rating != Rating::Again; }));
    summary.seconds = std::max(nowSeconds - m_Start, 0LL);
    for (const ReviewCard& card : m_Deck.History().Cards()) {
        summary.dueTomorrow += !card.records.empty() && card.schedule.dueDay <= today + 1 ? 1 : 0;
    }
    return summary;
}

} // namespace lexaro
