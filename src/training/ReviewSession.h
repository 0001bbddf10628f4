#pragma once

#include "table/ClassTable.h"
#include "training/ReviewDeck.h"
#include "training/ReviewQueue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// How the user answered before rating: Enter takes the rating suggested for it.
enum class ReviewAnswer { Shown, Wrong, RightAfterHelp, Right };
Rating SuggestedRating(ReviewAnswer outcome);

// The answer side as the review window shows it: the term, the main explanation, then every positive example
// on a line starting "+ " and every negative one on a line starting "- ".
std::string ShownAnswer(std::string_view term, std::string_view explanation);

// The end of a session.
struct ReviewSummary {
    int reviewed = 0;
    int right = 0;
    long long seconds = 0;
    int dueTomorrow = 0;
};

// One sitting of the review window: the queue asked in order; a card rated Again comes back at the end. Every
// rating goes to the deck (and so to the log) before the session moves on.
class ReviewSession {
public:
    ReviewSession(ReviewDeck& deck, const ClassTable& entries, ReviewQueue queue, long long startSeconds);

    bool Finished() const { return m_Position >= m_Cards.size(); }
    const QueuedCard& Current() const { return m_Cards[m_Position]; }
    // The current card's term (its exact bytes) and whole explanation, with the examples.
    std::string Term() const;
    std::string Explanation() const;
    // The term, or the main explanation for a reverse card.
    std::string Question() const;
    // What a typed answer is judged against: the main explanation, or the term for a reverse card.
    std::string ExpectedAnswer() const;
    // 1-based position and count, for "12 of 40".
    int Number() const { return static_cast<int>(m_Position) + 1; }
    int Count() const { return static_cast<int>(m_Cards.size()); }

    // Days until the next review for each rating of the current card on this review day.
    OfferedIntervals Offered(int today) const;
    // False (errno set) when the log could not be written; the session then stays on the card.
    bool Rate(Rating rating, const ReviewTime& time);
    bool CanUndo() const { return !m_Done.empty(); }
    bool Undo(const ReviewTime& time);

    ReviewSummary Summary(long long nowSeconds, int today) const;

private:
    struct Done {
        QueuedCard card;
        Rating rating;
    };
    ReviewDeck& m_Deck;
    const ClassTable& m_Entries;
    std::vector<QueuedCard> m_Cards;
    size_t m_Position = 0;
    std::vector<Done> m_Done;
    long long m_Start = 0;
};

} // namespace lexaro
