#include "table/AsciiFold.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lexaro {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// FoldAscii on eight bytes at once: a byte below 0x80 whose low seven bits lie in A-Z gains 0x20.
std::uint64_t FoldWord(std::uint64_t word) {
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t atLeastA = low + (0x80 - 'A') * kOnes;
    const std::uint64_t aboveZ = low + (0x80 - 'Z' - 1) * kOnes;
    const std::uint64_t upper = atLeastA & ~aboveZ & ~word & kHighBits;
    return word | (upper >> 2);
}

std::uint64_t Mix(std::uint64_t value) {
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdULL;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ULL;
    value ^= value >> 33;
    return value;
}

bool IsLowerLetter(unsigned char byte) {
    return byte >= 'a' && byte <= 'z';
}

} // namespace

std::string_view::size_type FindFolded(std::string_view haystack, std::string_view needle,
                                       std::string_view::size_type from) {
    if (needle.size() > haystack.size()) {
        return std::string_view::npos;
    }
    const std::size_t lastStart = haystack.size() - needle.size();
    if (from > lastStart) {
        return std::string_view::npos;
    }
    if (needle.empty()) {
        return from;
    }
    const unsigned char first = FoldAscii(static_cast<unsigned char>(needle.front()));
    std::size_t i = from;
#ifdef __SSE2__
    // Candidates are the positions where the first and the last byte of the needle fit; both loads of a block
    // stay inside the haystack, the rest is left to the byte loop below.
    const unsigned char last = FoldAscii(static_cast<unsigned char>(needle.back()));
    const std::size_t lastOffset = needle.size() - 1;
    const __m128i firstWanted = _mm_set1_epi8(static_cast<char>(first));
    const __m128i lastWanted = _mm_set1_epi8(static_cast<char>(last));
    const __m128i firstCase = _mm_set1_epi8(IsLowerLetter(first) ? 0x20 : 0);
    const __m128i lastCase = _mm_set1_epi8(IsLowerLetter(last) ? 0x20 : 0);
    const char* bytes = haystack.data();
    while (i + lastOffset + 16 <= haystack.size()) {
        const __m128i head = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)), firstCase);
        const __m128i tail =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + lastOffset)), lastCase);
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(head, firstWanted), _mm_cmpeq_epi8(tail, lastWanted))));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (EqualsFolded(haystack.substr(at, needle.size()), needle)) {
                return at;
            }
            mask &= mask - 1;
        }
        i += 16;
    }
    // The last positions, fewer than a block, in one more block that ends where the haystack does; the positions
    // before i in it were looked at already.
    if (i <= lastStart && haystack.size() >= lastOffset + 16) {
        const std::size_t tail = haystack.size() - lastOffset - 16;
        const __m128i head = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + tail)), firstCase);
        const __m128i back =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + tail + lastOffset)), lastCase);
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(head, firstWanted), _mm_cmpeq_epi8(back, lastWanted))));
        mask &= ~0U << (i - tail);
        while (mask != 0) {
            const std::size_t at = tail + static_cast<std::size_t>(__builtin_ctz(mask));
            if (EqualsFolded(haystack.substr(at, needle.size()), needle)) {
                return at;
            }
            mask &= mask - 1;
        }
        return std::string_view::npos;
    }
#endif
    for (; i <= lastStart; ++i) {
        if (FoldAscii(static_cast<unsigned char>(haystack[i])) == first &&
            EqualsFolded(haystack.substr(i, needle.size()), needle)) {
            return i;
        }
    }
    return std::string_view::npos;
}

namespace {

// The folded bytes of head, seeded with size, the size of the whole text.
std::uint64_t HashFoldedBytes(std::string_view head, std::size_t size) {
    std::uint64_t hash = 0x9e3779b97f4a7c15ULL ^ size;
    std::size_t i = 0;
    for (; i + 8 <= head.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, head.data() + i, 8);
        hash = (hash ^ FoldWord(word)) * 0x9fb21c651e98df25ULL;
        hash ^= hash >> 29;
    }
    if (i < head.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, head.data() + i, head.size() - i);
        hash = (hash ^ FoldWord(word)) * 0x9fb21c651e98df25ULL;
    }
    return Mix(hash);
}

} // namespace

std::uint64_t HashFolded(std::string_view text) {
    return HashFoldedBytes(text, text.size());
}

std::uint64_t HashFoldedHead(std::string_view text) {
    constexpr std::size_t kHead = 48;
    return HashFoldedBytes(text.substr(0, kHead), text.size());
}

} // namespace lexaro
