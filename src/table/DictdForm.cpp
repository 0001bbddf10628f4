#include "table/ForeignForms.h"
#include "table/ForeignText.h"
#include "table/SafeFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <tuple>

namespace lexaro::foreign {

namespace {

struct IndexLine {
    std::string_view key;
    std::string_view headword; // the original headword some indexes keep in a fourth field
    std::uint64_t offset = 0;
    std::uint64_t size = 0;

    auto Fields() const { return std::tie(offset, size, key, headword); }
};

bool IsMetaKey(std::string_view key) {
    return key.starts_with("00-database-") || key.starts_with("00database");
}

// The fields of an index line: key, offset, length and an optional original headword; count says how many.
struct LineFields {
    std::array<std::string_view, 4> field;
    std::size_t count = 0;
};

LineFields Fields(std::string_view line) {
    LineFields fields;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find('\t', at);
        fields.field[fields.count++] =
            line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at);
        if (tab == std::string_view::npos || fields.count == 4) {
            return fields;
        }
        at = tab + 1;
    }
}

// Reads every line of an index. False with error for a line that is not key, offset and length, or whose entry
// lies past the end of the data.
bool ParseIndex(std::string_view index, const std::filesystem::path& indexFile, std::uint64_t dataSize,
                const std::filesystem::path& dataFile, std::vector<IndexLine>& lines, std::string_view& shortName,
                std::string& error) {
    std::size_t number = 0;
    for (std::size_t at = 0; at < index.size();) {
        const std::size_t end = std::min(index.find('\n', at), index.size());
        std::string_view line = index.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        const LineFields found = Fields(line);
        const std::array<std::string_view, 4>& fields = found.field;
        const auto where = [number] { return "line " + std::to_string(number); };
        if (found.count < 3) {
            error = FileError(indexFile, where() + " is not a word, an offset and a length separated by tabs");
            return false;
        }
        const std::optional<std::uint64_t> offset = DecodeDictdNumber(fields[1]);
        const std::optional<std::uint64_t> size = DecodeDictdNumber(fields[2]);
        if (!offset || !size) {
            error = FileError(indexFile, where() + " holds an invalid base64 number '" +
                                             std::string(offset ? fields[2] : fields[1]).substr(0, 20) + "'");
            return false;
        }
        if (*offset > dataSize || *size > dataSize - *offset) {
            error = FileError(indexFile, where() + ": its entry (offset " + std::to_string(*offset) + ", length " +
                                             std::to_string(*size) + ") lies past the end of '" + dataFile.string() +
                                             "' (" + std::to_string(dataSize) + " bytes)");
            return false;
        }
        if (IsMetaKey(fields[0])) {
            if (fields[0] == "00databaseshort" || fields[0] == "00-database-short") {
                shortName = line;
            }
            continue;
        }
        lines.push_back({fields[0], fields[3], *offset, *size});
    }
    return true;
}

// Term and explanation of an entry: dictd keeps the headword as the entry text spells it on the first line.
void SplitEntry(std::string_view key, std::string_view text, std::string& term, std::string& explanation) {
    text = TrimLines(text);
    const std::size_t lineEnd = std::min(text.find('\n'), text.size());
    std::string_view first = text.substr(0, lineEnd);
    if (!first.empty() && first.back() == '\r') {
        first.remove_suffix(1);
    }
    const std::size_t end = ReducedPrefixEnd(first, key);
    explanation.clear();
    if (end == std::string_view::npos) {
        term.assign(key);
        AppendCrLf(explanation, TrimLines(text));
        return;
    }
    std::string_view form = first.substr(0, end);
    while (!form.empty() && (form.front() == ' ' || form.front() == '\t')) {
        form.remove_prefix(1);
    }
    term.assign(form);
    const bool onlyHeadword = TrimLines(first.substr(end)).empty();
    AppendCrLf(explanation, TrimLines(onlyHeadword ? text.substr(std::min(lineEnd + 1, text.size())) : text));
}

