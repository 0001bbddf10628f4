#include "table/Checksum.h"

#include <gtest/gtest.h>
#include <string>

namespace lexaro {
namespace {

std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    return bytes;
}

// Sizes that straddle the block sizes of every family: 16 (MD2), 64 (MD4/MD5/SHA-1/SHA-256), 128
// (SHA-512), and the SHA-3 rates 72, 104, 136 and 144.
constexpr std::size_t kSizes[] = {0, 1, 55, 64, 71, 104, 113, 137, 145, 300};

// One hasher serves every split, so a digest that does not start over after FinishHex shows up too.
TEST(ChecksumIncremental, TwoPiecesSplitAnywhereGiveTheOneShotDigest) {
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        ChecksumHasher hasher(type);
        for (const std::size_t size : kSizes) {
            const std::string message = PatternBytes(size);
            const std::string expected = BufferChecksum(message, type);
            ASSERT_EQ(expected.size(), 2 * ChecksumDigestSize(type));
            for (std::size_t split = 0; split <= size; ++split) {
                hasher.Update(message.data(), split);
                hasher.Update(message.data() + split, size - split);
                ASSERT_EQ(hasher.FinishHex(), expected)
                    << kChecksumLabels[static_cast<std::size_t>(type)] << ", size " << size << ", split " << split;
            }
        }
    }
}

TEST(ChecksumIncremental, EqualPiecesOfEveryWidthGiveTheOneShotDigest) {
    const std::string message = PatternBytes(700);
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        const std::string expected = BufferChecksum(message, type);
        ChecksumHasher hasher(type);
        for (std::size_t width = 1; width <= 300; ++width) {
            for (std::size_t at = 0; at < message.size(); at += width) {
                hasher.Update(std::string_view(message).substr(at, width));
            }
            ASSERT_EQ(hasher.FinishHex(), expected)
                << kChecksumLabels[static_cast<std::size_t>(type)] << ", pieces of " << width;
        }
    }
}

TEST(ChecksumIncremental, EmptyPiecesChangeNothing) {
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        ChecksumHasher hasher(type);
        hasher.Update(nullptr, 0);
        hasher.Update("ab");
        hasher.Update(std::string_view());
        hasher.Update("c");
        hasher.Update(nullptr, 0);
        EXPECT_EQ(hasher.FinishHex(), BufferChecksum("abc", type)) << type;
    }
}

} // namespace
} // namespace lexaro
