#include "app/PaneColouring.h"

#include <unordered_map>
#include <unordered_set>

namespace lexaro {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Letters outside ASCII are taken broadly: any code unit from U+0080 up that is not one of the common
// blanks, punctuation marks or symbols. Surrogates count as letters, so a pair is never split.
bool IsLetter(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
        return true;
    }
    if (c < 0x80) {
        return false;
    }
    if (c <= 0xBF) {
        return c == 0xAA || c == 0xB5 || c == 0xBA;
    }
    if (c == 0xD7 || c == 0xF7) {
        return false;
    }
    return !(c >= 0x2000 && c <= 0x206F) && !(c >= 0x3000 && c <= 0x303F) && !(c >= 0xFF00 && c <= 0xFF0F);
}

bool IsWordStart(char16_t c) {
    return c == u'_' || IsLetter(c);
}
bool IsWordPart(char16_t c) {
    return IsWordStart(c) || IsDigit(c);
}

std::u16string AsciiLower(std::u16string_view word) {
    std::u16string lower(word);
    for (auto& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return lower;
}

std::vector<std::u16string_view> SplitWords(std::u16string_view list) {
    std::vector<std::u16string_view> words;
    std::size_t pos = 0;
    while (pos < list.size()) {
        while (pos < list.size() && (list[pos] == u' ' || list[pos] == u'\t')) {
            ++pos;
        }
        const auto start = pos;
        while (pos < list.size() && list[pos] != u' ' && list[pos] != u'\t') {
            ++pos;
        }
        if (pos > start) {
            words.push_back(list.substr(start, pos - start));
        }
    }
    return words;
}

class Scanner {
public:
    Scanner(std::u16string_view text, const PaneColouring& rules) : m_Text(text), m_Rules(rules) {
        const auto keywords = SplitWords(rules.keywords);
        const auto forms = SplitWords(rules.keywordForms);
        for (std::size_t i = 0; i < keywords.size(); ++i) {
            m_Keywords.emplace(Key(keywords[i]), i < forms.size() ? forms[i] : keywords[i]);
        }
        for (const auto word : SplitWords(rules.constants)) {
            m_Constants.insert(Key(word));
        }
    }

    std::vector<PanePassage> Run() {
        std::size_t pos = 0;
        while (pos < m_Text.size()) {
            pos = Step(pos);
        }
        return std::move(m_Passages);
    }

private:
    std::u16string Key(std::u16string_view word) const {
        return m_Rules.caseSensitive ? std::u16string(word) : AsciiLower(word);
    }

    bool StartsAt(std::size_t pos, const std::u16string& delimiter) const {
        return !delimiter.empty() && m_Text.substr(pos).starts_with(delimiter);
    }

    void Add(std::size_t start, std::size_t end, PaneColour colour, std::u16string form = {}) {
        m_Passages.push_back({start, end - start, colour, std::move(form)});
    }

    // Colours the passage from a start delimiter through the next end delimiter; returns its end.
    std::size_t Pair(std::size_t pos, const std::u16string& start, const std::u16string& end, PaneColour colour) {
        const auto found = m_Text.find(end, pos + start.size());
        const auto stop = found == std::u16string_view::npos ? m_Text.size() : found + end.size();
        Add(pos, stop, colour);
        return stop;
    }

    std::size_t Step(std::size_t pos) {
        for (const auto* starter : {&m_Rules.comment1, &m_Rules.comment2}) {
            if (StartsAt(pos, *starter)) {
                const auto found = m_Text.find_first_of(u"\r\n", pos + starter->size());
                const auto stop = found == std::u16string_view::npos ? m_Text.size() : found;
                Add(pos, stop, PaneColour::Colour1);
                return stop;
            }
        }
        if (StartsAt(pos, m_Rules.pair1Start)) {
            return Pair(pos, m_Rules.pair1Start, m_Rules.pair1End, PaneColour::Colour1);
        }
        if (StartsAt(pos, m_Rules.pair2Start)) {
            return Pair(pos, m_Rules.pair2Start, m_Rules.pair2End, PaneColour::Colour2);
        }
        const char16_t c = m_Text[pos];
        if (m_Rules.stringDelimiters.find(c) != std::u16string::npos) {
            return String(pos);
        }
        if (IsDigit(c)) {
            return Number(pos);
        }
        if (IsWordStart(c)) {
            return Word(pos);
        }
        return pos + 1;
    }

    std::size_t String(std::size_t pos) {
        const char16_t quote = m_Text[pos];
        auto stop = m_Text.size();
        for (auto i = pos + 1; i < m_Text.size(); ++i) {
            if (m_Text[i] == quote && m_Text[i - 1] != u'\\') {
                stop = i + 1;
                break;
            }
        }
        Add(pos, stop, PaneColour::String);
        return stop;
    }

    std::size_t Digits(std::size_t pos) const {
        while (pos < m_Text.size() && IsDigit(m_Text[pos])) {
            ++pos;
        }
        return pos;
    }

    // As much as reads as a decimal floating-point number: digits, a fraction, an exponent.
    std::size_t Number(std::size_t pos) {
        auto stop = Digits(pos);
        if (stop < m_Text.size() && m_Text[stop] == u'.') {
            stop = Digits(stop + 1);
        }
        if (stop < m_Text.size() && (m_Text[stop] == u'e' || m_Text[stop] == u'E')) {
            auto exponent = stop + 1;
            if (exponent < m_Text.size() && (m_Text[exponent] == u'+' || m_Text[exponent] == u'-')) {
                ++exponent;
            }
            if (exponent < m_Text.size() && IsDigit(m_Text[exponent])) {
                stop = Digits(exponent);
            }
        }
        Add(pos, stop, PaneColour::Number);
        return stop;
    }

    std::size_t Word(std::size_t pos) {
        auto stop = pos + 1;
        while (stop < m_Text.size() && IsWordPart(m_Text[stop])) {
            ++stop;
        }
        if (m_Keywords.empty() && m_Constants.empty()) {
            return stop;
        }
        const auto word = m_Text.substr(pos, stop - pos);
        const auto key = Key(word);
        if (const auto keyword = m_Keywords.find(key); keyword != m_Keywords.end()) {
            Add(pos, stop, PaneColour::Keyword, keyword->second == word ? std::u16string() : keyword->second);
        } else if (m_Constants.contains(key)) {
            Add(pos, stop, PaneColour::Constant);
        }
        return stop;
    }

    std::u16string_view m_Text;
    const PaneColouring& m_Rules;
    std::unordered_map<std::u16string, std::u16string> m_Keywords;
    std::unordered_set<std::u16string> m_Constants;
    std::vector<PanePassage> m_Passages;
};

} // namespace

std::vector<PanePassage> ColourPassages(std::u16string_view text, const PaneColouring& rules) {
    return Scanner(text, rules).Run();
}

} // namespace lexaro
