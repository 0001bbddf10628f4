#pragma once

#include "engine/Clock.h"

#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// A moment as the review log keeps it: the local time and its offset from UTC in minutes.
struct ReviewTime {
    LocalTime local;
    int utcOffsetMinutes = 0;
};

// A review day starts at 04:00 local time, so that reviews past midnight count to the evening before. Days are
// numbered from 1970-01-01; the number of day starts passed between two times is the difference of their days.
inline constexpr int kReviewDayStartHour = 4;
int ReviewDay(const LocalTime& local);
// The calendar date of a review day, "YYYY-MM-DD".
std::string ReviewDayDate(int day);

// "YYYY-MM-DD HH:MM:SS +HHMM"; the reader accepts nothing else.
std::string FormatReviewTime(const ReviewTime& time);
std::optional<ReviewTime> ParseReviewTime(std::string_view text);
// "YYYY-MM-DD HH:MM:SS" with a valid date and time.
std::optional<LocalTime> ParseLocalTime(std::string_view text);

// Seconds since 1970-01-01 00:00 UTC.
long long UtcSeconds(const ReviewTime& time);
// UtcSeconds and the ReviewDay of a time from one conversion of its date: a long log holds a million times.
struct ReviewMoment {
    long long utcSeconds = 0;
    int day = 0;
};
ReviewMoment MomentOf(const ReviewTime& time);

// The local time with the offset this machine's time zone has at that moment.
ReviewTime WithSystemOffset(const LocalTime& local);

} // namespace lexaro
