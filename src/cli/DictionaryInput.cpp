#include "cli/DictionaryInput.h"

#include "app/SystemCodePage.h"
#include "cli/CliDefaults.h"
#include "table/ForeignDictionary.h"
#include "table/SafeFile.h"
#include "table/TextEncoding.h"

#include <climits>
#include <cstdlib>

namespace lexaro::cli {

namespace {

// The tags by which the two document forms mark their row count, rows and the end of each cell.
struct DocumentTags {
    std::string_view rowsOpen;
    std::string_view rowsClose;
    std::string_view row;
    std::string_view cellClose;
};

constexpr DocumentTags kXml2Tags{"<CT_ROWS>", "</CT_ROWS>", "<CT_R>", "</CT_C>"};
constexpr DocumentTags kXmlTags{"<CLASS_TABLE_ROWS>", "</CLASS_TABLE_ROWS>", "<CLASS_TABLE_ROW>",
                                "</CLASS_TABLE_COLUMN>"};

long long CountOf(std::string_view text, std::string_view needle) {
    long long count = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

// The row count a document announces, read as the document reader reads it (leading digits, 0 for none).
long long AnnouncedRows(std::string_view document, const DocumentTags& tags) {
    const std::size_t open = document.find(tags.rowsOpen);
    const std::size_t close = document.find(tags.rowsClose);
    if (open == std::string_view::npos || close == std::string_view::npos || close < open + tags.rowsOpen.size()) {
        return 0;
    }
    const std::string number(document.substr(open + tags.rowsOpen.size(), close - open - tags.rowsOpen.size()));
    const long value = std::strtol(number.c_str(), nullptr, 10);
    return value < 0 ? 0 : (value > INT_MAX ? INT_MAX : value);
}

// Why the table does not hold the whole document, or empty. Rows and cells are counted by their tags: a
// cell that holds such a tag as text is reported too, which errs on the side of keeping the file.
std::string DocumentCompleteness(std::string_view document, const ClassTable& table) {
    const bool xml2 = document.find(kXml2Tags.rowsOpen) != std::string_view::npos &&
                      document.find(kXml2Tags.rowsClose) != std::string_view::npos;
    const DocumentTags& tags = xml2 ? kXml2Tags : kXmlTags;
    const long long rows = table.RowCount();
    const long long announced = AnnouncedRows(document, tags);
    if (announced != rows) {
        return "it announces " + std::to_string(announced) + " entries, " + std::to_string(rows) + " could be read";
    }
    if (CountOf(document, tags.row) != rows || CountOf(document, tags.cellClose) != rows * table.ColumnCount()) {
        return "it holds rows or cells that cannot be read";
    }
    return {};
}

} // namespace

TableForm InputFormOf(const std::filesystem::path& path) {
    if (ForeignFormOf(path) != ForeignForm::None) {
        return TableForm::Foreign;
    }
    return LowerExtension(path) == ".csv" ? TableForm::SeparatedText : TableForm::Document;
}

std::string LowerExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& ch : extension) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return extension;
}

std::optional<int> CharsetOption(const CommandLine& line, std::string& error) {
    const std::optional<std::string> given = line.Value("charset");
    if (!given) {
        return DefaultCharset();
    }
    // -1 stands for the code page of the user's locale, as in the settings.
    const std::optional<int> number = ParseNumber(*given, kSystemCharset, 65535);
    const int codePage = number ? EffectiveCharset(*number) : 0;
    if (!number || codePage <= 0 || !IsCodePageSupported(codePage)) {
        error = "--charset " + *given + " is no code page this system can convert";
        return std::nullopt;
    }
    return codePage;
}

std::string LoadCompletely(const std::filesystem::path& path, TableForm form, ClassTable& table) {
    if (form == TableForm::Foreign) {
        return ReadForeignDictionary(path, table).error;
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        return "it cannot be read";
    }
    if (bytes.find('\0') != std::string::npos) {
        return "it holds a NUL byte, and what follows it cannot be read";
    }
    if (form == TableForm::SeparatedText) {
        return table.LoadSeparatedText(path) ? std::string() : "it cannot be read as separated text";
    }
    if (!table.LoadDocumentFile(path, ClassTable::DocumentAccess::Map)) {
        return "it is no dictionary, or a damaged one";
    }
    return DocumentCompleteness(bytes, table);
}

std::optional<std::string> ReadDictionary(const std::filesystem::path& path, ClassTable& table) {
    if (InputFormOf(path) == TableForm::Foreign) {
        const ForeignRead read = ReadForeignDictionary(path, table);
        return read.complete ? std::nullopt : std::optional<std::string>(": " + read.error);
    }
    return table.LoadDocumentFile(path, ClassTable::DocumentAccess::Map) ? std::nullopt
                                                                         : std::optional<std::string>("");
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

} // namespace lexaro::cli
