#pragma once

#include <array>

namespace lexaro {

// The memory model that schedules reviews (FSRS-6 with its published default weights). A card's memory is its
// stability (days until recall falls to 90 %) and its difficulty (1 to 10).
enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct MemoryState {
    double stability = 0;
    double difficulty = 0;
};

// Lets the model's arithmetic run at full speed after code that left the upper halves of the AVX registers in use
// (the window toolkit's): to be called before a long run of the model, such as replaying a log.
void ClearVectorState();

// Recall probability t days after the last review of a memory of this stability.
double Retrievability(double days, double stability);

// The state after the first review of a card.
MemoryState FirstReview(Rating rating);
// The stabilities a review gives after Hard, Good and Easy (index grade - 2), from which the offered intervals
// are worked out.
using GradeStabilities = std::array<double, 3>;

// The state after a later review, days (0 or more) review days after the previous one. With offered given, a
// rating other than Again also sets there the stabilities of the review for Hard, Good and Easy: replaying a
// long log keeps them for the latest rating instead of working them out again.
MemoryState NextReview(const MemoryState& state, Rating rating, int days, GradeStabilities* offered = nullptr);

// What the scheduler is told by the options.
struct ScheduleOptions {
    double desiredRetention = 0.90;
    int maximumInterval = 36500;
};
inline constexpr double kMinRetention = 0.70;
inline constexpr double kMaxRetention = 0.99;

// Whole days until recall of this stability falls to the desired retention: at least 1, at most the maximum.
int IntervalDays(double stability, const ScheduleOptions& options);

// The days until the next review offered for each rating (index rating - 1), from the state before the review
// (nothing for a new card) and the days since it. Again is 0 (asked again today); Hard, Good and Easy keep
// their order, each at least a day more than the one before, Hard never beyond Good.
using OfferedIntervals = std::array<int, 4>;
OfferedIntervals OfferIntervals(const MemoryState* before, int days, const ScheduleOptions& options);
// The same from the stabilities of the review (StabilitiesAfter or NextReview).
OfferedIntervals OfferIntervals(const GradeStabilities& stabilities, const ScheduleOptions& options);
// The stabilities of a review of before (nothing for a new card) days after the previous one.
GradeStabilities StabilitiesAfter(const MemoryState* before, int days);

} // namespace lexaro
