#include "app/EntryListTools.h"

#include "engine/EntryStore.h"
#include "table/Checksum.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <system_error>

namespace lexaro {

namespace {

constexpr std::string_view kDefaultSeparator = ";";

std::string_view UsableSeparator(std::string_view separator) {
    // An empty separator would never end a field; the program's default stands in for it.
    return separator.empty() ? kDefaultSeparator : separator;
}

// Position of the next line end at or after pos, npos when there is none.
std::size_t FindLineEnd(std::string_view text, std::size_t pos) {
    return text.find_first_of("\r\n", pos);
}

// Position after the line end that starts at pos (CR LF counts as one).
std::size_t SkipLineEnd(std::string_view text, std::size_t pos) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
        return pos + 2;
    }
    return pos + 1;
}

bool IsLineEnd(std::string_view text, std::size_t pos) {
    return pos < text.size() && (text[pos] == '\r' || text[pos] == '\n');
}

// Reports the percentage whenever another fiftieth of the work is done.
class ProgressSlices {
public:
    ProgressSlices(const ProgressReport& report, std::size_t total) : m_Report(report), m_Total(total) {}

    void At(std::size_t done) {
        if (!m_Report || done < m_Next || m_Total == 0) {
            return;
        }
        const std::size_t slice = m_Total / kSlices + 1;
        m_Next = (done / slice + 1) * slice;
        m_Report(static_cast<int>(done * 100 / m_Total));
    }

private:
    static constexpr std::size_t kSlices = 50;
    const ProgressReport& m_Report;
    std::size_t m_Total;
    std::size_t m_Next = 0;
};

// The next position of one kind of delimiter, found once and reused until the scan passes it, so that a
// delimiter that is far away (or missing) is not searched for again at every field.
class NextDelimiter {
public:
    NextDelimiter(std::string_view text, std::string_view set) : m_Text(text), m_Set(set) {}

    std::size_t From(std::size_t pos) {
        if (!m_Known || (m_Found != std::string_view::npos && m_Found < pos)) {
            m_Found = m_Text.find_first_of(m_Set, pos);
            m_Known = true;
        }
        return m_Found;
    }

private:
    std::string_view m_Text;
    std::string_view m_Set;
    std::size_t m_Found = std::string_view::npos;
    bool m_Known = false;
};

} // namespace

std::string BuildMassDataText(const ClassTable& entries, std::string_view separator, bool withDates,
                              std::string_view lineEnd, const ProgressReport& progress) {
    const int fields = withDates ? 3 : 2;
    ProgressSlices slices(progress, static_cast<std::size_t>(entries.RowCount()));
    // Sized once: a text of hundreds of megabytes would otherwise be copied on every growth, briefly twice.
    std::size_t size = 0;
    for (int r = 0; r < entries.RowCount(); ++r) {
        for (int c = 0; c < fields; ++c) {
            size += static_cast<std::size_t>(std::max(0, entries.CellLength(c, r))) + separator.size();
        }
        size += lineEnd.size();
    }
    std::string text;
    text.reserve(size);
    for (int r = 0; r < entries.RowCount(); ++r) {
        slices.At(static_cast<std::size_t>(r));
        for (int c = 0; c < fields; ++c) {
            text += entries.PeekCell(c, r);
            text += separator;
        }
        text += lineEnd;
    }
    return text;
}

