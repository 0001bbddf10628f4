#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// One interface text: its key ("FrmMain.m_BTNSearch") and the built-in English text that applies when
// the language file has no value for it. A tab in a menu caption separates it from its accelerator.
struct DefaultTextEntry {
    std::string_view key;
    std::string_view text;
};

// Every interface text of every window, in one table, so that a language file can be checked against
// the keys the program knows.
std::span<const DefaultTextEntry> AllDefaultTexts();

// The names of the windows the keys belong to ("FrmMain", "FrmOptions", ...).
std::span<const std::string_view> InterfaceForms();

// The built-in text of a key; empty for a key the program does not know.
std::string_view DefaultText(std::string_view key);
bool IsKnownTextKey(std::string_view key);

// The mass-data editor shows its progress text under one key in both directions; the key's own default
// is the reading text, this is the writing one.
inline constexpr std::string_view kMassWritingStateText = "Writing...";

// The keys of a language file (pair form, key="value" lines) that are not in the table, in file order.
std::vector<std::string> UnknownTextKeys(std::string_view languageFileText);

} // namespace lexaro
