#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lexaro {

// A portable copy is the program file followed by a payload and a trailer:
//
//   [program, P bytes] [D: u32 LE] [dictionary text, D bytes] [L: u32 LE] [interface texts, L bytes]
//   [P: u32 LE] ["LXPORTBL"]
//
// The trailer sits at the very end so that no byte of the program itself is changed.
inline constexpr std::string_view kPortableMagic = "LXPORTBL";
inline constexpr std::uint64_t kPortableTrailerSize = 4 + kPortableMagic.size();

// Where the parts of a payload lie in a file; every offset is checked against the file size.
struct PortableLayout {
    std::uint64_t offset = 0;           // P: start of the payload, the size of the program itself
    std::uint64_t dictionaryLength = 0; // D
    std::uint64_t textsLength = 0;      // L
    std::uint64_t DictionaryStart() const { return offset + 4; }
    std::uint64_t TextsStart() const { return offset + 8 + dictionaryLength; }
};

// The payload of a portable copy: the dictionary as an XML2 document and the interface texts as a
// pair-form document, both still to be parsed by the caller.
struct PortablePayload {
    std::uint64_t offset = 0; // P
    std::string dictionaryText;
    std::string interfaceText;
};

// Reads count bytes at offset into out; false when they are not all there.
using PortableReadAt = std::function<bool(std::uint64_t offset, std::size_t count, char* out)>;

// Finds the payload layout of a file of fileSize bytes, reading only its trailer and the two lengths.
// Nothing when the trailer is missing or the payload does not fill the space before it exactly.
std::optional<PortableLayout> LocatePortablePayload(std::uint64_t fileSize, const PortableReadAt& readAt);

// The payload of a program file held in memory; nothing for an ordinary program.
std::optional<PortablePayload> FindPortablePayload(std::string_view fileBytes);

// The payload of the program file on disk. Reads the trailer and the lengths first and only then the two
// texts, so a damaged file never makes it allocate more than the file holds. Nothing for an ordinary
// program or a file that cannot be read.
std::optional<PortablePayload> CheckPortablePayload(const std::filesystem::path& programFile);

// The bytes appended to a program of programSize bytes: payload and trailer. Nothing when a length or
// the program size does not fit in 32 bits.
std::optional<std::string> ComposePortablePayload(std::uint64_t programSize, std::string_view dictionaryText,
                                                  std::string_view interfaceText);

// Writes a portable copy of sourceProgram to target: the program itself (without the payload when the
// source is a portable copy already), then the payload. The copy gets the source's permission bits, so
// it stays executable, and is written through a temporary file. False, target untouched, on failure.
bool WritePortableCopy(const std::filesystem::path& sourceProgram, const std::filesystem::path& target,
                       std::string_view dictionaryText, std::string_view interfaceText);

} // namespace lexaro
