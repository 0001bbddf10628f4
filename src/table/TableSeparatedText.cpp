#include "table/ClassTable.h"
#include "table/SafeFile.h"
#include "table/SeparatedText.h"
#include "table/TableForms.h"

namespace lexaro {

namespace {

bool IsTrimmed(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

std::string_view TrimStart(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

bool ParseSeparatedText(ClassTable& table, std::string_view content, std::shared_ptr<const void> owner) {
    const std::string separator = table.Separator();
    forms::CellCoder coder(table.Charset(), CodePageConverter::Direction::ToUtf8);
    // An empty separator would split nothing and match everywhere.
    if (separator.empty() || !coder.IsValid() || !forms::IsFree(table)) {
        return false;
    }
    content = forms::UpToNul(content);
    table.Clear(false);
    if (owner && coder.IsPlain()) {
        table.KeepDocument(std::move(owner), content);
    }
    table.Resize(1, 1);
    const auto store = [&](int column, int row, std::string_view cell) {
        if (coder.IsPlain()) {
            table.SetCell(column, row, cell);
        } else {
            table.SetCell(column, row, coder.Convert(cell));
        }
    };

    // Text written on Linux ends its lines in LF alone; only text without any CR is read that way, so that a
    // lone LF inside a cell of a CR LF file stays text.
    const bool lfLines = content.find('\r') == std::string_view::npos;
    forms::ForwardFinder separatorFinder(content, separator);
    forms::ForwardFinder lineEndFinder(content, lfLines ? "\n" : "\r");
    std::size_t start = 0;
    std::size_t end = separatorFinder.Find(0);
    int column = 0;
    int row = 0;
    bool endOfLine = false;
    // The first cell runs to the first separator; without one the table stays 1 x 1 and empty.
    while (end != std::string_view::npos) {
        if (end > start) {
            std::string_view cell = content.substr(start, end - start);
            if (column == 0) {
                cell = TrimStart(cell);
            }
            if (endOfLine) {
                cell = TrimEnd(cell);
            }
            store(column, row, cell);
        }
        if (endOfLine) {
            // A cell at a line end ends just after its CR (or LF); the LF of a CR LF pair belongs to no cell.
            start = end;
            if (!lfLines && start < content.size() && content[start] == '\n') {
                ++start;
            }
        } else {
            start = end + separator.size();
        }
        ++column;
        if (column > table.ColumnCount()) {
            table.Resize(column, table.RowCount());
        }
        if (endOfLine) {
            ++row;
            table.AddRows(1);
            column = 0;
            endOfLine = false;
        }
        const std::size_t nextSeparator = separatorFinder.Find(start);
        if (nextSeparator == std::string_view::npos) {
            // Everything after the last separator is one cell, line breaks included.
            if (start < content.size()) {
                store(column, row, TrimEnd(content.substr(start)));
                if (column + 1 > table.ColumnCount()) {
                    table.Resize(column + 1, table.RowCount());
                }
            }
            break;
        }
        const std::size_t lineEnd = lineEndFinder.Find(start);
        if (lineEnd != std::string_view::npos && lineEnd < nextSeparator) {
            end = lineEnd + 1;
            endOfLine = true;
        } else {
            end = nextSeparator;
        }
    }
    return true;
}

bool ClassTable::WriteSeparatedTextPieces(const std::function<bool(std::string_view)>& sink) {
    forms::SharedHold hold(*this);
    forms::CellCoder coder(m_Charset, CodePageConverter::Direction::FromUtf8);
    if (!hold.Held() || !coder.IsValid()) {
        return false;
    }
    PieceBuffer piece(forms::kPieceBytes + 4096);
    for (int row = 0; row < RowCount(); ++row) {
        if (row > 0) {
            piece.Append(forms::kCrLf);
        }
        for (int column = 0; column < ColumnCount(); ++column) {
            if (column > 0) {
                piece.Append(m_Separator);
            }
            // The rows and columns asked for are the visible ones: the stored cell is the visible cell.
            if (const std::optional<std::string_view> cell = m_Cells.Stored(row, column)) {
                coder.AppendTo(piece, *cell);
            }
        }
        if (piece.Size() >= forms::kPieceBytes) {
            if (!sink(piece.Bytes())) {
                return false;
            }
            piece.Clear();
        }
    }
    return sink(piece.Bytes());
}

bool ClassTable::SaveSeparatedText(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    if (!WriteFileSafely(path, [this](const PieceWriter& write) { return WriteSeparatedTextPieces(write); })) {
        return false;
    }
    m_FileName = path;
    return true;
}

bool ClassTable::LoadSeparatedText(const std::filesystem::path& path) {
    if (path.empty() || m_Separator.empty() || !IsCodePageSupported(m_Charset)) {
        return false;
    }
    // The cells refer to the file's bytes, read into memory of the table's own; an empty file, which that read
    // does not take, is read as before.
    if (std::optional<forms::FileBytes> read = forms::FileBytes::Read(path)) {
        const auto content = std::make_shared<forms::FileBytes>(std::move(*read));
        if (!ParseSeparatedText(*this, content->Text(), content)) {
            return false;
        }
    } else {
        const std::optional<std::string> content = forms::ReadTableFile(path);
        if (!content || !ParseSeparatedText(*this, *content)) {
            return false;
        }
    }
    m_Modified = false;
    m_FileName = path;
    return true;
}

} // namespace lexaro
