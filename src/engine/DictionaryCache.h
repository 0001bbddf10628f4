#pragma once

#include "table/ClassTable.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lexaro {

// Additional dictionaries kept in memory between searches, together with their row indexes. A dictionary is
// read again only when its file changed: another size, modification time or file (a save that replaced it).
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
    struct Entry {
        std::string path;
        std::vector<Stamp> stamps; // of every file the dictionary is read from
        std::unique_ptr<ClassTable> table;
    };

    // One stat of the file; unknown when it cannot be examined.
    static Stamp StampOf(const std::filesystem::path& path);
    // The stamps of the dictionary's files: the file itself, or every file of a dictd or StarDict set.
    static std::vector<Stamp> StampsOf(const std::filesystem::path& path);
    // The dictionary is unchanged: its first file is known and the same, every other file as absent or the same.
    static bool SameFiles(const std::vector<Stamp>& now, const std::vector<Stamp>& before);

    std::vector<Entry> m_Entries;
};

} // namespace lexaro