// The text of an entry whose first line may repeat its name ("00-database-short\n     Name\n").
std::string MetaText(std::string_view text) {
    text = TrimLines(text);
    if (text.starts_with("00-database-") || text.starts_with("00database")) {
        const std::size_t lineEnd = text.find('\n');
        text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
    }
    text = TrimLines(text);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return std::string(text.substr(0, text.find('\n')));
}

// Rows with a key, in key order; ties keep the table's order.
std::vector<std::pair<std::string, int>> KeyedRows(const ClassTable& entries) {
    std::vector<std::pair<std::string, int>> keyed;
    keyed.reserve(static_cast<std::size_t>(entries.RowCount()));
    for (int row = 0; row < entries.RowCount(); ++row) {
        std::string key = DictdKey(entries.CellView(0, row));
        if (!key.empty()) {
            keyed.emplace_back(std::move(key), row);
        }
    }
    std::sort(keyed.begin(), keyed.end());
    return keyed;
}

} // namespace

ForeignRead ReadDictd(const std::filesystem::path& index, ClassTable& entries) {
    ForeignRead result;
    std::string bytes;
    if (!ReadWhole(index, bytes, result.error)) {
        return result;
    }
    std::filesystem::path dataFile;
    std::optional<DictData> data = OpenDictData(index, dataFile, result.error);
    if (!data) {
        return result;
    }
    std::vector<IndexLine> lines;
    std::string_view shortName;
    if (!ParseIndex(bytes, index, data->Size(), dataFile, lines, shortName, result.error)) {
        return result;
    }
    std::string text;
    std::string what;
    if (!shortName.empty()) {
        const LineFields fields = Fields(shortName);
        if (data->Read(*DecodeDictdNumber(fields.field[1]), *DecodeDictdNumber(fields.field[2]), text, what)) {
            result.name = MetaText(text);
        }
    }
    // Entries are read in the order of the data, so that each chunk of a dictzip file is inflated once; a line
    // that repeats another one then comes right after it and is no entry of its own. Rows keep the index's order.
    std::vector<std::pair<std::uint64_t, std::size_t>> byOffset(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        byOffset[i] = {lines[i].offset, i};
    }
    std::sort(byOffset.begin(), byOffset.end());
    std::vector<bool> repeated(lines.size());
    for (std::size_t run = 0; run < byOffset.size();) {
        std::size_t end = run + 1;
        while (end < byOffset.size() && byOffset[end].first == byOffset[run].first) {
            ++end;
        }
        // Lines of the same offset in the order of their fields: one that repeats the line before is no entry.
        if (end - run > 1) {
            std::sort(byOffset.begin() + static_cast<std::ptrdiff_t>(run),
                      byOffset.begin() + static_cast<std::ptrdiff_t>(end), [&](const auto& a, const auto& b) {
                          return std::pair(lines[a.second].Fields(), a.second) <
                                 std::pair(lines[b.second].Fields(), b.second);
                      });
            for (std::size_t i = run + 1; i < end; ++i) {
                repeated[byOffset[i].second] =
                    lines[byOffset[i].second].Fields() == lines[byOffset[i - 1].second].Fields();
            }
        }
        run = end;
    }
    std::vector<int> rowOf(lines.size());
    std::size_t rows = 0;
    std::uint64_t textSize = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        rowOf[i] = static_cast<int>(rows);
        rows += repeated[i] ? 0 : 1;
        textSize += repeated[i] ? 0 : lines[i].size;
    }
    if (textSize > TextBudget(data->Size())) {
        result.error =
            FileError(index, "its entries refer to the same text over and over (" + std::to_string(textSize) +
                                 " bytes of " + std::to_string(data->Size()) + ")");
        return result;
    }
    if (rows > static_cast<std::size_t>(INT32_MAX - 1) || !entries.Resize(3, static_cast<int>(rows))) {
        result.error = FileError(index, "it holds more entries than a dictionary can");
        return result;
    }
    std::string term;
    std::string explanation;
    for (const auto& [offset, i] : byOffset) {
        if (repeated[i]) {
            continue;
        }
        if (!data->Read(lines[i].offset, lines[i].size, text, what)) {
            result.error = FileError(dataFile, what);
            return result;
        }
        SplitEntry(lines[i].key, text, term, explanation);
        if (!lines[i].headword.empty()) {
            term.assign(lines[i].headword);
        }
        entries.StoreCell(0, rowOf[i], term);
        entries.StoreCell(1, rowOf[i], explanation);
    }
    result.complete = true;
    return result;
}

