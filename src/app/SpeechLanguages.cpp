#include "app/SpeechLanguages.h"

#include "table/AsciiFold.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lexaro {

namespace {

struct LanguageNames {
    std::string_view code; // the speech engine's language
    std::string_view iso1;
    std::string_view iso2T;
    std::string_view iso2B;
    std::string_view english;
    std::string_view native; // lower case
};

// The languages a dictionary is most likely made of; the codes are the speech engine's.
constexpr std::array<LanguageNames, 31> kLanguages{{
    {"en", "en", "eng", "eng", "english", "english"},     {"de", "de", "deu", "ger", "german", "deutsch"},
    {"fr", "fr", "fra", "fre", "french", "français"},     {"es", "es", "spa", "spa", "spanish", "español"},
    {"it", "it", "ita", "ita", "italian", "italiano"},    {"pt", "pt", "por", "por", "portuguese", "português"},
    {"nl", "nl", "nld", "dut", "dutch", "nederlands"},    {"sv", "sv", "swe", "swe", "swedish", "svenska"},
    {"da", "da", "dan", "dan", "danish", "dansk"},        {"nb", "no", "nor", "nor", "norwegian", "norsk"},
    {"fi", "fi", "fin", "fin", "finnish", "suomi"},       {"pl", "pl", "pol", "pol", "polish", "polski"},
    {"cs", "cs", "ces", "cze", "czech", "čeština"},       {"sk", "sk", "slk", "slo", "slovak", "slovenčina"},
    {"hu", "hu", "hun", "hun", "hungarian", "magyar"},    {"ro", "ro", "ron", "rum", "romanian", "română"},
    {"ru", "ru", "rus", "rus", "russian", "русский"},     {"uk", "uk", "ukr", "ukr", "ukrainian", "українська"},
    {"el", "el", "ell", "gre", "greek", "ελληνικά"},      {"tr", "tr", "tur", "tur", "turkish", "türkçe"},
    {"ja", "ja", "jpn", "jpn", "japanese", "日本語"},     {"cmn", "zh", "zho", "chi", "chinese", "中文"},
    {"ko", "ko", "kor", "kor", "korean", "한국어"},       {"ar", "ar", "ara", "ara", "arabic", "العربية"},
    {"he", "he", "heb", "heb", "hebrew", "עברית"},        {"la", "la", "lat", "lat", "latin", "latina"},
    {"eo", "eo", "epo", "epo", "esperanto", "esperanto"}, {"hr", "hr", "hrv", "hrv", "croatian", "hrvatski"},
    {"bg", "bg", "bul", "bul", "bulgarian", "български"}, {"lt", "lt", "lit", "lit", "lithuanian", "lietuvių"},
    {"et", "et", "est", "est", "estonian", "eesti"},
}};

bool IsWordByte(unsigned char byte) {
    // Letters of ASCII and every byte of a multi-byte UTF-8 character, so that "Français" stays one word.
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || !IsWordByte(static_cast<unsigned char>(text[i]))) {
            if (i > start) {
                words.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return words;
}

std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

std::string LanguageNamedBy(std::string_view word) {
    const std::string lower = FoldAsciiCopy(word);
    for (const LanguageNames& language : kLanguages) {
        if (lower == language.iso1 || lower == language.iso2T || lower == language.iso2B || lower == language.english ||
            lower == language.native) {
            return std::string(language.code);
        }
    }
    return {};
}

std::optional<VoicePair> GuessVoicesFromFileName(std::string_view fileName, std::string_view fallback) {
    std::vector<std::string> named;
    for (const std::string_view word : Words(FileNameOf(fileName))) {
        std::string language = LanguageNamedBy(word);
        if (!language.empty()) {
            named.push_back(std::move(language));
        }
        if (named.size() == 2) {
            return VoicePair{named[0], named[1]};
        }
    }
    if (named.size() == 1) {
        return VoicePair{named[0], std::string(fallback)};
    }
    return std::nullopt;
}

std::string InterfaceSpeechLanguage(std::string_view interfaceLanguageName) {
    std::string language = LanguageNamedBy(interfaceLanguageName);
    return language.empty() ? "en" : language;
}

VoicePair VoicesForDictionary(const Settings& settings, const std::string& path) {
    for (const DictionaryVoices& stored : settings.dictionaryVoices) {
        if (stored.path == path) {
            return {stored.terms, stored.explanations};
        }
    }
    const std::string interface = InterfaceSpeechLanguage(settings.languageName);
    return GuessVoicesFromFileName(path, interface).value_or(VoicePair{interface, interface});
}

void StoreVoicesForDictionary(Settings& settings, const std::string& path, const VoicePair& voices) {
    auto& list = settings.dictionaryVoices;
    std::erase_if(list, [&path](const DictionaryVoices& stored) { return stored.path == path; });
    list.insert(list.begin(), DictionaryVoices{path, voices.terms, voices.explanations});
    if (list.size() > kStoredVoicesMax) {
        list.resize(kStoredVoicesMax);
    }
}

} // namespace lexaro
