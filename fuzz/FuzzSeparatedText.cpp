// The separated-text reader on arbitrary bytes. The first byte picks the separator and the code page.
#include "FuzzSupport.h"
#include "table/SeparatedText.h"

namespace {

constexpr std::string_view kSeparators[] = {";", ",", "\t", ", ", "\r\n", "ab"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size == 0) {
        return 0;
    }
    const std::string_view content = fuzz::Bytes(data + 1, size - 1);
    ClassTable table;
    table.SetSeparator(kSeparators[data[0] % (sizeof kSeparators / sizeof kSeparators[0])]);
    table.SetCharset(fuzz::PickCodePage(static_cast<std::uint8_t>(data[0] >> 3)));
    fuzz::Require(ParseSeparatedText(table, content), "separated text always loads");
    fuzz::Require(table.RowCount() >= 1 && table.ColumnCount() >= 1, "at least one cell");
    // A line needs a line end and a cell a separator; ragged lines may still make a wide, long table.
    fuzz::Require(static_cast<std::size_t>(table.RowCount()) <= content.size() + 1, "rows are bounded by the text");
    fuzz::Require(static_cast<std::size_t>(table.ColumnCount()) <= content.size() + 1,
                  "columns are bounded by the text");
    fuzz::Require(table.StoredRowCount() <= table.RowCount(), "no row is stored beyond the table");
    for (int row = 0; row < table.RowCount(); ++row) {
        (void)table.GetCell(0, row);
    }
    return 0;
}
