#include "table/ClassTable.h"
#include "table/TableForms.h"

#include <cstring>
#include <string>

namespace lexaro {

namespace {

constexpr std::string_view kRowsOpen = "<CLASS_TABLE_ROWS>";
constexpr std::string_view kRowsClose = "</CLASS_TABLE_ROWS>";
constexpr std::string_view kColumnsOpen = "<CLASS_TABLE_COLUMNS>";
constexpr std::string_view kColumnsClose = "</CLASS_TABLE_COLUMNS>";
constexpr std::string_view kCharsetOpen = "<CLASS_TABLE_CHARSET>";
constexpr std::string_view kCharsetClose = "</CLASS_TABLE_CHARSET>";
constexpr forms::HeaderTags kHeaderTags{kRowsOpen,     kRowsClose,   kColumnsOpen,
                                        kColumnsClose, kCharsetOpen, kCharsetClose};
constexpr std::string_view kRowOpen = "<CLASS_TABLE_ROW>";
constexpr std::string_view kCellOpen = "<CLASS_TABLE_COLUMN>";
constexpr std::string_view kCellClose = "</CLASS_TABLE_COLUMN>";

void AppendNumberLine(std::string& out, std::string_view open, int number, std::string_view close) {
    out.append(open).append(std::to_string(number)).append(close).append(forms::kCrLf);
}

} // namespace

std::optional<std::string> ClassTable::BuildXmlText() {
    forms::SharedHold hold(*this);
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::FromUtf8);
    if (!hold.Held() || !coder.IsValid()) {
        return std::nullopt;
    }
    const int rows = RowCount();
    const int columns = ColumnCount();
    std::string document;
    document.reserve(forms::EstimateSize(*this, 45));
    document.append(forms::kXmlDeclaration).append(forms::kCrLf);
    document.append("<CLASS_TABLE_XML>").append(forms::kCrLf);
    AppendNumberLine(document, kRowsOpen, rows, kRowsClose);
    AppendNumberLine(document, kColumnsOpen, columns, kColumnsClose);
    AppendNumberLine(document, kCharsetOpen, m_Charset, kCharsetClose);
    for (int row = 0; row < rows; ++row) {
        document.append(" ").append(kRowOpen).append(forms::kCrLf);
        for (int column = 0; column < columns; ++column) {
            document.append("  ").append(kCellOpen);
            if (const std::optional<std::string_view> cell = VisibleCell(column, row)) {
                coder.AppendTo(document, *cell);
            }
            document.append(kCellClose).append(forms::kCrLf);
        }
        document.append(" </CLASS_TABLE_ROW>").append(forms::kCrLf);
    }
    document.append("</CLASS_TABLE_XML>").append(forms::kCrLf);
    return document;
}

std::string ClassTable::ToXmlText() {
    return BuildXmlText().value_or(std::string());
}

std::vector<char> ClassTable::ToXmlBuffer() {
    const std::optional<std::string> text = BuildXmlText();
    if (!text) {
        return {};
    }
    std::vector<char> buffer;
    buffer.reserve(text->size() + 1);
    buffer.assign(text->begin(), text->end());
    buffer.push_back('\0');
    m_Modified = false;
    return buffer;
}

bool ClassTable::ParseXmlCString(const char* text) {
    if (text == nullptr) {
        return false;
    }
    return ParseXmlText(std::string_view(text, std::strlen(text)));
}

bool ClassTable::ParseXmlText(std::string_view document) {
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::ToUtf8);
    if (!coder.IsValid() || !forms::IsFree(*this)) {
        return false;
    }
    document = forms::UpToNul(document);
    const forms::TableHeader header = forms::ReadTableHeader(document, kHeaderTags);
    if (!header.hasRows) {
        return false;
    }
    if (!header.hasColumns) {
        return false;
    }
    const int rows = header.rows;
    m_FileCharset = header.fileCharset;
    std::size_t pos = header.bodyStart;
    const int columns = forms::BoundColumns(header.columns, document.size() - pos);
    Resize(columns, rows);

    forms::ForwardFinder rowFinder(document, kRowOpen);
    forms::ForwardFinder cellFinder(document, kCellOpen);
    forms::ForwardFinder cellEndFinder(document, kCellClose);
    const std::size_t budget = forms::CellBudget(document.size());
    std::size_t stored = 0;
    for (int row = 0; row < rows; ++row) {
        const std::size_t rowStart = rowFinder.Find(pos);
        if (rowStart == std::string_view::npos) {
            Resize(columns, row);
            return true;
        }
        pos = rowStart + kRowOpen.size();
        for (int column = 0; column < columns; ++column) {
            const std::size_t cellStart = cellFinder.Find(pos);
            if (cellStart == std::string_view::npos) {
                Resize(columns, row);
                return false;
            }
            // The next search starts at this cell's text, so a cell holding markup may hold the next cell.
            pos = cellStart + kCellOpen.size();
            const std::size_t cellEnd = cellEndFinder.Find(pos);
            if (cellEnd == std::string_view::npos) {
                Resize(columns, row);
                return false;
            }
            std::string_view text = document.substr(pos, cellEnd - pos);
            std::string converted;
            if (!coder.IsPlain()) {
                converted = coder.Convert(text);
                text = converted;
            }
            stored += text.size();
            if (stored > budget) {
                Resize(columns, row);
                return false;
            }
            StoreCell(column, row, text);
        }
    }
    return true;
}

} // namespace lexaro
