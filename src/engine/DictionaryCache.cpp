#include "engine/DictionaryCache.h"

#include "table/ForeignDictionary.h"

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

std::vector<DictionaryCache::Stamp> DictionaryCache::StampsOf(const FileChoices& files) {
    std::vector<Stamp> stamps;
    for (const std::vector<std::filesystem::path>& group : files) {
        for (const std::filesystem::path& file : group) {
            stamps.push_back(StampOf(file));
            if (stamps.back().known) {
                break;
            }
        }
    }
    return stamps;
}

bool DictionaryCache::SameFiles(const std::vector<Stamp>& now, const std::vector<Stamp>& before) {
    if (now.empty() || now.size() != before.size() || !now[0].SameAs(before[0])) {
        return false;
    }
    for (std::size_t i = 1; i < now.size(); ++i) {
        if (now[i].known != before[i].known || (now[i].known && !now[i].SameAs(before[i]))) {
            return false;
        }
    }
    return true;
}

bool DictionaryCache::Unchanged(Entry& entry) {
    return (entry.watched && m_Watch.Untouched(entry.id)) || SameFiles(StampsOf(entry.files), entry.stamps);
}

ClassTable* DictionaryCache::Get(const std::filesystem::path& path) {
    const std::string& key = path.native();
    auto it = std::find_if(m_Entries.begin(), m_Entries.end(), [&](const Entry& entry) { return entry.path == key; });
    if (it != m_Entries.end()) {
        if (Unchanged(*it)) {
            return it->table.get();
        }
        m_Watch.Forget(it->id);
        m_Entries.erase(it);
    }
    FileChoices files = ForeignFileChoices(path);
    std::vector<std::filesystem::path> watched;
    for (const std::vector<std::filesystem::path>& group : files) {
        watched.insert(watched.end(), group.begin(), group.end());
    }
    // Watched first and stamped next, both before reading: a file that changes while it is read is reported, and
    // its newer stamp makes the next search read it again.
    const std::uint64_t id = ++m_LastId;
    const bool watching = m_Watch.Watch(id, watched);
    std::vector<Stamp> stamps = StampsOf(files);
    auto table = std::make_unique<ClassTable>();
    const bool read = ForeignFormOf(path) != ForeignForm::None ? ReadForeignDictionary(path, *table).complete
                                                               : table->LoadDocumentFile(path);
    if (!read) {
        m_Watch.Forget(id);
        return nullptr;
    }
    m_Entries.push_back(Entry{key, std::move(files), std::move(stamps), std::move(table), id, watching});
    return m_Entries.back().table.get();
}

void DictionaryCache::KeepOnly(const std::vector<std::filesystem::path>& paths) {
    for (auto it = m_Entries.begin(); it != m_Entries.end();) {
        const bool listed = std::any_of(paths.begin(), paths.end(),
                                        [&](const std::filesystem::path& path) { return path.native() == it->path; });
        if (listed) {
            ++it;
        } else {
            m_Watch.Forget(it->id);
            it = m_Entries.erase(it);
        }
    }
}

} // namespace lexaro
