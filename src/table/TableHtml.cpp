#include "table/ClassTable.h"
#include "table/SafeFile.h"
#include "table/TableForms.h"

namespace lexaro {

std::optional<std::string> ClassTable::BuildHtml() {
    forms::SharedHold hold(*this);
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::FromUtf8);
    if (!hold.Held() || !coder.IsValid()) {
        return std::nullopt;
    }
    std::string page;
    page.reserve(forms::EstimateSize(*this, 16));
    page.append("<HTML>\r\n <HEAD>\r\n  <TITLE></TITLE>\r\n </HEAD>\r\n\r\n <BODY>\r\n");
    page.append("  <TABLE>\r\n");
    for (int row = 0; row < RowCount(); ++row) {
        page.append("   <TR>\r\n");
        for (int column = 0; column < ColumnCount(); ++column) {
            page.append("    <TD>");
            if (const std::string* cell = VisibleCell(column, row)) {
                coder.AppendTo(page, *cell);
            }
            page.append("</TD>\r\n");
        }
        page.append("   </TR>\r\n");
    }
    page.append("  </TABLE>");
    page.append("\r\n </BODY>\r\n</HTML>");
    return page;
}

bool ClassTable::SaveHtml(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    const std::optional<std::string> page = BuildHtml();
    return page && WriteFileSafely(path, *page);
}

} // namespace lexaro
