#include "app/PaneLinks.h"

#include <algorithm>
#include <array>

namespace lexaro {

namespace {

constexpr std::array<std::u16string_view, 10> kLinkStarts = {
    u"http://", u"https://",  u"ftp://",    u"file://", u"mailto:",
    u"news:",   u"telnet://", u"gopher://", u"nntp://", u"www.",
};

constexpr std::u16string_view kCrossReference = u"file://e=";

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsWordPart(char16_t c) {
    return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_';
}

bool EndsLink(char16_t c) {
    if (c <= 0x20 || (c >= 0x7F && c <= 0xA0) || (c >= 0x2000 && c <= 0x200B) || c == 0x2028 || c == 0x2029 ||
        c == 0x3000 || c == 0xFEFF) {
        return true;
    }
    return std::u16string_view(u"<>\"[]{}|\\^`").find(c) != std::u16string_view::npos;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

std::size_t LinkStartLength(std::u16string_view text) {
    for (const auto start : kLinkStarts) {
        if (StartsWithNoCase(text, start)) {
            return start.size();
        }
    }
    return 0;
}

// The end of a link whose body begins at `body`: the body runs to the next character that ends a link,
// without the punctuation that closes the sentence around it.
std::size_t LinkEnd(std::u16string_view text, std::size_t body) {
    auto end = body;
    std::ptrdiff_t open = 0;
    while (end < text.size() && !EndsLink(text[end])) {
        open += text[end] == u'(' ? 1 : text[end] == u')' ? -1 : 0;
        ++end;
    }
    while (end > body) {
        const char16_t last = text[end - 1];
        if (last == u')' && open < 0) {
            ++open;
        } else if (std::u16string_view(u".,:;!?'").find(last) == std::u16string_view::npos) {
            break;
        }
        --end;
    }
    return end;
}

} // namespace

std::vector<PaneLink> FindLinks(std::u16string_view text) {
    std::vector<PaneLink> links;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!IsAsciiLetter(text[pos]) || (pos > 0 && IsWordPart(text[pos - 1]))) {
            ++pos;
            continue;
        }
        const auto startLength = LinkStartLength(text.substr(pos));
        if (startLength == 0) {
            ++pos;
            continue;
        }
        const auto end = LinkEnd(text, pos + startLength);
        if (end > pos + startLength) {
            links.push_back({pos, end - pos});
        }
        pos = std::max(end, pos + startLength);
    }
    return links;
}

std::optional<std::u16string> CrossReferenceTerm(std::u16string_view link) {
    if (!link.starts_with(kCrossReference)) {
        return std::nullopt;
    }
    return std::u16string(link.substr(kCrossReference.size()));
}

std::u16string LinkTarget(std::u16string_view link) {
    if (StartsWithNoCase(link, u"www.")) {
        return u"http://" + std::u16string(link);
    }
    return std::u16string(link);
}

} // namespace lexaro
