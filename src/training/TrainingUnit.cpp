#include "training/TrainingUnit.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <iterator>
#include <string>
#include <string_view>

namespace lexaro {

namespace {

bool IsOpenMark(const std::string& mark) {
    return mark.empty() || mark == "0";
}

bool IsOpenPosition(char c) {
    return c == ' ' || c == '0';
}

// Counters never wrap: a file may hold any number.
void CountUp(int& counter) {
    if (counter < INT_MAX) {
        ++counter;
    }
}

void CountDown(int& counter) {
    if (counter > 0) {
        --counter;
    }
}

} // namespace

TrainingUnit::TrainingUnit() {
    m_Entries.Resize(kUnitColumns, 0);
}

void TrainingUnit::SetBothDirections(bool on) {
    m_BothDirections = on;
    if (on) {
        m_SwapColumns = false;
    }
}

void TrainingUnit::SetSwapColumns(bool on) {
    m_SwapColumns = on;
    if (on) {
        m_BothDirections = false;
    }
}

void TrainingUnit::SetCurrentIndex(int index) {
    m_CurrentIndex = std::clamp(index, -1, std::max(QuestionCount() - 1, 0));
}

int TrainingUnit::QuestionCount() const {
    const long long rows = RowCount();
    const long long count = m_BothDirections ? 2 * rows : rows;
    return static_cast<int>(std::min<long long>(count, INT_MAX));
}

int TrainingUnit::QuestionRow(int question) const {
    const int rows = RowCount();
    return question >= rows ? question - rows : question;
}

bool TrainingUnit::IsAnswered(int question) const {
    const int rows = RowCount();
    if (question < 0) {
        return false;
    }
    if (!m_BothDirections) {
        return !IsOpenMark(Mark(question));
    }
    if (question < rows) {
        const std::string mark = Mark(question);
        return !IsOpenMark(mark) && !IsOpenPosition(mark[0]);
    }
    // A one-character mark other than "0" counts as answered in the reverse direction too.
    const std::string mark = Mark(question - rows);
    if (IsOpenMark(mark)) {
        return false;
    }
    return mark.size() < 2 || !IsOpenPosition(mark[1]);
}

bool TrainingUnit::HasOpenQuestion() const {
    const int count = QuestionCount();
    for (int question = 0; question < count; ++question) {
        if (!IsAnswered(question)) {
            return true;
        }
    }
    return false;
}

bool TrainingUnit::MarkCorrect(int unitRow) {
    if (!MarkQuestion(unitRow, '+')) {
        return false;
    }
    CountUp(m_CorrectCount);
    return true;
}

bool TrainingUnit::MarkWrong(int unitRow) {
    if (!MarkQuestion(unitRow, '-')) {
        return false;
    }
    CountUp(m_WrongCount);
    return true;
}

bool TrainingUnit::MarkQuestion(int unitRow, char mark) {
    const int rows = RowCount();
    if (unitRow < 0 || unitRow >= rows) {
        return false;
    }
    const bool reverse = m_BothDirections && m_Direction == 1;
    if (IsAnswered(reverse ? unitRow + rows : unitRow)) {
        return false;
    }
    std::string text(1, mark);
    if (m_BothDirections) {
        text = Mark(unitRow);
        if (text.size() != 2) {
            text = "  ";
        }
        text[reverse ? 1 : 0] = mark;
    }
    m_Entries.SetCell(kUnitMarkColumn, unitRow, text);
    CountUp(m_AnsweredCount);
    m_Entries.SetModified(true);
    return true;
}

int TrainingUnit::NextQuestion(bool forward, RandomSource& random) {
    const int count = QuestionCount();
    if (!m_RandomOrder) {
        if (forward && m_CurrentIndex < count - 1) {
            ++m_CurrentIndex;
        } else if (!forward && m_CurrentIndex > 0) {
            --m_CurrentIndex;
        }
    } else if (m_AnsweredCount < count && HasOpenQuestion()) {
        m_CurrentIndex = Draw(random, count);
        int redraws = 0;
        while (IsAnswered(m_CurrentIndex) && m_AnsweredCount < count) {
            if (redraws == kMaxRedraws) {
                m_CurrentIndex = 0;
                break;
            }
            m_CurrentIndex = Draw(random, count);
            ++redraws;
        }
    } else {
        m_CurrentIndex = 0;
    }
    m_Direction = m_SwapColumns && !m_BothDirections ? 1 : 0;
    if (count == 0) {
        m_CurrentIndex = 0;
        return -1;
    }
    // Whatever happened to the rows since the index was set, the question on show is one the unit has.
    m_CurrentIndex = std::clamp(m_CurrentIndex, 0, count - 1);
    const int rows = RowCount();
    if (m_CurrentIndex >= rows) {
        m_Direction = 1;
        return m_CurrentIndex - rows;
    }
    return m_CurrentIndex;
}

void TrainingUnit::ResetAll() {
    for (int row = 0; row < RowCount(); ++row) {
        m_Entries.SetCell(kUnitMarkColumn, row, "0");
    }
    if (RowCount() > 0) {
        m_Entries.SetCell(kUnitAnsweredColumn, 0, "0");
        m_Entries.SetCell(kUnitWrongColumn, 0, "0");
        m_Entries.SetCell(kUnitCorrectColumn, 0, "0");
    }
    m_AnsweredCount = 0;
    m_CorrectCount = 0;
    m_WrongCount = 0;
    m_CurrentIndex = 0;
}

bool TrainingUnit::ReopenWrong() {
    bool changedAny = false;
    for (int row = 0; row < RowCount(); ++row) {
        std::string mark = Mark(row);
        bool changed = false;
        if (!mark.empty() && mark[0] == '-') {
            mark[0] = '0';
            changed = true;
            CountDown(m_WrongCount);
            CountDown(m_AnsweredCount);
        }
        if (m_BothDirections && mark.size() > 1 && mark[1] == '-') {
            mark[1] = '0';
            changed = true;
            CountDown(m_WrongCount);
            CountDown(m_AnsweredCount);
        }
        if (changed) {
            m_Entries.SetCell(kUnitMarkColumn, row, mark);
            changedAny = true;
        }
    }
    m_CurrentIndex = 0;
    return changedAny;
}

void TrainingUnit::ClearUnit() {
    m_Entries.Resize(kUnitColumns, 0);
    m_AnsweredCount = 0;
    m_CorrectCount = 0;
    m_WrongCount = 0;
    m_CurrentIndex = 0;
}

bool TrainingUnit::AddEntry(int entryRow) {
    const int row = RowCount();
    if (!m_Entries.AddRows(1) || RowCount() != row + 1) {
        return false;
    }
    // The new row may show cells that an earlier, longer table left stored (the trailer of a loaded file):
    // every cell is written.
    char number[16];
    const auto written = std::to_chars(std::begin(number), std::end(number), entryRow).ptr;
    const std::array<std::string_view, kUnitColumns> cells{std::string_view(number, written), "", "", "", ""};
    return m_Entries.SetRow(row, cells);
}

bool TrainingUnit::InsertEntry(int position, int entryRow) {
    if (position == RowCount()) {
        return AddEntry(entryRow);
    }
    if (position < 0 || position > RowCount() || !m_Entries.InsertRow(position)) {
        return false;
    }
    m_Entries.SetCellInt(kUnitEntryColumn, position, entryRow);
    m_Entries.SetCell(kUnitMarkColumn, position, "");
    return true;
}

bool TrainingUnit::RemoveEntry(int position) {
    if (position < 0 || position >= RowCount()) {
        return false;
    }
    return m_Entries.DeleteRow(position);
}

bool TrainingUnit::SaveUnit(const std::filesystem::path& file, const std::filesystem::path& dictionary) {
    const int rows = RowCount();
    // Counters go into row 0 only when it is a unit row: in an empty unit row 0 would be the trailer,
    // and the counters would overwrite the dictionary's path and the options.
    if (rows > 0) {
        m_Entries.SetCellInt(kUnitAnsweredColumn, 0, m_AnsweredCount);
        m_Entries.SetCellInt(kUnitCorrectColumn, 0, m_CorrectCount);
        m_Entries.SetCellInt(kUnitWrongColumn, 0, m_WrongCount);
    }
    const bool trailer = !dictionary.empty() && m_Entries.AddRows(1) && RowCount() == rows + 1;
    if (trailer) {
        std::string options = "000";
        options[0] = m_SwapColumns ? '1' : '0';
        options[1] = m_BothDirections ? '1' : '0';
        options[2] = m_RandomOrder ? '1' : '0';
        m_Entries.SetCell(kUnitEntryColumn, rows, "");
        m_Entries.SetCell(kUnitMarkColumn, rows, kUnitMarker);
        m_Entries.SetCell(kTrailerPathColumn, rows, dictionary.string());
        m_Entries.SetCell(kTrailerOptionsColumn, rows, options);
        m_Entries.SetCell(kUnitColumns - 1, rows, "");
    }
    const bool saved = m_Entries.SaveDocumentFile(file);
    if (trailer) {
        m_Entries.Resize(kUnitColumns, rows);
    }
    return saved;
}

UnitLoadResult TrainingUnit::LoadUnit(const std::filesystem::path& file) {
    m_AnsweredCount = 0;
    m_CorrectCount = 0;
    m_WrongCount = 0;
    m_CurrentIndex = 0;
    UnitLoadResult result;
    result.read = m_Entries.LoadDocumentFile(file);
    if (!result.read) {
        KeepUnitColumns();
        return result;
    }
    const int last = RowCount() - 1;
    if (last >= 0 && m_Entries.PeekCell(kUnitMarkColumn, last) == kUnitMarker) {
        result.marked = true;
        result.dictionary = std::filesystem::path(m_Entries.PeekCell(kTrailerPathColumn, last));
        const std::string options = m_Entries.PeekCell(kTrailerOptionsColumn, last);
        if (options.size() > 0) {
            SetSwapColumns(options[0] == '1');
        }
        if (options.size() > 1) {
            SetBothDirections(options[1] == '1');
        }
        if (options.size() > 2) {
            SetRandomOrder(options[2] == '1');
        }
        m_Entries.Resize(kUnitColumns, last);
    }
    KeepUnitColumns();
    ReadCounters();
    return result;
}

void TrainingUnit::KeepUnitColumns() {
    const bool modified = m_Entries.IsModified();
    m_Entries.Resize(kUnitColumns, RowCount());
    m_Entries.SetModified(modified);
}

void TrainingUnit::ReadCounters() {
    // Without a unit row there are no counters (an empty unit's row 0 would be its trailer).
    if (RowCount() == 0) {
        return;
    }
    m_AnsweredCount = std::max(m_Entries.GetCellInt(kUnitAnsweredColumn, 0), 0);
    m_CorrectCount = std::max(m_Entries.GetCellInt(kUnitCorrectColumn, 0), 0);
    m_WrongCount = std::max(m_Entries.GetCellInt(kUnitWrongColumn, 0), 0);
}

} // namespace lexaro
