#pragma once

#include "table/Digest.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace lexaro {

// Values of the "ChecksumType" setting: the index in the properties window's algorithm list.
inline constexpr int kChecksumNone = 0;
inline constexpr int kChecksumMd2 = 1;
inline constexpr int kChecksumMd4 = 2;
inline constexpr int kChecksumMd5 = 3;
inline constexpr int kChecksumSha1 = 4;
inline constexpr int kChecksumSha224 = 5;
inline constexpr int kChecksumSha256 = 6;
inline constexpr int kChecksumSha384 = 7;
inline constexpr int kChecksumSha512 = 8;
inline constexpr int kChecksumSha3_224 = 9;
inline constexpr int kChecksumSha3_256 = 10;
inline constexpr int kChecksumSha3_384 = 11;
inline constexpr int kChecksumSha3_512 = 12;
inline constexpr int kChecksumTypeCount = 13;

// The items of the algorithm list, indexed by checksum type.
inline constexpr std::array<std::string_view, kChecksumTypeCount> kChecksumLabels = {
    "-",          "MD2",        "MD4",        "MD5",        "SHA-1",      "SHA-2(224)", "SHA-2(256)",
    "SHA-2(384)", "SHA-2(512)", "SHA-3(224)", "SHA-3(256)", "SHA-3(384)", "SHA-3(512)"};

// Digest length in bytes of a checksum type; 0 for "-" and for values outside the list.
std::size_t ChecksumDigestSize(int type);

// Computes the checksum of one type over data fed in pieces of any size.
class ChecksumHasher {
public:
    // A type of 0 or outside the list gives a hasher that ignores its input and finishes with "".
    explicit ChecksumHasher(int type);
    ~ChecksumHasher();
    ChecksumHasher(ChecksumHasher&&) noexcept;
    ChecksumHasher& operator=(ChecksumHasher&&) noexcept;

    bool IsValid() const;
    void Update(const void* data, std::size_t length);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    // The digest as lowercase hex digits; the hasher then starts over with an empty message.
    std::string FinishHex();

private:
    struct State;
    std::unique_ptr<State> m_State;
};

// One-shot digests of the SHA-2 and SHA-3 families, the member picked by its digest length in bytes
// (28, 32, 48 or 64). Any other length gives an empty result.
DigestBytes Sha2Digest(std::string_view bytes, std::size_t digestSize);
DigestBytes Sha3Digest(std::string_view bytes, std::size_t digestSize);

// The checksum of a byte buffer as lowercase hex digits; "" for type 0 or a type outside the list.
std::string BufferChecksum(std::string_view bytes, int type);

// The checksum of a file's complete content as lowercase hex digits, read in pieces so that a large
// file is never held in memory. "" for type 0 or a type outside the list, and when the path is not a
// regular file or cannot be opened or read to its end: a partly read file never yields a digest.
// When stop becomes true the computation gives up with "": it is looked at between pieces small enough
// that even MD2, the slowest, stops within milliseconds.
std::string FileChecksum(const std::filesystem::path& path, int type, const std::atomic<bool>* stop = nullptr);

} // namespace lexaro
