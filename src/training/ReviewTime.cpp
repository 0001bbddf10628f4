#include "training/ReviewTime.h"

#include <cstdio>
#include <ctime>

namespace lexaro {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long long>(era) * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

bool ReadDigits(std::string_view text, size_t at, size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// The number the two characters at p spell; notDigit is set when one of them is no digit.
inline int TwoDigits(const char* p, bool& notDigit) {
    const unsigned high = static_cast<unsigned char>(p[0]) - unsigned{'0'};
    const unsigned low = static_cast<unsigned char>(p[1]) - unsigned{'0'};
    notDigit |= (high > 9) | (low > 9);
    return static_cast<int>(high * 10 + low);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

int ReviewDay(const LocalTime& local) {
    const long long days = DaysFromCivil(local.year, local.month, local.day);
    return static_cast<int>(local.hour < kReviewDayStartHour ? days - 1 : days);
}

std::string ReviewDayDate(int day) {
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    CivilFromDays(day, year, month, dayOfMonth);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, dayOfMonth);
    return text;
}

std::string FormatReviewTime(const ReviewTime& time) {
    const int offset = time.utcOffsetMinutes < 0 ? -time.utcOffsetMinutes : time.utcOffsetMinutes;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d %c%02d%02d", time.local.year, time.local.month,
                  time.local.day, time.local.hour, time.local.minute, time.local.second,
                  time.utcOffsetMinutes < 0 ? '-' : '+', offset / 60 % 100, offset % 60);
    return text;
}

std::optional<LocalTime> ParseLocalTime(std::string_view text) {
    // "YYYY-MM-DD HH:MM:SS", checked without a branch per character: a long log holds a million of them.
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':') {
        return std::nullopt;
    }
    const char* p = text.data();
    bool notDigit = false;
    LocalTime t;
    t.year = TwoDigits(p, notDigit) * 100 + TwoDigits(p + 2, notDigit);
    t.month = TwoDigits(p + 5, notDigit);
    t.day = TwoDigits(p + 8, notDigit);
    t.hour = TwoDigits(p + 11, notDigit);
    t.minute = TwoDigits(p + 14, notDigit);
    t.second = TwoDigits(p + 17, notDigit);
    if (notDigit || t.month < 1 || t.month > 12 || t.day < 1 || (t.day > 28 && t.day > DaysInMonth(t.year, t.month)) ||
        t.hour > 23 || t.minute > 59 || t.second > 60) {
        return std::nullopt;
    }
    return t;
}

std::optional<ReviewTime> ParseReviewTime(std::string_view text) {
    if (text.size() != 25 || text[19] != ' ' || (text[20] != '+' && text[20] != '-')) {
        return std::nullopt;
    }
    const std::optional<LocalTime> local = ParseLocalTime(text.substr(0, 19));
    int hours = 0;
    int minutes = 0;
    if (!local || !ReadDigits(text, 21, 2, hours) || !ReadDigits(text, 23, 2, minutes) || minutes > 59) {
        return std::nullopt;
    }
    const int offset = hours * 60 + minutes;
    return ReviewTime{*local, text[20] == '-' ? -offset : offset};
}

long long UtcSeconds(const ReviewTime& time) {
    const LocalTime& l = time.local;
    return DaysFromCivil(l.year, l.month, l.day) * 86400 + l.hour * 3600 + l.minute * 60 + l.second -
           time.utcOffsetMinutes * 60LL;
}

ReviewTime WithSystemOffset(const LocalTime& local) {
    std::tm parts{};
    parts.tm_year = local.year - 1900;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;
    const std::time_t moment = std::mktime(&parts);
    std::tm back{};
    if (moment == static_cast<std::time_t>(-1) || ::localtime_r(&moment, &back) == nullptr) {
        return {local, 0};
    }
    return {local, static_cast<int>(back.tm_gmtoff / 60)};
}

} // namespace lexaro
