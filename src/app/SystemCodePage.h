#pragma once

#include <string_view>

namespace lexaro {

// "Charset" -1 stands for the code page of the user's locale.
inline constexpr int kSystemCharset = -1;

// The Windows code page number of a C library character set name ("UTF-8", "ISO-8859-1", "CP1252",
// "KOI8-R", ...), compared without regard to case, "-" and "_". Names without a matching code page,
// plain ASCII among them, give 65001.
int CodePageOfCodeset(std::string_view codeset);

// The code page of the user's locale (LC_ALL, LC_CTYPE, LANG), read without changing the program's own
// locale.
int SystemCodePage();

// True for the "Charset" values that stand for the current code page: -1, and the values 0 to 3 that settings
// files written on Windows may hold (the ANSI, OEM, Macintosh and thread code page).
bool IsSystemCharset(int setting);

// The code page the dictionary files use for a "Charset" setting: the setting itself, or the locale's
// code page for the values that stand for the current one.
int EffectiveCharset(int setting);

} // namespace lexaro
