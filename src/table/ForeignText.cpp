#include "table/ForeignText.h"

#include "table/TextEncoding.h"

#include <array>
#include <clocale>
#include <cwchar>
#include <cwctype>
#include <locale.h>

namespace lexaro::foreign {

namespace {

constexpr std::string_view kDictdDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The character classes of Unicode as the C library knows them, independent of the user's locale.
locale_t UnicodeLocale() {
    static const locale_t locale = [] {
        locale_t made = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        return made != static_cast<locale_t>(nullptr)
                   ? made
                   : ::newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
    }();
    return locale;
}

// One UTF-8 character at at; a byte that starts no valid character stands for itself (as U+FFFD).
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    int length = first < 0x80 ? 1 : (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : (first >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + static_cast<std::size_t>(length) > text.size()) {
        ++at;
        return 0xFFFD;
    }
    char32_t value = length == 1 ? first : first & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(at + static_cast<std::size_t>(i)) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        value = (value << 6) | (byte(at + static_cast<std::size_t>(i)) & 0x3F);
    }
    at += static_cast<std::size_t>(length);
    return value;
}

bool IsBlank(char32_t ch, locale_t locale) {
    if (ch < 0x80 || locale == static_cast<locale_t>(nullptr)) {
        return ch == ' ' || (ch >= '\t' && ch <= '\r');
    }
    return ::iswspace_l(static_cast<wint_t>(ch), locale) != 0;
}

bool IsLetterOrDigit(char32_t ch, locale_t locale) {
    if (ch < 0x80 || locale == static_cast<locale_t>(nullptr)) {
        return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
    }
    return ::iswalnum_l(static_cast<wint_t>(ch), locale) != 0;
}

char32_t Lower(char32_t ch, locale_t locale) {
    if (ch < 0x80 || locale == static_cast<locale_t>(nullptr)) {
        return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch;
    }
    return static_cast<char32_t>(::towlower_l(static_cast<wint_t>(ch), locale));
}

// The character of an entity or character reference (without & and ;), or 0 when it is none of them.
char32_t EntityCharacter(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, char32_t>, 6> kNamed{
        {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}}};
    for (const auto& [entity, character] : kNamed) {
        if (name == entity) {
            return character;
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return 0;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    std::uint32_t value = 0;
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) {
        return 0;
    }
    for (const char ch : digits) {
        int digit = -1;
        if (ch >= '0' && ch <= '9') {
            digit = ch - '0';
        } else if (hex && ch >= 'a' && ch <= 'f') {
            digit = ch - 'a' + 10;
        } else if (hex && ch >= 'A' && ch <= 'F') {
            digit = ch - 'A' + 10;
        }
        if (digit < 0) {
            return 0;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    return value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF) ? value : 0;
}

bool TagBreaksLine(std::string_view tag) {
    std::string name;
    for (const char ch : tag) {
        if (ch == ' ' || ch == '>' || ch == '\t' || ch == '\n') {
            break;
        }
        if (ch != '/') {
            name.push_back(ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch);
        }
    }
    const bool closing = !tag.empty() && tag[0] == '/';
    return name == "br" || (closing && (name == "p" || name == "div" || name == "li" || name == "tr"));
}

} // namespace

std::optional<std::uint64_t> DecodeDictdNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char ch : digits) {
        const std::size_t digit = kDictdDigits.find(ch);
        if (digit == std::string_view::npos) {
            return std::nullopt;
        }
        value = value * 64 + digit;
    }
    return value;
}

std::string EncodeDictdNumber(std::uint64_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kDictdDigits[value % 64]);
        value /= 64;
    } while (value > 0);
    return digits;
}

std::string DictdKey(std::string_view headword) {
    std::string key;
    AppendDictdKey(key, headword);
    return key;
}

void AppendDictdKey(std::string& key, std::string_view headword) {
    const locale_t locale = UnicodeLocale();
    const std::size_t start = key.size();
    std::size_t begin = 0;
    std::size_t end = headword.size();
    while (begin < end && (headword[begin] == ' ' || (headword[begin] >= '\t' && headword[begin] <= '\r'))) {
        ++begin;
    }
    while (end > begin && (headword[end - 1] == ' ' || (headword[end - 1] >= '\t' && headword[end - 1] <= '\r'))) {
        --end;
    }
    std::size_t at = begin;
    while (at < end) {
        const char32_t ch = NextCharacter(headword, at);
        if (IsBlank(ch, locale)) {
            if (key.size() == start || key.back() != ' ') {
                key.push_back(' ');
            }
        } else if (IsLetterOrDigit(ch, locale)) {
            AppendUtf8(key, Lower(ch, locale));
        }
    }
}

