#pragma once

#include "engine/FileWatch.h"
#include "table/ClassTable.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lexaro {

// Additional dictionaries kept in memory between searches, together with their row indexes. A dictionary is
// read again only when its file changed: another size, modification time or file (a save that replaced it). Where
// the files can be watched, they are examined only after the watch reports a touch: a look-up then costs one read of
// the reports for all dictionaries instead of a stat per file.
class DictionaryCache {
public:
    // The dictionary of the file; null when it cannot be read.
    ClassTable* Get(const std::filesystem::path& path);
    // Forgets every dictionary that is not in the list.
    void KeepOnly(const std::vector<std::filesystem::path>& paths);

private:
    struct Stamp {
        std::uint64_t size = 0;
        std::int64_t seconds = 0;
        std::int64_t nanoseconds = 0;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool known = false;

        bool SameAs(const Stamp& other) const;
    };
    using FileChoices = std::vector<std::vector<std::filesystem::path>>;
    struct Entry {
        std::string path;
        FileChoices files; // the files it is read from, as ForeignFileChoices gives them
        std::vector<Stamp> stamps;
        std::unique_ptr<ClassTable> table;
        std::uint64_t id = 0;
        bool watched = false;
    };

    // One stat of the file; unknown when it cannot be examined.
    static Stamp StampOf(const std::filesystem::path& path);
    // The stamps of the dictionary's files: of each group, the files up to the first one that exists. So a look-up
    // examines only the files the dictionary was read from, and those that would be read instead should they
    // appear.
    static std::vector<Stamp> StampsOf(const FileChoices& files);
    // The dictionary is unchanged: its first file is known and the same, every other file as absent or the same.
    static bool SameFiles(const std::vector<Stamp>& now, const std::vector<Stamp>& before);

    // Whether the dictionary's files are as they were when it was read.
    bool Unchanged(Entry& entry);

    std::vector<Entry> m_Entries;
    FileWatch m_Watch;
    std::uint64_t m_LastId = 0;
};

} // namespace lexaro
