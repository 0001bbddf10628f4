#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// The language file keys that name who translated the texts and how to reach them.
inline constexpr std::string_view kTranslatorKey = "FrmMain.m_acTTranslator";
inline constexpr std::string_view kTranslatorContactKey = "FrmMain.m_acTTranslatorContact";
// The info box has room for this many credits; a longer language list is cut there.
inline constexpr std::size_t kMaxTranslatorCredits = 12;

struct TranslatorCredit {
    std::string language; // the language tag of the file ("German"), or its listed name without a tag
    std::string name;
    std::string contact; // e-mail or web address as the file gives it; may be empty
};

// The credits of the language files listed in the program folder's "Languages.ini", in list order. A file
// that names no translator gets none, nor does the listed "English" (the program's own texts); a file listed
// twice is credited once.
std::vector<TranslatorCredit> ReadTranslatorCredits(const std::filesystem::path& programFolder);

// "Name (contact)", or the name alone without a contact.
std::string CreditText(const TranslatorCredit& credit);

// The link a contact opens: "mailto:" for a bare e-mail address, a web address as it stands ("www."
// addresses get "https://"). Anything else (another scheme, blanks, control characters) opens nothing,
// since a language file is not trusted to start programs.
std::string ContactLink(std::string_view contact);

} // namespace lexaro
