#pragma once

#include "training/ReviewHistory.h"

#include <array>
#include <vector>

namespace lexaro {

inline constexpr int kFigureDays = 30;
inline constexpr int kRetentionWeeks = 12;
// A card is known once its stability reaches three weeks.
inline constexpr double kKnownStability = 21.0;

struct WeekRetention {
    // Reviews of cards last seen at least a day before, and those of them not rated Again.
    int reviews = 0;
    int recalled = 0;
};

// The figures of the statistics window, for one review day.
struct ReviewFigures {
    // Ratings per day over the last 30 days, today last; index rating - 1.
    std::array<std::array<int, 4>, kFigureDays> ratingsPerDay{};
    // Cards due on each of the next 30 days, today first (with every overdue card).
    std::array<int, kFigureDays> duePerDay{};
    // True retention of the last 12 weeks (7 review days each, the current one last).
    std::array<WeekRetention, kRetentionWeeks> retentionPerWeek{};
    int learningCards = 0;
    int knownCards = 0;
    // The sum of every rated card's recall probability today, and the number of those cards.
    double expectedRecall = 0;
    int ratedCards = 0;
};

ReviewFigures ComputeReviewFigures(const ReviewHistory& history, int today);

} // namespace lexaro
