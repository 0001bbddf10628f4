#include "table/Dictzip.h"

#include <zlib.h>

namespace lexaro {

namespace {

// The chunk length dictzip itself uses: even incompressible text stays below the 16-bit compressed size.
constexpr std::uint32_t kChunkLength = 58315;
// The gzip extra field holds the chunk table, so its 16-bit length bounds the number of chunks.
constexpr std::size_t kMostChunks = (65535 - 10) / 2;
constexpr std::size_t kTrailerBytes = 8;

std::uint16_t Le16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Le16(bytes, at)) | (static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16);
}

void PutLe16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutLe32(std::string& out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

// Skips a zero-terminated header field; false when the file ends first.
bool SkipZeroTerminated(std::string_view bytes, std::size_t& at) {
    const std::size_t end = bytes.find('\0', at);
    if (end == std::string_view::npos) {
        return false;
    }
    at = end + 1;
    return true;
}

} // namespace

std::optional<DictData> DictData::FromBytes(std::string bytes, std::string& error) {
    DictData data;
    const bool gzip = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
                      static_cast<unsigned char>(bytes[1]) == 0x8B;
    if (!gzip) {
        data.m_Size = bytes.size();
        data.m_Plain = std::move(bytes);
        return data;
    }
    data.m_File = std::move(bytes);
    const std::string_view file = data.m_File;
    if (file.size() < 10 + kTrailerBytes || file[2] != 8) {
        error = "it is no gzip file that can be read";
        return std::nullopt;
    }
    const unsigned flags = static_cast<unsigned char>(file[3]);
    std::size_t at = 10;
    std::size_t extraStart = 0;
    std::size_t extraLength = 0;
    if ((flags & 0x04) != 0) {
        extraLength = Le16(file, at);
        extraStart = at + 2;
        at = extraStart + extraLength;
    }
    const bool headerFits = at <= file.size() && ((flags & 0x08) == 0 || SkipZeroTerminated(file, at)) &&
                            ((flags & 0x10) == 0 || SkipZeroTerminated(file, at));
    if ((flags & 0x02) != 0) {
        at += 2;
    }
    if (!headerFits || at > file.size() - kTrailerBytes) {
        error = "its gzip header is cut off";
        return std::nullopt;
    }
    if (!data.ParseDictzip(extraStart, extraLength, at, error)) {
        return std::nullopt;
    }
    if (!data.m_Chunked) {
        std::string text;
        if (!Gunzip(file, UINT32_MAX, text, error)) {
            return std::nullopt;
        }
        data.m_Size = text.size();
        data.m_Plain = std::move(text);
        data.m_File.clear();
    }
    return data;
}

bool DictData::ParseDictzip(std::size_t extraStart, std::size_t extraLength, std::size_t dataStart,
                            std::string& error) {
    const std::string_view file = m_File;
    std::size_t at = extraStart;
    const std::size_t end = extraStart + extraLength;
    while (at + 4 <= end) {
        const std::size_t length = Le16(file, at + 2);
        const std::size_t body = at + 4;
        if (body + length > end) {
            break;
        }
        if (file[at] == 'R' && file[at + 1] == 'A') {
            if (length < 6 || Le16(file, body) != 1) {
                error = "its chunk table is of an unknown version";
                return false;
            }
            m_ChunkLength = Le16(file, body + 2);
            const std::size_t count = Le16(file, body + 4);
            if (length < 6 + 2 * count || (count > 0 && m_ChunkLength == 0)) {
                error = "its chunk table is cut off";
                return false;
            }
            m_ChunkStart.reserve(count + 1);
            std::size_t start = dataStart;
            m_ChunkStart.push_back(start);
            for (std::size_t i = 0; i < count; ++i) {
                start += Le16(file, body + 6 + 2 * i);
                m_ChunkStart.push_back(start);
            }
            if (start > file.size() - kTrailerBytes) {
                error = "it ends before the chunks its table lists (the file is cut off)";
                return false;
            }
            m_Chunked = true;
            if (count == 0) {
                return true;
            }
            if (!InflateChunk(count - 1, error)) {
                return false;
            }
            m_Size = static_cast<std::uint64_t>(count - 1) * m_ChunkLength + m_Chunk.size();
            if (static_cast<std::uint32_t>(m_Size) != Le32(file, file.size() - 4)) {
                error = "its chunks do not give the length its end records";
                return false;
            }
            return true;
        }
        at = body + length;
    }
    return true;
}

bool DictData::InflateChunk(std::size_t chunk, std::string& error) {
    if (m_Cached == chunk) {
        return true;
    }
    m_Cached = SIZE_MAX;
    const bool last = chunk + 2 == m_ChunkStart.size();
    m_Chunk.resize(m_ChunkLength + 1);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        error = "no memory to inflate it";
        return false;
    }
    stream.next_in = reinterpret_cast<Bytef*>(m_File.data() + m_ChunkStart[chunk]);
    stream.avail_in = static_cast<uInt>(m_ChunkStart[chunk + 1] - m_ChunkStart[chunk]);
    stream.next_out = reinterpret_cast<Bytef*>(m_Chunk.data());
    stream.avail_out = static_cast<uInt>(m_Chunk.size());
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    const std::size_t produced = m_Chunk.size() - stream.avail_out;
    inflateEnd(&stream);
    const bool sound = (result == Z_OK || result == Z_STREAM_END || result == Z_BUF_ERROR) &&
                       (last ? produced <= m_ChunkLength : produced == m_ChunkLength);
    if (!sound) {
        error = "chunk " + std::to_string(chunk + 1) + " of " + std::to_string(m_ChunkStart.size() - 1) + " is corrupt";
        return false;
    }
    m_Chunk.resize(produced);
    m_Cached = chunk;
    return true;
}

