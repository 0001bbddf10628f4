#include "table/DigestSha1Sha256.h"

#include <bit>

namespace lexaro {

using digest_detail::FinishMerkleDamgard;
using digest_detail::LoadBe32;
using digest_detail::StoreBe32;

namespace {

constexpr std::uint32_t kSha256Rounds[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::array<std::uint32_t, 8> kSha224Initial = {0xc1059ed8, 0x367cd507, 0x3070dd17, 0xf70e5939,
                                                         0xffc00b31, 0x68581511, 0x64f98fa7, 0xbefa4fa4};
constexpr std::array<std::uint32_t, 8> kSha256Initial = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                         0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

} // namespace

void Sha1::Compress(const unsigned char* block) {
    // The message schedule lives in a ring of 16 words, each computed in the step that needs it; a
    // separate 80-word expansion loop gets vectorised into overlapping stores and loads that stall.
    std::uint32_t w[16];
    for (std::size_t t = 0; t < 16; ++t) {
        w[t] = LoadBe32(block + 4 * t);
    }
    std::uint32_t a = m_State[0];
    std::uint32_t b = m_State[1];
    std::uint32_t c = m_State[2];
    std::uint32_t d = m_State[3];
    std::uint32_t e = m_State[4];
    auto step = [&](std::size_t t, std::uint32_t f, std::uint32_t constant) {
        if (t >= 16) {
            w[t % 16] = std::rotl(w[(t + 13) % 16] ^ w[(t + 8) % 16] ^ w[(t + 2) % 16] ^ w[t % 16], 1);
        }
        const std::uint32_t next = std::rotl(a, 5) + f + e + constant + w[t % 16];
        e = d;
        d = c;
        c = std::rotl(b, 30);
        b = a;
        a = next;
    };
    // Unrolled so that the ring indexes are constants and the rotation of the five words costs no moves.
#pragma GCC unroll 20
    for (std::size_t t = 0; t < 20; ++t) {
        step(t, (b & c) ^ (~b & d), 0x5a827999);
    }
#pragma GCC unroll 20
    for (std::size_t t = 20; t < 40; ++t) {
        step(t, b ^ c ^ d, 0x6ed9eba1);
    }
#pragma GCC unroll 20
    for (std::size_t t = 40; t < 60; ++t) {
        step(t, (b & c) ^ (b & d) ^ (c & d), 0x8f1bbcdc);
    }
#pragma GCC unroll 20
    for (std::size_t t = 60; t < 80; ++t) {
        step(t, b ^ c ^ d, 0xca62c1d6);
    }
    m_State[0] += a;
    m_State[1] += b;
    m_State[2] += c;
    m_State[3] += d;
    m_State[4] += e;
}

void Sha1::Update(const void* data, std::size_t length) {
    m_Queue.Feed(static_cast<const unsigned char*>(data), length, [this](const unsigned char* b) { Compress(b); });
}

DigestBytes Sha1::Finish() {
    FinishMerkleDamgard<64, 8, true>(m_Queue, [this](const unsigned char* b) { Compress(b); });
    DigestBytes digest(kDigestSize);
    for (std::size_t i = 0; i < m_State.size(); ++i) {
        StoreBe32(digest.data() + 4 * i, m_State[i]);
    }
    *this = Sha1();
    return digest;
}

void Sha256Core::Compress(const unsigned char* block) {
    // The message schedule lives in a ring of 16 words, each computed in the round that needs it; the
    // rounds are unrolled so that the ring indexes are constants and the eight words never move.
    std::uint32_t w[16];
    for (std::size_t t = 0; t < 16; ++t) {
        w[t] = LoadBe32(block + 4 * t);
    }
    std::uint32_t a = m_State[0];
    std::uint32_t b = m_State[1];
    std::uint32_t c = m_State[2];
    std::uint32_t d = m_State[3];
    std::uint32_t e = m_State[4];
    std::uint32_t f = m_State[5];
    std::uint32_t g = m_State[6];
    std::uint32_t h = m_State[7];
#pragma GCC unroll 64
    for (std::size_t t = 0; t < 64; ++t) {
        if (t >= 16) {
            const std::uint32_t x15 = w[(t + 1) % 16];
            const std::uint32_t x2 = w[(t + 14) % 16];
            w[t % 16] += (std::rotr(x15, 7) ^ std::rotr(x15, 18) ^ (x15 >> 3)) + w[(t + 9) % 16] +
                         (std::rotr(x2, 17) ^ std::rotr(x2, 19) ^ (x2 >> 10));
        }
        const std::uint32_t sum1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
        const std::uint32_t choose = (e & f) ^ (~e & g);
        const std::uint32_t t1 = h + sum1 + choose + kSha256Rounds[t] + w[t % 16];
        const std::uint32_t sum0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
        const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + sum0 + majority;
    }
    m_State[0] += a;
    m_State[1] += b;
    m_State[2] += c;
    m_State[3] += d;
    m_State[4] += e;
    m_State[5] += f;
    m_State[6] += g;
    m_State[7] += h;
}

void Sha256Core::Update(const void* data, std::size_t length) {
    m_Queue.Feed(static_cast<const unsigned char*>(data), length, [this](const unsigned char* b) { Compress(b); });
}

DigestBytes Sha256Core::Finish() {
    FinishMerkleDamgard<64, 8, true>(m_Queue, [this](const unsigned char* b) { Compress(b); });
    unsigned char full[32];
    for (std::size_t i = 0; i < m_State.size(); ++i) {
        StoreBe32(full + 4 * i, m_State[i]);
    }
    m_State = m_Initial;
    m_Queue.Reset();
    return DigestBytes(full, full + m_DigestSize);
}

Sha224::Sha224() : Sha256Core(kSha224Initial, kDigestSize) {}

Sha256::Sha256() : Sha256Core(kSha256Initial, kDigestSize) {}

DigestBytes Sha1Digest(std::string_view bytes) {
    Sha1 sha1;
    sha1.Update(bytes);
    return sha1.Finish();
}

} // namespace lexaro
