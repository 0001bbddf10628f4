#pragma once

#include "app/Environment.h"
#include "app/PortablePayload.h"
#include "engine/Clock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

inline constexpr std::string_view kSavePathFile = "SavePath.ini";
inline constexpr std::string_view kSettingsFile = "Lexaro.ini";
inline constexpr std::string_view kLanguagesFile = "Languages.ini";
inline constexpr std::string_view kInstallationFile = "Installation.ini";
inline constexpr std::string_view kInstallationVersion = "Version 2.580 (22.05.2019)";

// Where the settings live, as "SavePath.ini" in the program folder decides it.
struct StorageDecision {
    std::filesystem::path programFolder;     // folder of the running program file
    std::filesystem::path applicationFolder; // folder of "Lexaro.ini"; set only with custom storage
    bool customStorage = false;              // the folder came from "SavePath.ini"
    // Folder that relative paths (the start dictionary) are resolved against. The program folder once
    // "SavePath.ini" names an ApplicationStorage; otherwise the folder the program was started in.
    std::filesystem::path baseFolder;
};

// Reads "SavePath.ini" beside the program: UseExeFilePath "1" keeps the settings in the program folder;
// otherwise an existing ApplicationStorage folder (relative to the program folder) holds them. Anything
// else, or no file, leaves the decision to PrepareApplicationFolder.
StorageDecision DecideStorage(const Environment& environment);

// What WriteInstallationRecord did; failures are never shown to the user.
enum class InstallationRecord { Current, Written, Failed };

// Makes sure the machine-wide "Installation.ini" names this version: an existing record with the same
// version is left alone, anything else is replaced (written safely). The date comes from clock.
InstallationRecord WriteInstallationRecord(const Environment& environment, const Clock& clock,
                                           const std::filesystem::path& programFolder);

// Creates the per-user folder <config>/Corvane/Lexaro (mode 0700 for new levels) and then writes the
// installation record. Returns the folder, or an empty path when no configuration folder is known.
// Creation failures are not reported: the settings are simply not saved later.
std::filesystem::path PrepareApplicationFolder(const Environment& environment, const Clock& clock,
                                               const std::filesystem::path& programFolder);

// The dictionary to open at start from the StartDictionary setting (UTF-8), as an absolute path resolved
// against baseFolder; empty when the setting is empty.
std::filesystem::path GetStartDictionaryPath(std::string_view startDictionary, const std::filesystem::path& baseFolder);

// Where an installed program keeps its data folder, as the build was configured: relative to the program
// folder (normally "../share/lexaro") and as an absolute path (normally "/usr/local/share/lexaro").
struct InstalledDataLayout {
    std::filesystem::path relativeToProgram;
    std::filesystem::path absolute;
};
InstalledDataLayout BuiltInDataLayout();

// Folder of "Languages.ini", the language files, help, "License.txt" and "ReadMe.txt", the first of these
// that holds "Languages.ini": the program folder (a build tree or a copy with its files beside it), the
// installed folder relative to the program folder (an installed or packaged program, wherever its prefix
// is), the installed folder by its absolute path (a copy of an installed program elsewhere). When none
// holds it, the relative installed folder; the built-in texts apply then.
std::filesystem::path DataFolder(const std::filesystem::path& programFolder, const InstalledDataLayout& layout);
std::filesystem::path DataFolder(const std::filesystem::path& programFolder);

// Everything start-up decides about files before the settings are read.
struct StartupStorage {
    StorageDecision decision;
    std::filesystem::path programFile;
    std::filesystem::path applicationFolder; // empty when no folder could be determined
    std::filesystem::path settingsPath;      // applicationFolder/"Lexaro.ini", empty with it
    std::filesystem::path dataFolder;
    std::optional<PortablePayload> portable; // set when the program file carries a dictionary
};

// Start-up's file decisions in order: DecideStorage, the portable payload (whose copy keeps its settings
// beside itself), and otherwise the per-user folder with the installation record.
StartupStorage PrepareStorage(const Environment& environment, const Clock& clock);

} // namespace lexaro
