#pragma once

// Helpers shared by the readers and writers of the table's byte forms. Not part of the table's interface.

#include "table/ClassTable.h"
#include "table/PieceBuffer.h"
#include "table/TextEncoding.h"

#include <climits>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lexaro::forms {

// Files are written in pieces of about this size: a large table is never held a second time as one text.
inline constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";

// A document's text ends at its first NUL byte, as it does when it is read from a file.
inline std::string_view UpToNul(std::string_view document) {
    return document.substr(0, document.find('\0'));
}

// The position of the first byte ch at or after from, or npos. Written out here rather than calling memchr: a
// reader asks for bytes a few positions ahead millions of times, and there the call costs more than the search.
inline std::size_t FindByte(std::string_view text, char ch, std::size_t from) {
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t i = from;
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi8(ch);
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        if (mask != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(mask));
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == ch) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Whether text holds needle at position at; a short compare in place, as FindByte.
inline bool HoldsAt(std::string_view text, std::size_t at, std::string_view needle) {
    if (at > text.size() || text.size() - at < needle.size()) {
        return false;
    }
    for (std::size_t k = 0; k < needle.size(); ++k) {
        if (text[at + k] != needle[k]) {
            return false;
        }
    }
    return true;
}

// Finds a fixed needle in a document by forward search. Callers ask from positions that never move
// backwards, so an answer already known to lie ahead is reused instead of scanned for again: every
// byte of the document is examined at most once per needle, and a hostile document cannot make a
// load quadratic.
class ForwardFinder {
public:
    ForwardFinder(std::string_view document, std::string_view needle) : m_Document(document), m_Needle(needle) {}

    std::size_t Find(std::size_t from) {
        if (m_Searched && from >= m_From && (m_Found == std::string_view::npos || from <= m_Found)) {
            return m_Found;
        }
        m_Searched = true;
        m_From = from;
        m_Found = Search(from);
        return m_Found;
    }

private:
    std::size_t Search(std::size_t from) const {
        for (std::size_t at = FindByte(m_Document, m_Needle.front(), from); at != std::string_view::npos;
             at = FindByte(m_Document, m_Needle.front(), at + 1)) {
            if (HoldsAt(m_Document, at, m_Needle)) {
                return at;
            }
        }
        return std::string_view::npos;
    }

    std::string_view m_Document;
    std::string_view m_Needle;
    bool m_Searched = false;
    std::size_t m_From = 0;
    std::size_t m_Found = std::string_view::npos;
};

// A decimal number read the way C strtol with base 10 reads it (leading white space, an optional sign,
// digits up to the first other byte), limited to the int range. An empty or reversed range reads as 0.
inline int ReadNumber(std::string_view document, std::size_t begin, std::size_t end) {
    if (end <= begin || begin >= document.size()) {
        return 0;
    }
    std::string_view text = document.substr(begin, end - begin);
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > limit) {
            value = limit;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

// The head of a table document: the row count, the column count after it and an optional charset.
struct HeaderTags {
    std::string_view rowsOpen, rowsClose, columnsOpen, columnsClose, charsetOpen, charsetClose;
};

struct TableHeader {
    bool hasRows = false;
    bool hasColumns = false;
    int rows = 0;
    int columns = 0;
    int fileCharset = -2; // no charset element
    std::size_t bodyStart = 0;
};

inline TableHeader ReadTableHeader(std::string_view document, const HeaderTags& tags) {
    TableHeader header;
    const std::size_t rowsOpen = document.find(tags.rowsOpen);
    const std::size_t rowsClose = document.find(tags.rowsClose);
    if (rowsOpen == std::string_view::npos || rowsClose == std::string_view::npos) {
        return header;
    }
    header.hasRows = true;
    header.rows = ReadNumber(document, rowsOpen + tags.rowsOpen.size(), rowsClose);

    const std::size_t columnsOpen = document.find(tags.columnsOpen, rowsClose + 1);
    const std::size_t columnsClose = document.find(tags.columnsClose, rowsClose + 1);
    if (columnsOpen == std::string_view::npos || columnsClose == std::string_view::npos) {
        return header;
    }
    header.hasColumns = true;
    header.columns = ReadNumber(document, columnsOpen + tags.columnsOpen.size(), columnsClose);
    header.bodyStart = columnsClose + 1;

    const std::size_t charsetOpen = document.find(tags.charsetOpen, header.bodyStart);
    const std::size_t charsetClose =
        charsetOpen == std::string_view::npos ? charsetOpen : document.find(tags.charsetClose, charsetOpen);
    if (charsetClose != std::string_view::npos) {
        header.fileCharset = ReadNumber(document, charsetOpen + tags.charsetOpen.size(), charsetClose);
        header.bodyStart = charsetClose + 1;
    }
    return header;
}

// A column count announced by a document. Rows that are read prove their columns cell by cell; a
// table left without rows has only the announcement, which is believed up to a generous width or the
// size of the document, whichever is larger: far more than any table the program makes, far less than
// a hostile count for the windows to loop over.
inline constexpr int kUnprovenColumnLimit = 65536;

inline int BoundColumns(int announced, std::size_t bytesLeft) {
    const std::size_t limit =
        bytesLeft > static_cast<std::size_t>(kUnprovenColumnLimit) ? bytesLeft : kUnprovenColumnLimit;
    if (announced > 0 && static_cast<std::size_t>(announced) > limit) {
        return static_cast<int>(limit < static_cast<std::size_t>(INT_MAX) ? limit : INT_MAX);
    }
    return announced;
}

// How much cell text a reader may store for a document of the given size. Cells of a sound document
// never overlap and grow at most threefold in conversion; a document whose cells overlap over and over
// (markup inside cells) would otherwise make the reader copy it again for every cell.
inline std::size_t CellBudget(std::size_t documentSize) {
    return documentSize * 4 + 4096;
}

// Bytes of every visible cell plus a per-cell allowance for markup: a writer reserves this once instead
// of growing a large document step by step.
inline std::size_t EstimateSize(const ClassTable& table, std::size_t perCell) {
    std::size_t total = 256;
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            const int length = table.CellLength(column, row);
            total += perCell + (length > 0 ? static_cast<std::size_t>(length) : 0);
        }
    }
    return total;
}

