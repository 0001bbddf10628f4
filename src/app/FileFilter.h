#pragma once

#include <string>
#include <vector>

namespace lexaro {

// One entry of a "Name(*.ext)|*.ext|...||" filter.
struct FileFilterEntry {
    std::u16string name;
    std::vector<std::u16string> patterns;
};

// Splits a filter; pairs without a pattern are dropped, several patterns may be separated by ";".
std::vector<FileFilterEntry> ParseFileFilter(const std::u16string& filter);

// The extension of the first pattern of an entry ("*.lxd" gives "lxd"), empty for "*" or "*.*".
std::u16string FilterExtension(const FileFilterEntry& entry);

} // namespace lexaro
