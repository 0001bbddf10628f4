#pragma once

#include "app/Settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// The languages a dictionary's terms and explanations are spoken in, as speech-engine language codes.
struct VoicePair {
    std::string terms;
    std::string explanations;
    bool operator==(const VoicePair&) const = default;
};

// The language code a word names: an ISO 639 code of two or three letters ("de", "deu", "ger") or the
// language's name in English or in itself ("German", "Deutsch"), in any letter case. Empty for any other word.
std::string LanguageNamedBy(std::string_view word);

// The languages a dictionary's file name names, from its words split at anything that is not a letter:
// "eng-deu.lxd", "en_de.lxd", "English-German.lxd". The first language named is the terms', the second the
// explanations'; with one only, the explanations take fallback. Nothing when the name names none.
std::optional<VoicePair> GuessVoicesFromFileName(std::string_view fileName, std::string_view fallback);

// The language of the interface language's name ("English", "Deutsch", "Français"); "en" for an unknown one.
std::string InterfaceSpeechLanguage(std::string_view interfaceLanguageName);

// The voices of a dictionary: those stored for its path, else the guess from its file name, else the
// interface language for both.
VoicePair VoicesForDictionary(const Settings& settings, const std::string& path);
// Keeps the voices of a dictionary in the settings, most recently chosen first; the oldest beyond
// kStoredVoicesMax are dropped.
inline constexpr std::size_t kStoredVoicesMax = 200;
void StoreVoicesForDictionary(Settings& settings, const std::string& path, const VoicePair& voices);

} // namespace lexaro