bool DictData::Read(std::uint64_t offset, std::uint64_t length, std::string& out, std::string& error) {
    out.clear();
    if (offset > m_Size || length > m_Size - offset) {
        error = "the range " + std::to_string(offset) + "+" + std::to_string(length) + " lies past its end (" +
                std::to_string(m_Size) + " bytes)";
        return false;
    }
    if (!m_Chunked) {
        out.assign(m_Plain, static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
        return true;
    }
    out.reserve(static_cast<std::size_t>(length));
    while (length > 0) {
        const std::size_t chunk = static_cast<std::size_t>(offset / m_ChunkLength);
        if (!InflateChunk(chunk, error)) {
            return false;
        }
        const std::size_t from = static_cast<std::size_t>(offset % m_ChunkLength);
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(length, m_Chunk.size() - from));
        out.append(m_Chunk, from, take);
        offset += take;
        length -= take;
    }
    return true;
}

bool Gunzip(std::string_view bytes, std::uint64_t limit, std::string& out, std::string& error) {
    out.clear();
    z_stream stream{};
    if (inflateInit2(&stream, MAX_WBITS + 16) != Z_OK) {
        error = "no memory to inflate it";
        return false;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    char buffer[1 << 16];
    int result = Z_OK;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
        if (out.size() > limit) {
            error = "it inflates to more than the " + std::to_string(limit) + " bytes it should";
            inflateEnd(&stream);
            return false;
        }
        if (result == Z_STREAM_END && stream.avail_in > 0) {
            result = inflateReset(&stream);
            continue;
        }
        if (result != Z_OK) {
            break;
        }
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        error = "its compressed data is corrupt or cut off";
        return false;
    }
    return true;
}

struct DictzipWriter::Stream {
    z_stream z{};
};

DictzipWriter::DictzipWriter() : m_Stream(new Stream) {
    // Level 6: most of the best level's saving at a fraction of its time.
    m_Failed = deflateInit2(&m_Stream->z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK;
    m_Crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
}

DictzipWriter::~DictzipWriter() {
    deflateEnd(&m_Stream->z);
    delete m_Stream;
}

bool DictzipWriter::Append(std::string_view text) {
    while (!text.empty() && !m_Failed) {
        const std::size_t take = std::min<std::size_t>(text.size(), kChunkLength - m_Pending.size());
        m_Pending.append(text.substr(0, take));
        text.remove_prefix(take);
        if (m_Pending.size() == kChunkLength && !CompressChunk()) {
            return false;
        }
    }
    return !m_Failed;
}

bool DictzipWriter::Finish() {
    if (m_Failed || ((!m_Pending.empty() || m_ChunkSizes.empty()) && !CompressChunk())) {
        return false;
    }
    // The end of the stream follows the last chunk, outside the chunk table, as dictzip writes it: dictd inflates
    // every chunk expecting more to follow.
    z_stream& z = m_Stream->z;
    char end[64];
    z.next_in = nullptr;
    z.avail_in = 0;
    z.next_out = reinterpret_cast<Bytef*>(end);
    z.avail_out = sizeof end;
    if (deflate(&z, Z_FINISH) != Z_STREAM_END) {
        m_Failed = true;
        return false;
    }
    m_Compressed.append(end, sizeof end - z.avail_out);
    return true;
}

bool DictzipWriter::CompressChunk() {
    if (m_ChunkSizes.size() >= kMostChunks) {
        m_Failed = true;
        return false;
    }
    m_Crc = static_cast<std::uint32_t>(
        crc32(m_Crc, reinterpret_cast<const Bytef*>(m_Pending.data()), static_cast<uInt>(m_Pending.size())));
    m_TextSize += m_Pending.size();
    z_stream& z = m_Stream->z;
    const std::size_t before = m_Compressed.size();
    const std::size_t bound = deflateBound(&z, static_cast<uLong>(m_Pending.size())) + 64;
    m_Compressed.resize(before + bound);
    z.next_in = reinterpret_cast<Bytef*>(m_Pending.data());
    z.avail_in = static_cast<uInt>(m_Pending.size());
    z.next_out = reinterpret_cast<Bytef*>(m_Compressed.data() + before);
    z.avail_out = static_cast<uInt>(bound);
    // A full flush ends each chunk on a byte boundary with nothing carried over, so it inflates on its own.
    const int result = deflate(&z, Z_FULL_FLUSH);
    const std::size_t produced = bound - z.avail_out;
    m_Compressed.resize(before + produced);
    m_Pending.clear();
    if (result != Z_OK || z.avail_in != 0 || produced > 65535) {
        m_Failed = true;
        return false;
    }
    m_ChunkSizes.push_back(static_cast<std::uint16_t>(produced));
    return true;
}

bool DictzipWriter::WriteTo(const PieceWriter& write) const {
    if (m_Failed) {
        return false;
    }
    std::string header = {'\x1F', '\x8B', '\x08', '\x04', 0, 0, 0, 0, '\x00', '\x03'};
    const std::size_t count = m_ChunkSizes.size();
    PutLe16(header, static_cast<std::uint32_t>(10 + 2 * count));
    header.append("RA");
    PutLe16(header, static_cast<std::uint32_t>(6 + 2 * count));
    PutLe16(header, 1);
    PutLe16(header, kChunkLength);
    PutLe16(header, static_cast<std::uint32_t>(count));
    for (const std::uint16_t size : m_ChunkSizes) {
        PutLe16(header, size);
    }
    std::string trailer;
    PutLe32(trailer, m_Crc);
    PutLe32(trailer, static_cast<std::uint32_t>(m_TextSize));
    return write(header) && write(m_Compressed) && write(trailer);
}

} // namespace lexaro
