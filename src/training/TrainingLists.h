#pragma once

#include "table/ClassTable.h"
#include "training/TrainingUnit.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// Rules of the training set-up window: what its two lists show, what its commands do to the unit, its
// title and what to do about the dictionary a loaded unit names. Texts are UTF-8.
//
// Both lists count positions: the available list one per entry, the training list one per question. With
// both directions the second half of a list repeats the rows of the first, asked the other way round.

// Positions of the available list: the entries, twice with both directions.
int AvailableCount(int entryRows, bool bothDirections);
// The row that list position p stands for in a list over this many rows.
int PositionRow(int position, int rows);

// The text at position p of the available list: the term, or the explanation in the second half or with
// swap columns (without both directions); cut to its main part with cut.
std::string AvailableText(const ClassTable& entries, int position, bool bothDirections, bool swapColumns, bool cut);
// The "Name" text at position p of the training list, in the same way, for the entry that the unit row
// names; empty for an entry the dictionary does not have.
std::string TrainingText(const TrainingUnit& unit, const ClassTable& entries, int position, bool cut);
// The "Solved" text at position p of the training list: "0" for an open mark; with both directions the
// mark's character for the half p lies in ("0" for a space); otherwise the whole mark.
std::string SolvedText(const TrainingUnit& unit, int position);

// ">>" and the two direction boxes: the unit starts afresh with every entry or, with a filter, with the
// entries whose term (explanation with swap columns) begins with the filter text, byte for byte and with
// regard to case, markup included. An empty filter takes every entry.
void AddAll(TrainingUnit& unit, const ClassTable& entries, const std::optional<std::string>& filter, bool swapColumns);
// ">": the entries at the selected positions of the available list (over entryRows entries), in the order
// given; inserted before unit row insertBefore, or appended when it is -1.
void AddSelected(TrainingUnit& unit, const std::vector<int>& positions, int entryRows, int insertBefore);
// "<": removes the unit rows at the selected positions of the training list. A row selected in both halves
// goes once, and no other row goes with it.
void RemoveSelected(TrainingUnit& unit, const std::vector<int>& positions);

// The characters of the answer the quiz shows: the edit's text as a decimal number (leading digits; text
// that is not a number gives 0) when the box is checked, -1 when it is not.
int ShownCharactersSetting(bool checked, std::string_view text);

// The part of a path after its last "\" or "/".
std::string FileNamePart(std::string_view path);
// The title after saving a unit, "Training - verbs.lxt", and after loading one, with the current dictionary's
// file name: "Training - verbs.lxt [French.lxd]".
std::string UnitTitle(std::string_view training, std::string_view unitFile);
std::string LoadedUnitTitle(std::string_view training, std::string_view unitFile, std::string_view dictionaryFile);

// What the window does after loading a unit.
enum class DictionaryAction {
    // Nothing: no dictionary named, or it is the current one (compared exactly).
    Keep,
    // Load the named dictionary without a question (a unit handed over at the start).
    Load,
    // Ask whether to load the named dictionary (a unit opened or dropped by the user); No clears the unit.
    Ask,
};
DictionaryAction CheckDictionary(const UnitLoadResult& loaded, const std::filesystem::path& current,
                                 bool handedOverAtStart);

} // namespace lexaro
