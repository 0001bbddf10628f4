#pragma once

#include "table/InitFileDocument.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lexaro {

// The interface texts in use: the language file's pair-form document, looked up by key with the built-in
// English text as default. The main window owns one for the whole run and hands it to every window.
class InterfaceTexts {
public:
    InterfaceTexts();

    // The text of a key, UTF-8; the default when the key is absent or its value empty.
    std::string GetText(std::string_view key, std::string_view defaultText) const;
    // As above with the built-in text of the key.
    std::string GetText(std::string_view key) const;
    std::u16string GetWideText(std::string_view key, std::string_view defaultText) const;
    std::u16string GetWideText(std::string_view key) const;

    // Takes the texts of a language file and remembers its path. When the file cannot be loaded (missing,
    // unreadable or empty) nothing of an earlier language stays: every text is its default and no file is
    // in use. An empty path gives the built-in texts.
    bool LoadLanguageFile(const std::filesystem::path& path);
    // Takes texts that come without a file (a portable copy carries its own).
    void SetText(std::string_view pairFormText);
    // Every text back to its default.
    void Clear();

    // The language file in use; empty for the built-in texts and for texts that came without a file.
    const std::filesystem::path& LanguageFile() const { return m_LanguageFile; }
    const InitFileDocument& Document() const { return m_Document; }

private:
    // Looking a value up moves the document's cursor; the texts themselves never change by it.
    mutable InitFileDocument m_Document;
    std::filesystem::path m_LanguageFile;
};

// The language tag of a language file, used to find the help file in that language: the text between the
// last "_" before the first "." of the file name and that "."; empty when there is no such "_" or ".".
// "lang_German.xml" gives "German", "German.xml" gives "". Both "\" and "/" end a folder.
std::string LanguageTag(std::string_view languageFilePath);

} // namespace lexaro
