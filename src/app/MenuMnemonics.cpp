#include "app/MenuMnemonics.h"

#include <algorithm>
#include <optional>

namespace lexaro {

namespace {

// Case is folded for ASCII and the Latin-1 letters, which covers the shipped languages' titles.
char16_t Folded(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    return c;
}

// Letters and digits; every character beyond Latin-1's punctuation counts as a letter (surrogate halves
// excepted: a mnemonic is one UTF-16 unit).
bool IsLetterOrDigit(char16_t c) {
    if (c < 0x80) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    }
    return c >= 0xC0 && c != 0xD7 && c != 0xF7 && (c < 0xD800 || c > 0xDFFF);
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'&';
}

std::optional<std::size_t> FreePosition(const std::u16string& title, const std::u16string& taken, bool lettersOnly) {
    for (std::size_t i = 0; i < title.size(); ++i) {
        const char16_t c = title[i];
        if (IsBlank(c) || (lettersOnly && !IsLetterOrDigit(c))) {
            continue;
        }
        if (taken.find(Folded(c)) == std::u16string::npos) {
            return i;
        }
    }
    return std::nullopt;
}

bool HasLetterOrDigit(const std::u16string& title) {
    return std::any_of(title.begin(), title.end(), IsLetterOrDigit);
}

} // namespace

std::vector<std::u16string> MarkMnemonics(const std::vector<std::u16string>& titles) {
    std::vector<std::u16string> marked;
    std::u16string taken;
    for (const std::u16string& title : titles) {
        const std::optional<std::size_t> at = FreePosition(title, taken, HasLetterOrDigit(title));
        std::u16string text;
        for (std::size_t i = 0; i < title.size(); ++i) {
            if (at && i == *at) {
                text += u'&';
                taken += Folded(title[i]);
            }
            text += title[i];
            if (title[i] == u'&') {
                text += u'&';
            }
        }
        marked.push_back(text);
    }
    return marked;
}

} // namespace lexaro
