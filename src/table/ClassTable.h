#pragma once

#include "table/RowIndex.h"
#include "table/TableCells.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// Modes of ClassTable::AccessGuard.
inline constexpr int kGuardRelease = 0;
inline constexpr int kGuardShared = 1;
inline constexpr int kGuardExclusive = 2;

// Match modes of ClassTable::FindRow.
inline constexpr int kMatchExact = 0;
inline constexpr int kMatchEqualNoCase = 1;
inline constexpr int kMatchBeginsWord = 2;
inline constexpr int kMatchWholeWord = 3;
inline constexpr int kMatchContains = 4;
inline constexpr int kMatchBeginsWith = 5;
inline constexpr int kMatchEndsWith = 6;

inline constexpr int kUtf8CodePage = 65001;

// A grid of UTF-8 byte strings addressed (column, row). The logical size (RowCount x ColumnCount) is
// separate from what is stored: shrinking hides cells, growing again shows them, and only DeleteRow and
// Clear discard stored cells. AccessGuard is a busy marker that never waits, not a thread lock.
class ClassTable {
public:
    ClassTable() = default;

    bool AccessGuard(int mode);

    int RowCount() const { return m_LastRow + 1; }
    int ColumnCount() const { return m_LastColumn + 1; }
    bool SetSize(int columns, int rows);
    bool AddRows(int count);
    bool Resize(int columns, int rows);
    // Stores rows rows of cells cells each into the table, which holds no stored row yet; text(row, cell) gives
    // each cell's text as a part of document (or empty). The table keeps document, alive through owner, instead
    // of copying the texts. False when the table is busy or holds stored rows. The logical size stays as it is.
    bool AdoptRows(std::shared_ptr<const void> owner, std::string_view document, int rows, int cells,
                   const std::function<std::string_view(int row, int cell)>& text);
    bool Clear(bool keepClean);
    // Keeps document, alive through owner, as the text that cells stored afterwards refer to where they lie in it,
    // instead of being copied. Only for a table that holds no stored row; false otherwise.
    bool KeepDocument(std::shared_ptr<const void> owner, std::string_view document);

    bool IsModified() const { return m_Modified; }
    void SetModified(bool modified) { m_Modified = modified; }
    int Charset() const { return m_Charset; }
    void SetCharset(int codePage) { m_Charset = codePage; }
    int FileCharset() const { return m_FileCharset; }
    const std::string& Separator() const { return m_Separator; }
    void SetSeparator(std::string_view separator) { m_Separator = separator; }
    const std::filesystem::path& FileName() const { return m_FileName; }
    void SetFileName(const std::filesystem::path& path) { m_FileName = path; }

    int CellLength(int column, int row) const;
    std::string GetCell(int column, int row);
    std::string PeekCell(int column, int row) const;
    // The cell's bytes without a copy ("" outside the table); valid until the table changes. Inline: passes over
    // every entry of a large dictionary call it a million times.
    std::string_view CellView(int column, int row) const {
        return VisibleCell(column, row).value_or(std::string_view());
    }
    int GetCellInt(int column, int row) const;
    bool StoreCell(int column, int row, std::string_view text);
    bool SetCell(int column, int row, std::string_view text);
    bool SetCellInt(int column, int row, int value);
    // Stores cells into the columns from 0 on of row, as SetCell on each would; a row appended this way is
    // stored in one step. The texts must not be cells of this table (storing one may move the others).
    bool SetRow(int row, std::span<const std::string_view> cells);

    bool InsertRow(int index);
    bool DeleteRow(int index);
    // The same as DeleteRow(first) repeated count times, in one move of the rows below. Returns the number of
    // rows removed.
    int DeleteRows(int first, int count);
    bool AppendRowTo(int row, ClassTable& target);
    bool SortRows(int column, bool ascending, int first, int last);
    // The same, and followed, a row number, goes along with its row; a number outside the sorted range stays.
    bool SortRows(int column, bool ascending, int first, int last, int& followed);

    int FindRow(int column, int startRow, std::string_view text, int mode);
    int FindRowAround(int column, int startRow, std::string_view prefix, std::string_view suffix);
    // FindRow and FindRowAround keep indexes of tables with at least this many rows.
    void SetIndexMinRows(int rows) { m_Indexes.SetMinRows(rows); }
    // Grows with every change to the cells or the size of the table.
    std::uint64_t Version() const { return m_Version; }