// Converts the cells of one document between UTF-8 and the table's code page (nothing to do for 65001).
class CellCoder {
public:
    CellCoder(int codePage, CodePageConverter::Direction direction)
        : m_Plain(codePage == kUtf8CodePage), m_Converter(codePage, direction) {}

    bool IsValid() const { return m_Plain || m_Converter.IsValid(); }
    bool IsPlain() const { return m_Plain; }
    std::string Convert(std::string_view cell) { return m_Plain ? std::string(cell) : m_Converter.Convert(cell); }
    void AppendTo(std::string& out, std::string_view cell) {
        if (m_Plain) {
            out.append(cell);
        } else {
            out.append(m_Converter.Convert(cell));
        }
    }
    void AppendTo(PieceBuffer& out, std::string_view cell) {
        if (m_Plain) {
            out.Append(cell);
        } else {
            out.Append(m_Converter.Convert(cell));
        }
    }

private:
    bool m_Plain;
    CodePageConverter m_Converter;
};

// Holds the table's Shared guard while a writer reads every cell, so that a table held Exclusive by a
// running operation is reported as busy instead of being written with empty cells.
class SharedHold {
public:
    explicit SharedHold(ClassTable& table) : m_Table(table), m_Held(table.AccessGuard(kGuardShared)) {}
    ~SharedHold() {
        if (m_Held) {
            m_Table.AccessGuard(kGuardRelease);
        }
    }
    SharedHold(const SharedHold&) = delete;
    SharedHold& operator=(const SharedHold&) = delete;
    bool Held() const { return m_Held; }

private:
    ClassTable& m_Table;
    bool m_Held;
};

// The content of a table file up to its first NUL, read with OpenTableFile and ReadWholeFile. Nothing
// when the file cannot be opened or read, or holds no bytes.
std::optional<std::string> ReadTableFile(const std::filesystem::path& path);

// The bytes of a table file in memory of their own, up to the first NUL. A reader that has turned the
// start of a large document into cells gives those bytes back as it goes, so that a file and the table
// made of it are never both held whole.
class FileBytes {
public:
    // Nothing when the file cannot be opened (regular files only) or read, holds no bytes, or no memory
    // can be had for it.
    static std::optional<FileBytes> Read(const std::filesystem::path& path);
    // The same with the file's pages mapped instead of copied; see DocumentAccess::Map.
    static std::optional<FileBytes> Map(const std::filesystem::path& path);

    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) = delete;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    std::string_view Text() const { return m_Text; }
    // Gives back the memory of the whole pages before offset; those bytes must not be read again.
    void ReleaseBefore(std::size_t offset);

private:
    FileBytes(char* memory, std::size_t mapped, std::size_t length);

    char* m_Memory;
    std::size_t m_Mapped;
    std::string_view m_Text;
    std::size_t m_Released = 0;
};

// True when nobody holds the table; a reader refuses to fill a table that is in use.
inline bool IsFree(ClassTable& table) {
    if (!table.AccessGuard(kGuardExclusive)) {
        return false;
    }
    table.AccessGuard(kGuardRelease);
    return true;
}

} // namespace lexaro::forms
