#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lexaro {

inline constexpr std::string_view kLicenseFile = "License.txt";
inline constexpr std::string_view kReadMeFile = "ReadMe.txt";
inline constexpr std::string_view kEnglishHelpFile = "Lexaro_English.html";
inline constexpr std::string_view kProgramVersion = "2.580";
inline constexpr std::string_view kVersionLine = "Version 2.580 (22.05.2019)";
inline constexpr std::string_view kWebSite = "https://lexaro.example.org/";
inline constexpr std::string_view kMailAddress = "lexaro@example.org";
// The page that lists the releases; the update check asks it about the running version.
inline constexpr std::string_view kReleasePage = "https://lexaro.example.org/releases";

// The help page for the language file in use: data folder + "Lexaro_" + language tag + ".html". When that
// page is missing (always so for the built-in texts, whose tag is empty), the English page is taken.
std::filesystem::path HelpFilePath(const std::filesystem::path& dataFolder, std::string_view languageFile);

// The release page with the running version; the query always asks for the English page.
std::string UpdateAddress();

} // namespace lexaro
