#include "table/ClassTable.h"
#include "table/SafeFile.h"
#include "table/TableForms.h"

namespace lexaro {

bool ClassTable::WriteHtmlPieces(const std::function<bool(std::string_view)>& sink) {
    forms::SharedHold hold(*this);
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::FromUtf8);
    if (!hold.Held() || !coder.IsValid()) {
        return false;
    }
    PieceBuffer piece(forms::kPieceBytes + 4096);
    piece.Append("<HTML>\r\n <HEAD>\r\n  <TITLE></TITLE>\r\n </HEAD>\r\n\r\n <BODY>\r\n");
    piece.Append("  <TABLE>\r\n");
    for (int row = 0; row < RowCount(); ++row) {
        piece.Append("   <TR>\r\n");
        for (int column = 0; column < ColumnCount(); ++column) {
            piece.Append("    <TD>");
            // The rows and columns asked for are the visible ones: the stored cell is the visible cell.
            if (const std::optional<std::string_view> cell = m_Cells.Stored(row, column)) {
                coder.AppendTo(piece, *cell);
            }
            piece.Append("</TD>\r\n");
        }
        piece.Append("   </TR>\r\n");
        if (piece.Size() >= forms::kPieceBytes) {
            if (!sink(piece.Bytes())) {
                return false;
            }
            piece.Clear();
        }
    }
    piece.Append("  </TABLE>");
    piece.Append("\r\n </BODY>\r\n</HTML>");
    return sink(piece.Bytes());
}

bool ClassTable::SaveHtml(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    return WriteFileSafely(path, [this](const PieceWriter& write) { return WriteHtmlPieces(write); });
}

} // namespace lexaro
