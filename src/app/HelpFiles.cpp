#include "app/HelpFiles.h"

#include "app/InterfaceTexts.h"

#include <system_error>

namespace lexaro {

std::filesystem::path HelpFilePath(const std::filesystem::path& dataFolder, std::string_view languageFile) {
    const std::filesystem::path own = dataFolder / ("Lexaro_" + LanguageTag(languageFile) + ".html");
    std::error_code error;
    if (std::filesystem::is_regular_file(own, error)) {
        return own;
    }
    return dataFolder / kEnglishHelpFile;
}

std::string UpdateAddress() {
    return std::string(kReleasePage) + "?lang=ENG&progvers=" + std::string(kProgramVersion);
}

} // namespace lexaro
