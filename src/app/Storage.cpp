#include "app/Storage.h"

#include "table/InitFileDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <system_error>

namespace lexaro {

namespace {

bool IsFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_directory(path, ignored);
}

// Drops a trailing separator so that parent_path() and "/" joins behave ("/opt/x/" becomes "/opt/x").
std::filesystem::path Tidy(const std::filesystem::path& folder) {
    std::filesystem::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path() && normal != normal.root_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

std::filesystem::path ProgramFolderOf(const Environment& environment) {
    const std::filesystem::path fromProgram = environment.programFile.parent_path();
    if (fromProgram.is_absolute() && IsFolder(fromProgram)) {
        return Tidy(fromProgram);
    }
    // Without a usable program file, the first command-line word says where the program lies.
    std::filesystem::path word(environment.firstArgument);
    if (word.empty()) {
        return {};
    }
    if (word.is_relative()) {
        if (environment.currentDirectory.empty()) {
            return {};
        }
        word = environment.currentDirectory / word;
    }
    return Tidy(word.parent_path());
}

// Creates the folder and any missing parents, new ones readable by the user only.
void MakePrivateFolders(const std::filesystem::path& folder) {
    if (folder.empty() || IsFolder(folder)) {
        return;
    }
    const std::filesystem::path parent = folder.parent_path();
    if (parent != folder) {
        MakePrivateFolders(parent);
    }
    ::mkdir(folder.c_str(), 0700);
}

// Folder paths in files end with a separator, as the program has always stored them.
std::string FolderText(const std::filesystem::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/') {
        text.push_back('/');
    }
    return text;
}

std::string FormatInstallDate(const LocalTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

} // namespace

StorageDecision DecideStorage(const Environment& environment) {
    StorageDecision decision;
    decision.programFolder = ProgramFolderOf(environment);
    decision.baseFolder = environment.currentDirectory;
    if (decision.programFolder.empty()) {
        return decision;
    }
    InitFileDocument savePath(InitFileForm::Pair);
    if (!savePath.LoadFromFile(decision.programFolder / kSavePathFile)) {
        return decision;
    }
    if (savePath.GetString("UseExeFilePath", "") == "1") {
        decision.applicationFolder = decision.programFolder;
        decision.customStorage = true;
        return decision;
    }
    // From here on relative paths belong to the program folder; the process's own working folder is left
    // alone and paths are resolved against this one instead.
    decision.baseFolder = decision.programFolder;
    std::string storage = savePath.GetString("ApplicationStorage", "");
    if (storage.empty()) {
        return decision;
    }
    // The same file may serve a copy of the program on Windows, where the separator is a backslash.
    std::replace(storage.begin(), storage.end(), '\\', '/');
    const std::filesystem::path folder = Tidy(decision.programFolder / storage);
    if (IsFolder(folder)) {
        decision.applicationFolder = folder;
        decision.customStorage = true;
    }
    return decision;
}

InstallationRecord WriteInstallationRecord(const Environment& environment, const Clock& clock,
                                           const std::filesystem::path& programFolder) {
    const std::string installDate = FormatInstallDate(clock.Now());
    const std::filesystem::path folder = CommonDataFolder(environment);
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::filesystem::path record = folder / kInstallationFile;

    InitFileDocument existing(InitFileForm::Pair);
    if (existing.LoadFromFile(record) && existing.GetString("Version", "") == kInstallationVersion) {
        return InstallationRecord::Current;
    }
    InitFileDocument document(InitFileForm::Pair);
    document.AddValue("InstallationDirectory", FolderText(programFolder));
    document.AddValue("LanguageFile", kLanguagesFile);
    document.AddValue("IniFile", kSettingsFile);
    document.AddValue("Version", kInstallationVersion);
    document.AddValue("InstallDate", installDate);
    return document.SaveToFile(record) ? InstallationRecord::Written : InstallationRecord::Failed;
}

std::filesystem::path PrepareApplicationFolder(const Environment& environment, const Clock& clock,
                                               const std::filesystem::path& programFolder) {
    const std::filesystem::path base = UserConfigFolder(environment);
    std::filesystem::path folder;
    if (!base.empty()) {
        folder = base / "Corvane" / "Lexaro";
        MakePrivateFolders(folder);
    }
    WriteInstallationRecord(environment, clock, programFolder);
    return folder;
}

std::filesystem::path GetStartDictionaryPath(std::string_view startDictionary,
                                             const std::filesystem::path& baseFolder) {
    if (startDictionary.empty()) {
        return {};
    }
    const std::filesystem::path path(startDictionary);
    if (path.is_absolute()) {
        return path;
    }
    if (baseFolder.empty()) {
        return {};
    }
    return (baseFolder / path).lexically_normal();
}

InstalledDataLayout BuiltInDataLayout() {
    return {LEXARO_DATA_FROM_PROGRAM, LEXARO_DATA_ABSOLUTE};
}

std::filesystem::path DataFolder(const std::filesystem::path& programFolder, const InstalledDataLayout& layout) {
    if (programFolder.empty()) {
        return {};
    }
    const std::filesystem::path folder = Tidy(programFolder);
    const std::filesystem::path installed = Tidy(folder / layout.relativeToProgram);
    std::error_code ignored;
    for (const std::filesystem::path& candidate : {folder, installed, layout.absolute}) {
        if (!candidate.empty() && std::filesystem::is_regular_file(candidate / kLanguagesFile, ignored)) {
            return Tidy(candidate);
        }
    }
    return installed;
}

std::filesystem::path DataFolder(const std::filesystem::path& programFolder) {
    return DataFolder(programFolder, BuiltInDataLayout());
}

StartupStorage PrepareStorage(const Environment& environment, const Clock& clock) {
    StartupStorage storage;
    storage.decision = DecideStorage(environment);
    const std::filesystem::path& programFolder = storage.decision.programFolder;
    storage.programFile = environment.programFile;
    if (storage.programFile.empty() && !programFolder.empty()) {
        storage.programFile = programFolder / std::filesystem::path(environment.firstArgument).filename();
    }
    storage.portable = CheckPortablePayload(storage.programFile);
    if (storage.portable) {
        storage.applicationFolder = programFolder;
    } else if (storage.decision.customStorage) {
        storage.applicationFolder = storage.decision.applicationFolder;
    } else {
        storage.applicationFolder = PrepareApplicationFolder(environment, clock, programFolder);
    }
    if (!storage.applicationFolder.empty()) {
        storage.settingsPath = storage.applicationFolder / kSettingsFile;
    }
    storage.dataFolder = DataFolder(programFolder);
    return storage;
}

} // namespace lexaro
