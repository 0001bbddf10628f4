#include "table/ClassTable.h"
#include "table/SafeFile.h"
#include "table/TableForms.h"
#include "table/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexaro {

std::FILE* ClassTable::OpenTableFile(const std::filesystem::path& path, bool forReading) {
    if (path.empty()) {
        return nullptr;
    }
    if (!forReading) {
        return std::fopen(path.c_str(), "wb+e");
    }
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (file == nullptr) {
        return nullptr;
    }
    // A folder opens for reading on Linux; it is no table file.
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

std::string ClassTable::ReadWholeFile(std::FILE* file, long length) {
    if (file == nullptr || length <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos) {
        bytes.resize(nul);
    }
    return bytes;
}

std::optional<std::string> forms::ReadTableFile(const std::filesystem::path& path) {
    std::FILE* file = ClassTable::OpenTableFile(path, true);
    if (file == nullptr) {
        return std::nullopt;
    }
    long length = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        length = std::ftell(file);
    }
    if (length <= 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return std::nullopt;
    }
    std::string content = ClassTable::ReadWholeFile(file, length);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return content;
}

namespace {

// Pages are given back in steps of this size, so that a load makes few system calls.
constexpr std::size_t kReleaseStep = std::size_t{16} << 20;
// A file is read in steps of this size.
constexpr std::size_t kReadStep = std::size_t{1} << 20;

} // namespace

std::optional<forms::FileBytes> forms::FileBytes::Read(const std::filesystem::path& path) {
    std::FILE* file = ClassTable::OpenTableFile(path, true);
    if (file == nullptr) {
        return std::nullopt;
    }
    const int fd = ::fileno(file);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size <= 0 ||
        static_cast<unsigned long long>(info.st_size) > static_cast<unsigned long long>(PTRDIFF_MAX / 2)) {
        std::fclose(file);
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::fclose(file);
        return std::nullopt;
    }
    // Large pages: a dictionary of a million entries is read into 70,000 small pages otherwise, each faulted
    // in on its own.
    ::madvise(memory, size, MADV_HUGEPAGE);
    FileBytes bytes(static_cast<char*>(memory), size, 0);
    // A file that shrinks meanwhile gives what it still has; one that grows gives the size it had. The text ends
    // at the first NUL: each step is looked through for it while its bytes are still in the cache, and nothing
    // after it is read.
    std::size_t length = 0;
    const char* nul = nullptr;
    while (length < size && nul == nullptr) {
        const ssize_t got = ::read(fd, bytes.m_Memory + length, std::min(size - length, kReadStep));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            std::fclose(file);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        nul = static_cast<const char*>(std::memchr(bytes.m_Memory + length, 0, static_cast<std::size_t>(got)));
        length += static_cast<std::size_t>(got);
    }
    std::fclose(file);
    bytes.m_Text =
        std::string_view(bytes.m_Memory, nul != nullptr ? static_cast<std::size_t>(nul - bytes.m_Memory) : length);
    if (length == 0) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<forms::FileBytes> forms::FileBytes::Map(const std::filesystem::path& path) {
    std::FILE* file = ClassTable::OpenTableFile(path, true);
    if (file == nullptr) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || info.st_size <= 0 ||
        static_cast<unsigned long long>(info.st_size) > static_cast<unsigned long long>(PTRDIFF_MAX / 2)) {
        std::fclose(file);
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    void* memory = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, ::fileno(file), 0);
    std::fclose(file);
    if (memory == MAP_FAILED) {
        return Read(path);
    }
    auto* bytes = static_cast<char*>(memory);
    const auto* nul = static_cast<const char*>(std::memchr(bytes, 0, size));
    return FileBytes(bytes, size, nul != nullptr ? static_cast<std::size_t>(nul - bytes) : size);
}

forms::FileBytes::FileBytes(char* memory, std::size_t mapped, std::size_t length)
    : m_Memory(memory), m_Mapped(mapped), m_Text(memory, length) {}

forms::FileBytes::FileBytes(FileBytes&& other) noexcept
    : m_Memory(other.m_Memory), m_Mapped(other.m_Mapped), m_Text(other.m_Text), m_Released(other.m_Released) {
    other.m_Memory = nullptr;
    other.m_Mapped = 0;
    other.m_Text = {};
}

forms::FileBytes::~FileBytes() {
    if (m_Memory != nullptr) {
        ::munmap(m_Memory, m_Mapped);
    }
}

void forms::FileBytes::ReleaseBefore(std::size_t offset) {
    static const auto pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    if (offset > m_Text.size() || offset < m_Released + kReleaseStep) {
        return;
    }
    const std::size_t end = offset / pageSize * pageSize;
    ::madvise(m_Memory + m_Released, end - m_Released, MADV_DONTNEED);
    m_Released = end;
}

bool ClassTable::SaveDocumentFile(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    // Written piece by piece: a large table is never held a second time as one document.
    if (!WriteFileSafely(path, [this](const PieceWriter& write) { return WriteXml2Pieces(write); })) {
        return false;
    }
    m_Modified = false;
    m_FileName = path;
    return true;
}

bool ClassTable::LoadDocumentFile(const std::filesystem::path& path, DocumentAccess access) {
    if (!Clear(false)) {
        return false;
    }
    m_Modified = false;
    // A code page that cannot be converted would show every cell empty: the load fails before reading.
    if (path.empty() || !IsCodePageSupported(m_Charset)) {
        return false;
    }
    std::optional<forms::FileBytes> read =
        access == DocumentAccess::Map ? forms::FileBytes::Map(path) : forms::FileBytes::Read(path);
    if (!read) {
        return false;
    }
    const auto content = std::make_shared<forms::FileBytes>(std::move(*read));
    bool result = false;
    if (m_Charset == kUtf8CodePage) {
        // The cells are the document's own bytes: they stay where they were read, in memory that a later
        // change of the file on disk cannot reach.
        m_Cells.KeepDocument(content, content->Text());
        result = ParseXml2Document(content->Text(), [](std::size_t) {});
    } else {
        result =
            ParseXml2Document(content->Text(), [&content](std::size_t consumed) { content->ReleaseBefore(consumed); });
    }
    m_Modified = false;
    m_FileName = path;
    return result;
}

} // namespace lexaro
