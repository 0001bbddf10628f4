#include "table/DigestSha3.h"

#include "table/DigestBlocks.h"

#include <bit>
#include <cstring>

namespace lexaro {

using digest_detail::LoadLe64;

namespace {

constexpr std::uint64_t kRoundConstants[24] = {
    0x0000000000000001ULL, 0x0000000000008082ULL, 0x800000000000808aULL, 0x8000000080008000ULL, 0x000000000000808bULL,
    0x0000000080000001ULL, 0x8000000080008081ULL, 0x8000000000008009ULL, 0x000000000000008aULL, 0x0000000000000088ULL,
    0x0000000080008009ULL, 0x000000008000000aULL, 0x000000008000808bULL, 0x800000000000008bULL, 0x8000000000008089ULL,
    0x8000000000008003ULL, 0x8000000000008002ULL, 0x8000000000000080ULL, 0x000000000000800aULL, 0x800000008000000aULL,
    0x8000000080008081ULL, 0x8000000000008080ULL, 0x0000000080000001ULL, 0x8000000080008008ULL};

// Rotation of lane x + 5 * y in the rho step.
constexpr int kRhoOffsets[25] = {0,  1,  62, 28, 27, 36, 44, 6,  55, 20, 3,  10, 43,
                                 25, 39, 41, 45, 15, 21, 8,  18, 2,  61, 56, 14};

// Where lane x + 5 * y moves in the pi step: to (y, 2x + 3y).
constexpr int kPiTarget[25] = {0,  10, 20, 5, 15, 16, 1,  11, 21, 6, 7,  17, 2,
                               12, 22, 23, 8, 18, 3,  13, 14, 24, 9, 19, 4};

// The Keccak-f[1600] permutation, lanes indexed x + 5 * y. The loops have fixed bounds and are
// unrolled, so every index becomes a constant and the lanes can stay in registers.
void KeccakF1600(std::array<std::uint64_t, 25>& state) {
    std::uint64_t a[25];
    std::memcpy(a, state.data(), sizeof a);
    for (const std::uint64_t roundConstant : kRoundConstants) {
        std::uint64_t c[5];
#pragma GCC unroll 5
        for (int x = 0; x < 5; ++x) {
            c[x] = a[x] ^ a[x + 5] ^ a[x + 10] ^ a[x + 15] ^ a[x + 20];
        }
        std::uint64_t d[5];
#pragma GCC unroll 5
        for (int x = 0; x < 5; ++x) {
            d[x] = c[(x + 4) % 5] ^ std::rotl(c[(x + 1) % 5], 1);
        }
        std::uint64_t b[25];
#pragma GCC unroll 25
        for (int i = 0; i < 25; ++i) {
            b[kPiTarget[i]] = std::rotl(a[i] ^ d[i % 5], kRhoOffsets[i]);
        }
#pragma GCC unroll 25
        for (int i = 0; i < 25; ++i) {
            const int row = i - i % 5;
            a[i] = b[i] ^ (~b[row + (i + 1) % 5] & b[row + (i + 2) % 5]);
        }
        a[0] ^= roundConstant;
    }
    std::memcpy(state.data(), a, sizeof a);
}

} // namespace

void Sha3Core::AbsorbBlock(const unsigned char* block) {
    for (std::size_t i = 0; i < m_Rate / 8; ++i) {
        m_Lanes[i] ^= LoadLe64(block + 8 * i);
    }
    KeccakF1600(m_Lanes);
}

void Sha3Core::Update(const void* data, std::size_t length) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (length == 0) {
        return;
    }
    if (m_Filled > 0) {
        const std::size_t take = length < m_Rate - m_Filled ? length : m_Rate - m_Filled;
        std::memcpy(m_Block.data() + m_Filled, bytes, take);
        m_Filled += take;
        bytes += take;
        length -= take;
        if (m_Filled < m_Rate) {
            return;
        }
        AbsorbBlock(m_Block.data());
        m_Filled = 0;
    }
    for (; length >= m_Rate; bytes += m_Rate, length -= m_Rate) {
        AbsorbBlock(bytes);
    }
    if (length > 0) {
        std::memcpy(m_Block.data(), bytes, length);
        m_Filled = length;
    }
}

DigestBytes Sha3Core::Finish() {
    std::memset(m_Block.data() + m_Filled, 0, m_Rate - m_Filled);
    m_Block[m_Filled] = 0x06;
    m_Block[m_Rate - 1] |= 0x80;
    AbsorbBlock(m_Block.data());

    DigestBytes digest(m_DigestSize);
    for (std::size_t i = 0; i < m_DigestSize; ++i) {
        digest[i] = static_cast<unsigned char>(m_Lanes[i / 8] >> (8 * (i % 8)));
    }
    m_Lanes.fill(0);
    m_Filled = 0;
    return digest;
}

} // namespace lexaro
