#include "app/TranslatorCredits.h"

#include "app/InterfaceTexts.h"
#include "app/LanguageSelection.h"
#include "app/Storage.h"
#include "table/AsciiFold.h"
#include "table/InitFileDocument.h"

#include <algorithm>
#include <set>

namespace lexaro {

namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    return FoldAsciiCopy(text.substr(0, lowerPrefix.size())) == lowerPrefix;
}

bool HasBlankOrControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F;
    });
}

} // namespace

std::vector<TranslatorCredit> ReadTranslatorCredits(const std::filesystem::path& programFolder) {
    std::vector<TranslatorCredit> credits;
    InitFileDocument languages(InitFileForm::Pair);
    if (!languages.LoadFromFile(programFolder / kLanguagesFile)) {
        return credits;
    }
    std::set<std::filesystem::path> seen;
    for (const auto& [listedName, listedFile] : ReadLanguagePairs(languages)) {
        if (credits.size() == kMaxTranslatorCredits) {
            break;
        }
        const std::filesystem::path file = LanguageFilePath(programFolder, listedFile);
        // A listed "English" holds the program's own texts, which nobody translated.
        if (listedName == kBuiltInLanguageName || listedFile.empty() || !seen.insert(file).second) {
            continue;
        }
        InitFileDocument texts(InitFileForm::Pair);
        if (!texts.LoadFromFile(file)) {
            continue;
        }
        TranslatorCredit credit;
        credit.name = texts.GetString(kTranslatorKey, "");
        if (credit.name.empty()) {
            continue;
        }
        credit.contact = texts.GetString(kTranslatorContactKey, "");
        const std::string tag = LanguageTag(file.string());
        credit.language = tag.empty() ? listedName : tag;
        credits.push_back(std::move(credit));
    }
    return credits;
}

std::string CreditText(const TranslatorCredit& credit) {
    return credit.contact.empty() ? credit.name : credit.name + " (" + credit.contact + ")";
}

std::string ContactLink(std::string_view contact) {
    if (contact.empty() || HasBlankOrControl(contact)) {
        return {};
    }
    if (StartsWithIgnoringCase(contact, "https://") || StartsWithIgnoringCase(contact, "http://") ||
        StartsWithIgnoringCase(contact, "mailto:")) {
        return std::string(contact);
    }
    if (StartsWithIgnoringCase(contact, "www.")) {
        return "https://" + std::string(contact);
    }
    const std::size_t at = contact.find('@');
    const bool plainAddress = at != std::string_view::npos && at > 0 && at + 1 < contact.size() &&
                              contact.find_first_of(":/\\@", at + 1) == std::string_view::npos &&
                              contact.substr(0, at).find_first_of(":/\\") == std::string_view::npos;
    return plainAddress ? "mailto:" + std::string(contact) : std::string();
}

} // namespace lexaro
