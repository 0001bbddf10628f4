#include "training/ReviewTime.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
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

// The number the two characters at p spell; notDigit is set when one of them is no digit.
inline int TwoDigits(const char* p, bool& notDigit) {
    const unsigned high = static_cast<unsigned char>(p[0]) - unsigned{'0'};
    const unsigned low = static_cast<unsigned char>(p[1]) - unsigned{'0'};
    notDigit |= (high > 9) | (low > 9);
    return static_cast<int>(high * 10 + low);
}

// Eight bytes, the first as the lowest.
std::uint64_t Load8(const char* p) {
    std::uint64_t value = 0;
    std::memcpy(&value, p, sizeof value);
    if constexpr (std::endian::native == std::endian::big) {
        value = __builtin_bswap64(value);
    }
    return value;
}

// Whether every byte of piece that mask selects (0xFF) is at most 9: after taking away '0' by exclusive or, the
// digits are exactly the bytes 0 to 9. A byte above 15 fails the first test, so adding 6 never carries into the
// next byte of those that pass it.
bool AllDigits(std::uint64_t piece, std::uint64_t mask) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ULL;
    const std::uint64_t value = piece & mask;
    return ((value & kHigh) | ((value + 0x0606060606060606ULL) & kHigh)) == 0;
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
    // "YYYY-MM-DD HH:MM:SS +HHMM", checked eight bytes at a time: a long log holds a million of them. Byte i of a
    // piece is bits 8i to 8i + 7 of its number; a digit becomes its value.
    if (text.size() != 25 || (text[20] != '+' && text[20] != '-')) {
        return std::nullopt;
    }
    const char* p = text.data();
    constexpr std::uint64_t kZeros = 0x3030303030303030ULL;
    const std::uint64_t first = Load8(p) ^ kZeros;
    const std::uint64_t second = Load8(p + 8) ^ kZeros;
    const std::uint64_t third = Load8(p + 16) ^ kZeros;
    const unsigned last = static_cast<unsigned char>(p[24]) ^ 0x30U;
    // "YYYY-MM-", "DD HH:MM", ":SS +HHM" with their digits where the masks have 0xFF.
    const bool digits = AllDigits(first, 0x00FFFF00FFFFFFFFULL) && AllDigits(second, 0xFFFF00FFFF00FFFFULL) &&
                        AllDigits(third, 0xFFFFFF0000FFFF00ULL) && last <= 9;
    const bool separators = (first & 0xFF0000FF00000000ULL) == (0x1D00001D00000000ULL) &&
                            (second & 0x0000FF0000FF0000ULL) == 0x00000A0000100000ULL &&
                            (third & 0x00000000FF0000FFULL) == 0x000000001000000AULL;
    if (!digits || !separators) {
        return std::nullopt;
    }
    const auto digit = [](std::uint64_t piece, int byte) { return static_cast<int>(piece >> (8 * byte) & 0xFFU); };
    const auto two = [&digit](std::uint64_t piece, int byte) {
        return digit(piece, byte) * 10 + digit(piece, byte + 1);
    };
    LocalTime t;
    t.year = two(first, 0) * 100 + two(first, 2);
    t.month = two(first, 5);
    t.day = two(second, 0);
    t.hour = two(second, 3);
    t.minute = two(second, 6);
    t.second = two(third, 1);
    const int hours = two(third, 5);
    const int minutes = digit(third, 7) * 10 + static_cast<int>(last);
    if (t.month < 1 || t.month > 12 || t.day < 1 || (t.day > 28 && t.day > DaysInMonth(t.year, t.month)) ||
        t.hour > 23 || t.minute > 59 || t.second > 60 || minutes > 59) {
        return std::nullopt;
    }
    const int offset = hours * 60 + minutes;
    return ReviewTime{t, text[20] == '-' ? -offset : offset};
}

long long UtcSeconds(const ReviewTime& time) {
    const LocalTime& l = time.local;
    return DaysFromCivil(l.year, l.month, l.day) * 86400 + l.hour * 3600 + l.minute * 60 + l.second -
           time.utcOffsetMinutes * 60LL;
}

ReviewMoment MomentOf(const ReviewTime& time) {
    const LocalTime& l = time.local;
    const long long days = DaysFromCivil(l.year, l.month, l.day);
    return {days * 86400 + l.hour * 3600 + l.minute * 60 + l.second - time.utcOffsetMinutes * 60LL,
            static_cast<int>(l.hour < kReviewDayStartHour ? days - 1 : days)};
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
