#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace lexaro {

// The bytes of one piece of a file being written (see PieceWriter), appended in place. A writer of a large table
// appends tens of millions of short texts; a std::string append costs a call and a check of its own each time,
// which was the larger part of writing out the table.
class PieceBuffer {
public:
    explicit PieceBuffer(std::size_t capacity)
        : m_Capacity(capacity), m_Bytes(std::make_unique_for_overwrite<char[]>(capacity)) {}

    void Append(std::string_view text) {
        if (text.empty()) {
            return;
        }
        if (text.size() > m_Capacity - m_Size) {
            Grow(text.size());
        }
        std::memcpy(m_Bytes.get() + m_Size, text.data(), text.size());
        m_Size += text.size();
    }
    std::size_t Size() const { return m_Size; }
    std::string_view Bytes() const { return {m_Bytes.get(), m_Size}; }
    void Clear() { m_Size = 0; }

private:
    // Room for more bytes than the piece was made for: a single cell may be larger.
    void Grow(std::size_t more) {
        const std::size_t capacity = m_Capacity * 2 > m_Size + more ? m_Capacity * 2 : m_Size + more;
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(bytes.get(), m_Bytes.get(), m_Size);
        m_Bytes = std::move(bytes);
        m_Capacity = capacity;
    }

    std::size_t m_Capacity;
    std::unique_ptr<char[]> m_Bytes;
    std::size_t m_Size = 0;
};

} // namespace lexaro