std::size_t ReducedPrefixEnd(std::string_view line, std::string_view key) {
    const locale_t locale = UnicodeLocale();
    const auto asciiBlank = [](char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); };
    // The reduction of the line so far is built only as far as it agrees with the key: matched bytes of it.
    std::size_t matched = 0;
    bool mismatch = false;
    bool pendingBlank = false; // an ASCII blank, dropped when the part is cut after it
    std::string character;
    const auto append = [&](std::string_view bytes) {
        if (!mismatch && key.substr(matched, bytes.size()) == bytes) {
            matched += bytes.size();
        } else {
            mismatch = true;
        }
    };
    // Most characters are ASCII: one byte compared, without building its UTF-8 form.
    const auto appendByte = [&](char byte) {
        if (matched < key.size() && key[matched] == byte) {
            ++matched;
        } else {
            mismatch = true;
        }
    };
    const auto appendBlank = [&] {
        if (matched == 0 || key[matched - 1] != ' ') {
            appendByte(' ');
        }
    };
    std::size_t found = std::string_view::npos;
    std::size_t at = 0;
    while (at < line.size() && asciiBlank(line[at])) {
        ++at;
    }
    while (!mismatch) {
        const bool cut = at == line.size() || line[at] == ' ' || line[at] == '\t';
        if (cut && matched == key.size()) {
            found = at;
        }
        if (at == line.size()) {
            break;
        }
        if (asciiBlank(line[at])) {
            pendingBlank = true;
            ++at;
            continue;
        }
        const char32_t ch = NextCharacter(line, at);
        if (pendingBlank) {
            appendBlank();
            pendingBlank = false;
        }
        if (ch < 0x80) {
            if ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z')) {
                appendByte(static_cast<char>(ch));
            } else if (ch >= 'A' && ch <= 'Z') {
                appendByte(static_cast<char>(ch - 'A' + 'a'));
            }
        } else if (IsBlank(ch, locale)) {
            appendBlank();
        } else if (IsLetterOrDigit(ch, locale)) {
            character.clear();
            AppendUtf8(character, Lower(ch, locale));
            append(character);
        }
    }
    return found;
}

std::string ToCrLf(std::string_view text) {
    std::string out;
    AppendCrLf(out, text);
    return out;
}

void AppendCrLf(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r') {
            out.append("\r\n");
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (ch == '\n') {
            out.append("\r\n");
        } else {
            out.push_back(ch);
        }
    }
}

std::string ToLf(std::string_view text) {
    std::string out;
    AppendLf(out, text);
    return out;
}

void AppendLf(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size());
    for (;;) {
        const std::size_t cr = text.find('\r');
        out.append(text.substr(0, cr));
        if (cr == std::string_view::npos) {
            return;
        }
        out.push_back('\n');
        text.remove_prefix(cr + (cr + 1 < text.size() && text[cr + 1] == '\n' ? 2 : 1));
    }
}

std::string MarkupToPlain(std::string_view markup) {
    std::string out;
    out.reserve(markup.size());
    std::size_t at = 0;
    while (at < markup.size()) {
        const char ch = markup[at];
        if (ch == '<') {
            const std::size_t close = markup.find('>', at);
            if (close == std::string_view::npos) {
                break;
            }
            if (TagBreaksLine(markup.substr(at + 1, close - at - 1))) {
                out.push_back('\n');
            }
            at = close + 1;
        } else if (ch == '&') {
            const std::size_t semicolon = markup.find(';', at);
            const char32_t character = semicolon == std::string_view::npos || semicolon - at > 10
                                           ? 0
                                           : EntityCharacter(markup.substr(at + 1, semicolon - at - 1));
            if (character != 0) {
                AppendUtf8(out, character);
                at = semicolon + 1;
            } else {
                out.push_back(ch);
                ++at;
            }
        } else {
            out.push_back(ch);
            ++at;
        }
    }
    return out;
}

std::string_view TrimLines(std::string_view text) {
    const auto blank = [](char ch) { return ch == '\n' || ch == '\r' || ch == ' ' || ch == '\t'; };
    while (!text.empty() && (text.front() == '\n' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace lexaro::foreign
