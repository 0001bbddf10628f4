#include "table/InitFileDocument.h"

#include <climits>
#include <vector>

namespace lexaro {

namespace {

// Forward substring search that stays linear in the text for any needle. Keys are short, but the closing
// root tag is built from the file itself and may be as long as the file; a plain search would compare it
// again at every candidate position.
class Finder {
public:
    explicit Finder(std::string_view needle) : m_Needle(needle) {
        if (m_Needle.size() <= kShortNeedle) {
            return;
        }
        m_Border.assign(m_Needle.size(), 0);
        std::size_t k = 0;
        for (std::size_t i = 1; i < m_Needle.size(); ++i) {
            while (k > 0 && m_Needle[i] != m_Needle[k]) {
                k = m_Border[k - 1];
            }
            if (m_Needle[i] == m_Needle[k]) {
                ++k;
            }
            m_Border[i] = k;
        }
    }

    std::size_t Find(std::string_view text, std::size_t from) const {
        if (m_Border.empty()) {
            return text.find(m_Needle, from);
        }
        std::size_t k = 0;
        for (std::size_t i = from; i < text.size(); ++i) {
            while (k > 0 && text[i] != m_Needle[k]) {
                k = m_Border[k - 1];
            }
            if (text[i] == m_Needle[k]) {
                ++k;
            }
            if (k == m_Needle.size()) {
                return i + 1 - k;
            }
        }
        return std::string_view::npos;
    }

private:
    static constexpr std::size_t kShortNeedle = 64;
    std::string_view m_Needle;
    std::vector<std::size_t> m_Border;
};

bool IsKeyByte(char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '_' || byte == '.' || byte == '-';
}

bool IsCBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
}

// strtol(text, base 10) with the result limited to the int range: blanks, an optional sign, then digits.
int ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : static_cast<long long>(INT_MAX);
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude < limit) {
            magnitude = magnitude * 10 + (text[i] - '0');
            if (magnitude > limit) {
                magnitude = limit;
            }
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

bool InitFileDocument::ParseText(std::string_view text) {
    if (m_Form != InitFileForm::Element) {
        m_Body.assign(text);
        m_Cursor = 0;
        return true;
    }
    const std::size_t declarationEnd = text.find("?>");
    const std::size_t rootOpen =
        declarationEnd == std::string_view::npos ? declarationEnd : text.find('<', declarationEnd);
    const std::size_t rootOpenEnd = rootOpen == std::string_view::npos ? rootOpen : text.find('>', rootOpen);
    if (rootOpenEnd == std::string_view::npos) {
        SetRoot(kInitFileRoot);
        return false;
    }
    SetRoot(text.substr(rootOpen + 1, rootOpenEnd - rootOpen - 1));

    std::size_t bodyStart = rootOpenEnd + 1;
    if (bodyStart < text.size() && text[bodyStart] == '\r') {
        ++bodyStart;
    }
    if (bodyStart < text.size() && text[bodyStart] == '\n') {
        ++bodyStart;
    }
    const std::string closing = "</" + m_Root + ">";
    const std::size_t bodyEnd = Finder(closing).Find(text, bodyStart);
    if (bodyEnd == std::string_view::npos) {
        return false;
    }
    m_Body.assign(text.substr(bodyStart, bodyEnd - bodyStart));
    m_Cursor = 0;
    return true;
}

std::string InitFileDocument::GetValue(std::size_t start, std::string_view key) {
    if (start > m_Body.size()) {
        return {};
    }
    std::string open;
    std::string close;
    if (m_Form == InitFileForm::Element) {
        open.append("<").append(key).append(">");
        close.append("</").append(key).append(">");
    } else {
        open.append(key).append("=\"");
        close = "\"";
    }
    const Finder openFinder(open);
    std::size_t at = start;
    for (;;) {
        at = openFinder.Find(m_Body, at);
        if (at == std::string::npos) {
            return {};
        }
        // In pair form a key only counts where it is not the tail of a longer key ("Text" inside
        // "m_Text"). Element tags carry their own "<" and cannot match that way.
        if (m_Form == InitFileForm::Element || at == 0 || !IsKeyByte(m_Body[at - 1])) {
            break;
        }
        ++at;
    }
    const std::size_t valueStart = at + open.size();
    const std::size_t valueEnd = Finder(close).Find(m_Body, valueStart);
    if (valueEnd == std::string::npos) {
        return {};
    }
    m_Cursor = valueEnd + close.size();
    return m_Body.substr(valueStart, valueEnd - valueStart);
}

std::string InitFileDocument::GetValueNext(std::string_view key) {
    return GetValue(m_Cursor, key);
}

std::string InitFileDocument::GetString(std::string_view key, std::string_view defaultValue) {
    std::string value = GetValue(0, key);
    if (value.empty()) {
        return std::string(defaultValue);
    }
    return value;
}

int InitFileDocument::GetInt(std::string_view key, int defaultValue) {
    const std::string value = GetValue(0, key);
    return value.empty() ? defaultValue : ParseLeadingInt(value);
}

bool InitFileDocument::GetBool(std::string_view key, bool defaultValue) {
    const std::string value = GetValue(0, key);
    return value.empty() ? defaultValue : ParseLeadingInt(value) == 1;
}

} // namespace lexaro
