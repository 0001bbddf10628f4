#pragma once

#include "table/ClassTable.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// Dictionaries kept in the forms of other dictionary programs: dictd (NAME.index with NAME.dict.dz or NAME.dict)
// and StarDict (NAME.ifo with NAME.idx or NAME.idx.gz, NAME.dict or NAME.dict.dz, and NAME.syn).
enum class ForeignForm { None, Dictd, StarDict };

// The form of a file, told by its name: a .index or .ifo file, or another file of a set whose .index or .ifo
// lies beside it.
ForeignForm ForeignFormOf(const std::filesystem::path& path);
// The file that stands for the whole set (its .index or .ifo); the path itself when it is none of a set.
std::filesystem::path ForeignMainFile(const std::filesystem::path& path);

// Every file that may belong to the set of a dictionary of either form, whether or not it exists; for any other
// file, the file alone.
std::vector<std::filesystem::path> ForeignSetFiles(const std::filesystem::path& path);

// The files a read of the dictionary depends on, in groups: of each group a read takes the first file that exists
// (.dict.dz before .dict, .idx before .idx.gz; the .syn is a group of its own, present or not). So whether the files
// changed is told by looking at each group up to its first file that exists. For any other file, the file alone.
std::vector<std::vector<std::filesystem::path>> ForeignFileChoices(const std::filesystem::path& path);

struct ForeignRead {
    bool complete = false;
    // Names the file and what is wrong with it, when the dictionary could not be read.
    std::string error;
    // StarDict entry parts that are no text (sounds, pictures) and were left out.
    int skipped = 0;
    // The dictionary's own name (bookname, 00-database-short); empty when it has none.
    std::string name;
};

// Reads a dictionary of either form into entries as rows of term, explanation (line breaks as CR LF) and an empty
// date. On failure entries is left empty: a dictionary is read whole or not at all. Entries gets no file name,
// since the files read are never written over.
ForeignRead ReadForeignDictionary(const std::filesystem::path& path, ClassTable& entries);

// The dictionary's own name, read from its .ifo or its index without reading the entries; empty when it has none
// or the files cannot be read.
std::string ForeignDictionaryName(const std::filesystem::path& path);

// Turns an explanation into the text written to the file (examples as lines of their own, for example).
using ExplanationText = std::function<std::string(std::string_view explanation)>;

// Writes the terms and explanations of entries as a dictionary set named by target (NAME.ifo or NAME.index; the
// other files go beside it), each file through a temporary file, renamed into place only when every file of the
// set has been written. False, with error naming the file and the system's reason, when anything fails; the old
// set then stays complete.
bool WriteForeignDictionary(ForeignForm form, const std::filesystem::path& target, ClassTable& entries,
                            std::string_view name, const ExplanationText& explanationText, std::string& error);

// A dictionary found on this computer.
struct InstalledDictionary {
    std::filesystem::path file; // its .index or .ifo
    std::string name;           // its own name, or the file name without extension
};

// The dictionaries in the given folders (not their subfolders' subfolders), sorted by name.
std::vector<InstalledDictionary> FindInstalledDictionaries(const std::vector<std::filesystem::path>& folders);

} // namespace lexaro
