#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// The recent list holds at most this many paths.
inline constexpr std::size_t kMaxRecentPaths = 15;

// Puts a path into the recent list, at the top or after the last path. An equal path already in the list
// is taken out first, and when the list is then full its last path goes. Whether the list is switched off
// and whether the file exists is for the caller to decide.
void AddRecentPath(std::vector<std::string>& list, std::string_view path, bool atTop);

// Only files the program opens belong in the recent list: dictionaries, separated text and training units, not
// the HTML pages it exports.
bool BelongsInRecentList(std::string_view path);

} // namespace lexaro
