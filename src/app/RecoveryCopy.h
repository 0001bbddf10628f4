#pragma once

#include "engine/Clock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// How many Lexaro programs of one user keep a recovery copy at the same time.
inline constexpr int kRecoverySlots = 8;
// The origin file never needs more than this; anything larger is not one of ours.
inline constexpr std::size_t kRecoveryOriginLimit = 64 * 1024;

// The files of one recovery slot in the application folder: slot 0 is "Recovery.lxd" with "Recovery.origin"
// (the path of the dictionary the copy belongs to) and "Recovery.lock"; slot n is "Recovery-<n+1>.*".
struct RecoveryFiles {
    std::filesystem::path document;
    std::filesystem::path origin;
    std::filesystem::path lock;
};

RecoveryFiles RecoverySlotFiles(const std::filesystem::path& folder, int slot);

// The origin file: a marker line and the dictionary path (UTF-8, empty for a dictionary without a file),
// with control characters and '%' written as %XX so that any path survives as one line.
std::string ComposeRecoveryOrigin(std::string_view dictionaryPath);
// The dictionary path from an origin file; nothing when the text is not a well-formed origin file.
std::optional<std::string> ParseRecoveryOrigin(std::string_view text);

// "Recovery_20240305-090401" for slot 0 at that time: the name under which a copy the user did not
// restore is kept.
std::string RecoveryBackupStem(int slot, const LocalTime& time);

// The recovery copy of one running program. A slot is held through an advisory lock on its lock file for
// as long as this object lives; the system drops the lock when the process dies, however it dies, so a
// copy in a slot that can be claimed was left by a run that did not end in order.
class RecoveryCopy {
public:
    RecoveryCopy() = default;
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // Claims the first slot in folder that no running program holds. False when folder is empty or every
    // slot is taken; the object then writes nothing.
    bool Claim(const std::filesystem::path& folder);
    bool Claimed() const { return m_LockFd >= 0; }
    int Slot() const { return m_Slot; }
    const RecoveryFiles& Files() const { return m_Files; }

    // A copy is present in the claimed slot (before anything was written: one left by an earlier run).
    bool Exists() const;
    // The path of the dictionary the present copy belongs to; "" for one without a file. Nothing when the
    // origin file is missing, too large or malformed.
    std::optional<std::string> ReadOrigin() const;

    // Writes the copy safely: the origin first, then the document, both readable by the user only.
    bool Write(std::string_view document, std::string_view dictionaryPath);
    // Removes the copy (after an orderly save or quit). False when a file stays behind.
    bool Remove();
    // Renames the present copy to a dated backup in the same folder, so that a new copy never overwrites it.
    // The backup document's path, or an empty path when it could not be moved.
    std::filesystem::path KeepAside(const LocalTime& time);

private:
    int m_LockFd = -1;
    int m_Slot = -1;
    RecoveryFiles m_Files;
};

} // namespace lexaro