    // Number of physically stored rows (may differ from RowCount).
    int StoredRowCount() const { return m_Cells.RowCount(); }

    // XML2 document: the dictionary file.
    std::string ToXml2Text();
    bool ParseXml2Text(std::string_view document);
    bool SaveDocumentFile(const std::filesystem::path& path);
    // How a document read from a file is held. Copy: in memory of the table's own, which nothing done to the file
    // afterwards can reach. Map: the file's own pages, which spares the copy, for a program that reads a file and
    // soon ends, such as the command-line tool: a change to the file meanwhile may show in the table (as it may
    // in bytes being read), and the file cut short meanwhile raises SIGBUS, which such a program must handle.
    // Saving the table under the same name is safe either way: a save replaces the file and leaves the mapped
    // one as it was.
    enum class DocumentAccess { Copy, Map };
    bool LoadDocumentFile(const std::filesystem::path& path, DocumentAccess access = DocumentAccess::Copy);

    // XML form (entry clipboard, fallback of the document reader), separated text and HTML.
    std::string ToXmlText();
    std::vector<char> ToXmlBuffer();
    bool ParseXmlText(std::string_view document);
    bool ParseXmlCString(const char* text);
    bool SaveSeparatedText(const std::filesystem::path& path);
    bool LoadSeparatedText(const std::filesystem::path& path);
    bool SaveHtml(const std::filesystem::path& path);

    // Opens a table file: "rb" to read (regular files only), "wb+" to write. Null on failure; the caller
    // closes the file. The table's own writers do not use it: they replace their target in one step.
    static std::FILE* OpenTableFile(const std::filesystem::path& path, bool forReading);
    // Reads length bytes of an open file in one read and returns them up to the first NUL.
    static std::string ReadWholeFile(std::FILE* file, long length);

private:
    // The cell if it is inside the logical size and stored, otherwise null.
    std::optional<std::string_view> VisibleCell(int column, int row) const {
        if (row < 0 || row > m_LastRow || column < 0 || column > m_LastColumn) {
            return std::nullopt;
        }
        return m_Cells.Stored(row, column);
    }
    void SortRange(int column, bool ascending, int first, int last, int& followed);
    // To be called by every change to m_Cells or to the logical size other than StoreCell: the row indexes no
    // longer describe the table.
    void Changed();
    int FirstMatchingRow(int column, int startRow, const RowNeedle& needle,
                         const std::function<bool(std::string_view)>& cellMatches);
    int FirstMatchingRowIn(int column, int start, int end, const RowNeedle& needle,
                           const std::function<bool(std::string_view)>& cellMatches);
    // The forms as bytes in the table's code page; nothing when the table is busy or its code page
    // cannot be converted.
    std::optional<std::string> BuildXml2Text();
    // The XML2 document in pieces of about a megabyte, each handed to sink; false when the table is busy, its
    // code page cannot be converted or sink fails.
    bool WriteXml2Pieces(const std::function<bool(std::string_view)>& sink);
    // Reads an XML2 document that holds no NUL byte; consumed(offset) is told when no byte before offset will be
    // read again.
    bool ParseXml2Document(std::string_view document, const std::function<void(std::size_t)>& consumed);
    std::optional<std::string> BuildXmlText();
    // The separated text and the HTML page in pieces of about a megabyte, each handed to sink; false when the
    // table is busy, its code page cannot be converted or sink fails.
    bool WriteSeparatedTextPieces(const std::function<bool(std::string_view)>& sink);
    bool WriteHtmlPieces(const std::function<bool(std::string_view)>& sink);

    TableCells m_Cells;
    std::uint64_t m_Version = 0;
    RowIndexes m_Indexes;
    int m_Guard = kGuardRelease;
    std::filesystem::path m_FileName;
    bool m_Sized = false;
    bool m_Modified = false;
    int m_Readers = 0;
    int m_LastRow = -1;
    int m_LastColumn = -1;
    int m_Charset = kUtf8CodePage;
    int m_FileCharset = -2;
    std::string m_Separator = ";";
};

} // namespace lexaro
