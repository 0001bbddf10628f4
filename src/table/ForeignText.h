#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text rules shared by the readers and writers of the dictd and StarDict forms.
namespace lexaro::foreign {

// dictd's numbers: base 64 digits, most significant first, alphabet A-Z a-z 0-9 + /. Nothing for an empty,
// invalid or too large number.
std::optional<std::uint64_t> DecodeDictdNumber(std::string_view digits);
std::string EncodeDictdNumber(std::uint64_t value);

// The index key dictd's database builder makes of a headword: white space at both ends cut, every other
// white space a blank, letters and digits in lower case, everything else dropped, and blank runs made one.
std::string DictdKey(std::string_view headword);
void AppendDictdKey(std::string& out, std::string_view headword);

// The end of the longest leading part of line, cut before a blank or at the line's end, whose DictdKey is key;
// npos when there is none.
std::size_t ReducedPrefixEnd(std::string_view line, std::string_view key);

// Line breaks of a foreign text (LF, CR LF or CR) as CR LF, the program's own; and back to LF.
std::string ToCrLf(std::string_view text);
void AppendCrLf(std::string& out, std::string_view text);
std::string ToLf(std::string_view text);
void AppendLf(std::string& out, std::string_view text);

// Markup (HTML, Pango, XDXF) as plain text: tags dropped, a line break for <br> and the ends of paragraphs,
// divisions and list items, character references and the common entities replaced by their characters.
std::string MarkupToPlain(std::string_view markup);

// Leading and trailing line breaks and blanks removed.
std::string_view TrimLines(std::string_view text);

} // namespace lexaro::foreign
