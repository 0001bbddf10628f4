#include "cli/CliDefaults.h"
#include "cli/Commands.h"
#include "cli/DictionaryInput.h"
#include "engine/PhraseTranslator.h"

#include <array>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 6> kOptions{{{"level", true},
                                                    {"swap", false},
                                                    {"origin", false},
                                                    {"linefeed", false},
                                                    {"candidates", false},
                                                    {"charset", true}}};

// Standard input without the line end that closes its last line, so that "echo TEXT |" translates TEXT as
// the argument would.
std::string ReadInputText(std::istream& in) {
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
    return text;
}

} // namespace

std::string_view TranslateCommand::Summary() const {
    return "translate a text word by word";
}

std::string_view TranslateCommand::Help() const {
    return "Usage: lexaro-cli translate DICT [TEXT] [options]\n"
           "\n"
           "Translates TEXT word by word with the dictionary DICT, as the translator window does:\n"
           "each word found as a term is replaced by its explanation, other words stay as they are.\n"
           "Without TEXT the text is read from standard input (without the line end of its last\n"
           "line). Writes the translation, then one LF.\n"
           "\n"
           "Options:\n"
           "  --level N      how loosely words match (default 3):\n"
           "                 0 match case, 1 ignore case, 2 substring word, 3 subword, 4 substring\n"
           "  --swap         look words up in the explanations and put in the terms\n"
           "  --origin       follow each translated word by the source word in brackets\n"
           "  --linefeed     put a line break (CR LF) after every word, no blanks or punctuation\n"
           "  --candidates   follow each translation by further candidates in braces\n"
           "  --charset N    code page of DICT (default 65001, UTF-8)\n"
           "  -h, --help     show this help\n"
           "\n"
           "Exit status: 0 success, 2 usage error or unreadable input.\n";
}

std::span<const OptionDefinition> TranslateCommand::Options() const {
    return kOptions;
}

int TranslateCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::filesystem::path dictionary = line.Positionals()[0];
    int level = kDefaultTranslationLevel;
    if (const std::optional<std::string> given = line.Value("level")) {
        const std::optional<int> number = ParseNumber(*given, 0, kHighestTranslationLevel);
        if (!number) {
            return UsageError(io, "--level takes a number from 0 to " + std::to_string(kHighestTranslationLevel));
        }
        level = *number;
    }
    std::string error;
    const std::optional<int> charset = CharsetOption(line, error);
    if (!charset) {
        return UsageError(io, error);
    }

    ClassTable table;
    table.SetCharset(*charset);
    if (const std::optional<std::string> why = ReadDictionary(dictionary, table)) {
        return Failure(io, "cannot read the dictionary " + Quoted(dictionary) + *why);
    }
    const std::string text = line.Positionals().size() > 1 ? line.Positionals()[1] : ReadInputText(io.in);

    PhraseTranslator translator(table);
    translator.SetText(text);
    translator.SetLevel(level);
    translator.SetSwapColumns(line.Has("swap"));
    translator.SetShowOriginWords(line.Has("origin"));
    translator.SetLineFeedAfterWord(line.Has("linefeed"));
    translator.SetShowPossibleTranslations(line.Has("candidates"));
    io.out << translator.TranslateAll() << '\n';
    return kExitSuccess;
}

} // namespace lexaro::cli
