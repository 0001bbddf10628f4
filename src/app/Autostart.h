#pragma once

#include "app/Environment.h"

#include <filesystem>
#include <string>

namespace lexaro {

// "Run on system startup" is an XDG autostart entry, lexaro.desktop in the autostart folder, whose Exec
// line starts the program file. It is not a stored setting: the entry itself is the state.
inline constexpr const char* kAutostartFileName = "lexaro.desktop";

// <configuration folder>/autostart; empty when no configuration folder is known.
std::filesystem::path AutostartFolder(const Environment& environment);

// True when the folder exists and holds the entry as a file (not a folder).
bool IsAutostartOn(const std::filesystem::path& autostartFolder);

// On: writes the entry for programFile when there is none (an existing entry, perhaps edited by the user,
// is left as it is); the folder is created when missing. Off: removes the entry; a missing entry is not an
// error. False when the entry could not be written or removed; nothing is then half-written.
bool SetAutostart(const std::filesystem::path& autostartFolder, const std::filesystem::path& programFile, bool on);

// The entry's text for a program file; the path is quoted so that blanks, quotes, "$", "`", "\" and "%"
// in it reach the program unchanged.
std::string AutostartEntryText(const std::filesystem::path& programFile);

} // namespace lexaro
