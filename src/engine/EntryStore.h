#pragma once

#include "engine/Clock.h"
#include "table/ClassTable.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexaro {

class Clipboard;
class DictionaryCache;

// Columns of the entry table.
inline constexpr int kTermColumn = 0;
inline constexpr int kExplanationColumn = 1;
inline constexpr int kDateColumn = 2;
inline constexpr int kEntryColumns = 3;

// Columns of the undo log: the entry's three cells as logged, then its row, the operation and the group.
inline constexpr int kLogRowColumn = 3;
inline constexpr int kLogOperationColumn = 4;
inline constexpr int kLogGroupColumn = 5;
inline constexpr int kUndoLogColumns = 6;

// Operations recorded in the undo log.
inline constexpr int kUndoAdd = 0;
inline constexpr int kUndoDelete = 1;
inline constexpr int kUndoModify = 2;

// Explanation markup: an additional part holding positive and negative examples. Matched as exact bytes.
inline constexpr std::string_view kAdditionalOpen = "<add_exp>";
inline constexpr std::string_view kAdditionalClose = "</add_exp>";
inline constexpr std::string_view kPositiveOpen = "<exp_pos>";
inline constexpr std::string_view kPositiveClose = "</exp_pos>";
inline constexpr std::string_view kNegativeOpen = "<exp_neg>";
inline constexpr std::string_view kNegativeClose = "</exp_neg>";

// A search lists at most this many hits, whatever the limit setting says.
inline constexpr int kSearchHitCap = 500;

// How the last look-up's result text is made up, so that an edit of it can be taken back to the entry it shows.
struct LookupShape {
    // Hits listed from the open dictionary, and whether they were found in the terms (their headings are terms)
    // rather than in the explanations.
    int ownHits = 0;
    bool ownInTerms = false;
    // The text was translated word by word instead of looked up.
    bool phrase = false;
    // Hits listed from the additional dictionaries.
    int additionalHits = 0;
    // Bytes of the result text that belong to the open dictionary; the additional dictionaries' part follows.
    std::size_t ownLength = 0;
};

// "%04i-%02i-%02i %02i:%02d:%02d", for example 2007-03-05 09:04:01.
std::string FormatDateStamp(const LocalTime& time);

// The dictionary engine: the entry table (term, explanation, date stamp), the settings that govern adding,
// deleting and searching, and the undo log. Every change to entries goes through it so that the log and the
// date stamps stay consistent.
class EntryStore {
public:
    // Without a clock the machine's local time is used.
    explicit EntryStore(std::shared_ptr<const Clock> clock = nullptr);

    ClassTable& Entries() { return m_Entries; }
    const ClassTable& Entries() const { return m_Entries; }
    ClassTable& UndoLog() { return m_UndoLog; }
    const ClassTable& UndoLog() const { return m_UndoLog; }

    // The entry the main window shows and that Modify, Delete, Cut, Copy and Paste act on; -1 for none.
    int CurrentRow() const { return m_CurrentRow; }
    void SetCurrentRow(int row) { m_CurrentRow = row < -1 ? -1 : row; }

    int MaxResults() const { return m_MaxResults; }
    void SetMaxResults(int count) { m_MaxResults = count; }
    int ResultCount() const { return m_ResultCount; }
    void SetResultCount(int count) { m_ResultCount = count; }
    const std::string& ResultText() const { return m_ResultText; }
    void SetResultText(std::string text) { m_ResultText = std::move(text); }
    int UndoGroup() const { return m_UndoGroup; }
    const LookupShape& LastLookup() const { return m_LastLookup; }
    // True for a text the search reads as a pattern: it holds the wildcard or is enclosed in the translate
    // character. Such a text is never stored as a term from the term box.
    bool IsSearchPattern(std::string_view text) const;

