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
    std::string piece;
    piece.reserve(forms::kPieceBytes + 4096);
    piece.append("<HTML>\r\n <HEAD>\r\n  <TITLE></TITLE>\r\n </HEAD>\r\n\r\n <BODY>\r\n");
    piece.append("  <TABLE>\r\n");
    for (int row = 0; row < RowCount(); ++row) {
        piece.append("   <TR>\r\n");
        for (int column = 0; column < ColumnCount(); ++column) {
            piece.append("    <TD>");
            if (const std::optional<std::string_view> cell = VisibleCell(column, row)) {
                coder.AppendTo(piece, *cell);
            }
            piece.append("</TD>\r\n");
        }
        piece.append("   </TR>\r\n");
        if (piece.size() >= forms::kPieceBytes) {
            if (!sink(piece)) {
                return false;
            }
            piece.clear();
        }
    }
    piece.append("  </TABLE>");
    piece.append("\r\n </BODY>\r\n</HTML>");
    return sink(piece);
}

bool ClassTable::SaveHtml(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    return WriteFileSafely(path, [this](const PieceWriter& write) { return WriteHtmlPieces(write); });
}

} // namespace lexaro
