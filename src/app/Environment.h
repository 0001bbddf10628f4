#pragma once

#include <filesystem>
#include <string>

namespace lexaro {

// What the program learns about its surroundings at start: the user's home, the configuration and
// machine-wide folders named by the environment, its own program file and the folder it was started in.
// The real values come from SystemEnvironment(); tests fill one in with temporary folders, so nothing
// here is read from the process behind their back.
struct Environment {
    std::filesystem::path home;             // $HOME (or the password database's home when it is unset)
    std::string xdgConfigHome;              // $XDG_CONFIG_HOME as given, empty when unset
    std::string commonDir;                  // $LEXARO_COMMON_DIR as given, empty when unset
    std::filesystem::path programFile;      // the running program file (/proc/self/exe), empty if unknown
    std::string firstArgument;              // the first command-line word as typed
    std::filesystem::path currentDirectory; // the folder the program was started in
    std::string xdgDataHome;                // $XDG_DATA_HOME as given, empty when unset
};

// The running process's environment.
Environment SystemEnvironment();

// Base folder for per-user configuration: $XDG_CONFIG_HOME when it is an absolute path, otherwise
// home/.config; empty when neither is known.
std::filesystem::path UserConfigFolder(const Environment& environment);

// Folder for review logs of dictionaries whose own folder cannot be written:
// $XDG_DATA_HOME/Corvane/Lexaro/Reviews, with home/.local/share when $XDG_DATA_HOME is unset or relative.
std::filesystem::path ReviewLogFolder(const Environment& environment);

// Folder of the machine-wide installation record: $LEXARO_COMMON_DIR when set, else /var/lib/Corvane/Lexaro.
std::filesystem::path CommonDataFolder(const Environment& environment);

} // namespace lexaro