    bool SearchSubstring() const { return m_SearchSubstring; }
    void SetSearchSubstring(bool on) { m_SearchSubstring = on; }
    bool SearchViceVersa() const { return m_SearchViceVersa; }
    void SetSearchViceVersa(bool on) { m_SearchViceVersa = on; }
    bool MultiDelete() const { return m_MultiDelete; }
    void SetMultiDelete(bool on) { m_MultiDelete = on; }
    bool DoAutoAdd() const { return m_DoAutoAdd; }
    void SetDoAutoAdd(bool on) { m_DoAutoAdd = on; }
    bool NoMultiTerms() const { return m_NoMultiTerms; }
    void SetNoMultiTerms(bool on) { m_NoMultiTerms = on; }
    bool LimitMaxResults() const { return m_LimitMaxResults; }
    void SetLimitMaxResults(bool on) { m_LimitMaxResults = on; }

    // Put between an existing explanation and a merged one.
    const std::string& Separator() const { return m_Separator; }
    void SetSeparator(std::string_view separator) { m_Separator = separator; }
    // A search text enclosed in the first byte of this is translated as a phrase; empty turns that off.
    const std::string& TranslateChar() const { return m_TranslateChar; }
    void SetTranslateChar(std::string_view text) { m_TranslateChar = text; }
    // Search wildcard; empty turns wildcard matching off.
    const std::string& Wildcard() const { return m_Wildcard; }
    void SetWildcard(std::string_view wildcard) { m_Wildcard = wildcard; }

    // Fixed texts from which the search builds its result text.
    static std::string_view RuleLine() { return "-------------------------"; }
    static std::string_view HitOpen() { return "["; }
    static std::string_view HitClose() { return "]"; }
    static std::string_view DictionaryOpen() { return "<<"; }
    static std::string_view DictionaryClose() { return ">>"; }

    // Name of the private clipboard format under which the entry clipboard exchange offers one entry.
    static std::string ClipboardFormatName() { return "CLIP_LEXARO"; }

    // Puts the entry at row on the clipboard under ClipboardFormatName(); with cut the entry is then deleted
    // (and can be undone). False, clipboard untouched, when there is no such entry.
    bool CopyEntry(Clipboard& clipboard, int row, bool cut);
    // Inserts the entry from the clipboard after row - 1 (appended when row is at the end), renaming its term
    // to "term (n)" when the term exists. It keeps its date. False, dictionary unchanged, when the clipboard
    // holds no readable entry.
    bool PasteEntry(Clipboard& clipboard, int row);

    // The current local time as a date stamp.
    std::string DateStamp() const;

    // Adds the entry, or merges into / replaces an existing one with the same term. The row, or -1 when the
    // table could not take a new row.
    int StoreEntry(std::string_view term, std::string_view explanation);
    // Changes the current entry (renaming it to the term), or the entry with exactly this term; adds the entry
    // when there is neither.
    int ModifyEntry(std::string_view term, std::string_view explanation);
    // Removes the first entry with the term (ignoring ASCII case), or all of them with MultiDelete.
    void DeleteEntries(std::string_view term);
    // StoreEntry when the term does not exist yet; -1 when it does and nothing was added.
    int AddIfNew(std::string_view term, std::string_view explanation);

    // One search pass over one table (this store's or another dictionary's): appends every hit, "[" key "]" and
    // the shown cell, to the result text, up to the result limit. A text enclosed in the translate character is
    // translated word by word instead; the wildcard makes the pass a prefix, suffix or infix match. True when
    // something was found.
    bool SearchTable(std::string_view text, ClassTable& table, bool partial, int searchColumn, int shownColumn);
    // Exact terms, exact explanations (vice versa), terms containing the text (substring), explanations containing
    // it (both); stops at the first pass that finds something.
    bool SearchPasses(std::string_view text, ClassTable& table, bool substring);
    // The whole search: the entries first, then, with additional on, every dictionary of the list (column 0 of each
    // row holds a path) under a "<<" file name ">>" heading, followed by notFound where it has no hit. A
    // dictionary that cannot be loaded is skipped; one that was read before is read again only when its file changed.
    // Afterwards ResultCount is the number of hits in all of them. True if anything was found.
    bool Lookup(std::string_view text, bool substring, bool additional, const ClassTable& dictionaries,
                std::string_view notFound, std::string& out);
    bool Lookup(std::string_view text, bool substring, bool additional,
                const std::vector<std::filesystem::path>& dictionaries, std::string_view notFound, std::string& out);

