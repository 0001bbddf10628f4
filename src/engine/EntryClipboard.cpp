#include "engine/Clipboard.h"
#include "engine/EntryStore.h"

#include <string>

namespace lexaro {

bool EntryStore::CopyEntry(Clipboard& clipboard, int row, bool cut) {
    ClassTable& entries = Entries();
    if (entries.RowCount() == 0 || row < 0 || row >= entries.RowCount()) {
        return false;
    }
    ClassTable single;
    single.SetSize(kEntryColumns, 1);
    for (int column = 0; column < kEntryColumns; ++column) {
        single.StoreCell(column, 0, entries.GetCell(column, row));
    }
    const std::vector<char> buffer = single.ToXmlBuffer();
    if (buffer.empty() || !clipboard.PutBytes(ClipboardFormatName(), std::string_view(buffer.data(), buffer.size()))) {
        return false;
    }
    if (cut) {
        LogChange(row, kUndoDelete, UndoGroup());
        if (entries.DeleteRow(row)) {
            RowRemoved(row);
        }
    }
    return true;
}

// The term itself when no entry has it (ignoring ASCII case), else "term (n)" with the first free n.
std::string EntryStore::UniqueTerm(const std::string& term) {
    std::string candidate = term;
    for (int n = 1; Entries().FindRow(kTermColumn, 0, candidate, kMatchEqualNoCase) != -1; ++n) {
        candidate = term + " (" + std::to_string(n) + ")";
    }
    return candidate;
}

bool EntryStore::PasteEntry(Clipboard& clipboard, int row) {
    ClassTable& entries = Entries();
    if (row >= entries.RowCount()) {
        row = entries.RowCount() - 1;
    }
    if (row < 0) {
        row = 0;
    }
    const std::optional<std::string> payload = clipboard.GetBytes(ClipboardFormatName());
    if (!payload) {
        return false;
    }
    ClassTable pasted;
    // The payload comes from any program that used the format name: it is read up to its first NUL only.
    if (!pasted.ParseXmlCString(payload->c_str()) || pasted.RowCount() < 1) {
        return false;
    }
    const std::string term = UniqueTerm(pasted.GetCell(kTermColumn, 0));
    if (entries.ColumnCount() < kEntryColumns) {
        entries.Resize(kEntryColumns, entries.RowCount());
    }
    int target = row;
    if (row < entries.RowCount() - 1 && entries.InsertRow(row)) {
        target = row;
        RowInserted(row);
    } else {
        if (!entries.AddRows(1)) {
            return false;
        }
        target = entries.RowCount() - 1;
    }
    entries.SetCell(kTermColumn, target, term);
    entries.SetCell(kExplanationColumn, target, pasted.GetCell(kExplanationColumn, 0));
    entries.SetCell(kDateColumn, target, pasted.GetCell(kDateColumn, 0));
    LogChange(target, kUndoAdd, UndoGroup());
    return true;
}

} // namespace lexaro
