#include "app/FileFilter.h"

namespace lexaro {

namespace {

std::vector<std::u16string> Split(const std::u16string& text, char16_t separator) {
    std::vector<std::u16string> parts;
    std::u16string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
        if (end == std::u16string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// A filter entry whose pattern is missing ("Training unit(*.lxt)||") takes the one in its name.
std::u16string PatternsInName(const std::u16string& name) {
    const auto open = name.rfind(u'(');
    const auto close = name.rfind(u')');
    if (open == std::u16string::npos || close == std::u16string::npos || close < open) {
        return {};
    }
    return name.substr(open + 1, close - open - 1);
}

} // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::u16string& filter) {
    std::vector<FileFilterEntry> entries;
    const auto parts = Split(filter, u'|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) {
            break;
        }
        FileFilterEntry entry{parts[i], {}};
        for (auto& pattern : Split(parts[i + 1].empty() ? PatternsInName(parts[i]) : parts[i + 1], u';')) {
            if (!pattern.empty()) {
                entry.patterns.push_back(pattern);
            }
        }
        if (!entry.patterns.empty()) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

std::u16string FilterExtension(const FileFilterEntry& entry) {
    if (entry.patterns.empty()) {
        return {};
    }
    const std::u16string& pattern = entry.patterns.front();
    const auto dot = pattern.rfind(u'.');
    if (dot == std::u16string::npos || pattern.substr(dot + 1) == u"*") {
        return {};
    }
    return pattern.substr(dot + 1);
}

} // namespace lexaro
