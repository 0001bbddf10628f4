#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace lexaro {

// Tells whether files may have changed without examining each of them: the kernel reports every change in the
// folders they lie in (inotify), and one read of those reports answers for all the files watched. A watched file
// counts as touched when it is written, gets new attributes, or a name in its folder is made, removed or renamed
// that is its own; the same for each folder on its way, so that a folder renamed or put in place of another is
// noticed too. Whoever is told of a touch examines the files again; a touch is no proof of a change.
class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Starts watching files (absent ones too: their appearance is a touch) for an owner. False when they cannot be
    // watched reliably: no watch to be had, a relative path, a symbolic link on the way, or a file system that may
    // change without telling this computer (network and user-space file systems). The owner then examines its files
    // itself.
    bool Watch(std::uint64_t owner, const std::vector<std::filesystem::path>& files);
    void Forget(std::uint64_t owner);
    // True when nothing touched the owner's files since it was watched or last told of a touch.
    bool Untouched(std::uint64_t owner);

private:
    struct Use {
        std::uint64_t owner;
        std::string name; // the entry in the folder that matters to the owner
    };
    struct Folder {
        std::vector<Use> uses;
    };

    bool WatchFolder(const std::filesystem::path& folder, std::uint32_t mask, std::uint64_t owner,
                     const std::string& name);
    // Reads every report waiting and notes the owners touched.
    void Drain();
    void TouchAll();

    int m_Fd = -1;
    std::map<int, Folder> m_Folders;
    std::set<std::uint64_t> m_Owners;
    std::set<std::uint64_t> m_Touched;
};

} // namespace lexaro
