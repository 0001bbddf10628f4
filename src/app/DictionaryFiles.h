#pragma once

#include "app/Environment.h"
#include "table/ClassTable.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// The kinds of file the program opens, told by the extension (any letter case).
// Foreign: a dictd or StarDict dictionary, read as a new dictionary without a file of its own.
enum class FileKind { Dictionary, SeparatedText, TrainingUnit, Foreign, Other };
FileKind KindOfFile(std::string_view path);

// What reading a file as a dictionary gave.
enum class DictionaryRead {
    Complete,      // a dictionary, read whole; one without entries too
    Partial,       // a damaged dictionary: the rows before the damage were read
    NotADictionary // nothing in the file is a dictionary; the table is empty
};

// Reads a dictionary document or separated text (by kind) into table, which keeps its code page and separator.
// A document is a dictionary when it carries the row and column counts of one of the two document forms and
// reads up to its first row; separated text when it holds a cell with text, which takes a separator.
// A dictd or StarDict dictionary (kind Foreign) is read whole or not at all; why then tells what is wrong with which
// of its files.
DictionaryRead ReadDictionaryFile(ClassTable& table, const std::filesystem::path& path, FileKind kind,
                                  std::string* why = nullptr);

// The folders where the dictionary packages of the system and the user's own dictd and StarDict dictionaries
// are kept: /usr/share/dictd, /usr/share/stardict/dic, ~/.stardict/dic and $XDG_DATA_HOME/stardict/dic (by
// default ~/.local/share/stardict/dic).
std::vector<std::filesystem::path> ForeignDictionaryFolders(const Environment& environment);

} // namespace lexaro
