#pragma once

#include "table/ClassTable.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace lexaro {

// Additional dictionaries kept in memory between searches, together with their row indexes. A dictionary is
// read again only when its file's size or modification time changed.
class DictionaryCache {
public:
    // The dictionary of the file; null when it cannot be read.
    ClassTable* Get(const std::filesystem::path& path);
    // Forgets every dictionary that is not in the list.
    void KeepOnly(const std::vector<std::filesystem::path>& paths);

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        bool known = false;
    };
    struct Entry {
        std::filesystem::path path;
        Stamp stamp;
        std::unique_ptr<ClassTable> table;
    };

    static Stamp StampOf(const std::filesystem::path& path);

    std::vector<Entry> m_Entries;
};

} // namespace lexaro
