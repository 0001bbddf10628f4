#include "cli/CliDefaults.h"
#include "cli/Commands.h"
#include "cli/DictionaryInput.h"
#include "engine/EntryStore.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <sys/stat.h>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 1> kOptions{{{"charset", true}}};

// "12.34 (12637 bytes)"
std::string FormatFileSize(long long bytes) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f (%lld bytes)", static_cast<double>(bytes) / 1024.0, bytes);
    return buffer;
}

// The last-write time in local time, "2007-03-05 09:04:01".
std::string FormatFileDate(std::time_t time) {
    std::tm local{};
    if (::localtime_r(&time, &local) == nullptr) {
        return {};
    }
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

} // namespace

std::string_view InfoCommand::Summary() const {
    return "show a dictionary's properties";
}

std::string_view InfoCommand::Help() const {
    return "Usage: lexaro-cli info DICT [options]\n"
           "\n"
           "Writes the properties of the dictionary DICT as the properties window copies them,\n"
           "one line \"label - value\" each: Dictionary name, Complete name, Filesize [KB],\n"
           "Filedate, Number of terms, Largest term, Smallest term, Largest explanation,\n"
           "Smallest explanation and Charset (the code page the file names).\n"
           "\n"
           "Options:\n"
           "  --charset N   code page of DICT (default 65001, UTF-8)\n"
           "  -h, --help    show this help\n"
           "\n"
           "Exit status: 0 success, 2 usage error or unreadable input.\n";
}

std::span<const OptionDefinition> InfoCommand::Options() const {
    return kOptions;
}

int InfoCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::filesystem::path dictionary = line.Positionals()[0];
    std::string error;
    const std::optional<int> charset = CharsetOption(line, error);
    if (!charset) {
        return UsageError(io, error);
    }
    struct stat status {};
    if (::stat(dictionary.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return Failure(io, "cannot read the dictionary " + Quoted(dictionary));
    }
    EntryStore store;
    store.Entries().SetCharset(*charset);
    if (const std::optional<std::string> why = ReadDictionary(dictionary, store.Entries())) {
        return Failure(io, "cannot read the dictionary " + Quoted(dictionary) + *why);
    }

    std::error_code ignored;
    std::filesystem::path complete = std::filesystem::absolute(dictionary, ignored).lexically_normal();
    if (complete.empty()) {
        complete = dictionary;
    }
    const std::string completeName = complete.string();
    const std::size_t cut = completeName.find_last_of("/\\");
    const std::string fileName = cut == std::string::npos ? completeName : completeName.substr(cut + 1);

    const EntryStore::Extremes extremes = store.FindExtremes();
    const std::array<std::pair<std::string_view, std::string>, 10> lines{{
        {"FrmProp.m_LBLFileName", fileName},
        {"FrmProp.m_LBLCompleteName", completeName},
        {"FrmProp.m_LBLFileSize", FormatFileSize(status.st_size)},
        {"FrmProp.m_LBLFileDate", FormatFileDate(status.st_mtime)},
        {"FrmProp.m_LBLWordCount", std::to_string(store.Entries().RowCount())},
        {"FrmProp.m_LBLWordLargest", extremes.longestTerm},
        {"FrmProp.m_LBLWordSmallest", extremes.shortestTerm},
        {"FrmProp.m_LBLExplLargest", extremes.longestExplanation},
        {"FrmProp.m_LBLExplSmallest", extremes.shortestExplanation},
        {"FrmProp.m_LBLCharset", std::to_string(store.Entries().FileCharset())},
    }};
    for (const auto& [key, value] : lines) {
        io.out << PropertyLabel(key) << " - " << value << '\n';
    }
    return kExitSuccess;
}

} // namespace lexaro::cli
