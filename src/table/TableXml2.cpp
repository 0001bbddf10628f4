#include "table/ClassTable.h"
#include "table/TableForms.h"

#include <algorithm>
#include <string>

namespace lexaro {

namespace {

constexpr std::string_view kRowsOpen = "<CT_ROWS>";
constexpr std::string_view kRowsClose = "</CT_ROWS>";
constexpr std::string_view kColumnsOpen = "<CT_COLUMNS>";
constexpr std::string_view kColumnsClose = "</CT_COLUMNS>";
constexpr std::string_view kCharsetOpen = "<CT_CHARSET>";
constexpr std::string_view kCharsetClose = "</CT_CHARSET>";
constexpr forms::HeaderTags kHeaderTags{kRowsOpen,     kRowsClose,   kColumnsOpen,
                                        kColumnsClose, kCharsetOpen, kCharsetClose};
constexpr std::string_view kRowOpen = "<CT_R>";
constexpr std::string_view kCellOpen = "<CT_C";
constexpr std::string_view kCellClose = "</CT_C>";
// A document is written in pieces of about this size.
// "<CT_C" ">" "</CT_C>": the fewest bytes a cell takes in a document.
constexpr std::size_t kSmallestCell = 13;

void AppendNumberLine(std::string& out, std::string_view open, int number, std::string_view close) {
    out.append(open).append(std::to_string(number)).append(close).append(forms::kCrLf);
}

// Where a cell ends by the length in its tag ("<CT_C=" length ">", the text starting after tagEnd): the
// position of the "</CT_C>" that follows exactly that many bytes, or npos when no such tag is there.
std::size_t DeclaredCellEnd(std::string_view document, std::size_t afterOpen, std::size_t tagEnd) {
    if (afterOpen >= tagEnd || document[afterOpen] != '=') {
        return std::string_view::npos;
    }
    const int length = forms::ReadNumber(document, afterOpen + 1, tagEnd);
    const std::size_t textStart = tagEnd + 1;
    if (length <= 0 || static_cast<std::size_t>(length) > document.size() - textStart) {
        return std::string_view::npos;
    }
    const std::size_t end = textStart + static_cast<std::size_t>(length);
    return document.substr(end, kCellClose.size()) == kCellClose ? end : std::string_view::npos;
}

// Where the searches for the next cell and row go on after a cell whose stated length holds. They start at the
// cell's text, as for any cell, unless the text contains "</CT_C>": then the whole cell is passed over. Starting
// past the cell instead gives the same answers when the text holds no cell or row tag to be found, and spares
// searching the text a second time.
std::size_t ResumeAfterDeclaredCell(std::string_view document, std::size_t textStart, std::size_t declaredEnd) {
    bool holdsTag = false;
    for (std::size_t at = forms::FindByte(document, '<', textStart); at < declaredEnd;
         at = forms::FindByte(document, '<', at + 1)) {
        if (forms::HoldsAt(document, at, kCellClose)) {
            return declaredEnd + kCellClose.size();
        }
        holdsTag = holdsTag || forms::HoldsAt(document, at, kCellOpen) || forms::HoldsAt(document, at, kRowOpen);
    }
    return holdsTag ? textStart : declaredEnd + kCellClose.size();
}

} // namespace

bool ClassTable::WriteXml2Pieces(const std::function<bool(std::string_view)>& sink) {
    forms::SharedHold hold(*this);
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::FromUtf8);
    if (!hold.Held() || !coder.IsValid()) {
        return false;
    }
    const int rows = RowCount();
    const int columns = ColumnCount();
    std::string piece;
    piece.reserve(forms::kPieceBytes + 4096);
    piece.append(forms::kXmlDeclaration).append(forms::kCrLf);
    piece.append("<CLASS_TABLE_XML2>").append(forms::kCrLf);
    AppendNumberLine(piece, kRowsOpen, rows, kRowsClose);
    AppendNumberLine(piece, kColumnsOpen, columns, kColumnsClose);
    AppendNumberLine(piece, kCharsetOpen, m_Charset, kCharsetClose);
    for (int row = 0; row < rows; ++row) {
        piece.append(" <CT_R>\r\n");
        for (int column = 0; column < columns; ++column) {
            const std::optional<std::string_view> cell = VisibleCell(column, row);
            piece.append("  <CT_C=").append(std::to_string(cell ? cell->size() : 0)).append(">");
            if (cell) {
                coder.AppendTo(piece, *cell);
            }
            piece.append(kCellClose).append(forms::kCrLf);
        }
        piece.append(" </CT_R>\r\n");
        if (piece.size() >= forms::kPieceBytes) {
            if (!sink(piece)) {
                return false;
            }
            piece.clear();
        }
    }
    piece.append("</CLASS_TABLE_XML2>").append(forms::kCrLf);
    return sink(piece);
}

