#include "app/RecentList.h"

#include "app/DictionaryFiles.h"

#include <algorithm>

namespace lexaro {

void AddRecentPath(std::vector<std::string>& list, std::string_view path, bool atTop) {
    const auto same = std::find(list.begin(), list.end(), path);
    if (same != list.end()) {
        list.erase(same);
    }
    if (list.size() >= kMaxRecentPaths) {
        list.pop_back();
    }
    list.emplace(atTop ? list.begin() : list.end(), path);
}

bool BelongsInRecentList(std::string_view path) {
    return KindOfFile(path) != FileKind::Other;
}

} // namespace lexaro
