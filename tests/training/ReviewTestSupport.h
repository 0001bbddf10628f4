#pragma once

#include "training/ReviewHistory.h"

#include <string>
#include <string_view>

namespace lexaro::test {

// An event at a local time "YYYY-MM-DD HH:MM:SS" in UTC+1.
inline ReviewEvent At(std::string_view local, ReviewEventKind kind, std::string term, bool reverse = false,
                      Rating rating = Rating::Good, std::string newTerm = {}) {
    return {{*ParseLocalTime(local), 60}, kind, std::move(term), reverse, rating, std::move(newTerm)};
}

inline ReviewEvent Rated(std::string_view local, std::string term, Rating rating, bool reverse = false) {
    return At(local, ReviewEventKind::Rating, std::move(term), reverse, rating);
}

inline int Day(std::string_view local) {
    return ReviewDay(*ParseLocalTime(local));
}

} // namespace lexaro::test
