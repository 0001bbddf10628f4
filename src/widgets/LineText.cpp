#include "widgets/LineText.h"

#include <string>

namespace lexaro {

namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;
};

constexpr char32_t kReplacement = 0xFFFD;

CodePoint DecodeAt(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return {kReplacement, 1};
    }
    if (bytes.size() - at < length) {
        return {kReplacement, 1};
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80) {
            return {kReplacement, 1};
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {kReplacement, 1};
    }
    return {value, length};
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