std::optional<std::string> ClassTable::BuildXml2Text() {
    std::string document;
    document.reserve(forms::EstimateSize(*this, 24));
    if (!WriteXml2Pieces([&document](std::string_view piece) {
            document.append(piece);
            return true;
        })) {
        return std::nullopt;
    }
    return document;
}

std::string ClassTable::ToXml2Text() {
    return BuildXml2Text().value_or(std::string());
}

bool ClassTable::ParseXml2Text(std::string_view document) {
    return ParseXml2Document(forms::UpToNul(document), [](std::size_t) {});
}

bool ClassTable::ParseXml2Document(std::string_view document, const std::function<void(std::size_t)>& consumed) {
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::ToUtf8);
    if (!coder.IsValid() || !forms::IsFree(*this)) {
        return false;
    }
    const forms::TableHeader header = forms::ReadTableHeader(document, kHeaderTags);
    if (!header.hasRows) {
        return ParseXmlText(document);
    }
    if (!header.hasColumns) {
        return false;
    }
    const int rows = header.rows;
    m_FileCharset = header.fileCharset;
    std::size_t pos = header.bodyStart;
    const int columns = forms::BoundColumns(header.columns, document.size() - pos);
    const bool exactLengths = m_FileCharset == kUtf8CodePage && coder.IsPlain();
    Resize(columns, rows);
    // The announced count is believed only as far as the rest of the document could hold that many rows.
    const std::size_t smallestRow = kRowOpen.size() + static_cast<std::size_t>(columns) * kSmallestCell;
    const std::size_t possibleRows = (document.size() - pos) / smallestRow;
    if (rows > 0) {
        const std::size_t expected = std::min(static_cast<std::size_t>(rows), possibleRows);
        m_Cells.Reserve(expected, expected * static_cast<std::size_t>(columns));
    }

    forms::ForwardFinder rowFinder(document, kRowOpen);
    forms::ForwardFinder cellFinder(document, kCellOpen);
    forms::ForwardFinder endOfTagFinder(document, ">");
    forms::ForwardFinder cellEndFinder(document, kCellClose);
    const std::size_t budget = forms::CellBudget(document.size());
    std::size_t stored = 0;
    // Into an empty table the cells of a row go in one step, as StoreCell would leave them.
    const bool wholeRows = coder.IsPlain() && StoredRowCount() == 0;
    std::vector<std::string_view> rowCells;
    auto storeRow = [&] {
        if (!rowCells.empty()) {
            m_Cells.AppendRow(rowCells);
            m_Version += rowCells.size();
            m_Modified = true;
            rowCells.clear();
        }
    };
    for (int row = 0; row < rows; ++row) {
        storeRow();
        const std::size_t rowStart = rowFinder.Find(pos);
        if (rowStart == std::string_view::npos) {
            Resize(columns, row);
            return true;
        }
        consumed(rowStart);
        pos = rowStart + kRowOpen.size();
        for (int column = 0; column < columns; ++column) {
            const std::size_t cellStart = cellFinder.Find(pos);
            const std::size_t tagEnd =
                cellStart == std::string_view::npos ? cellStart : endOfTagFinder.Find(cellStart + kCellOpen.size());
            if (tagEnd == std::string_view::npos) {
                storeRow();
                Resize(columns, row);
                return false;
            }
            const std::size_t textStart = tagEnd + 1;
            // A UTF-8 document states each cell's byte count, so text that merely contains "</CT_C>" is read
            // whole instead of being cut there...
            std::size_t cellEnd =
                exactLengths ? DeclaredCellEnd(document, cellStart + kCellOpen.size(), tagEnd) : std::string_view::npos;
            if (cellEnd != std::string_view::npos) {
                pos = ResumeAfterDeclaredCell(document, textStart, cellEnd);
            } else {
                cellEnd = cellEndFinder.Find(tagEnd);
                if (cellEnd == std::string_view::npos) {
                    storeRow();
                    Resize(columns, row);
                    return false;
                }
                // ...otherwise the next search starts at this cell's text, so a cell holding markup may hold the
                // next cell.
                pos = textStart;
            }
            std::string_view text = document.substr(textStart, cellEnd - textStart);
            std::string converted;
            if (!coder.IsPlain()) {
                converted = coder.Convert(text);
                text = converted;
            }
            stored += text.size();
            if (stored > budget) {
                storeRow();
                Resize(columns, row);
                return false;
            }
            if (wholeRows) {
                rowCells.push_back(text);
            } else {
                StoreCell(column, row, text);
            }
        }
    }
    storeRow();
    return true;
}

} // namespace lexaro
