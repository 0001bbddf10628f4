#include "widgets/LineText.h"

#include "table/TextEncoding.h"

#include <string>

namespace lexaro {

namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;
};

constexpr char32_t kReplacement = 0xFFFD;

CodePoint DecodeAt(std::string_view bytes, std::size_t at) {
    const DecodedChar ch = DecodeUtf8(bytes, at);
    return ch.valid ? CodePoint{ch.code, ch.length} : CodePoint{kReplacement, 1};
}

int UnitsOf(char32_t value) {
    return value >= 0x10000 ? 2 : 1;
}

// Characters that would break the one-line layout or show nothing get a visible stand-in of one unit.
char32_t Shown(char32_t value) {
    if ((value < 0x20 && value != '\t') || value == 0x7F) {
        return value == 0x7F ? 0x2421 : 0x2400 + value;
    }
    if (value == 0x2028) {
        return 0x21B5;
    }
    if (value == 0x2029) {
        return 0xB6;
    }
    return value;
}

} // namespace

QString DisplayText(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        const CodePoint point = DecodeAt(bytes, at);
        const char32_t shown = Shown(point.value);
        if (shown >= 0x10000) {
            const char32_t high = ((shown - 0x10000) >> 10) + 0xD800;
            const char32_t low = ((shown - 0x10000) & 0x3FF) + 0xDC00;
            text += QChar(static_cast<char16_t>(high));
            text += QChar(static_cast<char16_t>(low));
        } else {
            text += QChar(static_cast<char16_t>(shown));
        }
        at += point.length;
    }
    return text;
}

int UnitOfByte(std::string_view bytes, std::size_t column) {
    int unit = 0;
    for (std::size_t at = 0; at < column && at < bytes.size();) {
        const CodePoint point = DecodeAt(bytes, at);
        unit += UnitsOf(point.value);
        at += point.length;
    }
    return unit;
}

std::size_t ByteOfUnit(std::string_view bytes, int unit) {
    std::size_t at = 0;
    for (int passed = 0; passed < unit && at < bytes.size();) {
        const CodePoint point = DecodeAt(bytes, at);
        passed += UnitsOf(point.value);
        at += point.length;
    }
    return at;
}

std::string NormaliseLineEnds(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r') {
            lines += '\n';
            if (at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
        } else {
            lines += text[at];
        }
    }
    return lines;
}

} // namespace lexaro
