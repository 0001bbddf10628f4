#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// A link found in the explanation pane's text, in UTF-16 code units.
struct PaneLink {
    std::size_t start = 0;
    std::size_t length = 0;

    bool operator==(const PaneLink&) const = default;
};

// Finds the links of a text in one pass: a scheme such as "http://", "https://", "ftp://", "file://"
// or "mailto:", or "www.", at the start of a word, followed by at least one character. A link ends at
// a blank, a control character or one of < > " [ ] { } | \ ^ `; trailing full stops, commas, colons,
// semicolons, question and exclamation marks, quotes and unbalanced closing brackets are left out.
std::vector<PaneLink> FindLinks(std::u16string_view text);

// The term of a cross reference: a link "file://e=" followed by a term names a term of the dictionary.
std::optional<std::u16string> CrossReferenceTerm(std::u16string_view link);

// What to hand to the default handler for a link: the link itself, with "http://" before a "www."
// link, which names no scheme of its own.
std::u16string LinkTarget(std::u16string_view link);

} // namespace lexaro
