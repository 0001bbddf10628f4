#include "engine/EntryStore.h"

namespace lexaro {

namespace {

// A complete open ... close pair at or after from.
bool HasPair(std::string_view text, std::size_t from, std::string_view open, std::string_view close) {
    const auto start = text.find(open, from);
    return start != std::string_view::npos && text.find(close, start + open.size()) != std::string_view::npos;
}

} // namespace

std::string EntryStore::MainExplanation(std::string_view text) {
    return std::string(text.substr(0, text.find(kAdditionalOpen)));
}

std::string EntryStore::MainCell(int column, int row) {
    return MainExplanation(m_Entries.GetCell(column, row));
}

bool EntryStore::HasExampleBlock(std::string_view text) {
    const auto part = text.find(kAdditionalOpen);
    if (part == std::string_view::npos) {
        return false;
    }
    return HasPair(text, part, kPositiveOpen, kPositiveClose) || HasPair(text, part, kNegativeOpen, kNegativeClose);
}

std::string EntryStore::ExplanationLines(std::string_view text) {
    std::string lines = MainExplanation(text);
    for (const bool positive : {true, false}) {
        ClassTable examples;
        ExtractExamples(text, positive, examples);
        for (int row = 0; row < examples.RowCount(); ++row) {
            lines.append(lines.empty() ? "" : "\r\n").append(positive ? "+ " : "- ").append(examples.CellView(0, row));
        }
    }
    return lines;
}

bool EntryStore::ExtractExamples(std::string_view text, bool positive, ClassTable& target) {
    if (!target.Resize(1, 0)) {
        return false;
    }
    if (!HasExampleBlock(text)) {
        return false;
    }
    const std::string_view open = positive ? kPositiveOpen : kNegativeOpen;
    const std::string_view close = positive ? kPositiveClose : kNegativeClose;
    std::size_t from = text.find(kAdditionalOpen);
    for (;;) {
        const auto start = text.find(open, from);
        if (start == std::string_view::npos) {
            break;
        }
        const auto first = start + open.size();
        const auto end = text.find(close, first);
        if (end == std::string_view::npos) {
            break;
        }
        const int row = target.RowCount();
        if (!target.AddRows(1) || target.RowCount() != row + 1) {
            break;
        }
        target.SetCell(0, row, text.substr(first, end - first));
        from = end;
    }
    return true;
}

} // namespace lexaro
