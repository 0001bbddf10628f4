#include "table/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace lexaro {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// New files get the usual 0666 minus the umask; a replaced file keeps its permissions.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// After a rename the folder entry is flushed too, so that a crash cannot bring back the old file or lose
// both. A folder that cannot be flushed does not undo a write that has already succeeded.
void FlushFolderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A target reached through symbolic links (a dotfile kept elsewhere, a synced folder) is replaced where the
// last link points, so that the links stay links. A link's text counts from the link's own folder. A link
// that leads nowhere, or round in circles, is an error: writing there would put the file where nobody looks.
bool FollowLinks(const std::filesystem::path& target, std::filesystem::path& followed) {
    constexpr int kMostHops = 40;
    followed = target;
    for (int hop = 0; hop <= kMostHops; ++hop) {
        struct stat info {};
        if (::lstat(followed.c_str(), &info) != 0) {
            // A new file is written where it was asked for; after a link, errno tells what is missing.
            return hop == 0;
        }
        if (!S_ISLNK(info.st_mode)) {
            return true;
        }
        std::error_code error;
        const std::filesystem::path text = std::filesystem::read_symlink(followed, error);
        if (error) {
            errno = error.value();
            return false;
        }
        followed = text.is_absolute() ? text : followed.parent_path() / text;
    }
    errno = ELOOP;
    return false;
}

// A temporary file beside its target, written, flushed and closed, waiting to be renamed over the target.
struct Prepared {
    std::string temporary;
    std::filesystem::path target;
};

bool Prepare(const std::filesystem::path& asked, const std::function<bool(const PieceWriter&)>& produce, mode_t mode,
             Prepared& prepared) {
    std::filesystem::path target;
    if (asked.empty() || !asked.has_filename()) {
        errno = EINVAL;
        return false;
    }
    if (!FollowLinks(asked, target)) {
        return false;
    }
    if (!target.has_filename()) {
        errno = EINVAL;
        return false;
    }
    std::string pattern = target.string() + ".tmp-XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // The first step that fails gives the reason; removing the temporary file must not overwrite it.
    int reason = 0;
    const auto step = [&reason](bool done) {
        if (!done && reason == 0) {
            reason = errno;
        }
        return done;
    };
    bool ok = false;
    try {
        ok = produce([&](std::string_view piece) { return step(WriteAll(fd, piece)); });
    } catch (const std::bad_alloc&) {
        // Making the bytes failed: a failed write like any other, which leaves neither the temporary file nor
        // its handle behind.
        reason = ENOMEM;
    } catch (const std::exception&) {
        ok = false;
    }
    ok = ok && step(::fchmod(fd, mode) == 0);
    ok = ok && step(::fsync(fd) == 0);
    ok = step(::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(pattern.c_str());
        errno = reason;
        return false;
    }
    prepared = Prepared{std::move(pattern), std::move(target)};
    return true;
}

bool Commit(const Prepared& prepared) {
    if (std::rename(prepared.temporary.c_str(), prepared.target.c_str()) != 0) {
        const int reason = errno;
        ::unlink(prepared.temporary.c_str());
        errno = reason;
        return false;
    }
    FlushFolderOf(prepared.target);
    return true;
}

bool WriteWithMode(const std::filesystem::path& asked, const std::function<bool(const PieceWriter&)>& produce,
                   mode_t mode) {
    Prepared prepared;
    return Prepare(asked, produce, mode, prepared) && Commit(prepared);
}

} // namespace

bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes) {
    return WriteWithMode(
        target, [bytes](const PieceWriter& write) { return write(bytes); }, ModeFor(target));
}

bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes, std::filesystem::perms mode) {
    return WriteFileSafely(
        target, [bytes](const PieceWriter& write) { return write(bytes); }, mode);
}

bool WriteFileSafely(const std::filesystem::path& target, const std::function<bool(const PieceWriter&)>& produce,
                     std::filesystem::perms mode) {
    return WriteWithMode(target, produce, static_cast<mode_t>(mode & std::filesystem::perms::mask));
}

bool WriteFileSafely(const std::filesystem::path& target, const std::function<bool(const PieceWriter&)>& produce) {
    return WriteWithMode(target, produce, ModeFor(target));
}

bool WriteFilesSafely(const std::vector<FileInSet>& files, std::size_t& failed) {
    std::vector<Prepared> prepared(files.size());
    for (failed = 0; failed < files.size(); ++failed) {
        if (!Prepare(files[failed].target, files[failed].produce, ModeFor(files[failed].target), prepared[failed])) {
            const int reason = errno;
            for (std::size_t i = 0; i < failed; ++i) {
                ::unlink(prepared[i].temporary.c_str());
            }
            errno = reason;
            return false;
        }
    }
    for (failed = 0; failed < files.size(); ++failed) {
        if (!Commit(prepared[failed])) {
            const int reason = errno;
            for (std::size_t i = failed + 1; i < files.size(); ++i) {
                ::unlink(prepared[i].temporary.c_str());
            }
            errno = reason;
            return false;
        }
    }
    return true;
}

std::string SystemReason(int error) {
    return error == 0 ? std::string() : std::generic_category().message(error);
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    out = std::move(bytes);
    return true;
}

} // namespace lexaro
