#include "engine/FileWatch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace lexaro {

namespace {

// Changes of a watched file, or of the names in its folder.
constexpr std::uint32_t kFileFolderMask = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                          IN_MOVED_FROM | IN_MOVED_TO | IN_MOVE_SELF | IN_DELETE_SELF;
// A folder on the way only matters by its names and by itself: writes to its other files are not asked for.
constexpr std::uint32_t kWayMask =
    IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MOVE_SELF | IN_DELETE_SELF;

// File systems whose every change passes through this computer's kernel, where inotify misses nothing. Others (NFS,
// SMB, FUSE and the like) are examined file by file, as before.
bool ReportsEveryChange(const std::filesystem::path& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) {
        return false;
    }
    constexpr std::array<unsigned long, 17> kLocal = {
        0xEF53,     // ext2, ext3, ext4
        0x58465342, // xfs
        0x9123683E, // btrfs
        0x01021994, // tmpfs
        0x858458F6, // ramfs
        0x794C7630, // overlayfs
        0xF2F52010, // f2fs
        0x2FC12FC1, // zfs
        0xCA451A4E, // bcachefs
        0x4D44,     // vfat
        0x2011BAB0, // exfat
        0x5346544E, // ntfs
        0x7366746E, // ntfs3
        0x52654973, // reiserfs
        0x3153464A, // jfs
        0x9660,     // iso9660
        0x73717368, // squashfs
    };
    const auto type = static_cast<unsigned long>(info.f_type);
    return std::find(kLocal.begin(), kLocal.end(), type) != kLocal.end();
}

bool IsLink(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

FileWatch::FileWatch() : m_Fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FileWatch::~FileWatch() {
    if (m_Fd >= 0) {
        ::close(m_Fd);
    }
}

bool FileWatch::WatchFolder(const std::filesystem::path& folder, std::uint32_t mask, std::uint64_t owner,
                            const std::string& name) {
    if (!ReportsEveryChange(folder)) {
        return false;
    }
    const int wd = ::inotify_add_watch(m_Fd, folder.c_str(), mask | IN_MASK_ADD | IN_ONLYDIR | IN_DONT_FOLLOW);
    if (wd < 0) {
        return false;
    }
    m_Folders[wd].uses.push_back(Use{owner, name});
    return true;
}

bool FileWatch::Watch(std::uint64_t owner, const std::vector<std::filesystem::path>& files) {
    if (m_Fd < 0 || files.empty()) {
        return false;
    }
    bool watched = true;
    for (const std::filesystem::path& file : files) {
        if (!file.is_absolute() || !file.has_filename() || IsLink(file)) {
            watched = false;
            break;
        }
        // Each folder from the file's own up to the root: its entry on the way must stay what it is.
        std::filesystem::path folder = file.parent_path();
        std::string name = file.filename().string();
        watched = WatchFolder(folder, kFileFolderMask, owner, name);
        while (watched && folder.has_relative_path()) {
            const std::string step = folder.filename().string();
            if (step.empty() || step == "." || step == ".." || IsLink(folder)) {
                watched = false;
                break;
            }
            folder = folder.parent_path();
            watched = WatchFolder(folder, kWayMask, owner, step);
        }
        if (!watched) {
            break;
        }
    }
    if (!watched) {
        Forget(owner);
        return false;
    }
    m_Owners.insert(owner);
    return true;
}

void FileWatch::Forget(std::uint64_t owner) {
    for (auto it = m_Folders.begin(); it != m_Folders.end();) {
        std::erase_if(it->second.uses, [owner](const Use& use) { return use.owner == owner; });
        if (it->second.uses.empty()) {
            ::inotify_rm_watch(m_Fd, it->first);
            it = m_Folders.erase(it);
        } else {
            ++it;
        }
    }
    m_Owners.erase(owner);
    m_Touched.erase(owner);
}

bool FileWatch::Untouched(std::uint64_t owner) {
    if (m_Owners.count(owner) == 0) {
        return false;
    }
    Drain();
    return m_Touched.erase(owner) == 0;
}

void FileWatch::TouchAll() {
    m_Touched.insert(m_Owners.begin(), m_Owners.end());
}

void FileWatch::Drain() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(m_Fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            // Nothing waiting (EAGAIN); any other failure leaves nothing to trust.
            if (got == 0 || errno != EAGAIN) {
                TouchAll();
            }
            return;
        }
        for (ssize_t at = 0; at < got;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            const std::string_view name(buffer + at + sizeof event, ::strnlen(buffer + at + sizeof event, event.len));
            at += static_cast<ssize_t>(sizeof event + event.len);
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                TouchAll();
                continue;
            }
            const auto folder = m_Folders.find(event.wd);
            if (folder == m_Folders.end()) {
                continue;
            }
            // Without a name the folder itself changed: everyone using it is touched.
            for (const Use& use : folder->second.uses) {
                if (event.len == 0 || use.name == name) {
                    m_Touched.insert(use.owner);
                }
            }
        }
    }
}

} // namespace lexaro
