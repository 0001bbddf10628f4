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
};

// Entries the mass data text cannot show as they are: one of their fields holds the separator's first character
// or begins with a line end, so that applying the text would cut them there.
struct UnfaithfulEntries {
    int count = 0;
    int firstRow = -1;
};
UnfaithfulEntries FindUnfaithfulEntries(const ClassTable& entries, std::string_view separator, bool withDates);

// True when text is exactly what BuildMassDataText writes for the entries with this line end.
bool IsMassDataTextOf(const ClassTable& entries, std::string_view text, std::string_view separator, bool withDates,
                      std::string_view lineEnd);

// Rows of edited whose term and explanation equal those of an entry of before take that entry's date. Each entry
// lends its date once, first to the row at its own place.
void KeepDatesOfUnchangedEntries(const ClassTable& before, ClassTable& edited);

// Applies the mass data text through the engine, so that one Undo takes it back: in add mode its entries are
// appended, otherwise they replace the entries. Without typed dates, new and changed entries get the stamp and
// entries with an unchanged term and explanation keep their date. Returns the number of rows added or changed.
int ApplyMassDataEdit(EntryStore& engine, std::string_view text, const MassDataFormat& format, bool addMode,
                      std::string_view stamp, const ProgressReport& progress = {});

} // namespace lexaro
