#include "cli/CliDefaults.h"
#include "cli/Commands.h"
#include "cli/DictionaryInput.h"
#include "engine/EntryStore.h"
#include "table/TextEncoding.h"

#include <array>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace lexaro::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::array<OptionDefinition, 4> kAddOptions{
    {{"no-unique", false}, {"auto-add", false}, {"auto-add-separator", true}, {"charset", true}}};
constexpr std::array<OptionDefinition, 2> kDeleteOptions{{{"all", false}, {"charset", true}}};

// A dictionary file about to be changed: where it is written, and whether there is one yet.
struct EditTarget {
    fs::path file;
    bool exists = false;
    std::string problem;
};

// A link is followed, so that the change reaches the file it names instead of replacing the link.
EditTarget FindTarget(const fs::path& path) {
    EditTarget target;
    target.file = path;
    std::error_code error;
    const fs::file_status link = fs::symlink_status(path, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        target.problem = "it cannot be read";
        return target;
    }
    if (!fs::exists(link)) {
        return target;
    }
    if (fs::is_symlink(link)) {
        target.file = fs::canonical(path, error);
        if (error) {
            target.problem = "the link leads to no file";
            return target;
        }
    }
    target.exists = true;
    if (!fs::is_regular_file(target.file, error)) {
        target.problem = "it is no file";
    }
    return target;
}

// Reads the dictionary that is to be changed. A missing or empty file holds nothing to keep and counts as an
// empty dictionary. Empty when the engine holds all of it; otherwise why it must not be written.
std::string LoadForChange(const EditTarget& target, EntryStore& engine) {
    std::error_code error;
    if (!target.exists || (fs::file_size(target.file, error) == 0 && !error)) {
        return {};
    }
    std::string problem = LoadCompletely(target.file, TableForm::Document, engine.Entries());
    if (!problem.empty()) {
        return problem;
    }
    // Cells were read in the code page in use; written back they would mix two code pages in one file.
    const int fileCharset = engine.Entries().FileCharset();
    if (fileCharset > 0 && fileCharset != engine.Entries().Charset() && IsCodePageSupported(fileCharset)) {
        return "it is written in code page " + std::to_string(fileCharset) + "; give --charset " +
               std::to_string(fileCharset);
    }
    engine.DictionaryReplaced();
    return {};
}

} // namespace

std::string_view AddCommand::Summary() const {
    return "add an entry to a dictionary file";
}

std::string_view AddCommand::Help() const {
    return "Usage: lexaro-cli add DICT TERM EXPLANATION [options]\n"
           "\n"
           "Adds the entry TERM with EXPLANATION to the dictionary file DICT, by the main window's\n"
           "rules: with unique terms an entry whose term equals TERM (ignoring the case of A-Z)\n"
           "gets the new term, explanation and date; with --auto-add the new explanation is\n"
           "appended to it instead. A missing DICT is created. A DICT that cannot be read\n"
           "completely is left as it is. The file is replaced in one step.\n"
           "\n"
           "Options:\n"
           "  --no-unique                allow several entries with the same term\n"
           "  --auto-add                 append the explanation to an existing entry\n"
           "  --auto-add-separator S     put between the two explanations (default \", \")\n"
           "  --charset N                code page of DICT (default 65001, UTF-8)\n"
           "  -h, --help                 show this help\n"
           "\n"
           "Exit status: 0 success, 2 usage error, unreadable DICT or DICT not written.\n";
}

std::span<const OptionDefinition> AddCommand::Options() const {
    return kAddOptions;
}

int AddCommand::Execute(const CommandLine& line, CliStreams& io) {
    const fs::path dictionary = line.Positionals()[0];
    const std::string& term = line.Positionals()[1];
    const std::string& explanation = line.Positionals()[2];
    if (term.empty() || explanation.empty()) {
        return UsageError(io, "TERM and EXPLANATION must not be empty");
    }
    std::string error;
    const std::optional<int> charset = CharsetOption(line, error);
    if (!charset) {
        return UsageError(io, error);
    }
    EntryStore engine;
    ApplyDefaultSettings(engine);
    engine.Entries().SetCharset(*charset);
    engine.SetNoMultiTerms(!line.Has("no-unique"));
    engine.SetDoAutoAdd(line.Has("auto-add"));
    if (const std::optional<std::string> separator = line.Value("auto-add-separator")) {
        engine.SetSeparator(*separator);
    }

    const EditTarget target = FindTarget(dictionary);
    const std::string problem = target.problem.empty() ? LoadForChange(target, engine) : target.problem;
    if (!problem.empty()) {
        return Failure(io, "cannot read " + Quoted(dictionary) + ": " + problem + "; it was not changed");
    }
    const int logged = engine.UndoLog().RowCount();
    if (engine.StoreEntry(term, explanation) < 0) {
        return Failure(io, "cannot add the entry; " + Quoted(dictionary) + " was not changed");
    }
    // Merging an explanation that is stored already changes nothing.
    if (engine.UndoLog().RowCount() == logged) {
        return kExitSuccess;
    }
    if (!engine.Entries().SaveDocumentFile(target.file)) {
        return Failure(io, "cannot write " + Quoted(dictionary) + (target.exists ? "; it was not changed" : ""));
    }
    return kExitSuccess;
}

std::string_view DeleteCommand::Summary() const {
    return "delete an entry from a dictionary file";
}

std::string_view DeleteCommand::Help() const {
    return "Usage: lexaro-cli delete DICT TERM [options]\n"
           "\n"
           "Deletes the first entry whose term equals TERM (ignoring the case of A-Z) from the\n"
           "dictionary file DICT. A DICT that cannot be read completely is left as it is. The\n"
           "file is replaced in one step, and not written at all when no entry has the term.\n"
           "\n"
           "Options:\n"
           "  --all          delete every entry with the term\n"
           "  --charset N    code page of DICT (default 65001, UTF-8)\n"
           "  -h, --help     show this help\n"
           "\n"
           "Exit status: 0 deleted, 1 no entry has the term, 2 usage error, unreadable DICT or\n"
           "DICT not written.\n";
}

std::span<const OptionDefinition> DeleteCommand::Options() const {
    return kDeleteOptions;
}

int DeleteCommand::Execute(const CommandLine& line, CliStreams& io) {
    const fs::path dictionary = line.Positionals()[0];
    const std::string& term = line.Positionals()[1];
    if (term.empty()) {
        return UsageError(io, "TERM must not be empty");
    }
    std::string error;
    const std::optional<int> charset = CharsetOption(line, error);
    if (!charset) {
        return UsageError(io, error);
    }
    EntryStore engine;
    ApplyDefaultSettings(engine);
    engine.Entries().SetCharset(*charset);
    engine.SetMultiDelete(line.Has("all"));

    const EditTarget target = FindTarget(dictionary);
    std::string problem = target.problem;
    if (problem.empty() && !target.exists) {
        problem = "there is no such file";
    }
    if (problem.empty()) {
        problem = LoadForChange(target, engine);
    }
    if (!problem.empty()) {
        return Failure(io, "cannot read " + Quoted(dictionary) + ": " + problem + "; it was not changed");
    }
    const int before = engine.Entries().RowCount();
    engine.DeleteEntries(term);
    if (engine.Entries().RowCount() == before) {
        io.err << "lexaro-cli delete: no entry '" << term << "' in " << Quoted(dictionary) << '\n';
        return kExitNotFound;
    }
    if (!engine.Entries().SaveDocumentFile(target.file)) {
        return Failure(io, "cannot write " + Quoted(dictionary) + "; it was not changed");
    }
    return kExitSuccess;
}

} // namespace lexaro::cli
