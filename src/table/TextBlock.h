#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace lexaro {

// Texts written one after the other into one block of memory, which a table can then keep as the document its
// cells lie in: a dictionary read this way holds its text once, without a copy per cell. The block grows in place
// where the system allows it (a large block is moved by remapping its pages, not by copying them), so that
// outgrowing an estimate never holds the text twice.
class TextBlock {
public:
    // Room for expected bytes to begin with.
    explicit TextBlock(std::size_t expected);
    ~TextBlock();
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;

    std::size_t Size() const { return m_Size; }
    // The bytes [offset, offset + length); valid until the next append.
    std::string_view View(std::size_t offset, std::size_t length) const { return {m_Data + offset, length}; }

    void Append(std::string_view text);
    // Appends text with each of its line breaks (LF, CR LF or CR) as CR LF.
    void AppendCrLf(std::string_view text);

    // Hands the block over: text is set to all of it, and the block lives as long as the returned owner.
    // The block is empty afterwards.
    std::shared_ptr<const void> Release(std::string_view& text);

private:
    // Room for at least more bytes after the text; throws std::bad_alloc when there is none.
    void Reserve(std::size_t more);

    char* m_Data = nullptr;
    std::size_t m_Size = 0;
    std::size_t m_Capacity = 0;
};

} // namespace lexaro
