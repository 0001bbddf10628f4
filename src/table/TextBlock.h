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

// A block of a size known beforehand, filled in any order and then read once from front to back: the pages read
// go back to the system as the reading moves on, so that what is made of the block can grow meanwhile without both
// being held whole.
class ReadOnceBlock {
public:
    // Throws std::bad_alloc when there is no memory for size bytes.
    explicit ReadOnceBlock(std::size_t size);
    ~ReadOnceBlock();
    ReadOnceBlock(const ReadOnceBlock&) = delete;
    ReadOnceBlock& operator=(const ReadOnceBlock&) = delete;

    char* Data() { return m_Data; }
    std::string_view View(std::size_t offset, std::size_t length) const { return {m_Data + offset, length}; }
    // Gives back the whole pages before offset (in steps of a megabyte or more); they must not be read again.
    void ReleaseBefore(std::size_t offset);

private:
    char* m_Data = nullptr;
    std::size_t m_Mapped = 0;
    std::size_t m_Released = 0;
};

} // namespace lexaro
