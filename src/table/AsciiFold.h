#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexaro {

// The C locale's tolower: only A-Z fold; every other byte (UTF-8 sequences included) stays as it is.
constexpr unsigned char FoldAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

inline std::string FoldAsciiCopy(std::string_view text) {
    std::string folded(text);
    for (char& ch : folded) {
        ch = static_cast<char>(FoldAscii(static_cast<unsigned char>(ch)));
    }
    return folded;
}

// Three-way comparison of the folded bytes as unsigned values; a prefix sorts first.
inline int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = FoldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char y = FoldAscii(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

inline bool EqualsFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareFolded(a, b) == 0;
}

// Position of the first occurrence of needle in haystack from position from, ignoring ASCII case.
std::string_view::size_type FindFolded(std::string_view haystack, std::string_view needle,
                                       std::string_view::size_type from = 0);

// A 64-bit hash of the folded bytes: texts that are EqualsFolded have the same hash.
std::uint64_t HashFolded(std::string_view text);
// The same for the size and the first few dozen bytes only: cheap for long texts, and as sure for texts that
// differ early or in their size, as explanations mostly do. For an index whose proposals are checked.
std::uint64_t HashFoldedHead(std::string_view text);

} // namespace lexaro
