#include "app/HelpFiles.h"

#include "app/InterfaceTexts.h"

#include <system_error>

namespace lexaro {

namespace {

std::filesystem::path HelpPage(const std::filesystem::path& dataFolder, std::string_view tag) {
    return dataFolder / ("Lexaro_" + std::string(tag) + ".html");
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::filesystem::path HelpFilePath(const std::filesystem::path& dataFolder, std::string_view languageFile) {
    const std::filesystem::path own = HelpPage(dataFolder, LanguageTag(languageFile));
    if (IsFile(own)) {
        return own;
    }
    const std::filesystem::path english = HelpPage(dataFolder, "English");
    if (IsFile(english)) {
        return english;
    }
    return HelpPage(dataFolder, "");
}

std::string UpdateAddress() {
    return std::string(kWebSite) + "pages/c_lexaro.php?lang=ENG&progvers=" + std::string(kProgramVersion);
}

} // namespace lexaro
