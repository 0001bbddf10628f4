#pragma once

#include "app/EntryListTools.h"

#include <string>
#include <string_view>

namespace lexaro {

class EntryStore;

// How the mass data text is written and read.
struct MassDataFormat {
    std::string separator = ";";
    bool withDates = false;
    bool singleLines = false;
    // The line end the entries were shown with.
    std::string lineEnd = "\n";
};

// Entries the mass data text cannot show as they are: one of their fields holds the separator's first character
// or begins with a line end, so that applying the text would cut them there.
struct UnfaithfulEntries {
    int count = 0;
    int firstRow = -1;
};
UnfaithfulEntries FindUnfaithfulEntries(const ClassTable& entries, std::string_view separator, bool withDates);

// The part of an edited text between the entries it still shows unchanged at its start and at its end: the rows
// [firstRow, endRow) of the entries gave way to the text [begin, end).
struct ChangedPart {
    int firstRow = 0;
    int endRow = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
};
ChangedPart FindChangedPart(const ClassTable& entries, std::string_view text, const MassDataFormat& format);

// True when text is exactly what BuildMassDataText writes for the entries.
bool IsMassDataTextOf(const ClassTable& entries, std::string_view text, const MassDataFormat& format);

// Rows of edited whose term and explanation equal those of an entry among the rows [first, end) of before take
// that entry's date. Each entry lends its date once, first to the row at its own place (row first + r for row r).
void KeepDatesOfUnchangedEntries(const ClassTable& before, int first, int end, ClassTable& edited);

// Applies the mass data text through the engine, so that one Undo takes it back: in add mode its entries are
// appended, otherwise they replace the entries. In edit mode the entries the text still shows unchanged before
// the first and after the last change stay exactly as they are, even those it cannot show faithfully. Without
// typed dates, new and changed entries get the stamp and entries with an unchanged term and explanation keep
// their date. Returns the number of rows added or changed.
int ApplyMassDataEdit(EntryStore& engine, std::string_view text, const MassDataFormat& format, bool addMode,
                      std::string_view stamp, const ProgressReport& progress = {});

} // namespace lexaro
