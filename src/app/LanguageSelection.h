#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexaro {

class InitFileDocument;

// The name of the built-in texts in the language list.
inline constexpr std::string_view kBuiltInLanguageName = "English";

// One language of "Languages.ini": its display name and its file (program folder plus the listed file).
struct LanguageItem {
    std::string name;
    std::filesystem::path file; // empty for the built-in texts
};

// The LanguageName / LanguageFile pairs of a "Languages.ini" document, in file order.
std::vector<std::pair<std::string, std::string>> ReadLanguagePairs(InitFileDocument& languages);

// A listed language file in the program folder; "\" in the listed name separates folders too.
std::filesystem::path LanguageFilePath(const std::filesystem::path& programFolder, std::string_view listed);

// The language to use for a name (empty: the list's LanguageDefault). The file is empty when the list is
// missing or no language has that name; the built-in texts apply then. When several pairs carry the
// name, the last one wins.
struct LanguageSelection {
    std::filesystem::path file;
    std::string name;
    bool matched = false; // the window keeps its current language name when nothing matched
};
LanguageSelection SelectLanguageByName(const std::filesystem::path& programFolder, std::string_view name);

// The choices of the language dialog: the built-in "English" first, then every listed language; a listed
// language named exactly "English" takes the built-in one's place. The selected item is the one whose
// file is the current language file, else the first.
struct LanguageChoices {
    std::vector<LanguageItem> items;
    std::size_t selected = 0;
};
LanguageChoices ReadLanguageChoices(const std::filesystem::path& languagesFile,
                                    const std::filesystem::path& programFolder,
                                    const std::filesystem::path& currentLanguageFile);

} // namespace lexaro
