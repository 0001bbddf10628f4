#include "engine/PhraseTranslator.h"

#include <algorithm>

namespace lexaro {

namespace {

// After the first find, this many further candidates are listed at most.
constexpr int kMaxFurtherCandidates = 11;
// Modes above the last one compare exactly, like mode 0: trying them again could never find anything new.
constexpr int kHighestMatchMode = kMatchEndsWith;

} // namespace

PhraseTranslator::PhraseTranslator(ClassTable& dictionary) : m_Dictionary(dictionary) {
    m_Tokens.Resize(1, 0);
    m_WordCache.Resize(2, 0);
}

bool PhraseTranslator::IsBreakByte(char byte) {
    switch (byte) {
    case ' ':
    case ',':
    case ':':
    case '.':
    case '\r':
    case '\n':
    case '(':
    case ')':
    case '/':
        return true;
    default:
        return false;
    }
}

bool PhraseTranslator::IsSplitByte(char byte) {
    return byte == '\0' || IsBreakByte(byte);
}

void PhraseTranslator::SetSwapColumns(bool swap) {
    m_SearchColumn = swap ? 1 : 0;
    m_TranslationColumn = swap ? 0 : 1;
}

void PhraseTranslator::SetText(std::string_view text) {
    m_Source.assign(text);
    m_Output.clear();
    m_NextToken = 0;
    SplitTokens(text);
    m_WordCache.Clear(true);
    m_WordCache.Resize(2, 0);
}

void PhraseTranslator::SplitTokens(std::string_view text) {
    m_Tokens.Clear(true);
    m_Tokens.Resize(1, 0);
    auto append = [this](std::string_view piece) {
        const int row = m_Tokens.RowCount();
        m_Tokens.AddRows(1);
        m_Tokens.SetCell(0, row, piece);
    };
    // A break byte stands alone between two cuts; a semicolon is a cut and nothing else.
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == ';') {
            append(text.substr(pieceStart, i - pieceStart));
            pieceStart = i + 1;
        } else if (IsSplitByte(byte)) {
            append(text.substr(pieceStart, i - pieceStart));
            append(text.substr(i, 1));
            pieceStart = i + 1;
        }
    }
    append(text.substr(pieceStart));
}

bool PhraseTranslator::TranslateStep() {
    if (m_Source.empty() || m_NextToken >= m_Tokens.RowCount()) {
        return false;
    }
    const std::string word = m_Tokens.PeekCell(0, m_NextToken);
    ++m_NextToken;
    if (word.empty() || (word.size() == 1 && IsBreakByte(word[0]))) {
        FormatToken(word, word, false);
        return true;
    }
    const int cached = m_WordCache.FindRow(0, 0, word, kMatchExact);
    if (cached != -1) {
        FormatToken(m_WordCache.PeekCell(1, cached), word, true);
        return true;
    }
    bool translated = false;
    const std::string translation = TranslateWord(word, translated);
    FormatToken(translation, word, translated);
    // Words that were not found are cached too, with themselves as translation.
    const int row = m_WordCache.RowCount();
    m_WordCache.AddRows(1);
    m_WordCache.SetCell(0, row, word);
    m_WordCache.SetCell(1, row, translation);
    return true;
}

const std::string& PhraseTranslator::TranslateAll(const std::function<void(int done, int total)>& progress) {
    const int total = m_Tokens.RowCount();
    int reported = m_NextToken;
    while (TranslateStep()) {
        if (progress && m_NextToken - reported > total / 20) {
            progress(m_NextToken, total);
            reported = m_NextToken;
        }
    }
    return m_Output;
}

int PhraseTranslator::FindWord(std::string_view word, int start) {
    const int highest = std::min(m_Level, kHighestMatchMode);
    for (int mode = 0; mode <= highest; ++mode) {
        const int row = m_Dictionary.FindRow(m_SearchColumn, start, word, mode);
        if (row != -1) {
            return row;
        }
    }
    return -1;
}

std::string PhraseTranslator::TranslateWord(std::string_view word, bool& translated) {
    const int first = FindWord(word, 0);
    if (first == -1) {
        translated = false;
        return std::string(word);
    }
    translated = true;
    std::string translation = m_Dictionary.GetCell(m_TranslationColumn, first);
    if (!m_ShowPossibleTranslations) {
        return translation;
    }
    int listed = 0;
    for (int start = first + 1; listed < kMaxFurtherCandidates;) {
        const int row = FindWord(word, start);
        if (row == -1) {
            break;
        }
        translation += listed == 0 ? " { " : " | ";
        translation += m_Dictionary.GetCell(m_TranslationColumn, row);
        start = row + 1;
        ++listed;
    }
    if (listed > 0) {
        translation += " }";
    }
    return translation;
}

void PhraseTranslator::FormatToken(std::string_view t, std::string_view w, bool translated) {
    if (m_LineFeedAfterWord && t.size() == 1 && IsBreakByte(t[0])) {
        return;
    }
    m_Output += t;
    if (m_ShowOriginWords && translated) {
        m_Output += " [";
        m_Output += w;
        m_Output += "] ";
    }
    if (m_LineFeedAfterWord && !t.empty()) {
        m_Output += "\r\n";
    }
}

} // namespace lexaro
