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

std::vector<std::filesystem::path> ForeignDictionaryFolders(const Environment& environment) {
    std::vector<std::filesystem::path> folders{"/usr/share/dictd", "/usr/share/stardict/dic"};
    // A relative $XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules ask.
    const std::filesystem::path data(environment.xdgDataHome);
    if (!environment.home.empty()) {
        folders.push_back(environment.home / ".stardict" / "dic");
    }
    if (data.is_absolute()) {
        folders.push_back(data / "stardict" / "dic");
    } else if (!environment.home.empty()) {
        folders.push_back(environment.home / ".local" / "share" / "stardict" / "dic");
    }
    return folders;
}

DictionaryRead ReadDictionaryFile(ClassTable& table, const std::filesystem::path& path, FileKind kind,
                                  std::string* why) {
    if (kind == FileKind::SeparatedText) {
        // Text without a separator reads as one empty cell: that is no entry, and no file to save into.
        if (table.LoadSeparatedText(path) && HoldsText(table)) {
            return DictionaryRead::Complete;
        }
        table.Clear(true);
        return DictionaryRead::NotADictionary;
    }
    if (kind == FileKind::Foreign) {
        const ForeignRead read = ReadForeignDictionary(path, table);
        if (why != nullptr) {
            *why = read.error;
        }
        return read.complete ? DictionaryRead::Complete : DictionaryRead::NotADictionary;
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
