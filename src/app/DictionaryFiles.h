#pragma once

#include "table/ClassTable.h"

#include <filesystem>
#include <string_view>

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
DictionaryRead ReadDictionaryFile(ClassTable& table, const std::filesystem::path& path, FileKind kind);

} // namespace lexaro
