#pragma once

#include "table/Digest.h"
#include "table/DigestBlocks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexaro {

// The SHA-512 compression shared by SHA-384 and SHA-512 (FIPS 180-4), which differ only in their
// initial values and in how much of the final state they output. Update may be called any number of
// times; Finish returns the digest of everything fed so far and starts over with an empty message.
class Sha512Core {
public:
    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

protected:
    Sha512Core(const std::array<std::uint64_t, 8>& initial, std::size_t digestSize)
        : m_Initial(initial), m_State(initial), m_DigestSize(digestSize) {}

private:
    void Compress(const unsigned char* block);

    std::array<std::uint64_t, 8> m_Initial;
    std::array<std::uint64_t, 8> m_State;
    std::size_t m_DigestSize;
    digest_detail::BlockQueue<128> m_Queue;
};

class Sha384 : public Sha512Core {
public:
    static constexpr std::size_t kDigestSize = 48;
    Sha384();
};

class Sha512 : public Sha512Core {
public:
    static constexpr std::size_t kDigestSize = 64;
    Sha512();
};

} // namespace lexaro
