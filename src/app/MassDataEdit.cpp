#include "app/MassDataEdit.h"

#include "engine/EntryStore.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <vector>

namespace lexaro {

namespace {

int FieldCount(bool withDates) {
    return withDates ? 3 : 2;
}

char FieldEnd(std::string_view separator) {
    return separator.empty() ? ';' : separator.front();
}

bool StartsWithLineEnd(std::string_view cell) {
    return !cell.empty() && (cell.front() == '\r' || cell.front() == '\n');
}

std::size_t TextKey(const ClassTable& table, int row) {
    const std::hash<std::string_view> hash;
    return hash(table.CellView(kTermColumn, row)) * 31 + hash(table.CellView(kExplanationColumn, row));
}

bool SameText(const ClassTable& a, int rowA, const ClassTable& b, int rowB) {
    return a.CellView(kTermColumn, rowA) == b.CellView(kTermColumn, rowB) &&
           a.CellView(kExplanationColumn, rowA) == b.CellView(kExplanationColumn, rowB);
}

} // namespace

UnfaithfulEntries FindUnfaithfulEntries(const ClassTable& entries, std::string_view separator, bool withDates) {
    const char fieldEnd = FieldEnd(separator);
    UnfaithfulEntries found;
    for (int r = 0; r < entries.RowCount(); ++r) {
        for (int c = 0; c < FieldCount(withDates); ++c) {
            const std::string_view cell = entries.CellView(c, r);
            if (cell.find(fieldEnd) != std::string_view::npos || StartsWithLineEnd(cell)) {
                if (found.count++ == 0) {
                    found.firstRow = r;
                }
                break;
            }
        }
    }
    return found;
}

namespace {

// The length of what BuildMassDataText writes for one row.
std::size_t ShownLength(const ClassTable& entries, int row, const MassDataFormat& format) {
    std::size_t length = format.lineEnd.size();
    for (int c = 0; c < FieldCount(format.withDates); ++c) {
        length += entries.CellView(c, row).size() + format.separator.size();
    }
    return length;
}

// True when the text at pos is what BuildMassDataText writes for the row.
bool ShownAt(const ClassTable& entries, int row, std::string_view text, std::size_t pos, const MassDataFormat& format) {
    auto follows = [&](std::string_view part) {
        if (text.substr(pos, part.size()) != part) {
            return false;
        }
        pos += part.size();
        return true;
    };
    for (int c = 0; c < FieldCount(format.withDates); ++c) {
        if (!follows(entries.CellView(c, row)) || !follows(format.separator)) {
            return false;
        }
    }
    return follows(format.lineEnd);
}

void CopyRows(const ClassTable& from, int first, int end, ClassTable& to) {
    for (int r = first; r < end; ++r) {
        const int row = to.RowCount();
        for (int c = kTermColumn; c <= kDateColumn; ++c) {
            to.SetCell(c, row, from.CellView(c, r));
        }
        to.AddRows(1);
    }
}

} // namespace

ChangedPart FindChangedPart(const ClassTable& entries, std::string_view text, const MassDataFormat& format) {
    ChangedPart part{0, entries.RowCount(), 0, text.size()};
    while (part.firstRow < part.endRow && ShownAt(entries, part.firstRow, text, part.begin, format)) {
        part.begin += ShownLength(entries, part.firstRow, format);
        ++part.firstRow;
    }
    while (part.endRow > part.firstRow) {
        const std::size_t length = ShownLength(entries, part.endRow - 1, format);
        if (part.end - part.begin < length || !ShownAt(entries, part.endRow - 1, text, part.end - length, format)) {
            break;
        }
        part.end -= length;
        --part.endRow;
    }
    return part;
}

bool IsMassDataTextOf(const ClassTable& entries, std::string_view text, const MassDataFormat& format) {
    const ChangedPart part = FindChangedPart(entries, text, format);
    return part.firstRow == part.endRow && part.begin == part.end;
}

void KeepDatesOfUnchangedEntries(const ClassTable& before, int first, int end, ClassTable& edited) {
    std::vector<bool> lent(static_cast<std::size_t>(std::max(0, end - first)), false);
    auto lend = [&](int from, int to) {
        edited.SetCell(kDateColumn, to, before.CellView(kDateColumn, from));
        lent[static_cast<std::size_t>(from - first)] = true;
    };
    std::vector<int> moved;
    for (int r = 0; r < edited.RowCount(); ++r) {
        if (first + r < end && SameText(before, first + r, edited, r)) {
            lend(first + r, r);
        } else {
            moved.push_back(r);
        }
    }
    if (moved.empty()) {
        return;
    }
    std::unordered_multimap<std::size_t, int> byText;
    for (int r = first; r < end; ++r) {
        if (!lent[static_cast<std::size_t>(r - first)]) {
            byText.emplace(TextKey(before, r), r);
        }
    }
    for (int r : moved) {
        auto [it, last] = byText.equal_range(TextKey(edited, r));
        for (; it != last; ++it) {
            if (SameText(before, it->second, edited, r)) {
                lend(it->second, r);
                byText.erase(it);
                break;
            }
        }
    }
}

int ApplyMassDataEdit(EntryStore& engine, std::string_view text, const MassDataFormat& format, bool addMode,
                      std::string_view stamp, const ProgressReport& progress) {
    ClassTable& entries = engine.Entries();
    if (addMode) {
        const int first = entries.RowCount();
        const int added =
            ApplyMassDataText(entries, text, format.separator, format.withDates, format.singleLines, stamp, progress);
        for (int r = first; r < entries.RowCount(); ++r) {
            engine.LogChange(r, kUndoAdd, engine.UndoGroup());
        }
        if (added > 0) {
            entries.SetModified(true);
        }
        return added;
    }
    const ChangedPart part = FindChangedPart(entries, text, format);
    ClassTable middle;
    middle.Resize(kEntryColumns, 0);
    ApplyMassDataText(middle, text.substr(part.begin, part.end - part.begin), format.separator, format.withDates,
                      format.singleLines, stamp, progress);
    if (!format.withDates) {
        KeepDatesOfUnchangedEntries(entries, part.firstRow, part.endRow, middle);
    }
    ClassTable edited;
    edited.Resize(kEntryColumns, 0);
    CopyRows(entries, 0, part.firstRow, edited);
    CopyRows(middle, 0, middle.RowCount(), edited);
    CopyRows(entries, part.endRow, entries.RowCount(), edited);
    return engine.ReplaceEntries(edited);
}

} // namespace lexaro
