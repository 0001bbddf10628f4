#include "table/TextEncoding.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <utility>

namespace lexaro {

namespace {

constexpr int kWesternCodePage = 1252;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr char16_t kReplacementUnit = 0xFFFD;

std::string_view UpToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

DecodedChar DecodeUtf8(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t code = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size()) {
            return {0, i, false};
        }
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        const bool inRange = i == 1 ? (byte >= low && byte <= high) : IsContinuation(byte);
        if (!inRange) {
            return {0, i, false};
        }
        code = (code << 6) | (byte & 0x3F);
    }
    return {code, length, true};
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

namespace {

// Valid UTF-8 is copied; every invalid sequence becomes U+FFFD.
std::string CleanUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const DecodedChar ch = DecodeUtf8(text, pos);
        if (ch.valid) {
            out.append(text.substr(pos, ch.length));
        } else {
            out.append(kReplacementUtf8);
        }
        pos += ch.length;
    }
    return out;
}

// Windows gives CP1252's five unassigned bytes the C1 control of the same number; glibc calls them
// invalid. Keeping the Windows mapping makes such bytes survive a load and a save.
bool IsWesternUnassigned(char32_t code) {
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kIconvError = static_cast<std::size_t>(-1);

// A growing output buffer for iconv.
class Output {
public:
    explicit Output(std::size_t initial) : m_Bytes(initial < 16 ? 16 : initial, '\0') {}

    char** Cursor() {
        m_Cursor = m_Bytes.data() + m_Used;
        return &m_Cursor;
    }
    std::size_t* Left() {
        m_Left = m_Bytes.size() - m_Used;
        return &m_Left;
    }
    // Records what iconv wrote through Cursor().
    void Commit() { m_Used = static_cast<std::size_t>(m_Cursor - m_Bytes.data()); }
    void Grow() { m_Bytes.resize(m_Bytes.size() * 2); }
    void Append(std::string_view bytes) {
        while (m_Bytes.size() - m_Used < bytes.size()) {
            Grow();
        }
        std::memcpy(m_Bytes.data() + m_Used, bytes.data(), bytes.size());
        m_Used += bytes.size();
    }
    std::string Take() {
        m_Bytes.resize(m_Used);
        return std::move(m_Bytes);
    }

private:
    std::string m_Bytes;
    std::size_t m_Used = 0;
    char* m_Cursor = nullptr;
    std::size_t m_Left = 0;
};

// Converts bytes that the converter accepts as a whole (the replacement "?") and appends the result.
void AppendConverted(iconv_t handle, std::string_view bytes, Output& out) {
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        const std::size_t result = ::iconv(handle, &in, &inLeft, out.Cursor(), out.Left());
        out.Commit();
        if (result != kIconvError) {
            return;
        }
        if (errno != E2BIG) {
            return;
        }
        out.Grow();
    }
}

// Writes what a stateful converter still holds (a shift back to its initial state).
void Flush(iconv_t handle, Output& out) {
    for (;;) {
        const std::size_t result = ::iconv(handle, nullptr, nullptr, out.Cursor(), out.Left());
        out.Commit();
        if (result == kIconvError && errno == E2BIG) {
            out.Grow();
            continue;
        }
        return;
    }
}

} // namespace

const char* CodePageName(int codePage) {
    static constexpr std::array<const char*, 9> kWindows = {"CP1250", "CP1251", "CP1252", "CP1253", "CP1254",
                                                            "CP1255", "CP1256", "CP1257", "CP1258"};
    static constexpr std::array<const char*, 9> kIso = {"ISO-8859-1", "ISO-8859-2", "ISO-8859-3",
                                                        "ISO-8859-4", "ISO-8859-5", "ISO-8859-6",
                                                        "ISO-8859-7", "ISO-8859-8", "ISO-8859-9"};
    if (codePage >= 1250 && codePage <= 1258) {
        return kWindows[static_cast<std::size_t>(codePage - 1250)];
    }
    if (codePage >= 28591 && codePage <= 28599) {
        return kIso[static_cast<std::size_t>(codePage - 28591)];
    }
    switch (codePage) {
    case 65001:
        return "UTF-8";
    case 874:
        return "WINDOWS-874";
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 437:
        return "CP437";
    case 737:
        return "CP737";
    case 775:
        return "CP775";
    case 850:
        return "CP850";
    case 852:
        return "CP852";
    case 855:
        return "CP855";
    case 857:
        return "CP857";
    case 858:
        return "CP858";
    case 860:
        return "CP860";
    case 861:
        return "CP861";
    case 862:
        return "CP862";
    case 863:
        return "CP863";
    case 864:
        return "CP864";
    case 865:
        return "CP865";
    case 866:
        return "CP866";
    case 869:
        return "CP869";
    case 10000:
        return "MACINTOSH";
    case 20127:
        return "ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 20932:
    case 51932:
        return "EUC-JP";
    case 51949:
        return "EUC-KR";
    case 54936:
        return "GB18030";
    case 28603:
        return "ISO-8859-13";
    case 28605:
        return "ISO-8859-15";
    default:
        return nullptr;
    }
}

std::u16string Utf8ToWide(std::string_view bytes) {
    bytes = UpToNul(bytes);
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const DecodedChar ch = DecodeUtf8(bytes, pos);
        pos += ch.length;
        if (!ch.valid) {
            out.push_back(kReplacementUnit);
        } else if (ch.code < 0x10000) {
            out.push_back(static_cast<char16_t>(ch.code));
        } else {
            const char32_t rest = ch.code - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (rest >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (rest & 0x3FF)));
        }
    }
    return out;
}

