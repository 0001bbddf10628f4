#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

namespace lexaro {

// A line of UTF-8 as the editor shows it. Every byte that is not part of valid UTF-8 becomes one U+FFFD, and
// control characters other than the tab their visible picture, one UTF-16 unit each, so that a column maps
// exactly between the bytes and the shown text in both directions and no byte is lost by showing it.
QString DisplayText(std::string_view bytes);

// The UTF-16 column of the shown text at a byte column, and back (a unit inside a surrogate pair or a byte
// inside a character moves to the character's end).
int UnitOfByte(std::string_view bytes, std::size_t column);
std::size_t ByteOfUnit(std::string_view bytes, int unit);

// Pasted or dropped text as lines separated by LF: CR LF and a lone CR become LF.
std::string NormaliseLineEnds(std::string_view text);

} // namespace lexaro
