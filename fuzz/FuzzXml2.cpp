// The dictionary document reader on arbitrary bytes. The first byte picks the table's code page.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size == 0) {
        return 0;
    }
    const std::string_view document = fuzz::Bytes(data + 1, size - 1);
    ClassTable table;
    table.SetCharset(fuzz::PickCodePage(data[0]));
    table.ParseXml2Text(document);
    fuzz::CheckParsedTable(table, document.size());

    // What was read is written again; in UTF-8 and with no markup inside cells it reads back the same.
    const std::string written = table.ToXml2Text();
    fuzz::Require(!written.empty(), "a parsed table can be written");
    ClassTable again;
    again.SetCharset(table.Charset());
    const bool reread = again.ParseXml2Text(written);
    if (table.Charset() == kUtf8CodePage && table.ColumnCount() > 0 &&
        fuzz::CellsAvoid(table, {"<CT_C", "<CT_R>", "<CLASS_TABLE"})) {
        fuzz::Require(reread && fuzz::SameCells(table, again), "a written document reads back the same");
    }
    return 0;
}