std::string DictdName(const std::filesystem::path& index) {
    std::string bytes;
    std::string error;
    std::filesystem::path dataFile;
    if (!ReadWhole(index, bytes, error)) {
        return {};
    }
    const std::size_t line = bytes.starts_with("00databaseshort\t") ? 0 : bytes.find("\n00databaseshort\t");
    if (line == std::string::npos) {
        return {};
    }
    const std::size_t start = line == 0 ? 0 : line + 1;
    const std::string_view rest = std::string_view(bytes).substr(start);
    const LineFields fields = Fields(rest.substr(0, rest.find('\n')));
    std::optional<DictData> data = OpenDictData(index, dataFile, error);
    const std::optional<std::uint64_t> offset = DecodeDictdNumber(fields.field[1]);
    const std::optional<std::uint64_t> size = DecodeDictdNumber(fields.field[2]);
    std::string text;
    if (!data || !offset || !size || !data->Read(*offset, *size, text, error)) {
        return {};
    }
    return MetaText(text);
}

bool WriteDictd(const std::filesystem::path& index, ClassTable& entries, std::string_view name,
                const ExplanationText& explanationText, std::string& error) {
    const std::filesystem::path dataFile = Sibling(index, ".dict.dz");
    std::string oneLineName = ToLf(name);
    std::replace(oneLineName.begin(), oneLineName.end(), '\n', ' ');
    DictzipWriter data;
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(entries.RowCount()) + 3);
    std::uint64_t offset = 0;
    const auto add = [&](std::string_view key, std::string_view text) {
        lines.push_back(std::string(key) + '\t' + EncodeDictdNumber(offset) + '\t' + EncodeDictdNumber(text.size()));
        offset += text.size();
        return data.Append(text);
    };
    // dictd reads the database as UTF-8 only when it holds the utf8 entry.
    bool made = add("00databaseutf8", "\n") &&
                add("00databaseshort", "00-database-short\n     " + oneLineName + "\n") &&
                add("00databaseurl", "00-database-url\n     " + oneLineName + "\n");
    std::string text;
    for (const auto& [key, row] : KeyedRows(entries)) {
        if (!made) {
            break;
        }
        const std::string_view term = entries.CellView(0, row);
        std::string headword = ToLf(term);
        std::replace(headword.begin(), headword.end(), '\n', ' ');
        const std::string body = ToLf(TrimLines(explanationText(entries.CellView(1, row))));
        text = headword + "\n" + body + (body.empty() ? "" : "\n");
        made = add(key, text);
    }
    made = made && data.Finish();
    if (!made) {
        error = FileError(dataFile, "the dictionary is too large for one dictzip file");
        errno = EFBIG;
        return false;
    }
    // The order of dictd's own builder, which sorts whole lines bytewise: dictd finds words by binary search.
    std::sort(lines.begin(), lines.end());
    const std::vector<FileInSet> files{{dataFile, [&](const PieceWriter& write) { return data.WriteTo(write); }},
                                       {index, [&](const PieceWriter& write) {
                                            std::string piece;
                                            for (const std::string& line : lines) {
                                                piece.append(line).push_back('\n');
                                                if (piece.size() >= (1u << 20)) {
                                                    if (!write(piece)) {
                                                        return false;
                                                    }
                                                    piece.clear();
                                                }
                                            }
                                            return write(piece);
                                        }}};
    std::size_t failed = 0;
    if (!WriteFilesSafely(files, failed)) {
        const int reason = errno;
        error = FileError(files[failed].target,
                          SystemReason(reason).empty() ? "it cannot be written" : SystemReason(reason));
        errno = reason;
        return false;
    }
    return true;
}

} // namespace lexaro::foreign
