// The mass data text on arbitrary bytes: the error check walks every line, then the text is applied to a
// dictionary. The first byte picks the separator (bits 0-2), dates typed (bit 3) and single lines (bit 4).
#include "FuzzSupport.h"
#include "app/EntryListTools.h"
#include "engine/EntryStore.h"

namespace {

constexpr std::string_view kSeparators[] = {";", ",", "\t", "", "\r", "\n", "ab", ";;"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lexaro;
    if (size == 0) {
        return 0;
    }
    const std::string_view separator = kSeparators[data[0] % (sizeof kSeparators / sizeof kSeparators[0])];
    const bool withDates = (data[0] & 0x08) != 0;
    const bool singleLines = (data[0] & 0x10) != 0;
    const std::string_view text = fuzz::Bytes(data + 1, size - 1);

    const std::vector<std::string> lines = SplitLines(text);
    fuzz::Require(lines.size() <= text.size() + 1, "lines are bounded by the text");
    // Each call reads the text from its first line: a few rounds show that the search goes on below.
    for (int start = 0, round = 0; start < static_cast<int>(lines.size()) && round < 16; ++round) {
        const auto issue = FindMassDataIssue(LineSource::Of(lines), start, separator, singleLines, withDates);
        if (!issue) {
            break;
        }
        fuzz::Require(issue->first >= start && issue->first < static_cast<int>(lines.size()), "issue line in range");
        start = issue->first + 1;
    }

    ClassTable entries;
    entries.SetSize(kEntryColumns, 1);
    entries.StoreCell(kTermColumn, 0, "house");
    const int added = ApplyMassDataText(entries, text, separator, withDates, singleLines, "2024-03-05 09:04:01");
    fuzz::Require(added >= 0 && entries.RowCount() == 1 + added, "the count of added rows is true");
    fuzz::Require(static_cast<std::size_t>(added) <= text.size(), "rows are bounded by the text");
    fuzz::Require(entries.PeekCell(kTermColumn, 0) == "house", "existing entries stay as they were");
    for (int row = 0; row < entries.RowCount(); ++row) {
        for (int column = 0; column < entries.ColumnCount(); ++column) {
            (void)entries.GetCell(column, row);
        }
    }

    // What the editor shows of the result must read back to the same rows.
    if (!withDates && !singleLines && separator == ";" && fuzz::CellsAvoid(entries, {";", "\r", "\n"})) {
        const std::string shown = BuildMassDataText(entries, separator, true);
        ClassTable again;
        again.SetSize(kEntryColumns, 0);
        ApplyMassDataText(again, shown, separator, true, false, "");
        fuzz::Require(again.RowCount() == entries.RowCount(), "the shown text reads back to as many rows");
        for (int row = 0; row < entries.RowCount(); ++row) {
            for (int column = 0; column < kEntryColumns; ++column) {
                fuzz::Require(again.PeekCell(column, row) == entries.PeekCell(column, row), "the same cells");
            }
        }
    }
    return 0;
}
