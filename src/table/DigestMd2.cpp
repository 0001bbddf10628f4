#include "table/DigestMd2.h"

#include <cstring>

namespace lexaro {

namespace {

// The byte permutation built from the digits of pi.
constexpr unsigned char kPiSubst[256] = {
    41,  46,  67,  201, 162, 216, 124, 1,   61,  54,  84,  161, 236, 240, 6,   19,  98,  167, 5,   243, 192, 199,
    115, 140, 152, 147, 43,  217, 188, 76,  130, 202, 30,  155, 87,  60,  253, 212, 224, 22,  103, 66,  111, 24,
    138, 23,  229, 18,  190, 78,  196, 214, 218, 158, 222, 73,  160, 251, 245, 142, 187, 47,  238, 122, 169, 104,
    121, 145, 21,  178, 7,   63,  148, 194, 16,  137, 11,  34,  95,  33,  128, 127, 93,  154, 90,  144, 50,  39,
    53,  62,  204, 231, 191, 247, 151, 3,   255, 25,  48,  179, 72,  165, 181, 209, 215, 94,  146, 42,  172, 86,
    170, 198, 79,  184, 56,  210, 150, 164, 125, 182, 118, 252, 107, 226, 156, 116, 4,   241, 69,  157, 112, 89,
    100, 113, 135, 32,  134, 91,  207, 101, 230, 45,  168, 2,   27,  96,  37,  173, 174, 176, 185, 246, 28,  70,
    97,  105, 52,  64,  126, 15,  85,  71,  163, 35,  221, 81,  175, 58,  195, 92,  249, 206, 186, 197, 234, 38,
    44,  83,  13,  110, 133, 40,  132, 9,   211, 223, 205, 244, 65,  129, 77,  82,  106, 220, 55,  200, 108, 193,
    171, 250, 36,  225, 123, 8,   12,  189, 177, 74,  120, 136, 149, 139, 227, 99,  232, 109, 233, 203, 213, 254,
    59,  0,   29,  57,  242, 239, 183, 14,  102, 88,  208, 228, 166, 119, 114, 248, 235, 117, 75,  10,  49,  68,
    80,  180, 143, 237, 31,  26,  219, 153, 141, 51,  159, 17,  131, 20};

} // namespace

void Md2::Transform(const unsigned char* block, bool withChecksum) {
    for (std::size_t j = 0; j < 16; ++j) {
        m_State[16 + j] = block[j];
        m_State[32 + j] = static_cast<unsigned char>(m_State[16 + j] ^ m_State[j]);
    }
    // Each byte depends on the one before, so this runs at the speed of one table look-up per byte.
    unsigned x[48];
    for (std::size_t k = 0; k < 48; ++k) {
        x[k] = m_State[k];
    }
    unsigned t = 0;
    for (unsigned round = 0; round < 18; ++round) {
        for (unsigned& byte : x) {
            t = byte ^ kPiSubst[t];
            byte = t;
        }
        t = (t + round) & 0xFF;
    }
    for (std::size_t k = 0; k < 48; ++k) {
        m_State[k] = static_cast<unsigned char>(x[k]);
    }
    if (withChecksum) {
        unsigned char last = m_Checksum[15];
        for (std::size_t j = 0; j < 16; ++j) {
            m_Checksum[j] = static_cast<unsigned char>(m_Checksum[j] ^ kPiSubst[block[j] ^ last]);
            last = m_Checksum[j];
        }
    }
}

void Md2::Update(const void* data, std::size_t length) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (length > 0) {
        const std::size_t take = length < 16 - m_Filled ? length : 16 - m_Filled;
        std::memcpy(m_Block.data() + m_Filled, bytes, take);
        m_Filled += take;
        bytes += take;
        length -= take;
        if (m_Filled == 16) {
            Transform(m_Block.data(), true);
            m_Filled = 0;
        }
    }
}

DigestBytes Md2::Finish() {
    // Padding is always added: n bytes of value n, 1 <= n <= 16.
    const auto pad = static_cast<unsigned char>(16 - m_Filled);
    std::array<unsigned char, 16> padding{};
    padding.fill(pad);
    Update(padding.data(), pad);
    const std::array<unsigned char, 16> checksum = m_Checksum;
    Transform(checksum.data(), false);

    DigestBytes digest(m_State.begin(), m_State.begin() + kDigestSize);
    *this = Md2();
    return digest;
}

DigestBytes Md2Digest(std::string_view bytes) {
    Md2 md2;
    md2.Update(bytes);
    return md2.Finish();
}

} // namespace lexaro
