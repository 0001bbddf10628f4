#pragma once

#include "table/Digest.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexaro {

// The SHA-3 hash functions (FIPS 202): the Keccak-f[1600] sponge with capacity twice the digest size
// and the SHA-3 domain bits. Update may be called any number of times; Finish returns the digest of
// everything fed so far and starts over with an empty message.
class Sha3Core {
public:
    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

protected:
    explicit Sha3Core(std::size_t digestSize) : m_DigestSize(digestSize), m_Rate(200 - 2 * digestSize) {}

private:
    void AbsorbBlock(const unsigned char* block);

    std::array<std::uint64_t, 25> m_Lanes{};
    std::array<unsigned char, 144> m_Block{};
    std::size_t m_Filled = 0;
    std::size_t m_DigestSize;
    std::size_t m_Rate;
};

class Sha3_224 : public Sha3Core {
public:
    static constexpr std::size_t kDigestSize = 28;
    Sha3_224() : Sha3Core(kDigestSize) {}
};

class Sha3_256 : public Sha3Core {
public:
    static constexpr std::size_t kDigestSize = 32;
    Sha3_256() : Sha3Core(kDigestSize) {}
};

class Sha3_384 : public Sha3Core {
public:
    static constexpr std::size_t kDigestSize = 48;
    Sha3_384() : Sha3Core(kDigestSize) {}
};

class Sha3_512 : public Sha3Core {
public:
    static constexpr std::size_t kDigestSize = 64;
    Sha3_512() : Sha3Core(kDigestSize) {}
};

} // namespace lexaro
