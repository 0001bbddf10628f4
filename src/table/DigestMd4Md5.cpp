#include "table/DigestMd4Md5.h"

#include <bit>

namespace lexaro {

using digest_detail::FinishMerkleDamgard;
using digest_detail::LoadLe32;
using digest_detail::StoreLe32;

namespace {

DigestBytes StateBytes(const std::array<std::uint32_t, 4>& state) {
    DigestBytes digest(16);
    for (std::size_t i = 0; i < 4; ++i) {
        StoreLe32(digest.data() + 4 * i, state[i]);
    }
    return digest;
}

constexpr std::uint32_t kMd5Sines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr int kMd5Shifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

} // namespace

void Md4::Compress(const unsigned char* block) {
    std::uint32_t x[16];
    for (std::size_t i = 0; i < 16; ++i) {
        x[i] = LoadLe32(block + 4 * i);
    }
    std::uint32_t a = m_State[0];
    std::uint32_t b = m_State[1];
    std::uint32_t c = m_State[2];
    std::uint32_t d = m_State[3];

    // Each step updates one word and rotates the roles: (a, b, c, d) -> (d, a, b, c).
    auto step = [&](std::uint32_t f, std::uint32_t word, std::uint32_t constant, int shift) {
        const std::uint32_t next = std::rotl(a + f + word + constant, shift);
        a = d;
        d = c;
        c = b;
        b = next;
    };
    static constexpr int kShift1[4] = {3, 7, 11, 19};
    static constexpr int kShift2[4] = {3, 5, 9, 13};
    static constexpr int kShift3[4] = {3, 9, 11, 15};
    static constexpr int kOrder3[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
    for (int i = 0; i < 16; ++i) {
        step((b & c) | (~b & d), x[i], 0, kShift1[i % 4]);
    }
    for (int i = 0; i < 16; ++i) {
        step((b & c) | (b & d) | (c & d), x[(i % 4) * 4 + i / 4], 0x5a827999, kShift2[i % 4]);
    }
    for (int i = 0; i < 16; ++i) {
        step(b ^ c ^ d, x[kOrder3[i]], 0x6ed9eba1, kShift3[i % 4]);
    }
    m_State[0] += a;
    m_State[1] += b;
    m_State[2] += c;
    m_State[3] += d;
}

void Md4::Update(const void* data, std::size_t length) {
    m_Queue.Feed(static_cast<const unsigned char*>(data), length, [this](const unsigned char* b) { Compress(b); });
}

DigestBytes Md4::Finish() {
    FinishMerkleDamgard<64, 8, false>(m_Queue, [this](const unsigned char* b) { Compress(b); });
    DigestBytes digest = StateBytes(m_State);
    *this = Md4();
    return digest;
}

void Md5::Compress(const unsigned char* block) {
    std::uint32_t x[16];
    for (std::size_t i = 0; i < 16; ++i) {
        x[i] = LoadLe32(block + 4 * i);
    }
    std::uint32_t a = m_State[0];
    std::uint32_t b = m_State[1];
    std::uint32_t c = m_State[2];
    std::uint32_t d = m_State[3];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t f;
        int word;
        switch (i / 16) {
        case 0:
            f = (b & c) | (~b & d);
            word = i;
            break;
        case 1:
            f = (b & d) | (c & ~d);
            word = (5 * i + 1) % 16;
            break;
        case 2:
            f = b ^ c ^ d;
            word = (3 * i + 5) % 16;
            break;
        default:
            f = c ^ (b | ~d);
            word = (7 * i) % 16;
            break;
        }
        const std::uint32_t next = b + std::rotl(a + f + kMd5Sines[i] + x[word], kMd5Shifts[i / 16][i % 4]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    m_State[0] += a;
    m_State[1] += b;
    m_State[2] += c;
    m_State[3] += d;
}

void Md5::Update(const void* data, std::size_t length) {
    m_Queue.Feed(static_cast<const unsigned char*>(data), length, [this](const unsigned char* b) { Compress(b); });
}

DigestBytes Md5::Finish() {
    FinishMerkleDamgard<64, 8, false>(m_Queue, [this](const unsigned char* b) { Compress(b); });
    DigestBytes digest = StateBytes(m_State);
    *this = Md5();
    return digest;
}

DigestBytes Md4Digest(std::string_view bytes) {
    Md4 md4;
    md4.Update(bytes);
    return md4.Finish();
}

DigestBytes Md5Digest(std::string_view bytes) {
    Md5 md5;
    md5.Update(bytes);
    return md5.Finish();
}

} // namespace lexaro
