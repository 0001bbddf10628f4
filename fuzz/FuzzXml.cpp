// The XML table form reader (entry clipboard, old dictionary files) on arbitrary bytes. The first byte
// picks the table's code page.
#include "FuzzSupport.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size == 0) {
        return 0;
    }
    const std::string_view document = fuzz::Bytes(data + 1, size - 1);
    ClassTable table;
    table.SetCharset(fuzz::PickCodePage(data[0]));
    table.ParseXmlText(document);
    fuzz::CheckParsedTable(table, document.size());

    // The clipboard passes the form as a NUL-terminated buffer; in UTF-8 and with no markup inside
    // cells it reads back the same.
    const std::vector<char> buffer = table.ToXmlBuffer();
    fuzz::Require(!buffer.empty() && buffer.back() == '\0', "a parsed table gives a terminated buffer");
    ClassTable again;
    again.SetCharset(table.Charset());
    const bool reread = again.ParseXmlCString(buffer.data());
    if (table.Charset() == kUtf8CodePage && table.ColumnCount() > 0 &&
        fuzz::CellsAvoid(table, {"<CLASS_TABLE_ROW>", "<CLASS_TABLE_COLUMN>"})) {
        fuzz::Require(reread && fuzz::SameCells(table, again), "a written form reads back the same");
    }
    return 0;
}
