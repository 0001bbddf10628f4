#include "engine/DictionaryCache.h"

#include <algorithm>
#include <sys/stat.h>

namespace lexaro {

bool DictionaryCache::Stamp::SameAs(const Stamp& other) const {
    return known && other.known && size == other.size && seconds == other.seconds && nanoseconds == other.nanoseconds &&
           device == other.device && inode == other.inode;
}

DictionaryCache::Stamp DictionaryCache::StampOf(const std::filesystem::path& path) {
    Stamp stamp;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return stamp;
    }
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.seconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    stamp.nanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.known = true;
    return stamp;
}

ClassTable* DictionaryCache::Get(const std::filesystem::path& path) {
    // Taken before reading: a file that changes while it is read has a newer stamp by the next search.
    const Stamp stamp = StampOf(path);
    const std::string& key = path.native();
    auto it = std::find_if(m_Entries.begin(), m_Entries.end(), [&](const Entry& entry) { return entry.path == key; });
    if (it != m_Entries.end()) {
        if (stamp.SameAs(it->stamp)) {
            return it->table.get();
        }
        m_Entries.erase(it);
    }
    auto table = std::make_unique<ClassTable>();
    if (!table->LoadDocumentFile(path)) {
        return nullptr;
    }
    m_Entries.push_back(Entry{key, stamp, std::move(table)});
    return m_Entries.back().table.get();
}

void DictionaryCache::KeepOnly(const std::vector<std::filesystem::path>& paths) {
    std::erase_if(m_Entries, [&](const Entry& entry) {
        return std::none_of(paths.begin(), paths.end(),
                            [&](const std::filesystem::path& path) { return path.native() == entry.path; });
    });
}

} // namespace lexaro
