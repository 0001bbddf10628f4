#include "app/PortablePayload.h"

#include "table/SafeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace lexaro {

namespace {

constexpr std::uint64_t kMaxU32 = std::numeric_limits<std::uint32_t>::max();

std::uint32_t ReadLe32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

void AppendLe32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
}

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_Fd(fd) {}
    ~FileDescriptor() {
        if (m_Fd >= 0) {
            ::close(m_Fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_Fd; }

private:
    int m_Fd;
};

bool ReadAtDescriptor(int fd, std::uint64_t offset, std::size_t count, char* out) {
    while (count > 0) {
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
            return false;
        }
        const ssize_t got = ::pread(fd, out, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        out += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

std::optional<PortableLayout> LocatePortablePayload(std::uint64_t fileSize, const PortableReadAt& readAt) {
    // The smallest payload is two zero lengths; anything shorter cannot hold one.
    if (fileSize < kPortableTrailerSize + 8) {
        return std::nullopt;
    }
    char trailer[kPortableTrailerSize];
    if (!readAt(fileSize - kPortableTrailerSize, sizeof trailer, trailer) ||
        std::string_view(trailer + 4, kPortableMagic.size()) != kPortableMagic) {
        return std::nullopt;
    }
    // The payload must fill [P, end) exactly. Each check keeps the next subtraction non-negative, and
    // every value stays far below 2^64, so nothing wraps.
    const std::uint64_t end = fileSize - kPortableTrailerSize;
    PortableLayout layout;
    layout.offset = ReadLe32(trailer);
    if (layout.offset > end || end - layout.offset < 8) {
        return std::nullopt;
    }
    char length[4];
    if (!readAt(layout.offset, sizeof length, length)) {
        return std::nullopt;
    }
    layout.dictionaryLength = ReadLe32(length);
    if (layout.dictionaryLength > end - layout.offset - 8) {
        return std::nullopt;
    }
    if (!readAt(layout.offset + 4 + layout.dictionaryLength, sizeof length, length)) {
        return std::nullopt;
    }
    layout.textsLength = ReadLe32(length);
    if (layout.textsLength != end - layout.offset - 8 - layout.dictionaryLength) {
        return std::nullopt;
    }
    return layout;
}

std::optional<PortablePayload> FindPortablePayload(std::string_view fileBytes) {
    const auto readAt = [fileBytes](std::uint64_t offset, std::size_t count, char* out) {
        if (offset > fileBytes.size() || count > fileBytes.size() - offset) {
            return false;
        }
        std::memcpy(out, fileBytes.data() + offset, count);
        return true;
    };
    const auto layout = LocatePortablePayload(fileBytes.size(), readAt);
    if (!layout) {
        return std::nullopt;
    }
    PortablePayload payload;
    payload.offset = layout->offset;
    payload.dictionaryText = fileBytes.substr(layout->DictionaryStart(), layout->dictionaryLength);
    payload.interfaceText = fileBytes.substr(layout->TextsStart(), layout->textsLength);
    return payload;
}

std::optional<PortablePayload> CheckPortablePayload(const std::filesystem::path& programFile) {
    const FileDescriptor file(::open(programFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        return std::nullopt;
    }
    const int fd = file.Get();
    const auto readAt = [fd](std::uint64_t offset, std::size_t count, char* out) {
        return ReadAtDescriptor(fd, offset, count, out);
    };
    const auto layout = LocatePortablePayload(static_cast<std::uint64_t>(info.st_size), readAt);
    if (!layout) {
        return std::nullopt;
    }
    // Both lengths are now known to lie inside the file, so these allocations are bounded by its size.
    PortablePayload payload;
    payload.offset = layout->offset;
    payload.dictionaryText.resize(static_cast<std::size_t>(layout->dictionaryLength));
    payload.interfaceText.resize(static_cast<std::size_t>(layout->textsLength));
    if (!ReadAtDescriptor(fd, layout->DictionaryStart(), payload.dictionaryText.size(),
                          payload.dictionaryText.data()) ||
        !ReadAtDescriptor(fd, layout->TextsStart(), payload.interfaceText.size(), payload.interfaceText.data())) {
        return std::nullopt;
    }
    return payload;
}

namespace {

// Hands the payload and its trailer to write piece by piece, the texts without copying them.
bool WritePayloadPieces(std::uint64_t programSize, std::string_view dictionaryText, std::string_view interfaceText,
                        const PieceWriter& write) {
    const auto le32 = [](std::uint64_t value) {
        std::string bytes;
        AppendLe32(bytes, static_cast<std::uint32_t>(value));
        return bytes;
    };
    return write(le32(dictionaryText.size())) && write(dictionaryText) && write(le32(interfaceText.size())) &&
           write(interfaceText) && write(le32(programSize)) && write(kPortableMagic);
}

// Every length is stored in 32 bits; a larger one would be cut and the copy unreadable.
bool FitsThePayload(std::uint64_t programSize, std::string_view dictionaryText, std::string_view interfaceText) {
    return programSize <= kMaxU32 && dictionaryText.size() <= kMaxU32 && interfaceText.size() <= kMaxU32;
}

} // namespace

std::optional<std::string> ComposePortablePayload(std::uint64_t programSize, std::string_view dictionaryText,
                                                  std::string_view interfaceText) {
    if (!FitsThePayload(programSize, dictionaryText, interfaceText)) {
        return std::nullopt;
    }
    std::string payload;
    payload.reserve(8 + dictionaryText.size() + interfaceText.size() + kPortableTrailerSize);
    WritePayloadPieces(programSize, dictionaryText, interfaceText, [&payload](std::string_view piece) {
        payload.append(piece);
        return true;
    });
    return payload;
}

bool WritePortableCopy(const std::filesystem::path& sourceProgram, const std::filesystem::path& target,
                       std::string_view dictionaryText, std::string_view interfaceText) {
    struct stat info {};
    std::string program;
    if (::stat(sourceProgram.c_str(), &info) != 0 || !ReadFileBytes(sourceProgram, program) || program.empty()) {
        return false;
    }
    // A copy made from a copy carries the original program only, never the old payload.
    if (const auto old = FindPortablePayload(program)) {
        program.resize(static_cast<std::size_t>(old->offset));
    }
    if (!FitsThePayload(program.size(), dictionaryText, interfaceText)) {
        return false;
    }
    // Only the permission bits travel: a set-user-id bit on the source is not handed to a copy. The dictionary
    // is written from the caller's text, never copied into one buffer with the program.
    const auto mode = static_cast<std::filesystem::perms>(info.st_mode) & std::filesystem::perms::all;
    return WriteFileSafely(
        target,
        [&](const PieceWriter& write) {
            return write(program) && WritePayloadPieces(program.size(), dictionaryText, interfaceText, write);
        },
        mode);
}

} // namespace lexaro