int ApplyMassDataText(ClassTable& entries, std::string_view text, std::string_view separator, bool withDates,
                      bool singleLines, std::string_view stamp, const ProgressReport& progress) {
    const char fieldEnd = UsableSeparator(separator).front();
    const int fields = withDates ? 3 : 2;
    const int before = entries.RowCount();
    if (entries.ColumnCount() < kEntryColumns) {
        entries.Resize(kEntryColumns, entries.RowCount());
    }
    auto closeRow = [&] {
        if (!withDates) {
            entries.SetCell(kDateColumn, entries.RowCount(), stamp);
        }
        entries.AddRows(1);
    };

    ProgressSlices slices(progress, text.size());
    const char fieldEndSet[] = {fieldEnd, '\0'};
    NextDelimiter nextSeparator(text, std::string_view(fieldEndSet, 1));
    NextDelimiter nextLineEnd(text, "\r\n");
    int j = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        slices.At(pos);
        if (j == 0 && IsLineEnd(text, pos)) {
            // An empty line between entries: its line end would otherwise become part of the next term.
            pos = SkipLineEnd(text, pos);
            continue;
        }
        const std::size_t sep = nextSeparator.From(pos);
        const std::size_t eol = nextLineEnd.From(pos);
        const bool endsAtLine = eol != std::string_view::npos && (sep == std::string_view::npos || eol < sep);
        if (j > fields) {
            j = 0;
            closeRow();
        }
        const int row = entries.RowCount();
        if (sep != std::string_view::npos && !(singleLines && endsAtLine)) {
            entries.SetCell(j, row, text.substr(pos, sep - pos));
            ++j;
            pos = sep + 1;
            if (pos == text.size() || IsLineEnd(text, pos)) {
                j = 0;
                closeRow();
                if (pos < text.size()) {
                    pos = SkipLineEnd(text, pos);
                }
            }
        } else if (eol != std::string_view::npos) {
            entries.SetCell(j, row, text.substr(pos, eol - pos));
            ++j;
            pos = SkipLineEnd(text, eol);
        } else {
            // Neither a separator nor a line end follows: the rest is the last field.
            entries.SetCell(j, row, text.substr(pos));
            entries.AddRows(1);
            return entries.RowCount() - before;
        }
    }
    // The text ended inside an entry, after a line end: the fields read so far still make it.
    if (j > fields) {
        closeRow();
    } else if (j > 0) {
        entries.AddRows(1);
    }
    return entries.RowCount() - before;
}

MassLineCheck CheckMassDataLine(std::string_view line, std::string_view separator, bool singleLines) {
    const std::string sep(UsableSeparator(separator));
    const bool hasSeparator = line.find(sep) != std::string_view::npos;
    if (hasSeparator || !singleLines) {
        if (line.find(" " + sep) != std::string_view::npos || line.find(sep + " ") != std::string_view::npos) {
            return MassLineCheck::UnwantedChar;
        }
        return MassLineCheck::Fine;
    }
    return MassLineCheck::Error;
}

LineSource LineSource::Of(const std::vector<std::string>& lines) {
    return LineSource{static_cast<int>(lines.size()),
                      [&lines](int line) { return std::string_view(lines[static_cast<std::size_t>(line)]); }};
}

std::optional<std::pair<int, MassLineCheck>>
FindMassDataIssue(const LineSource& lines, int start, std::string_view separator, bool singleLines, bool withDates) {
    constexpr std::size_t kLineLimit = 4095;
    const char fieldEnd = UsableSeparator(separator).front();
    const int fields = withDates ? 3 : 2;
    // Where an entry stands depends on the lines before, so the scan always starts at the first line.
    int read = 0;
    for (int i = 0; i < lines.count; ++i) {
        const std::string_view line = lines.at(i);
        if (line.empty()) {
            continue;
        }
        MassLineCheck verdict = CheckMassDataLine(line.substr(0, kLineLimit), separator, singleLines);
        const bool closes = line.back() == fieldEnd;
        const int ends =
            static_cast<int>(std::count(line.begin(), line.end(), fieldEnd)) + (singleLines && !closes ? 1 : 0);
        // A first line without a separator runs into the term of the entry below it; an entry with more fields
        // than it has loses the rest.
        if ((read == 0 && ends == 0) || read + ends > fields) {
            verdict = MassLineCheck::Error;
        }
        read = closes || verdict == MassLineCheck::Error ? 0 : read + ends;
        if (i >= start && verdict != MassLineCheck::Fine) {
            return std::make_pair(i, verdict);
        }
    }
    return std::nullopt;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (true) {
        const std::size_t eol = FindLineEnd(text, pos);
        if (eol == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            return lines;
        }
        lines.emplace_back(text.substr(pos, eol - pos));
        pos = SkipLineEnd(text, eol);
    }
}

int LineFinder::Next(const LineSource& lines, const std::string& text) {
    if (text != m_LastText) {
        m_LastText = text;
        m_StartLine = 0;
    }
    if (text.empty()) {
        m_StartLine = 0;
        return -1;
    }
    std::string wanted = text;
    const bool atStart = wanted.back() == '*';
    if (atStart) {
        wanted.pop_back();
    }
    for (int i = m_StartLine; i < lines.count; ++i) {
        const std::string_view line = lines.at(i);
        const bool match = atStart ? line.starts_with(wanted) : line.find(wanted) != std::string_view::npos;
        if (match) {
            m_StartLine = i + 1;
            return i;
        }
    }
    m_StartLine = 0;
    return -1;
}

