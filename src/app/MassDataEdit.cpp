#include "app/MassDataEdit.h"

#include "engine/EntryStore.h"

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

bool IsMassDataTextOf(const ClassTable& entries, std::string_view text, std::string_view separator, bool withDates,
                      std::string_view lineEnd) {
    std::size_t pos = 0;
    auto follows = [&](std::string_view part) {
        if (text.substr(pos, part.size()) != part) {
            return false;
        }
        pos += part.size();
        return true;
    };
    for (int r = 0; r < entries.RowCount(); ++r) {
        for (int c = 0; c < FieldCount(withDates); ++c) {
            if (!follows(entries.CellView(c, r)) || !follows(separator)) {
                return false;
            }
        }
        if (!follows(lineEnd)) {
            return false;
        }
    }
    return pos == text.size();
}

void KeepDatesOfUnchangedEntries(const ClassTable& before, ClassTable& edited) {
    std::vector<bool> lent(static_cast<std::size_t>(before.RowCount()), false);
    auto lend = [&](int from, int to) {
        edited.SetCell(kDateColumn, to, before.CellView(kDateColumn, from));
        lent[static_cast<std::size_t>(from)] = true;
    };
    std::vector<int> moved;
    for (int r = 0; r < edited.RowCount(); ++r) {
        if (r < before.RowCount() && SameText(before, r, edited, r)) {
            lend(r, r);
        } else {
            moved.push_back(r);
        }
    }
    if (moved.empty()) {
        return;
    }
    std::unordered_multimap<std::size_t, int> byText;
    for (int r = 0; r < before.RowCount(); ++r) {
        if (!lent[static_cast<std::size_t>(r)]) {
            byText.emplace(TextKey(before, r), r);
        }
    }
    for (int r : moved) {
        auto [it, end] = byText.equal_range(TextKey(edited, r));
        for (; it != end; ++it) {
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
    ClassTable edited;
    edited.Resize(kEntryColumns, 0);
    ApplyMassDataText(edited, text, format.separator, format.withDates, format.singleLines, stamp, progress);
    if (!format.withDates) {
        KeepDatesOfUnchangedEntries(entries, edited);
    }
    return engine.ReplaceEntries(edited);
}

} // namespace lexaro
