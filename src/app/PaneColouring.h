#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// Which colour a passage of the explanation pane gets.
enum class PaneColour { Colour1, Colour2, Number, String, Keyword, Constant };

// The colouring rules of the explanation pane. An empty delimiter or starter switches its rule off.
// Word lists are separated by blanks; keyword forms give, position by position, the form in which a
// found keyword is shown.
struct PaneColouring {
    std::u16string comment1;
    std::u16string comment2;
    std::u16string pair1Start;
    std::u16string pair1End;
    std::u16string pair2Start;
    std::u16string pair2End;
    std::u16string stringDelimiters;
    std::u16string keywords;
    std::u16string keywordForms;
    std::u16string constants;
    bool caseSensitive = false;
};

// A coloured passage, in UTF-16 code units of the scanned text. For a keyword whose listed form
// differs from the text, `form` holds the text that replaces the passage; it is empty otherwise.
struct PanePassage {
    std::size_t start = 0;
    std::size_t length = 0;
    PaneColour colour = PaneColour::Colour1;
    std::u16string form;

    bool operator==(const PanePassage&) const = default;
};

// Scans the text once from left to right and returns its coloured passages in order; everything
// between them is plain. At each position the first rule that matches wins: a line comment, pair 1,
// pair 2, a string, a number, a word (coloured only when it is a keyword or a constant), any other
// character. A pair or string that is never closed runs to the end of the text.
std::vector<PanePassage> ColourPassages(std::u16string_view text, const PaneColouring& rules);

} // namespace lexaro
