#include "training/TrainingLists.h"

#include "engine/EntryStore.h"
#include "training/QuizRules.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <functional>
#include <set>

namespace lexaro {

int AvailableCount(int entryRows, bool bothDirections) {
    const long long rows = std::max(entryRows, 0);
    return static_cast<int>(std::min<long long>(bothDirections ? 2 * rows : rows, INT_MAX));
}

int PositionRow(int position, int rows) {
    return position >= rows ? position - rows : position;
}

std::string AvailableText(const ClassTable& entries, int position, bool bothDirections, bool swapColumns, bool cut) {
    const int rows = entries.RowCount();
    const bool explanation = position >= rows || (swapColumns && !bothDirections);
    return EntryCell(entries, PositionRow(position, rows), explanation ? kExplanationColumn : kTermColumn, cut);
}

std::string TrainingText(const TrainingUnit& unit, const ClassTable& entries, int position, bool cut) {
    const int rows = unit.RowCount();
    if (position < 0 || position >= unit.QuestionCount()) {
        return {};
    }
    const bool explanation = position >= rows || (unit.SwapColumns() && !unit.BothDirections());
    const int entryRow = unit.EntryRow(PositionRow(position, rows));
    return EntryCell(entries, entryRow, explanation ? kExplanationColumn : kTermColumn, cut);
}

std::string SolvedText(const TrainingUnit& unit, int position) {
    const int rows = unit.RowCount();
    const std::string mark = unit.Mark(PositionRow(position, rows));
    if (mark.empty() || mark == "0") {
        return "0";
    }
    if (!unit.BothDirections()) {
        return mark;
    }
    const std::size_t half = position >= rows ? 1 : 0;
    if (half >= mark.size() || mark[half] == ' ') {
        return "0";
    }
    return std::string(1, mark[half]);
}

void AddAll(TrainingUnit& unit, const ClassTable& entries, const std::optional<std::string>& filter, bool swapColumns) {
    unit.ClearUnit();
    const int column = swapColumns ? kExplanationColumn : kTermColumn;
    for (int row = 0; row < entries.RowCount(); ++row) {
        if (!filter || entries.PeekCell(column, row).starts_with(*filter)) {
            unit.AddEntry(row);
        }
    }
}

void AddSelected(TrainingUnit& unit, const std::vector<int>& positions, int entryRows, int insertBefore) {
    int at = insertBefore;
    for (const int position : positions) {
        const int row = PositionRow(position, entryRows);
        if (row < 0 || row >= entryRows) {
            continue;
        }
        // Inserted entries keep the order of the selection.
        if (at >= 0 && unit.InsertEntry(at, row)) {
            ++at;
        } else if (at < 0) {
            unit.AddEntry(row);
        }
    }
}

void RemoveSelected(TrainingUnit& unit, const std::vector<int>& positions) {
    const int rows = unit.RowCount();
    std::set<int, std::greater<>> selected;
    for (const int position : positions) {
        const int row = PositionRow(position, rows);
        if (row >= 0 && row < rows) {
            selected.insert(row);
        }
    }
    // From the last row to the first, so that no removal moves a row still to be removed.
    for (const int row : selected) {
        unit.RemoveEntry(row);
    }
}

int ShownCharactersSetting(bool checked, std::string_view text) {
    if (!checked) {
        return -1;
    }
    const std::string digits(text);
    errno = 0;
    const long value = std::strtol(digits.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

std::string FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string UnitTitle(std::string_view training, std::string_view unitFile) {
    std::string title(training);
    title += " - " + FileNamePart(unitFile);
    return title;
}

std::string LoadedUnitTitle(std::string_view training, std::string_view unitFile, std::string_view dictionaryFile) {
    return UnitTitle(training, unitFile) + " [" + FileNamePart(dictionaryFile) + "]";
}

DictionaryAction CheckDictionary(const UnitLoadResult& loaded, const std::filesystem::path& current,
                                 bool handedOverAtStart) {
    if (loaded.dictionary.empty() || loaded.dictionary.native() == current.native()) {
        return DictionaryAction::Keep;
    }
    return handedOverAtStart ? DictionaryAction::Load : DictionaryAction::Ask;
}

} // namespace lexaro
