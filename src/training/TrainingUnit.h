#pragma once

#include "table/ClassTable.h"
#include "training/RandomSource.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lexaro {

// Columns of a unit's table. Row 0 also carries the three counters, but only in the file: in memory the
// counter fields are what counts.
inline constexpr int kUnitEntryColumn = 0;
inline constexpr int kUnitMarkColumn = 1;
inline constexpr int kUnitAnsweredColumn = 2;
inline constexpr int kUnitWrongColumn = 3;
inline constexpr int kUnitCorrectColumn = 4;
inline constexpr int kUnitColumns = 5;

// The trailer row of a unit file: the marker in column 1, the dictionary's path (its UTF-8 form) in column 2
// and three option characters in column 3 (swap columns, both directions, random order; "1" or "0").
inline constexpr std::string_view kUnitMarker = "0xFFLXROFF";
inline constexpr int kTrailerPathColumn = 2;
inline constexpr int kTrailerOptionsColumn = 3;

// In random order a question is drawn again while it is answered; after this many redraws the first
// question is taken instead.
inline constexpr int kMaxRedraws = 120000;

// What LoadUnit found. The window decides what to do with it (see CheckDictionary in TrainingLists.h).
struct UnitLoadResult {
    // The file was read and its document understood.
    bool read = false;
    // The last row carried the unit marker; the options were taken from it and the row removed.
    bool marked = false;
    // The dictionary the unit was made from, as stored in the trailer; empty without one. Kept as the bytes
    // that were stored, so a path that is not valid UTF-8 still names the same file on this system.
    std::filesystem::path dictionary;
};

// A training unit: the dictionary entries chosen for training (by their row in the dictionary's entry
// table; no entry text is kept), the answer marks and counters of the quiz that runs on it, and its options.
//
// A mark is "" or "0" (open), "+" (right) or "-" (wrong). With both directions every entry is asked twice,
// term to explanation (question q = row) and explanation to term (question q = row + RowCount()), and its
// mark has two characters, one per direction, each " " or "0" (open), "+" or "-".
//
// The unit only reads the dictionary; it never touches its entry table. Entry rows that the dictionary does
// not have (any number a file may hold) are kept and read as empty entries by the quiz and the lists.
class TrainingUnit {
public:
    TrainingUnit();

    // The unit's own table (columns above). Read-only: every change goes through the operations below.
    const ClassTable& Entries() const { return m_Entries; }
    int RowCount() const { return m_Entries.RowCount(); }
    // The dictionary row that unit row r asks (whatever number the cell holds; 0 for a missing cell).
    int EntryRow(int unitRow) const { return m_Entries.GetCellInt(kUnitEntryColumn, unitRow); }
    std::string Mark(int unitRow) const { return m_Entries.PeekCell(kUnitMarkColumn, unitRow); }

    // The table's modified flag: set by marking and by adding or removing entries, cleared by saving.
    bool IsModified() const { return m_Entries.IsModified(); }
    void SetModified(bool modified) { m_Entries.SetModified(modified); }

    bool BothDirections() const { return m_BothDirections; }
    bool RandomOrder() const { return m_RandomOrder; }
    bool SwapColumns() const { return m_SwapColumns; }
    bool IgnoreCase() const { return m_IgnoreCase; }
    bool CountSubwords() const { return m_CountSubwords; }
    // Both directions and swap columns exclude each other: switching one on switches the other off.
    void SetBothDirections(bool on);
    void SetSwapColumns(bool on);
    void SetRandomOrder(bool on) { m_RandomOrder = on; }
    void SetIgnoreCase(bool on) { m_IgnoreCase = on; }
    void SetCountSubwords(bool on) { m_CountSubwords = on; }

    // Direction of the question on show: 0 = the term is asked, 1 = the explanation is asked.
    int Direction() const { return m_Direction; }
    int AnsweredCount() const { return m_AnsweredCount; }
    int CorrectCount() const { return m_CorrectCount; }
    int WrongCount() const { return m_WrongCount; }
    // The question on show. The quiz places it before the first open question (it may be -1) so that the
    // first NextQuestion lands on that question.
    int CurrentIndex() const { return m_CurrentIndex; }
    void SetCurrentIndex(int index);

    // Number of questions: the rows, twice with both directions.
    int QuestionCount() const;
    // The unit row that question q asks (the second half of a two-direction unit asks the same rows).
    int QuestionRow(int question) const;
    bool IsComplete() const { return m_AnsweredCount == QuestionCount(); }
    bool IsAnswered(int question) const;
    // At least one question is open, whatever the counters say.
    bool HasOpenQuestion() const;

    // Marks the question on show in unit row r (its direction decides which half of a two-direction mark)
    // as right or wrong and counts it. A question counts at most once: an answered one, or a row the unit
    // does not have, is left alone and the result is false.
    bool MarkCorrect(int unitRow);
    bool MarkWrong(int unitRow);

    // Moves to the next (or previous) question and returns the unit row it asks; sets the current index
    // and the direction. In sequential order the index moves by one and stays at either end; in random
    // order an open question is drawn (forward and backward alike), or the first one when all are
    // answered (by the counters, or by the marks of a unit whose counters disagree). -1 for a unit
    // without rows.
    int NextQuestion(bool forward, RandomSource& random);

    // Every mark back to "0" and every counter to 0.
    void ResetAll();
    // Every wrong mark back to open ("-" becomes "0", "-+" becomes "0+"), lowering the wrong and answered
    // counts once per reopened question; the current index becomes 0. True when a mark changed.
    bool ReopenWrong();
    // No rows, counters 0.
    void ClearUnit();
    // Appends an open row for the dictionary's entry row.
    bool AddEntry(int entryRow);
    // Inserts an open row before unit row p (at p == RowCount() it appends). False for another p.
    bool InsertEntry(int position, int entryRow);
    // Removes unit row p; false when there is no such row.
    bool RemoveEntry(int position);

    // Writes the unit file: the table with the counters in row 0 and, when a dictionary path is given, the
    // trailer row naming that dictionary and the options. The file is replaced in one step; false leaves the
    // old file as it was. Saving clears the modified flag.
    bool SaveUnit(const std::filesystem::path& file, const std::filesystem::path& dictionary);
    // Reads a unit file. The counters come from row 0 (negative numbers count as 0); a trailer row sets
    // swap columns, both directions and random order and names the dictionary. Ignore case and count
    // subwords are not stored and stay as they are. A file that cannot be read leaves the rows that could
    // be read (none for a missing file) and zero counters.
    UnitLoadResult LoadUnit(const std::filesystem::path& file);

private:
    bool MarkQuestion(int unitRow, char mark);
    // Every row has the unit's five columns, whatever the file announced.
    void KeepUnitColumns();
    void ReadCounters();

    ClassTable m_Entries;
    bool m_BothDirections = false;
    bool m_RandomOrder = false;
    bool m_SwapColumns = false;
    bool m_IgnoreCase = false;
    bool m_CountSubwords = false;
    int m_Direction = 0;
    int m_AnsweredCount = 0;
    int m_CorrectCount = 0;
    int m_WrongCount = 0;
    int m_CurrentIndex = 0;
};

} // namespace lexaro
