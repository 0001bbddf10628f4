#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lexaro {

inline constexpr std::string_view kLicenseFile = "License.txt";
inline constexpr std::string_view kReadMeFile = "ReadMe.txt";
inline constexpr std::string_view kProgramVersion = "2.580";
inline constexpr std::string_view kVersionLine = "Version 2.580 (22.05.2019)";
inline constexpr std::string_view kWebSite = "https://lexaro.example.org/";

// The help page for the language file in use: data folder + "Lexaro_" + language tag + ".html". When that
// page is missing, the English one ("Lexaro_English.html") is taken, and when that is missing too the page
// of the built-in texts ("Lexaro_.html"), which is the one shipped with the program.
std::filesystem::path HelpFilePath(const std::filesystem::path& dataFolder, std::string_view languageFile);

// The update page for the running version; the query always asks for the English page.
std::string UpdateAddress();

} // namespace lexaro
