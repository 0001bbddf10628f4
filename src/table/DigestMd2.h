#pragma once

#include "table/Digest.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace lexaro {

// MD2 (RFC 1319). Update may be called any number of times; Finish returns the digest of everything
// fed so far and starts over with an empty message.
class Md2 {
public:
    static constexpr std::size_t kDigestSize = 16;

    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    DigestBytes Finish();

private:
    void Transform(const unsigned char* block, bool withChecksum);

    std::array<unsigned char, 48> m_State{};
    std::array<unsigned char, 16> m_Checksum{};
    std::array<unsigned char, 16> m_Block{};
    std::size_t m_Filled = 0;
};

DigestBytes Md2Digest(std::string_view bytes);

} // namespace lexaro
