#include "cli/CliDefaults.h"
#include "cli/Commands.h"
#include "cli/DictionaryInput.h"
#include "engine/EntryStore.h"

#include <array>
#include <climits>
#include <filesystem>
#include <ostream>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 8> kOptions{{{"also", true},
                                                    {"no-substring", false},
                                                    {"no-vice-versa", false},
                                                    {"limit", true},
                                                    {"wildcard", true},
                                                    {"translate-char", true},
                                                    {"not-found", true},
                                                    {"charset", true}}};

} // namespace

std::string_view LookupCommand::Summary() const {
    return "look a text up in a dictionary";
}

std::string_view LookupCommand::Help() const {
    return "Usage: lexaro-cli lookup DICT TEXT [options]\n"
           "\n"
           "Looks TEXT up in the dictionary DICT as the main window does: terms equal to TEXT\n"
           "(ignoring the case of A-Z), then explanations equal to it, then terms and explanations\n"
           "containing it. A wildcard stands for at least one byte (hou*, *use, h*se); a text\n"
           "enclosed in the translate character is translated word by word. Writes the result\n"
           "text exactly as the main window shows it (hits separated by CR LF), then one LF.\n"
           "\n"
           "Options:\n"
           "  --also FILE           also search the dictionary FILE; repeat for more, in order\n"
           "  --no-substring        do not look for terms containing TEXT\n"
           "  --no-vice-versa       do not search the explanations\n"
           "  --limit N             list at most N hits (without it up to 500)\n"
           "  --wildcard S          the wildcard (default \"*\"; \"\" for none)\n"
           "  --translate-char S    the translate character (default '\"'; \"\" for none)\n"
           "  --not-found TEXT      written when nothing is found (default \"Term not found.\")\n"
           "  --charset N           code page of DICT (default 65001, UTF-8)\n"
           "  -h, --help            show this help\n"
           "\n"
           "Exit status: 0 found, 1 nothing found, 2 usage error or unreadable input.\n";
}

std::span<const OptionDefinition> LookupCommand::Options() const {
    return kOptions;
}

int LookupCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::filesystem::path dictionary = line.Positionals()[0];
    const std::string& text = line.Positionals()[1];

    EntryStore engine;
    ApplyDefaultSettings(engine);
    std::string error;
    const std::optional<int> charset = CharsetOption(line, error);
    if (!charset) {
        return UsageError(io, error);
    }
    engine.Entries().SetCharset(*charset);
    engine.SetSearchSubstring(!line.Has("no-substring"));
    engine.SetSearchViceVersa(!line.Has("no-vice-versa"));
    if (const std::optional<std::string> limit = line.Value("limit")) {
        const std::optional<int> count = ParseNumber(*limit, 1, INT_MAX);
        if (!count) {
            return UsageError(io, "--limit takes a number of 1 or more");
        }
        engine.SetLimitMaxResults(true);
        engine.SetMaxResults(*count);
    }
    if (const std::optional<std::string> wildcard = line.Value("wildcard")) {
        engine.SetWildcard(*wildcard);
    }
    if (const std::optional<std::string> translateChar = line.Value("translate-char")) {
        engine.SetTranslateChar(*translateChar);
    }
    const std::string notFound = line.Value("not-found").value_or(DefaultNotFoundText());

    if (const std::optional<std::string> why = ReadDictionary(dictionary, engine.Entries())) {
        return Failure(io, "cannot read the dictionary " + Quoted(dictionary) + *why);
    }
    engine.DictionaryReplaced();
    // The engine skips an additional dictionary it cannot load; a script is told instead.
    std::vector<std::filesystem::path> additional;
    for (const std::string& path : line.Values("also")) {
        ClassTable probe;
        if (const std::optional<std::string> why = ReadDictionary(path, probe)) {
            return Failure(io, "cannot read the additional dictionary " + Quoted(path) + *why);
        }
        additional.emplace_back(path);
    }

    engine.SetCurrentRow(-1);
    std::string result;
    const bool found = engine.Lookup(text, engine.SearchSubstring(), true, additional, notFound, result);
    // Nothing found in DICT alone leaves the result empty; the main window shows the not-found text then.
    io.out << (result.empty() ? notFound : result) << '\n';
    return found ? kExitSuccess : kExitNotFound;
}

} // namespace lexaro::cli
