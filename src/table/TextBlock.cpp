#include "table/TextBlock.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace lexaro {

TextBlock::TextBlock(std::size_t expected) {
    Reserve(expected);
}

TextBlock::~TextBlock() {
    std::free(m_Data);
}

void TextBlock::Reserve(std::size_t more) {
    if (more <= m_Capacity - m_Size) {
        return;
    }
    if (more > SIZE_MAX / 2 - m_Size) {
        throw std::bad_alloc();
    }
    // realloc, not a new block and a copy: for a large block the C library moves the pages themselves.
    const std::size_t wanted = std::max(m_Size + more, m_Capacity + m_Capacity / 4);
    void* grown = std::realloc(m_Data, wanted == 0 ? 1 : wanted);
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    m_Data = static_cast<char*>(grown);
    m_Capacity = wanted;
}

void TextBlock::Append(std::string_view text) {
    if (text.empty()) {
        return;
    }
    Reserve(text.size());
    std::memcpy(m_Data + m_Size, text.data(), text.size());
    m_Size += text.size();
}

void TextBlock::AppendCrLf(std::string_view text) {
    while (!text.empty()) {
        // Two vectorised searches are faster than one look at every byte.
        const void* lf = std::memchr(text.data(), '\n', text.size());
        std::size_t plain =
            lf == nullptr ? text.size() : static_cast<std::size_t>(static_cast<const char*>(lf) - text.data());
        if (const void* cr = std::memchr(text.data(), '\r', plain)) {
            plain = static_cast<std::size_t>(static_cast<const char*>(cr) - text.data());
        }
        const bool lineBreak = plain < text.size();
        Reserve(plain + 2);
        std::memcpy(m_Data + m_Size, text.data(), plain);
        m_Size += plain;
        if (!lineBreak) {
            return;
        }
        const bool crLf = text[plain] == '\r' && plain + 1 < text.size() && text[plain + 1] == '\n';
        m_Data[m_Size++] = '\r';
        m_Data[m_Size++] = '\n';
        text.remove_prefix(plain + (crLf ? 2 : 1));
    }
}

std::shared_ptr<const void> TextBlock::Release(std::string_view& text) {
    if (m_Size < m_Capacity) {
        // Giving back the room that was not used costs nothing for a large block: its pages are unmapped.
        if (void* fitted = std::realloc(m_Data, m_Size == 0 ? 1 : m_Size)) {
            m_Data = static_cast<char*>(fitted);
        }
    }
    char* data = m_Data;
    text = {data, m_Size};
    m_Data = nullptr;
    m_Size = 0;
    m_Capacity = 0;
    // Should the owner's own allocation fail, it frees the block itself.
    return std::shared_ptr<const void>(data, [](const void* block) { std::free(const_cast<void*>(block)); });
}

ReadOnceBlock::ReadOnceBlock(std::size_t size) : m_Mapped(size == 0 ? 1 : size) {
    void* memory = ::mmap(nullptr, m_Mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    m_Data = static_cast<char*>(memory);
}

ReadOnceBlock::~ReadOnceBlock() {
    ::munmap(m_Data, m_Mapped);
}

void ReadOnceBlock::ReleaseBefore(std::size_t offset) {
    constexpr std::size_t kStep = std::size_t{1} << 20;
    static const auto pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    if (offset > m_Mapped || offset < m_Released + kStep) {
        return;
    }
    const std::size_t end = offset / pageSize * pageSize;
    ::madvise(m_Data + m_Released, end - m_Released, MADV_DONTNEED);
    m_Released = end;
}

} // namespace lexaro
