#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// Writes bytes to a temporary file beside the target, flushes it to disk and renames it over the target.
// On any failure the result is false, the temporary file is removed and the old target is untouched; errno then
// holds the system's reason (0 when the bytes themselves could not be made). A target that is a symbolic link
// stays one: the file it leads to is replaced, in that file's folder, and a link leading nowhere is a failure.
bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes);
// The same, but the new file gets the permission bits mode whether or not the target existed (a program
// copy that must stay executable, for example).
bool WriteFileSafely(const std::filesystem::path& target, std::string_view bytes, std::filesystem::perms mode);

// Receives one piece of a file's bytes; false once writing has failed.
using PieceWriter = std::function<bool(std::string_view piece)>;
// The same for bytes made piece by piece, so that a large file is never held whole: produce hands every piece
// to the writer and returns false to give up (when the writer failed, or when it cannot make the bytes). A
// produce that throws a standard exception counts as giving up.
bool WriteFileSafely(const std::filesystem::path& target, const std::function<bool(const PieceWriter&)>& produce);
// Pieces written with the permission bits mode.
bool WriteFileSafely(const std::filesystem::path& target, const std::function<bool(const PieceWriter&)>& produce,
                     std::filesystem::perms mode);

// One file of a set that is replaced together.
struct FileInSet {
    std::filesystem::path target;
    std::function<bool(const PieceWriter&)> produce;
};
// Writes every file of the set as WriteFileSafely does, but renames them into place only once all of them have
// been written and flushed, so that a failure to make or write any of them leaves every old file as it was. On
// failure failed is the index of the file that failed, and errno holds the reason.
bool WriteFilesSafely(const std::vector<FileInSet>& files, std::size_t& failed);

// The system's text for an errno value ("Permission denied"), empty for 0.
std::string SystemReason(int error);

// Reads a whole file. False when it cannot be opened or read; out is then empty.
bool ReadFileBytes(const std::filesystem::path& path, std::string& out);

} // namespace lexaro
