#include "app/OptionRules.h"

#include "app/SystemCodePage.h"
#include "table/AsciiFold.h"
#include "table/TextEncoding.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace lexaro {

int ReadDecimal(std::string_view text) {
    const std::string terminated(text);
    errno = 0;
    const long value = std::strtol(terminated.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::string CharsetText(int charset) {
    if (charset == 65001) {
        return std::string(kCharsetUtf8Text);
    }
    if (charset == -1) {
        return std::string(kCharsetSystemText);
    }
    return std::to_string(charset);
}

int CharsetFromText(std::string_view text) {
    if (EqualsFolded(text, "UTF-8") || EqualsFolded(text, "UTF8") || EqualsFolded(text, "UFT8")) {
        return 65001;
    }
    if (text == kCharsetSystemText) {
        return -1;
    }
    // Text that does not start with a number names no code page; as 0 it would silently mean the system's.
    const std::size_t start = text.find_first_not_of(" \t");
    const std::size_t digit =
        start != std::string_view::npos && (text[start] == '-' || text[start] == '+') ? start + 1 : start;
    if (digit >= text.size() || text[digit] < '0' || text[digit] > '9') {
        return kNoCharset;
    }
    return ReadDecimal(text);
}

bool IsUsableCharset(int charset) {
    return IsSystemCharset(charset) || IsCodePageSupported(charset);
}

} // namespace lexaro
