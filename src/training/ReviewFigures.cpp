#include "training/ReviewFigures.h"

#include <algorithm>

namespace lexaro {

namespace {

void CountRatings(const ReviewCard& card, int today, ReviewFigures& figures) {
    const int firstDay = today - (kFigureDays - 1);
    const int firstWeekDay = today - (kRetentionWeeks * 7 - 1);
    const ReviewRecord* previous = nullptr;
    for (const ReviewRecord& record : card.records) {
        if (record.day >= firstDay && record.day <= today) {
            ++figures.ratingsPerDay[record.day - firstDay][static_cast<int>(record.rating) - 1];
        }
        if (previous && record.day - previous->day >= 1 && record.day >= firstWeekDay && record.day <= today) {
            WeekRetention& week = figures.retentionPerWeek[(record.day - firstWeekDay) / 7];
            ++week.reviews;
            week.recalled += record.rating == Rating::Again ? 0 : 1;
        }
        previous = &record;
    }
}

} // namespace

ReviewFigures ComputeReviewFigures(const ReviewHistory& history, int today) {
    ReviewFigures figures;
    ClearVectorState();
    for (const ReviewCard& card : history.Cards()) {
        if (card.records.empty()) {
            continue;
        }
        const CardSchedule& schedule = card.schedule;
        CountRatings(card, today, figures);
        const int dueIn = std::max(schedule.dueDay - today, 0);
        if (dueIn < kFigureDays) {
            ++figures.duePerDay[dueIn];
        }
        if (schedule.state.stability >= kKnownStability) {
            ++figures.knownCards;
        } else {
            ++figures.learningCards;
        }
        figures.expectedRecall += Retrievability(std::max(today - schedule.lastDay, 0), schedule.state.stability);
        ++figures.ratedCards;
    }
    return figures;
}

} // namespace lexaro
