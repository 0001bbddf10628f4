#include "app/DictionaryFiles.h"

#include "app/CommandLine.h"
#include "table/ForeignDictionary.h"

namespace lexaro {

namespace {

bool HoldsText(const ClassTable& table) {
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            if (!table.CellView(column, row).empty()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

FileKind KindOfFile(std::string_view path) {
    const std::string extension = LowerExtension(path);
    if (extension == ".lxd") {
        return FileKind::Dictionary;
    }
    if (extension == ".csv") {
        return FileKind::SeparatedText;
    }
    if (extension == ".lxt") {
        return FileKind::TrainingUnit;
    }
    if (ForeignFormOf(std::filesystem::path(path)) != ForeignForm::None) {
        return FileKind::Foreign;
    }
    return FileKind::Other;
}

DictionaryRead ReadDictionaryFile(ClassTable& table, const std::filesystem::path& path, FileKind kind) {
    if (kind == FileKind::SeparatedText) {
        // Text without a separator reads as one empty cell: that is no entry, and no file to save into.
        if (table.LoadSeparatedText(path) && HoldsText(table)) {
            return DictionaryRead::Complete;
        }
        table.Clear(true);
        return DictionaryRead::NotADictionary;
    }
    if (kind == FileKind::Foreign) {
        return ReadForeignDictionary(path, table).complete ? DictionaryRead::Complete : DictionaryRead::NotADictionary;
    }
    if (table.LoadDocumentFile(path)) {
        return DictionaryRead::Complete;
    }
    if (table.RowCount() > 0) {
        return DictionaryRead::Partial;
    }
    table.Clear(true);
    return DictionaryRead::NotADictionary;
}

} // namespace lexaro
