#include "app/HelpFiles.h"
#include "app/LanguageSelection.h"
#include "app/Storage.h"
#include "cli/Commands.h"

#include <ostream>
#include <system_error>
#include <utility>

namespace lexaro::cli {

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

// "label - path", marked when the file is not there. Returns whether it is.
bool WriteFileLine(std::ostream& out, std::string_view label, const std::filesystem::path& path) {
    const bool present = IsFile(path);
    out << label << " - " << path.string() << (present ? "" : " (missing)") << '\n';
    return present;
}

std::filesystem::path SettingsFile(const Environment& environment, const StorageDecision& decision) {
    if (decision.customStorage) {
        return decision.applicationFolder / kSettingsFile;
    }
    const std::filesystem::path base = UserConfigFolder(environment);
    return base.empty() ? std::filesystem::path() : base / "Corvane" / "Lexaro" / kSettingsFile;
}

} // namespace

PathsCommand::PathsCommand(Environment environment) : m_Environment(std::move(environment)) {}

std::string_view PathsCommand::Summary() const {
    return "show where the program's languages, help and settings are";
}

std::string_view PathsCommand::Help() const {
    return "Usage: lexaro-cli paths [options]\n"
           "\n"
           "Writes where the desktop program finds its files, one line \"label - path\" each:\n"
           "the program and data folders, the language list and every language it lists\n"
           "(\"built in\" for the program's own English texts), the language used when none was\n"
           "chosen, its help page, the licence and change notes, and the settings file.\n"
           "A file that is not there is marked \"(missing)\".\n"
           "\n"
           "Options:\n"
           "  -h, --help    show this help\n"
           "\n"
           "Exit status: 0 when the language list, every language file it lists and the help\n"
           "page are there; 2 otherwise.\n";
}

std::span<const OptionDefinition> PathsCommand::Options() const {
    return {};
}

int PathsCommand::Execute(const CommandLine& /*line*/, CliStreams& io) {
    const StorageDecision decision = DecideStorage(m_Environment);
    const std::filesystem::path data = DataFolder(decision.programFolder);
    io.out << "Program folder - " << decision.programFolder.string() << '\n';
    io.out << "Data folder - " << data.string() << '\n';

    bool complete = WriteFileLine(io.out, "Languages", data / kLanguagesFile);
    const LanguageChoices choices = ReadLanguageChoices(data / kLanguagesFile, data, {});
    for (const LanguageItem& item : choices.items) {
        const std::string label = "Language " + item.name;
        if (item.file.empty()) {
            io.out << label << " - built in\n";
        } else {
            complete = WriteFileLine(io.out, label, item.file) && complete;
        }
    }
    const LanguageSelection standard = SelectLanguageByName(data, "");
    io.out << "Default language - " << (standard.matched ? standard.name : std::string(kBuiltInLanguageName)) << '\n';
    complete = WriteFileLine(io.out, "Help", HelpFilePath(data, standard.file.string())) && complete;
    WriteFileLine(io.out, "License", data / kLicenseFile);
    WriteFileLine(io.out, "Change notes", data / kReadMeFile);
    io.out << "Settings - " << SettingsFile(m_Environment, decision).string() << '\n';
    if (!complete) {
        return Failure(io, "files of the program are missing in " + data.string());
    }
    return kExitSuccess;
}

} // namespace lexaro::cli