void StampMissingDates(ClassTable& entries, std::string_view stamp) {
    for (int r = 0; r < entries.RowCount(); ++r) {
        if (entries.CellLength(kDateColumn, r) < 1) {
            entries.SetCell(kDateColumn, r, stamp);
        }
    }
}

int AppendImportedRows(ClassTable& entries, ClassTable& imported, bool rename, std::string_view stamp) {
    // Sized once: resizing drops the term index, which the duplicate check of every further row would
    // then rebuild over the whole dictionary. Adding rows and cells keeps it up to date.
    entries.Resize(std::max(entries.ColumnCount(), kEntryColumns), entries.RowCount());
    int added = 0;
    for (int i = 0; i < imported.RowCount(); ++i) {
        const std::string term = imported.PeekCell(kTermColumn, i);
        if (rename) {
            std::string name = term;
            for (int n = 1; entries.FindRow(kTermColumn, 0, name, 1) >= 0; ++n) {
                name = term + " (" + std::to_string(n) + ")";
            }
            imported.SetCell(kTermColumn, i, name);
        } else if (entries.FindRow(kTermColumn, 0, term, 1) >= 0) {
            continue;
        }
        const int row = entries.RowCount();
        if (!entries.AddRows(1) || entries.RowCount() != row + 1) {
            break;
        }
        // Cells beyond the entry columns are kept, hidden, as the file brought them.
        for (int column = 0; column < imported.ColumnCount(); ++column) {
            entries.SetCell(column, row, imported.PeekCell(column, i));
        }
        ++added;
    }
    entries.Resize(kEntryColumns, entries.RowCount());
    StampMissingDates(entries, stamp);
    if (added > 0) {
        entries.SetModified(true);
    }
    return added;
}

bool ExportEntryRows(const ClassTable& entries, const std::vector<int>& rows, const std::filesystem::path& path,
                     std::string_view separator, bool plain) {
    EntryStore store;
    ClassTable& out = store.Entries();
    out.Clear(true);
    out.SetCharset(entries.Charset());
    out.SetSeparator(separator);
    out.Resize(2, 0);
    auto copyRow = [&](int row) {
        if (row < 0 || row >= entries.RowCount()) {
            return;
        }
        const int target = out.RowCount();
        out.StoreCell(kTermColumn, target, entries.PeekCell(kTermColumn, row));
        out.StoreCell(kExplanationColumn, target, entries.PeekCell(kExplanationColumn, row));
        out.AddRows(1);
    };
    if (rows.empty()) {
        for (int r = 0; r < entries.RowCount(); ++r) {
            copyRow(r);
        }
    } else {
        for (int r : rows) {
            copyRow(r);
        }
    }
    return plain ? store.ExportPlainText(path) : out.SaveSeparatedText(path);
}

int CountRowsHoldingSeparator(const ClassTable& table, const std::vector<int>& rows, int columns,
                              std::string_view separator, bool plain) {
    if (separator.empty()) {
        return 0;
    }
    const auto holds = [&](int row) {
        for (int column = 0; column < columns; ++column) {
            const std::string_view cell = table.CellView(column, row);
            const std::string_view written = plain ? cell.substr(0, cell.find(kAdditionalOpen)) : cell;
            if (written.find(separator) != std::string_view::npos) {
                return true;
            }
        }
        return false;
    };
    int count = 0;
    if (rows.empty()) {
        for (int row = 0; row < table.RowCount(); ++row) {
            count += holds(row) ? 1 : 0;
        }
    } else {
        for (const int row : rows) {
            count += row >= 0 && row < table.RowCount() && holds(row) ? 1 : 0;
        }
    }
    return count;
}

std::optional<FileFacts> ReadFileFacts(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    FileFacts facts;
    facts.size = std::filesystem::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const std::time_t seconds = info.st_mtime;
    std::tm local{};
    localtime_r(&seconds, &local);
    facts.modified =
        LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
    return facts;
}

std::string FormatKilobytes(std::uint64_t size) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(size) / 1024.0);
    return text;
}

std::string FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::vector<std::string> ChecksumNames() {
    return {kChecksumLabels.begin(), kChecksumLabels.end()};
}

std::string BuildPropertiesText(const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string text;
    for (const auto& [label, value] : lines) {
        text += label + " - " + value + "\r\n";
    }
    return text;
}

} // namespace lexaro
