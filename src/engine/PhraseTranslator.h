#pragma once

#include "table/ClassTable.h"

#include <functional>
#include <string>
#include <string_view>

namespace lexaro {

// Translates a text word by word with a dictionary table: each token is looked up under match modes 0 up to the
// level, and the found cell of the translation column takes its place. Works one token per step, so that a window
// can show progress; a word that occurs again in the same text is taken from the word cache.
class PhraseTranslator {
public:
    // The dictionary is not owned and must outlive the translator.
    explicit PhraseTranslator(ClassTable& dictionary);

    // Starts a new text: splits it into tokens and empties the output and the word cache. The options stay.
    void SetText(std::string_view text);
    // Handles the next token; false (and nothing done) when the text is empty or every token is done.
    bool TranslateStep();
    // Runs the remaining steps. progress(done, total) is called each time more than total / 20 steps have passed
    // since the last call.
    const std::string& TranslateAll(const std::function<void(int done, int total)>& progress = {});

    const std::string& Output() const { return m_Output; }
    const std::string& Source() const { return m_Source; }
    int TokenCount() const { return m_Tokens.RowCount(); }
    // Index of the token the next step handles, which is also the number of steps done.
    int NextToken() const { return m_NextToken; }
    const ClassTable& Tokens() const { return m_Tokens; }
    // Column 0: a token that was looked up; column 1: the text used for it.
    const ClassTable& WordCache() const { return m_WordCache; }

    // Options; set after SetText and before the first step.
    int SearchColumn() const { return m_SearchColumn; }
    void SetSearchColumn(int column) { m_SearchColumn = column; }
    int TranslationColumn() const { return m_TranslationColumn; }
    void SetTranslationColumn(int column) { m_TranslationColumn = column; }
    // Looks tokens up in the explanations and replaces them by terms (or back to the usual direction).
    void SetSwapColumns(bool swap);
    // Highest match mode tried; 0 exact, 1 ignoring case, 2 beginning of a word, 3 whole word, 4 substring.
    int Level() const { return m_Level; }
    void SetLevel(int level) { m_Level = level; }
    bool ShowOriginWords() const { return m_ShowOriginWords; }
    void SetShowOriginWords(bool on) { m_ShowOriginWords = on; }
    bool ShowPossibleTranslations() const { return m_ShowPossibleTranslations; }
    void SetShowPossibleTranslations(bool on) { m_ShowPossibleTranslations = on; }
    bool LineFeedAfterWord() const { return m_LineFeedAfterWord; }
    void SetLineFeedAfterWord(bool on) { m_LineFeedAfterWord = on; }

    // Fills the token table: every break byte is a token of its own, a semicolon only ends the word before it,
    // and the pieces between are tokens too (empty ones included).
    void SplitTokens(std::string_view text);
    // Appends the translation t of the source word w to the output, as the options ask.
    void FormatToken(std::string_view t, std::string_view w, bool translated);

    // Breaks between words. NUL only splits; it is not passed through or dropped like the others.
    static bool IsSplitByte(char byte);
    static bool IsBreakByte(char byte);

private:
    // The first row from start that matches the word under modes 0 up to the level, or -1.
    int FindWord(std::string_view word, int start);
    std::string TranslateWord(std::string_view word, bool& translated);

    ClassTable m_Tokens;
    ClassTable m_WordCache;
    ClassTable& m_Dictionary;
    std::string m_Source;
    std::string m_Output;
    int m_SearchColumn = 0;
    int m_TranslationColumn = 1;
    int m_NextToken = 0;
    int m_Level = 1;
    bool m_ShowOriginWords = false;
    bool m_ShowPossibleTranslations = false;
    bool m_LineFeedAfterWord = false;
};

} // namespace lexaro
