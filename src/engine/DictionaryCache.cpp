#include "engine/DictionaryCache.h"

#include <algorithm>
#include <system_error>

namespace lexaro {

DictionaryCache::Stamp DictionaryCache::StampOf(const std::filesystem::path& path) {
    Stamp stamp;
    std::error_code error;
    stamp.size = std::filesystem::file_size(path, error);
    if (error) {
        return stamp;
    }
    stamp.time = std::filesystem::last_write_time(path, error);
    stamp.known = !error;
    return stamp;
}

ClassTable* DictionaryCache::Get(const std::filesystem::path& path) {
    // Taken before reading: a file that changes while it is read has a newer time by the next search.
    const Stamp stamp = StampOf(path);
    auto it = std::find_if(m_Entries.begin(), m_Entries.end(), [&](const Entry& entry) { return entry.path == path; });
    if (it != m_Entries.end()) {
        if (stamp.known && it->stamp.known && stamp.size == it->stamp.size && stamp.time == it->stamp.time) {
            return it->table.get();
        }
        m_Entries.erase(it);
    }
    auto table = std::make_unique<ClassTable>();
    if (!table->LoadDocumentFile(path)) {
        return nullptr;
    }
    m_Entries.push_back(Entry{path, stamp, std::move(table)});
    return m_Entries.back().table.get();
}

void DictionaryCache::KeepOnly(const std::vector<std::filesystem::path>& paths) {
    std::erase_if(m_Entries,
                  [&](const Entry& entry) { return std::find(paths.begin(), paths.end(), entry.path) == paths.end(); });
}

} // namespace lexaro
