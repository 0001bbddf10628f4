#include "app/RecoveryCopy.h"

#include "table/SafeFile.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace lexaro {

namespace {

constexpr std::string_view kOriginMarker = "LexaroRecovery 1\r\n";
constexpr std::string_view kOriginKey = "Path=";
constexpr std::string_view kLineEnd = "\r\n";
constexpr auto kPrivateFile = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

std::string SlotStem(int slot) {
    return slot == 0 ? std::string("Recovery") : "Recovery-" + std::to_string(slot + 1);
}

bool NeedsEscape(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '%';
}

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return -1;
}

bool RemoveIfThere(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error;
}

} // namespace

RecoveryFiles RecoverySlotFiles(const std::filesystem::path& folder, int slot) {
    const std::string stem = SlotStem(slot);
    return RecoveryFiles{folder / (stem + ".lxd"), folder / (stem + ".origin"), folder / (stem + ".lock")};
}

std::string ComposeRecoveryOrigin(std::string_view dictionaryPath) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(kOriginMarker);
    text += kOriginKey;
    for (const char c : dictionaryPath) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEscape(byte)) {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        } else {
            text += c;
        }
    }
    text += kLineEnd;
    return text;
}

std::optional<std::string> ParseRecoveryOrigin(std::string_view text) {
    if (text.size() > kRecoveryOriginLimit || !text.starts_with(kOriginMarker)) {
        return std::nullopt;
    }
    text.remove_prefix(kOriginMarker.size());
    if (!text.starts_with(kOriginKey)) {
        return std::nullopt;
    }
    text.remove_prefix(kOriginKey.size());
    const std::size_t end = text.find(kLineEnd);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view encoded = text.substr(0, end);
    std::string path;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(encoded[i]);
        if (byte != '%') {
            if (NeedsEscape(byte)) {
                return std::nullopt;
            }
            path += encoded[i];
            continue;
        }
        if (i + 2 >= encoded.size()) {
            return std::nullopt;
        }
        const int high = HexValue(encoded[i + 1]);
        const int low = HexValue(encoded[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    // A NUL cannot be part of a file path.
    if (path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return path;
}

std::string RecoveryBackupStem(int slot, const LocalTime& time) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "_%04i%02i%02i-%02i%02i%02i", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return SlotStem(slot) + stamp;
}

RecoveryCopy::~RecoveryCopy() {
    if (m_LockFd >= 0) {
        ::close(m_LockFd);
    }
}

bool RecoveryCopy::Claim(const std::filesystem::path& folder) {
    if (Claimed() || folder.empty()) {
        return Claimed();
    }
    for (int slot = 0; slot < kRecoverySlots; ++slot) {
        const RecoveryFiles files = RecoverySlotFiles(folder, slot);
        const int fd = ::open(files.lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_LockFd = fd;
            m_Slot = slot;
            m_Files = files;
            return true;
        }
        ::close(fd);
    }
    return false;
}

bool RecoveryCopy::Exists() const {
    std::error_code error;
    return Claimed() && std::filesystem::is_regular_file(m_Files.document, error);
}

std::optional<std::string> RecoveryCopy::ReadOrigin() const {
    std::error_code error;
    if (!Claimed() || !std::filesystem::is_regular_file(m_Files.origin, error)) {
        return std::nullopt;
    }
    const auto size = std::filesystem::file_size(m_Files.origin, error);
    std::string text;
    if (error || size > kRecoveryOriginLimit || !ReadFileBytes(m_Files.origin, text)) {
        return std::nullopt;
    }
    return ParseRecoveryOrigin(text);
}

bool RecoveryCopy::Write(std::string_view document, std::string_view dictionaryPath) {
    return Claimed() && !document.empty() &&
           WriteFileSafely(m_Files.origin, ComposeRecoveryOrigin(dictionaryPath), kPrivateFile) &&
           WriteFileSafely(m_Files.document, document, kPrivateFile);
}

bool RecoveryCopy::Remove() {
    if (!Claimed()) {
        return true;
    }
    // The document goes first: an origin without a document is never offered.
    const bool document = RemoveIfThere(m_Files.document);
    return RemoveIfThere(m_Files.origin) && document;
}

std::filesystem::path RecoveryCopy::KeepAside(const LocalTime& time) {
    if (!Exists()) {
        return {};
    }
    const std::filesystem::path folder = m_Files.document.parent_path();
    const std::string stem = RecoveryBackupStem(m_Slot, time);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
        const std::filesystem::path document = folder / (name + ".lxd");
        const std::filesystem::path origin = folder / (name + ".origin");
        std::error_code error;
        if (std::filesystem::exists(document, error) || std::filesystem::exists(origin, error)) {
            continue;
        }
        std::filesystem::rename(m_Files.document, document, error);
        if (error) {
            return {};
        }
        // The origin tells later which dictionary the backup belonged to; losing it loses no entries.
        std::filesystem::rename(m_Files.origin, origin, error);
        return document;
    }
    return {};
}

} // namespace lexaro
