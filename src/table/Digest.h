#pragma once

#include <string>
#include <vector>

namespace lexaro {

// The raw bytes of a digest, in the order the algorithm's standard writes them.
using DigestBytes = std::vector<unsigned char>;

// Two lowercase hexadecimal digits per byte, no separators.
inline std::string DigestHex(const DigestBytes& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(digest.size() * 2);
    for (const unsigned char byte : digest) {
        hex.push_back(kDigits[byte >> 4]);
        hex.push_back(kDigits[byte & 0x0F]);
    }
    return hex;
}

} // namespace lexaro
