#pragma once

#include "table/Digest.h"
#include "table/DigestBlocks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexaro {

// MD4 (RFC 1320). Update may be called any number of times; Finish returns the digest of everything
// fed so far and starts over with an empty message.
class Md4 {
public:
    static constexpr std::size_t kDigestSize = 16;

    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

private:
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 4> m_State{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    digest_detail::BlockQueue<64> m_Queue;
};

// MD5 (RFC 1321), used the same way as Md4.
class Md5 {
public:
    static constexpr std::size_t kDigestSize = 16;

    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

private:
    void Compress(const unsigned char* block);

    std::array<std::uint32_t, 4> m_State{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    digest_detail::BlockQueue<64> m_Queue;
};

DigestBytes Md4Digest(std::string_view bytes);
DigestBytes Md5Digest(std::string_view bytes);

} // namespace lexaro
