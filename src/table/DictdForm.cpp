#include "table/ForeignForms.h"
#include "table/ForeignText.h"
#include "table/SafeFile.h"
#include "table/TextBlock.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <new>
#include <tuple>

namespace lexaro::foreign {

namespace {

// A line of the index: where its entry lies in the data, and where the line starts in the index (its fields are
// read again from there when needed, so that a large index is not held a second time as fields).
struct IndexLine {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::size_t at = 0;
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

// The line of the index that starts at at, without its line break; next is where the line after it starts.
std::string_view LineAt(std::string_view index, std::size_t at, std::size_t* next = nullptr) {
    const std::size_t end = std::min(index.find('\n', at), index.size());
    std::string_view line = index.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (next != nullptr) {
        *next = end + 1;
    }
    return line;
}

// Reads every line of an index. False with error for a line that is not key, offset and length, or whose entry
// lies past the end of the data.
bool ParseIndex(std::string_view index, const std::filesystem::path& indexFile, std::uint64_t dataSize,
                const std::filesystem::path& dataFile, std::vector<IndexLine>& lines, std::string_view& shortName,
                std::string& error) {
    std::size_t number = 0;
    for (std::size_t at = 0; at < index.size();) {
        const std::size_t lineStart = at;
        const std::string_view line = LineAt(index, lineStart, &at);
        ++number;
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
        lines.push_back({*offset, *size, lineStart});
    }
    return true;
}

// Term and explanation of an entry, as parts of the entry's text or of its key (the explanation still with the
// entry's own line breaks): dictd keeps the headword as the entry text spells it on the first line.
struct SplitText {
    std::string_view term;
    std::string_view explanation;
};

SplitText SplitEntry(std::string_view key, std::string_view text) {
    text = TrimLines(text);
    const std::size_t lineEnd = std::min(text.find('\n'), text.size());
    std::string_view first = text.substr(0, lineEnd);
    if (!first.empty() && first.back() == '\r') {
        first.remove_suffix(1);
    }
    const std::size_t end = ReducedPrefixEnd(first, key);
    if (end == std::string_view::npos) {
        return {key, TrimLines(text)};
    }
    std::string_view form = first.substr(0, end);
    while (!form.empty() && (form.front() == ' ' || form.front() == '\t')) {
        form.remove_prefix(1);
    }
    const bool onlyHeadword = TrimLines(first.substr(end)).empty();
    return {form, TrimLines(onlyHeadword ? text.substr(std::min(lineEnd + 1, text.size())) : text)};
}

// Writes an entry's texts into the block: the explanation with CR LF line breaks, and the term, which is mostly
// the start of the explanation's first line and then shares its bytes.
PlacedEntry PlaceEntry(const SplitText& split, TextBlock& block) {
    PlacedEntry placed;
    placed.explanation = block.Size();
    block.AppendCrLf(split.explanation);
    placed.explanationLength = static_cast<std::uint32_t>(block.Size() - placed.explanation);
    const std::string_view explanation = split.explanation;
    const std::less_equal<const char*> notAfter;
    const bool inside = !split.term.empty() && notAfter(explanation.data(), split.term.data()) &&
                        notAfter(split.term.data() + split.term.size(), explanation.data() + explanation.size());
    const std::size_t termEnd =
        inside ? static_cast<std::size_t>(split.term.data() - explanation.data()) + split.term.size() : 0;
    if (inside && explanation.substr(0, termEnd).find_first_of("\r\n") == std::string_view::npos) {
        placed.term = placed.explanation + (termEnd - split.term.size());
    } else {
        placed.term = block.Size();
        block.Append(split.term);
    }
    placed.termLength = static_cast<std::uint32_t>(split.term.size());
    return placed;
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

// A text among others kept one after the other in one string: a million keys or index lines cost one allocation
// instead of one each.
struct Span {
    std::size_t at = 0;
    std::size_t length = 0;
    int row = 0;
    // The first eight bytes as one number, zeros after a shorter text: texts without zero bytes whose numbers
    // differ are in the order of their numbers, so that most comparisons of a sort look at no text.
    std::uint64_t prefix = 0;
};

std::string_view Part(std::string_view all, const Span& span) {
    return all.substr(span.at, span.length);
}

Span MakeSpan(std::string_view all, std::size_t at, int row) {
    Span span{at, all.size() - at, row, 0};
    for (std::size_t i = 0; i < 8; ++i) {
        span.prefix = (span.prefix << 8) | (i < span.length ? static_cast<unsigned char>(all[at + i]) : 0u);
    }
    return span;
}

// Bytewise order of the texts, then the rows.
bool SpanLess(std::string_view all, const Span& a, const Span& b) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    return std::pair(Part(all, a), a.row) < std::pair(Part(all, b), b.row);
}

// Rows with a key, in key order; ties keep the table's order. The keys are kept in keys.
std::vector<Span> KeyedRows(const ClassTable& entries, std::string& keys) {
    std::vector<Span> keyed;
    keyed.reserve(static_cast<std::size_t>(entries.RowCount()));
    for (int row = 0; row < entries.RowCount(); ++row) {
        const std::size_t at = keys.size();
        AppendDictdKey(keys, entries.CellView(0, row));
        if (keys.size() > at) {
            keyed.push_back(MakeSpan(keys, at, row));
        }
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Span& a, const Span& b) { return SpanLess(keys, a, b); });
    return keyed;
}

// The lines to read, in the order of the data, so that each chunk of a dictzip file is inflated once; a line that
// repeats another one then comes right after it and is no entry of its own (repeated says which).
std::vector<std::uint32_t> ReadingOrder(std::string_view index, const std::vector<IndexLine>& lines,
                                        std::vector<bool>& repeated) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> byOffset(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        byOffset[i] = {lines[i].offset, static_cast<std::uint32_t>(i)};
    }
    std::sort(byOffset.begin(), byOffset.end());
    repeated.assign(lines.size(), false);
    // Key and headword of a line: with its offset and length, what makes two lines the same entry.
    const auto identity = [&](std::uint32_t line) {
        const LineFields fields = Fields(LineAt(index, lines[line].at));
        return std::pair(fields.field[0], fields.field[3]);
    };
    for (std::size_t run = 0; run < byOffset.size();) {
        std::size_t end = run + 1;
        while (end < byOffset.size() && byOffset[end].first == byOffset[run].first) {
            ++end;
        }
        // Lines of the same offset in the order of their fields: one that repeats the line before is no entry.
        if (end - run > 1) {
            std::sort(byOffset.begin() + static_cast<std::ptrdiff_t>(run),
                      byOffset.begin() + static_cast<std::ptrdiff_t>(end), [&](const auto& a, const auto& b) {
                          return std::tuple(lines[a.second].size, identity(a.second), a.second) <
                                 std::tuple(lines[b.second].size, identity(b.second), b.second);
                      });
            for (std::size_t i = run + 1; i < end; ++i) {
                const std::uint32_t line = byOffset[i].second;
                const std::uint32_t before = byOffset[i - 1].second;
                repeated[line] = lines[line].size == lines[before].size && identity(line) == identity(before);
            }
        }
        run = end;
    }
    std::vector<std::uint32_t> order;
    order.reserve(lines.size());
    for (const auto& [offset, line] : byOffset) {
        if (!repeated[line]) {
            order.push_back(line);
        }
    }
    return order;
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
    if (lines.size() > static_cast<std::size_t>(INT32_MAX - 1)) {
        result.error = FileError(index, "it holds more entries than a dictionary can");
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
    std::vector<bool> repeated;
    std::vector<std::uint32_t> order = ReadingOrder(bytes, lines, repeated);
    // Rows keep the index's order.
    std::vector<std::uint32_t> rowLine;
    std::vector<std::uint32_t> rowOf(lines.size());
    rowLine.reserve(order.size());
    for (std::uint32_t i = 0; i < lines.size(); ++i) {
        if (!repeated[i]) {
            rowOf[i] = static_cast<std::uint32_t>(rowLine.size());
            rowLine.push_back(i);
        }
    }
    // Where the text of each row goes among the texts gathered in the order of the rows.
    std::vector<std::uint64_t> rawAt(rowLine.size() + 1);
    for (std::size_t row = 0; row < rowLine.size(); ++row) {
        rawAt[row + 1] = rawAt[row] + lines[rowLine[row]].size;
    }
    const std::uint64_t textSize = rawAt.back();
    if (textSize > TextBudget(data->Size())) {
        result.error =
            FileError(index, "its entries refer to the same text over and over (" + std::to_string(textSize) +
                                 " bytes of " + std::to_string(data->Size()) + ")");
        return result;
    }
    try {
        // The entries' texts are gathered in the order of the rows while the data is read from front to back, so
        // that each chunk of a dictzip file is inflated once. Then each becomes term and explanation in one block
        // that the table keeps, in the order of the rows too: a search that runs through the rows runs through the
        // block from front to back. The gathered texts go back to the system as the block grows.
        ReadOnceBlock raw(static_cast<std::size_t>(textSize));
        for (const std::uint32_t i : order) {
            if (!data->Read(lines[i].offset, lines[i].size, text, what)) {
                result.error = FileError(dataFile, what);
                return result;
            }
            std::copy(text.begin(), text.end(), raw.Data() + rawAt[rowOf[i]]);
        }
        data.reset();
        std::vector<std::uint32_t>().swap(order);
        std::vector<std::uint32_t>().swap(rowOf);
        std::vector<PlacedEntry> placed(rowLine.size());
        // Line breaks as CR LF add a little to the text.
        TextBlock block(static_cast<std::size_t>(textSize + textSize / 16));
        for (std::size_t row = 0; row < rowLine.size(); ++row) {
            const IndexLine& line = lines[rowLine[row]];
            const LineFields fields = Fields(LineAt(bytes, line.at));
            SplitText split = SplitEntry(fields.field[0], raw.View(rawAt[row], rawAt[row + 1] - rawAt[row]));
            if (!fields.field[3].empty()) {
                split.term = fields.field[3];
            }
            if (split.explanation.size() > UINT32_MAX / 2 || split.term.size() > UINT32_MAX) {
                result.error = FileError(dataFile, "the entry at offset " + std::to_string(line.offset) +
                                                       " is longer than an entry can be");
                return result;
            }
            placed[row] = PlaceEntry(split, block);
            raw.ReleaseBefore(rawAt[row + 1]);
        }
        // What only the reading needed goes before the table takes its rows.
        std::vector<IndexLine>().swap(lines);
        std::string().swap(bytes);
        std::vector<std::uint64_t>().swap(rawAt);
        result.error = AdoptPlacedEntries(block, placed, entries, index);
    } catch (const std::bad_alloc&) {
        result.error = FileError(index, "there is not enough memory to read it");
    }
    result.complete = result.error.empty();
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
    std::string keys;
    const std::vector<Span> keyed = KeyedRows(entries, keys);
    std::string lineText;
    std::vector<Span> lines;
    lines.reserve(keyed.size() + 3);
    std::uint64_t offset = 0;
    const auto add = [&](std::string_view key, std::string_view text) {
        const std::size_t at = lineText.size();
        lineText.append(key).append("\t").append(EncodeDictdNumber(offset));
        lineText.append("\t").append(EncodeDictdNumber(text.size()));
        lines.push_back(MakeSpan(lineText, at, 0));
        offset += text.size();
        return data.Append(text);
    };
    // dictd reads the database as UTF-8 only when it holds the utf8 entry.
    bool made = add("00databaseutf8", "\n") &&
                add("00databaseshort", "00-database-short\n     " + oneLineName + "\n") &&
                add("00databaseurl", "00-database-url\n     " + oneLineName + "\n");
    std::string text;
    for (const Span& key : keyed) {
        if (!made) {
            break;
        }
        // The headword on a line of its own, then the explanation.
        text.clear();
        AppendLf(text, entries.CellView(0, key.row));
        std::replace(text.begin(), text.end(), '\n', ' ');
        text.push_back('\n');
        const std::size_t body = text.size();
        AppendLf(text, TrimLines(explanationText(entries.CellView(1, key.row))));
        if (text.size() > body) {
            text.push_back('\n');
        }
        made = add(Part(keys, key), text);
    }
    made = made && data.Finish();
    if (!made) {
        error = FileError(dataFile, "the dictionary is too large for one dictzip file");
        errno = EFBIG;
        return false;
    }
    // The order of dictd's own builder, which sorts whole lines bytewise: dictd finds words by binary search.
    std::sort(lines.begin(), lines.end(), [&](const Span& a, const Span& b) { return SpanLess(lineText, a, b); });
    const std::vector<FileInSet> files{{dataFile, [&](const PieceWriter& write) { return data.WriteTo(write); }},
                                       {index, [&](const PieceWriter& write) {
                                            std::string piece;
                                            for (const Span& line : lines) {
                                                piece.append(Part(lineText, line)).push_back('\n');
                                                if (piece.size() >= (1u << 20)) {
                                                    if (!write(piece)) {
                                                        return false;
                                                    }
                                                    piece.clear();
                                                }
                                            }
                                            return write(piece);
                                        }}};
    return WriteSet(files, error);
}

} // namespace lexaro::foreign
