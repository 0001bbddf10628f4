#pragma once

#include <climits>
#include <string>
#include <string_view>

namespace lexaro {

// The Options window's reading of its number boxes: the C library's strtol in base 10 (leading blanks,
// an optional sign, then digits up to the first other character); text without a number gives 0, and a
// number beyond the int range is clamped to it.
int ReadDecimal(std::string_view text);

// The charset box shows "UTF-8" for 65001 and "System" for -1 (the locale's code page), otherwise the number.
inline constexpr std::string_view kCharsetUtf8Text = "UTF-8";
inline constexpr std::string_view kCharsetSystemText = "System";
std::string CharsetText(int charset);
// What CharsetFromText gives for a text that is no charset at all.
inline constexpr int kNoCharset = INT_MIN;

// The reverse. "UTF-8", "UTF8" and the older spelling "UFT8" read as 65001 in any case; "System" only as
// written; any other text as a decimal number, or kNoCharset when it does not start with one ("utf").
int CharsetFromText(std::string_view text);
// Whether a charset may be stored: the locale's code page, or a code page the converter can handle.
bool IsUsableCharset(int charset);

} // namespace lexaro
