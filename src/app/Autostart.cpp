#include "app/Autostart.h"

#include "table/SafeFile.h"

#include <system_error>

namespace lexaro {

namespace {

// An Exec argument in double quotes: ", `, $ and \ get a backslash inside the quotes, and the desktop
// entry's string rules double every backslash once more; % is doubled for the field-code rule.
std::string QuotedExecArgument(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$') {
            quoted += "\\\\";
            quoted += c;
        } else if (c == '\\') {
            quoted += "\\\\\\\\";
        } else if (c == '%') {
            quoted += "%%";
        } else if (c == '\n' || c == '\r') {
            // A line break would end the Exec line; such a program path cannot be started anyway.
            quoted += ' ';
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

} // namespace

std::filesystem::path AutostartFolder(const Environment& environment) {
    const std::filesystem::path config = UserConfigFolder(environment);
    return config.empty() ? std::filesystem::path() : config / "autostart";
}

bool IsAutostartOn(const std::filesystem::path& autostartFolder) {
    std::error_code error;
    if (autostartFolder.empty() || !std::filesystem::is_directory(autostartFolder, error)) {
        return false;
    }
    const std::filesystem::path entry = autostartFolder / kAutostartFileName;
    return std::filesystem::exists(entry, error) && !std::filesystem::is_directory(entry, error);
}

std::string AutostartEntryText(const std::filesystem::path& programFile) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Lexaro\n"
           "Exec=" +
           QuotedExecArgument(programFile.string()) +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool SetAutostart(const std::filesystem::path& autostartFolder, const std::filesystem::path& programFile, bool on) {
    if (autostartFolder.empty()) {
        return false;
    }
    std::error_code error;
    const std::filesystem::path entry = autostartFolder / kAutostartFileName;
    if (!on) {
        if (std::filesystem::is_directory(entry, error)) {
            return false;
        }
        std::filesystem::remove(entry, error);
        return !error;
    }
    if (std::filesystem::exists(entry, error) || std::filesystem::is_symlink(entry, error)) {
        return true;
    }
    if (programFile.empty()) {
        return false;
    }
    std::filesystem::create_directories(autostartFolder, error);
    if (!std::filesystem::is_directory(autostartFolder, error)) {
        return false;
    }
    return WriteFileSafely(entry, AutostartEntryText(programFile));
}

} // namespace lexaro
