#include "app/EntryListTools.h"
#include "cli/CliDefaults.h"
#include "cli/Commands.h"
#include "cli/DictionaryInput.h"
#include "engine/EntryStore.h"
#include "table/ForeignDictionary.h"
#include "table/SafeFile.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <ostream>

namespace lexaro::cli {

namespace {

constexpr std::array<OptionDefinition, 3> kOptions{{{"separator", true}, {"charset", true}, {"plain", false}}};

enum class OutputForm { Document, SeparatedText, PlainText, Html, StarDict, Dictd, Unknown };

OutputForm OutputFormOf(const std::filesystem::path& path, bool plain) {
    const std::string extension = LowerExtension(path);
    if (extension == ".csv") {
        return plain ? OutputForm::PlainText : OutputForm::SeparatedText;
    }
    if (plain) {
        return OutputForm::Unknown;
    }
    if (extension == ".lxd") {
        return OutputForm::Document;
    }
    if (extension == ".htm" || extension == ".html") {
        return OutputForm::Html;
    }
    if (extension == ".ifo") {
        return OutputForm::StarDict;
    }
    if (extension == ".index") {
        return OutputForm::Dictd;
    }
    return OutputForm::Unknown;
}

// The name a dictionary written for other programs carries: the one IN has, or IN's file name.
std::string DictionaryName(const std::filesystem::path& input) {
    const std::string own = ForeignDictionaryName(input);
    return own.empty() ? input.stem().string() : own;
}

} // namespace

std::string_view ConvertCommand::Summary() const {
    return "convert between dictionary, separated text, HTML, dictd and StarDict";
}

std::string_view ConvertCommand::Help() const {
    return "Usage: lexaro-cli convert IN OUT [options]\n"
           "\n"
           "Reads IN, separated text when its name ends in .csv, a dictd dictionary when it\n"
           "ends in .index, a StarDict dictionary when it ends in .ifo, and a dictionary (also\n"
           "in the older XML form) otherwise, and writes OUT in the form its name asks for:\n"
           ".lxd a dictionary, .csv separated text, .htm or .html an HTML table, .index a\n"
           "dictd dictionary (with OUT's .dict.dz beside it), .ifo a StarDict dictionary\n"
           "(with its .idx and .dict.dz). IN has to be read completely, or nothing is\n"
           "written. OUT is replaced in one step, the files of a dictd or StarDict\n"
           "dictionary together: a failed write leaves an existing OUT as it was. Separated\n"
           "text has no quoting: entries that hold the separator are written as they are,\n"
           "with a warning on standard error.\n"
           "\n"
           "Options:\n"
           "  --separator S   separator of separated text, read and written (default \";\")\n"
           "  --charset N     code page of IN and OUT (default 65001, UTF-8)\n"
           "  --plain         write separated text without the additional parts of the\n"
           "                  explanations (OUT has to end in .csv; written in UTF-8)\n"
           "  -h, --help      show this help\n"
           "\n"
           "Exit status: 0 success, 2 usage error, unreadable IN or OUT not written.\n";
}

std::span<const OptionDefinition> ConvertCommand::Options() const {
    return kOptions;
}

int ConvertCommand::Execute(const CommandLine& line, CliStreams& io) {
    const std::filesystem::path input = line.Positionals()[0];
    const std::filesystem::path output = line.Positionals()[1];
    const bool plain = line.Has("plain");
    const OutputForm form = OutputFormOf(output, plain);
    if (form == OutputForm::Unknown) {
        return UsageError(io, plain ? "--plain writes separated text: OUT has to end in .csv"
                                    : "OUT has to end in .lxd, .csv, .htm, .html, .index or .ifo");
    }
    const std::string separator = line.Value("separator").value_or(DefaultSeparator());
    if (separator.empty()) {
        return UsageError(io, "the separator must not be empty");
    }
    std::string error;
    const std::optional<int> charset = CharsetOption(line, error);
    if (!charset) {
        return UsageError(io, error);
    }

    EntryStore store;
    ClassTable& table = store.Entries();
    table.SetCharset(*charset);
    table.SetSeparator(separator);
    const std::string problem = LoadCompletely(input, InputFormOf(input), table);
    if (!problem.empty()) {
        return Failure(io, "cannot read " + Quoted(input) + ": " + problem + "; nothing was written");
    }

    bool written = false;
    std::string writeError;
    errno = 0;
    switch (form) {
    case OutputForm::Document:
        written = table.SaveDocumentFile(output);
        break;
    case OutputForm::SeparatedText:
        written = table.SaveSeparatedText(output);
        break;
    case OutputForm::PlainText:
        written = store.ExportPlainText(output);
        break;
    case OutputForm::Html:
        written = table.SaveHtml(output);
        break;
    case OutputForm::StarDict:
    case OutputForm::Dictd:
        written = WriteForeignDictionary(form == OutputForm::Dictd ? ForeignForm::Dictd : ForeignForm::StarDict, output,
                                         table, DictionaryName(input), &EntryStore::ExplanationLines, writeError);
        break;
    case OutputForm::Unknown:
        break;
    }
    if (!written && !writeError.empty()) {
        return Failure(io, "cannot write " + Quoted(output) + ": " + writeError);
    }
    if (!written) {
        const std::string reason = SystemReason(errno);
        return Failure(io, "cannot write " + Quoted(output) + (reason.empty() ? "" : ": " + reason));
    }
    if (form == OutputForm::SeparatedText || form == OutputForm::PlainText) {
        const int holding =
            CountRowsHoldingSeparator(table, {}, table.ColumnCount(), separator, form == OutputForm::PlainText);
        if (holding > 0) {
            io.err << "lexaro-cli convert: warning: " << holding << (holding == 1 ? " entry holds" : " entries hold")
                   << " the separator '" << separator
                   << "'; separated text has no quoting, so it does not read back as it was written\n";
        }
    }
    return kExitSuccess;
}

} // namespace lexaro::cli