    // Makes the entries equal to the first three columns of replacement. Every row that changes, goes or comes is
    // logged, so that one Undo brings the old entries back; rows equal at the same place are left alone. Returns
    // the number of rows changed, removed or added.
    int ReplaceEntries(const ClassTable& replacement);

    // Reverts every logged change of the group, newest first; true if there was at least one.
    bool UndoChanges(int group);
    // Appends one undo log row describing the entry at row as it is now. False if the log cannot grow.
    bool LogChange(int row, int operation, int group);
    // Forgets every logged change.
    void ClearUndoLog();
    // To be called whenever the entry table was replaced by another dictionary (loaded, created, imported):
    // the logged changes belong to the old one and must never be applied to the new entries.
    void DictionaryReplaced();

    int PreviousEntry();
    int NextEntry();
    bool SortEntries(int column, bool ascending);
    void SwapColumns();

    // The explanation without its additional part.
    static std::string MainExplanation(std::string_view text);
    std::string MainCell(int column, int row);
    // True when the text has an additional part with at least one complete positive or negative example.
    static bool HasExampleBlock(std::string_view text);
    // The explanation as plain text for other dictionary programs: the main explanation, then each positive
    // example on a line of its own after "+ " and each negative one after "- ".
    static std::string ExplanationLines(std::string_view text);
    // Fills target (one column) with the positive or the negative examples of the text.
    static bool ExtractExamples(std::string_view text, bool positive, ClassTable& target);

    // "length ('text')" of the longest and the shortest term and explanation, found in one pass.
    struct Extremes {
        std::string longestTerm;
        std::string shortestTerm;
        std::string longestExplanation;
        std::string shortestExplanation;
    };
    Extremes FindExtremes();
    std::string LongestTerm() { return FindExtremes().longestTerm; }
    std::string ShortestTerm() { return FindExtremes().shortestTerm; }
    std::string LongestExplanation() { return FindExtremes().longestExplanation; }
    std::string ShortestExplanation() { return FindExtremes().shortestExplanation; }

    // Writes every entry as separated text without additional parts. False leaves any old file as it was.
    bool ExportPlainText(const std::filesystem::path& path);

private:
    std::string UniqueTerm(const std::string& term);
    int AppendEntry(std::string_view term, std::string_view explanation, std::string_view stamp);
    void EnsureEntryColumns();
    bool AppendLogRow(std::string_view term, std::string_view explanation, std::string_view date, int row,
                      int operation, int group);
    void RevertLogRow(int logRow);
    void WriteLoggedCells(int logRow, int row);
    // Keep CurrentRow on the same entry while rows move; -1 once that entry is gone.
    void RowRemoved(int row);
    void RowInserted(int row);
    bool TranslatePhrase(std::string_view phrase, ClassTable& table);

    std::shared_ptr<const Clock> m_Clock;
    // Shared by copies of the store: it only holds what the files say.
    std::shared_ptr<DictionaryCache> m_Additional;
    ClassTable m_Entries;
    int m_CurrentRow = 0;
    int m_MaxResults = 50;
    int m_ResultCount = 0;
    int m_UndoGroup = 0;
    bool m_SearchSubstring = true;
    bool m_SearchViceVersa = true;
    bool m_MultiDelete = false;
    bool m_DoAutoAdd = false;
    bool m_NoMultiTerms = true;
    bool m_LimitMaxResults = false;
    std::string m_Separator = ", ";
    std::string m_TranslateChar = "\"";
    std::string m_Wildcard = "*";
    std::string m_ResultText;
    LookupShape m_LastLookup;
    ClassTable m_UndoLog;
};

} // namespace lexaro
