#include "cli/Commands.h"
#include "cli/DictionaryInput.h"
#include "table/Checksum.h"

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 1> kOptions{{{"type", true}}};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// A checksum type by its number (1-12) or its label ("SHA-2(256)", in any letter case); "-" picks none.
std::optional<int> ChecksumTypeOf(std::string_view given) {
    if (const std::optional<int> number = ParseNumber(given, 1, kChecksumTypeCount - 1)) {
        return number;
    }
    for (int type = 1; type < kChecksumTypeCount; ++type) {
        if (EqualIgnoringCase(given, kChecksumLabels[static_cast<std::size_t>(type)])) {
            return type;
        }
    }
    return std::nullopt;
}

} // namespace

std::string_view ChecksumCommand::Summary() const {
    return "write checksums of a file";
}

std::string_view ChecksumCommand::Help() const {
    return "Usage: lexaro-cli checksum FILE [options]\n"
           "\n"
           "Writes the checksum of FILE's bytes as lowercase hexadecimal digits, then one LF.\n"
           "Without --type it writes one line \"LABEL digits\" for each of the twelve kinds the\n"
           "properties window offers, in its order: MD2, MD4, MD5, SHA-1, SHA-2(224),\n"
           "SHA-2(256), SHA-2(384), SHA-2(512), SHA-3(224), SHA-3(256), SHA-3(384), SHA-3(512).\n"
           "\n"
           "Options:\n"
           "  --type T     only this kind: its number in the list above (1-12) or its label\n"
           "  -h, --help   show this help\n"
           "\n"
           "Exit status: 0 success, 2 usage error or unreadable FILE.\n";
}

std::span<const OptionDefinition> ChecksumCommand::Options() const {
    return kOptions;
}

int ChecksumCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::filesystem::path file = line.Positionals()[0];
    int first = 1;
    int last = kChecksumTypeCount - 1;
    const std::optional<std::string> given = line.Value("type");
    if (given) {
        const std::optional<int> type = ChecksumTypeOf(*given);
        if (!type) {
            return UsageError(io, "unknown checksum type '" + *given + "'");
        }
        first = last = *type;
    }
    std::string lines;
    for (int type = first; type <= last; ++type) {
        const std::string digest = FileChecksum(file, type);
        if (digest.empty()) {
            return Failure(io, "cannot read " + Quoted(file));
        }
        if (!given) {
            lines.append(kChecksumLabels[static_cast<std::size_t>(type)]).append(" ");
        }
        lines.append(digest).append("\n");
    }
    io.out << lines;
    return kExitSuccess;
}

} // namespace lexaro::cli
