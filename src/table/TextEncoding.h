#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// Conversions between the program's three kinds of text: UTF-8 cells, UTF-16 ("wide") text at the
// windows, and bytes in a Windows code page in the table files. Every direction cuts its input at the
// first NUL. Invalid input never fails: an invalid UTF-8 or UTF-16 sequence becomes U+FFFD, a byte
// that is invalid in the source code page becomes U+FFFD (CP1252's five unassigned bytes map to the C1
// controls, as on Windows), and a character the target code page cannot hold becomes "?".

std::u16string Utf8ToWide(std::string_view bytes);

// One character of UTF-8 at pos (before the end of text). An invalid sequence is reported with the length of
// its longest well-formed prefix (at least one byte), so a decoder always moves on.
struct DecodedChar {
    char32_t code = 0;
    std::size_t length = 1;
    bool valid = false;
};
DecodedChar DecodeUtf8(std::string_view text, std::size_t pos);
std::string WideToUtf8(std::u16string_view text);
// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t code);

// Empty when the code page is not supported; use the Try... forms where that must be told apart.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::string Utf8ToCodePage(std::string_view bytes, int codePage);

// As above, but nothing when the code page cannot be converted on this system.
std::optional<std::string> TryCodePageToUtf8(std::string_view bytes, int codePage);
std::optional<std::string> TryUtf8ToCodePage(std::string_view bytes, int codePage);

// True when text can be converted to and from the code page (65001 is always supported).
bool IsCodePageSupported(int codePage);

// The converter's name of a Windows code page number, or null when the number is not known.
const char* CodePageName(int codePage);

// Converts many strings between UTF-8 and one code page with one open converter, as the file readers
// and writers do for every cell. A converter for an unsupported code page is not valid and converts
// nothing.
class CodePageConverter {
public:
    enum class Direction { ToUtf8, FromUtf8 };

    CodePageConverter(int codePage, Direction direction);
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;
    CodePageConverter(CodePageConverter&& other) noexcept;
    CodePageConverter& operator=(CodePageConverter&& other) noexcept;

    bool IsValid() const { return m_Utf8 || m_Handle != nullptr; }

    // The converted text; empty when the converter is not valid.
    std::string Convert(std::string_view bytes);

private:
    std::string ToUtf8(std::string_view bytes);
    std::string FromUtf8(std::string_view bytes);
    void Close();

    void* m_Handle = nullptr;
    int m_CodePage = 0;
    Direction m_Direction;
    bool m_Utf8 = false;
};

} // namespace lexaro
