#pragma once

#include "engine/Clock.h"
#include "table/ClassTable.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexaro {

// ---- Mass data text ----

// Told how far a long operation has come, in percent, a few dozen times over its run.
using ProgressReport = std::function<void(int percent)>;

// Every row as its first two (or, with dates, three) cells, each followed by the separator, then the line end.
std::string BuildMassDataText(const ClassTable& entries, std::string_view separator, bool withDates,
                              std::string_view lineEnd = "\r\n", const ProgressReport& progress = {});

// Adds the entries the mass data text describes to the table (term, explanation and, with dates, the date as
// typed). Only the separator's first byte ends a field; a separator right before a line end (or the end of the
// text) closes the entry, which then gets the stamp as its date unless dates are typed. With singleLines a line
// end also ends a field. Empty lines between entries are skipped. CR LF, a lone CR and a lone LF all count as
// line ends. Returns the number of rows added.
int ApplyMassDataText(ClassTable& entries, std::string_view text, std::string_view separator, bool withDates,
                      bool singleLines, std::string_view stamp, const ProgressReport& progress = {});

// What the error check says about one line of the text.
enum class MassLineCheck { Fine, UnwantedChar, Error };
MassLineCheck CheckMassDataLine(std::string_view line, std::string_view separator, bool singleLines);

// The lines of a text as their number and a reader of one line (without its line end), so that a window hands
// over the lines it keeps without copying the whole text.
struct LineSource {
    int count = 0;
    std::function<std::string_view(int line)> at;

    static LineSource Of(const std::vector<std::string>& lines);
};

// The first line (from 0) the check complains about at or after start, with its verdict; nullopt when none.
// Besides what CheckMassDataLine says, a line is an error when it begins an entry without a separator (it would
// run into the next term) or gives its entry more fields than the entry has (their text would be lost).
std::optional<std::pair<int, MassLineCheck>>
FindMassDataIssue(const LineSource& lines, int start, std::string_view separator, bool singleLines, bool withDates);

// The go-to search of the mass data window: a text ending in "*" matches lines that begin with the rest,
// any other text lines that contain it (case matters). Repeating the same text continues below the last match.
class LineFinder {
public:
    // The matching line, or -1 when there is none (or the text is empty); the next search then starts at line 0.
    int Next(const LineSource& lines, const std::string& text);

private:
    std::string m_LastText;
    int m_StartLine = 0;
};

// Splits text at line ends (CR LF, CR or LF).
std::vector<std::string> SplitLines(std::string_view text);

// ---- Separated-text exchange of the entry list ----

// Every row whose date cell is empty gets the stamp.
void StampMissingDates(ClassTable& entries, std::string_view stamp);

// Appends the rows of imported to entries: with rename, a term that exists already (ignoring ASCII case) gets
// " (1)", " (2)", ... until it is new; without, such rows are skipped. The table keeps three columns and the
// appended rows without a date get the stamp. Returns the number of rows appended.
int AppendImportedRows(ClassTable& entries, ClassTable& imported, bool rename, std::string_view stamp);

// Writes term and explanation of the given rows (all rows when empty) as separated text; with plain, cut to the
// main explanation. The entries are not changed. False when the file could not be written.
bool ExportEntryRows(const ClassTable& entries, const std::vector<int>& rows, const std::filesystem::path& path,
                     std::string_view separator, bool plain);

// How many of the given rows (all when empty) hold the separator in one of their first columns cells; with
// plain, in the part of a cell before its additional part, which is all that plain text writes. Separated text
// has no quoting, so such a row does not read back as it was written.
int CountRowsHoldingSeparator(const ClassTable& table, const std::vector<int>& rows, int columns,
                              std::string_view separator, bool plain);

// ---- Dictionary properties ----

struct FileFacts {
    std::uint64_t size = 0;
    LocalTime modified;
};

// Size and last-write time (local) of an existing regular file; nullopt for anything else.
std::optional<FileFacts> ReadFileFacts(const std::filesystem::path& path);

// The size in KiB with two decimals, for example 12.34 for 12637 bytes.
std::string FormatKilobytes(std::uint64_t size);

// The part of a path after the last "\" or "/".
std::string FileNameOf(std::string_view path);

// The items of the checksum list, by checksum type (the checksum itself: ChecksumJob).
std::vector<std::string> ChecksumNames();

// The properties as lines "label - value", each ended by CR LF.
std::string BuildPropertiesText(const std::vector<std::pair<std::string, std::string>>& lines);

} // namespace lexaro
