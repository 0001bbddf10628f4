#pragma once

#include "cli/CliCommand.h"
#include "table/ClassTable.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lexaro::cli {

// How a table file is read: as a dictionary document (with the older XML form as fallback), as separated text,
// or as a dictd or StarDict dictionary.
enum class TableForm { Document, SeparatedText, Foreign };

// Separated text for a ".csv" file (any letter case), a dictd or StarDict dictionary for the files of one, a
// dictionary document for everything else.
TableForm InputFormOf(const std::filesystem::path& path);

// The file's extension in lower case ASCII, with its point; empty when it has none.
std::string LowerExtension(const std::filesystem::path& path);

// The code page of "--charset", or the program's default code page without it. Nothing (and a message in
// error) for a number that is no code page this system converts.
std::optional<int> CharsetOption(const CommandLine& line, std::string& error);

// Loads a table file for a command that writes what it read, back into the file or elsewhere. Beyond the
// engine's own load, every byte has to have been taken in: a NUL byte (which ends what the readers see), a
// document that announces another number of rows than it gives, or rows and cells the reader skipped make
// the load fail. Empty when the table holds the whole file; otherwise why it does not.
std::string LoadCompletely(const std::filesystem::path& path, TableForm form, ClassTable& table);

// Reads a dictionary for a command that only reads it: a dictionary document, or a dictd or StarDict dictionary.
// Empty when it was read; otherwise what a message adds after the path (": " and the reason, or nothing).
std::optional<std::string> ReadDictionary(const std::filesystem::path& path, ClassTable& table);

// A path as a message shows it: "'words.lxd'".
std::string Quoted(const std::filesystem::path& path);

} // namespace lexaro::cli
