#pragma once

// Building blocks shared by the digest implementations: byte-order loads and stores that never read
// through a cast pointer, and the buffering of input into whole blocks.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lexaro::digest_detail {

inline std::uint32_t LoadLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::uint32_t LoadBe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

inline std::uint64_t LoadLe64(const unsigned char* p) {
    return static_cast<std::uint64_t>(LoadLe32(p)) | static_cast<std::uint64_t>(LoadLe32(p + 4)) << 32;
}

inline std::uint64_t LoadBe64(const unsigned char* p) {
    return static_cast<std::uint64_t>(LoadBe32(p)) << 32 | static_cast<std::uint64_t>(LoadBe32(p + 4));
}

inline void StoreLe32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<unsigned char>(v >> (8 * i));
    }
}

inline void StoreBe32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
    }
}

inline void StoreLe64(unsigned char* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<unsigned char>(v >> (8 * i));
    }
}

inline void StoreBe64(unsigned char* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<unsigned char>(v >> (56 - 8 * i));
    }
}

// Collects input until a whole block of N bytes is there and hands every whole block to the
// compression step; counts the bytes seen for the length field of the padding.
template <std::size_t N>
class BlockQueue {
public:
    template <class Compress>
    void Feed(const unsigned char* data, std::size_t length, Compress&& compress) {
        if (length == 0) {
            return;
        }
        m_Total += length;
        if (m_Filled > 0) {
            const std::size_t take = length < N - m_Filled ? length : N - m_Filled;
            std::memcpy(m_Block.data() + m_Filled, data, take);
            m_Filled += take;
            data += take;
            length -= take;
            if (m_Filled < N) {
                return;
            }
            compress(m_Block.data());
            m_Filled = 0;
        }
        for (; length >= N; data += N, length -= N) {
            compress(data);
        }
        if (length > 0) {
            std::memcpy(m_Block.data(), data, length);
            m_Filled = length;
        }
    }

    std::size_t Filled() const { return m_Filled; }
    std::uint64_t TotalBytes() const { return m_Total; }

    void Reset() {
        m_Filled = 0;
        m_Total = 0;
    }

private:
    std::array<unsigned char, N> m_Block{};
    std::size_t m_Filled = 0;
    std::uint64_t m_Total = 0;
};

// The padding of the MD4 / MD5 / SHA-1 / SHA-2 family: the bit 1, zeros, then the message length in
// bits in the last LengthBytes bytes of the final block (8 or 16 bytes, little or big endian).
template <std::size_t N, std::size_t LengthBytes, bool BigEndian, class Compress>
void FinishMerkleDamgard(BlockQueue<N>& queue, Compress&& compress) {
    static_assert(LengthBytes == 8 || LengthBytes == 16);
    const std::uint64_t bytes = queue.TotalBytes();
    const std::uint64_t bitsLow = bytes << 3;
    const std::uint64_t bitsHigh = bytes >> 61;

    std::array<unsigned char, 2 * N> tail{};
    const std::size_t used = queue.Filled() + 1;
    const std::size_t zeros = (2 * N - LengthBytes - used) % N;
    tail[0] = 0x80;
    unsigned char* length = tail.data() + 1 + zeros;
    if constexpr (LengthBytes == 16) {
        StoreBe64(length, bitsHigh);
        StoreBe64(length + 8, bitsLow);
    } else if constexpr (BigEndian) {
        StoreBe64(length, bitsLow);
    } else {
        StoreLe64(length, bitsLow);
    }
    queue.Feed(tail.data(), 1 + zeros + LengthBytes, compress);
}

} // namespace lexaro::digest_detail
