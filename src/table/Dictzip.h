#pragma once

#include "table/SafeFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

// The text of a dictionary's data file, which is stored plain, as gzip, or as dictzip: gzip whose header
// carries a chunk table, so that each chunk can be inflated on its own and any range read without inflating
// what comes before it.
class DictData {
public:
    // Takes the file's bytes. Nothing when they are not readable as one of the three forms; error then says why.
    static std::optional<DictData> FromBytes(std::string bytes, std::string& error);

    std::uint64_t Size() const { return m_Size; }
    // The bytes [offset, offset + length) of the text. False, with error set, for a range past the end or a
    // chunk that cannot be inflated.
    bool Read(std::uint64_t offset, std::uint64_t length, std::string& out, std::string& error);

private:
    DictData() = default;
    bool ParseDictzip(std::size_t extraStart, std::size_t extraLength, std::size_t dataStart, std::string& error);
    bool InflateChunk(std::size_t chunk, std::string& error);

    std::string m_File;
    std::string m_Plain; // the whole text when the file has no chunk table
    bool m_Chunked = false;
    std::uint32_t m_ChunkLength = 0;
    std::vector<std::size_t> m_ChunkStart; // where each compressed chunk begins in m_File, and where the last ends
    std::uint64_t m_Size = 0;
    std::size_t m_Cached = SIZE_MAX;
    std::string m_Chunk;
};

// Inflates a whole gzip file (several members are read one after the other) into out. False, with error set,
// for corrupt data or a text of more than limit bytes.
bool Gunzip(std::string_view bytes, std::uint64_t limit, std::string& out, std::string& error);

// Makes the dictzip form of a text handed over piece by piece.
class DictzipWriter {
public:
    DictzipWriter();
    ~DictzipWriter();
    DictzipWriter(const DictzipWriter&) = delete;
    DictzipWriter& operator=(const DictzipWriter&) = delete;

    // False once the text has grown past what one chunk table can describe, or compressing failed.
    bool Append(std::string_view text);
    // Compresses the rest; after it WriteTo hands over the file.
    bool Finish();
    bool WriteTo(const PieceWriter& write) const;
    std::uint64_t TextSize() const { return m_TextSize; }

private:
    bool CompressChunk();

    struct Stream;
    Stream* m_Stream;
    std::string m_Pending;
    std::string m_Compressed;
    std::vector<std::uint16_t> m_ChunkSizes;
    std::uint64_t m_TextSize = 0;
    std::uint32_t m_Crc = 0;
    bool m_Failed = false;
};

} // namespace lexaro
