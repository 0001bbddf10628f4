#pragma once

#include "table/Digest.h"
#include "table/DigestBlocks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexaro {

// SHA-1 (FIPS 180-4). Update may be called any number of times; Finish returns the digest of
// everything fed so far and starts over with an empty message.
class Sha1 {
public:
    static constexpr std::size_t kDigestSize = 20;

    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

private:
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 5> m_State{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0};
    digest_detail::BlockQueue<64> m_Queue;
};

// The SHA-256 compression shared by SHA-224 and SHA-256, which differ only in their initial values
// and in how much of the final state they output.
class Sha256Core {
public:
    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

protected:
    Sha256Core(const std::array<std::uint32_t, 8>& initial, std::size_t digestSize)
        : m_Initial(initial), m_State(initial), m_DigestSize(digestSize) {}

private:
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 8> m_Initial;
    std::array<std::uint32_t, 8> m_State;
    std::size_t m_DigestSize;
    digest_detail::BlockQueue<64> m_Queue;
};

class Sha224 : public Sha256Core {
public:
    static constexpr std::size_t kDigestSize = 28;
    Sha224();
};

class Sha256 : public Sha256Core {
public:
    static constexpr std::size_t kDigestSize = 32;
    Sha256();
};

DigestBytes Sha1Digest(std::string_view bytes);

} // namespace lexaro
