#include "app/Environment.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lexaro {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::filesystem::path HomeFromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384u);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

// The first NUL-terminated word of /proc/self/cmdline.
std::string FirstCommandLineWord() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string word;
    std::getline(in, word, '\0');
    return word;
}

} // namespace

Environment SystemEnvironment() {
    Environment environment;
    const std::string home = Variable("HOME");
    environment.home = home.empty() ? HomeFromPasswordDatabase() : std::filesystem::path(home);
    environment.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    environment.commonDir = Variable("LEXARO_COMMON_DIR");
    environment.xdgDataHome = Variable("XDG_DATA_HOME");
    std::error_code error;
    environment.programFile = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        environment.programFile.clear();
    }
    environment.firstArgument = FirstCommandLineWord();
    environment.currentDirectory = std::filesystem::current_path(error);
    if (error) {
        environment.currentDirectory.clear();
    }
    return environment;
}

std::filesystem::path UserConfigFolder(const Environment& environment) {
    // A relative $XDG_CONFIG_HOME is invalid and ignored, as the XDG base directory rules ask.
    const std::filesystem::path configured(environment.xdgConfigHome);
    if (!configured.empty() && configured.is_absolute()) {
        return configured;
    }
    if (environment.home.empty()) {
        return {};
    }
    return environment.home / ".config";
}

std::filesystem::path ReviewLogFolder(const Environment& environment) {
    std::filesystem::path base(environment.xdgDataHome);
    if (base.empty() || !base.is_absolute()) {
        if (environment.home.empty()) {
            return {};
        }
        base = environment.home / ".local" / "share";
    }
    return base / "Corvane" / "Lexaro" / "Reviews";
}

std::filesystem::path CommonDataFolder(const Environment& environment) {
    if (!environment.commonDir.empty()) {
        return environment.commonDir;
    }
    return "/var/lib/Corvane/Lexaro";
}

} // namespace lexaro