std::string WideToUtf8(std::u16string_view text) {
    text = UpToNul(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out.append(kReplacementUtf8);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

CodePageConverter::CodePageConverter(int codePage, Direction direction) : m_CodePage(codePage), m_Direction(direction) {
    if (codePage == 65001) {
        m_Utf8 = true;
        return;
    }
    const char* name = CodePageName(codePage);
    if (name == nullptr) {
        return;
    }
    const iconv_t handle = direction == Direction::ToUtf8 ? ::iconv_open("UTF-8", name) : ::iconv_open(name, "UTF-8");
    if (handle != kNoHandle) {
        m_Handle = handle;
    }
}

CodePageConverter::~CodePageConverter() {
    Close();
}

CodePageConverter::CodePageConverter(CodePageConverter&& other) noexcept
    : m_Handle(std::exchange(other.m_Handle, nullptr)), m_CodePage(other.m_CodePage), m_Direction(other.m_Direction),
      m_Utf8(other.m_Utf8) {}

CodePageConverter& CodePageConverter::operator=(CodePageConverter&& other) noexcept {
    if (this != &other) {
        Close();
        m_Handle = std::exchange(other.m_Handle, nullptr);
        m_CodePage = other.m_CodePage;
        m_Direction = other.m_Direction;
        m_Utf8 = other.m_Utf8;
    }
    return *this;
}

void CodePageConverter::Close() {
    if (m_Handle != nullptr) {
        ::iconv_close(static_cast<iconv_t>(m_Handle));
        m_Handle = nullptr;
    }
}

std::string CodePageConverter::Convert(std::string_view bytes) {
    bytes = UpToNul(bytes);
    if (bytes.empty() || !IsValid()) {
        return {};
    }
    if (m_Utf8) {
        return CleanUtf8(bytes);
    }
    return m_Direction == Direction::ToUtf8 ? ToUtf8(bytes) : FromUtf8(bytes);
}

std::string CodePageConverter::ToUtf8(std::string_view bytes) {
    const auto handle = static_cast<iconv_t>(m_Handle);
    ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    Output out(inLeft * 2);
    while (inLeft > 0) {
        const std::size_t result = ::iconv(handle, &in, &inLeft, out.Cursor(), out.Left());
        out.Commit();
        if (result != kIconvError) {
            break;
        }
        if (errno == E2BIG) {
            out.Grow();
            continue;
        }
        if (errno != EILSEQ) {
            // An incomplete sequence at the end (or an unexpected error): replace the rest once.
            out.Append(kReplacementUtf8);
            break;
        }
        const auto byte = static_cast<unsigned char>(*in);
        if (m_CodePage == kWesternCodePage && IsWesternUnassigned(byte)) {
            std::string control;
            AppendUtf8(control, byte);
            out.Append(control);
        } else {
            out.Append(kReplacementUtf8);
        }
        ++in;
        --inLeft;
    }
    Flush(handle, out);
    return out.Take();
}

std::string CodePageConverter::FromUtf8(std::string_view bytes) {
    const auto handle = static_cast<iconv_t>(m_Handle);
    ::iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::string input(bytes);
    char* in = input.data();
    std::size_t inLeft = input.size();
    Output out(inLeft + 16);
    while (inLeft > 0) {
        const std::size_t result = ::iconv(handle, &in, &inLeft, out.Cursor(), out.Left());
        out.Commit();
        if (result != kIconvError) {
            break;
        }
        if (errno == E2BIG) {
            out.Grow();
            continue;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;
        }
        // Either a character the code page cannot hold or invalid UTF-8: one "?" for it.
        const std::size_t pos = static_cast<std::size_t>(in - input.data());
        const DecodedChar ch = DecodeUtf8(input, pos);
        if (ch.valid && m_CodePage == kWesternCodePage && IsWesternUnassigned(ch.code)) {
            out.Append(std::string(1, static_cast<char>(ch.code)));
        } else {
            AppendConverted(handle, "?", out);
        }
        in += ch.length;
        inLeft -= ch.length;
    }
    Flush(handle, out);
    return out.Take();
}

std::optional<std::string> TryCodePageToUtf8(std::string_view bytes, int codePage) {
    CodePageConverter converter(codePage, CodePageConverter::Direction::ToUtf8);
    if (!converter.IsValid()) {
        return std::nullopt;
    }
    return converter.Convert(bytes);
}

std::optional<std::string> TryUtf8ToCodePage(std::string_view bytes, int codePage) {
    CodePageConverter converter(codePage, CodePageConverter::Direction::FromUtf8);
    if (!converter.IsValid()) {
        return std::nullopt;
    }
    return converter.Convert(bytes);
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
    return TryCodePageToUtf8(bytes, codePage).value_or(std::string());
}

std::string Utf8ToCodePage(std::string_view bytes, int codePage) {
    return TryUtf8ToCodePage(bytes, codePage).value_or(std::string());
}

bool IsCodePageSupported(int codePage) {
    return CodePageConverter(codePage, CodePageConverter::Direction::ToUtf8).IsValid() &&
           CodePageConverter(codePage, CodePageConverter::Direction::FromUtf8).IsValid();
}

} // namespace lexaro
