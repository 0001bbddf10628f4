#include "app/LanguageSelection.h"

#include "app/Storage.h"
#include "table/InitFileDocument.h"

#include <algorithm>

namespace lexaro {

std::vector<std::pair<std::string, std::string>> ReadLanguagePairs(InitFileDocument& languages) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string name = languages.GetString("LanguageName", "");
    std::string file = languages.GetString("LanguageFile", "");
    while (!name.empty() || !file.empty()) {
        pairs.emplace_back(std::move(name), std::move(file));
        name = languages.GetValueNext("LanguageName");
        file = languages.GetValueNext("LanguageFile");
    }
    return pairs;
}

std::filesystem::path LanguageFilePath(const std::filesystem::path& programFolder, std::string_view listed) {
    std::string relative(listed);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    // The listed name is appended to the folder, never taken as a path of its own.
    relative.erase(0, relative.find_first_not_of('/'));
    return programFolder / relative;
}

LanguageSelection SelectLanguageByName(const std::filesystem::path& programFolder, std::string_view name) {
    LanguageSelection selection;
    InitFileDocument languages(InitFileForm::Pair);
    if (!languages.LoadFromFile(programFolder / kLanguagesFile)) {
        return selection;
    }
    const std::string wanted = name.empty() ? languages.GetString("LanguageDefault", "") : std::string(name);
    if (wanted.empty()) {
        return selection;
    }
    for (const auto& [listedName, listedFile] : ReadLanguagePairs(languages)) {
        if (listedName == wanted) {
            selection.file = LanguageFilePath(programFolder, listedFile);
            selection.name = listedName;
            selection.matched = true;
        }
    }
    return selection;
}

LanguageChoices ReadLanguageChoices(const std::filesystem::path& languagesFile,
                                    const std::filesystem::path& programFolder,
                                    const std::filesystem::path& currentLanguageFile) {
    LanguageChoices choices;
    choices.items.push_back({std::string(kBuiltInLanguageName), {}});
    InitFileDocument languages(InitFileForm::Pair);
    if (languages.LoadFromFile(languagesFile)) {
        bool listsEnglish = false;
        for (const auto& [name, file] : ReadLanguagePairs(languages)) {
            listsEnglish = listsEnglish || name == kBuiltInLanguageName;
            choices.items.push_back({name, LanguageFilePath(programFolder, file)});
        }
        if (listsEnglish) {
            choices.items.erase(choices.items.begin());
        }
    }
    const auto current = std::find_if(choices.items.begin(), choices.items.end(),
                                      [&](const LanguageItem& item) { return item.file == currentLanguageFile; });
    choices.selected = current == choices.items.end() ? 0 : static_cast<std::size_t>(current - choices.items.begin());
    return choices;
}

} // namespace lexaro
