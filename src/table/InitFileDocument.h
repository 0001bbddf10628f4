#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lexaro {

// The two shapes of a key/value document; the numbers are the ones the program has always used.
enum class InitFileForm : std::uint8_t {
    Pair = 0,    // key="value" lines, nothing around them (language files, "Languages.ini", ...)
    Element = 1, // declaration, root element, one "  <key>value</key>" line per value ("Lexaro.ini")
};

// Root element of every element-form document the program creates.
inline constexpr std::string_view kInitFileRoot = "InitFile";

// Largest file LoadFromFile accepts. Settings and language files are a few kilobytes; anything this
// big is not one of them and is refused before it is read into memory.
inline constexpr std::uintmax_t kInitFileMaxBytes = 64u * 1024u * 1024u;

// The program's key/value text file: a header, a body of one line per value and a footer. Values are
// found again by plain forward substring search for their key; nothing is escaped, so a value must not
// contain its own closing delimiter ("</key>" in element form, a double quote in pair form). Keys and
// values are byte strings, UTF-8 for text. A key written twice is stored twice: repeated keys form lists,
// read with GetValue(0, key) and then GetValueNext(key) until the result is empty.
class InitFileDocument {
public:
    explicit InitFileDocument(InitFileForm form);

    InitFileForm Form() const { return m_Form; }
    const std::string& Root() const { return m_Root; }
    const std::string& Header() const { return m_Header; }
    const std::string& Footer() const { return m_Footer; }
    const std::string& Body() const { return m_Body; }
    // Position in the body just after the closing delimiter of the last value found.
    std::size_t Cursor() const { return m_Cursor; }

    // Renames the root element (element form only; a pair-form document has no root).
    void SetRoot(std::string_view name);
    std::string ComposeText() const;
    // Replaces the body with the one in text and rewinds the cursor. Element form: the root is taken from
    // the text; false when the declaration end or the root's opening tag is missing (the root becomes
    // "InitFile") or its closing tag is missing (the new root stays); the body then stays as it was.
    bool ParseText(std::string_view text);
    void ClearBody();

    void AppendLine(std::string_view line);
    void AddValue(std::string_view key, std::string_view value);
    void AddInt(std::string_view key, int value);
    void AddBool(std::string_view key, bool value);

    // First value of key at or after position start of the body; empty when there is none.
    std::string GetValue(std::size_t start, std::string_view key);
    // The next value of key after the last value found (by any GetValue, GetString, GetInt, GetBool).
    std::string GetValueNext(std::string_view key);
    // First value of key in the document, or the default when it is absent or empty.
    std::string GetString(std::string_view key, std::string_view defaultValue);
    // Leading decimal number of the first value, read as strtol does and limited to the int range.
    int GetInt(std::string_view key, int defaultValue);
    // True when the first value's leading decimal number is 1.
    bool GetBool(std::string_view key, bool defaultValue);

    // Writes ComposeText through a temporary file; false (old file untouched) when anything fails.
    bool SaveToFile(const std::filesystem::path& path) const;
    // Reads the file up to its first NUL byte and parses it. False, document unchanged, when the file
    // cannot be read, is empty or is larger than kInitFileMaxBytes; otherwise the result of ParseText.
    bool LoadFromFile(const std::filesystem::path& path);

private:
    InitFileForm m_Form;
    std::string m_Root;
    std::string m_Header;
    std::string m_Footer;
    std::string m_Body;
    int m_Indent = 0; // extra indentation levels for appended lines
    std::size_t m_Cursor = 0;
};

} // namespace lexaro
