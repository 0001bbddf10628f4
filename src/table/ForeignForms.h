#pragma once

// Pieces shared by the dictd and StarDict readers and writers. Not part of the table's interface.

#include "table/ClassTable.h"
#include "table/Dictzip.h"
#include "table/ForeignDictionary.h"
#include "table/SafeFile.h"
#include "table/TextBlock.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro::foreign {

// How many bytes of text the entries of a dictionary may take together: a sound one refers to each part of its
// data once or a few times (a headword with several spellings); a hostile one could make the reader copy its
// data over and over.
inline std::uint64_t TextBudget(std::uint64_t dataSize) {
    return dataSize * 8 + (std::uint64_t{1} << 20);
}

// "'file': what", the form every error of these readers and writers takes.
std::string FileError(const std::filesystem::path& file, std::string_view what);

// Where the term and the explanation of an entry lie in the text block a reader filled.
struct PlacedEntry {
    std::uint64_t term = 0;
    std::uint64_t explanation = 0;
    std::uint32_t termLength = 0;
    std::uint32_t explanationLength = 0;
};

// Makes the entries one row each of the block's texts, which the table keeps; an error naming file when the
// table is busy. The block is empty afterwards.
std::string AdoptPlacedEntries(TextBlock& block, const std::vector<PlacedEntry>& placed, ClassTable& entries,
                               const std::filesystem::path& file);

// The path with its name's extension replaced ("words.ifo" with ".idx" gives "words.idx").
std::filesystem::path Sibling(const std::filesystem::path& path, std::string_view extension);

// Reads a whole file; error names it and the system's reason.
bool ReadWhole(const std::filesystem::path& path, std::string& bytes, std::string& error);

// The data file of a set: NAME.dict.dz, or NAME.dict when there is no .dict.dz. file is the one that was opened.
std::optional<DictData> OpenDictData(const std::filesystem::path& main, std::filesystem::path& file,
                                     std::string& error);

// One entry as a reader finds it, before its text is read.
struct Located {
    std::string_view term;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

// Writes the files of a set safely, all or none. False, with error naming the file that failed and the system's
// reason (errno keeps it), when one cannot be written.
bool WriteSet(const std::vector<FileInSet>& files, std::string& error);

ForeignRead ReadDictd(const std::filesystem::path& index, ClassTable& entries);
ForeignRead ReadStarDict(const std::filesystem::path& ifo, ClassTable& entries);
std::string DictdName(const std::filesystem::path& index);
std::string StarDictName(const std::filesystem::path& ifo);
bool WriteDictd(const std::filesystem::path& index, ClassTable& entries, std::string_view name,
                const ExplanationText& explanationText, std::string& error);
bool WriteStarDict(const std::filesystem::path& ifo, ClassTable& entries, std::string_view name,
                   const ExplanationText& explanationText, std::string& error);

} // namespace lexaro::foreign
