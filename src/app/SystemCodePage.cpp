#include "app/SystemCodePage.h"

#include <cctype>
#include <charconv>
#include <langinfo.h>
#include <locale.h>
#include <string>

namespace lexaro {

namespace {

constexpr int kUtf8 = 65001;

// Upper case, without "-" and "_": "iso_8859-1" and "ISO8859-1" both become "ISO88591".
std::string Normalised(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c != '-' && c != '_') {
            out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    return out;
}

// The number after prefix, or -1 when the rest is not a plain number.
int NumberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return -1;
    }
    name.remove_prefix(prefix.size());
    int value = -1;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
    return error == std::errc() && end == name.data() + name.size() ? value : -1;
}

} // namespace

int CodePageOfCodeset(std::string_view codeset) {
    const std::string name = Normalised(codeset);
    const int iso = NumberAfter(name, "ISO8859");
    if ((iso >= 1 && iso <= 9) || iso == 13 || iso == 15) {
        return 28590 + iso;
    }
    const int windows = NumberAfter(name, "CP");
    if (windows >= 1250 && windows <= 1258) {
        return windows;
    }
    struct Known {
        std::string_view name;
        int codePage;
    };
    static constexpr Known kKnown[] = {
        {"UTF8", kUtf8},    {"KOI8R", 20866}, {"KOI8U", 21866},      {"EUCJP", 20932}, {"EUCKR", 51949},
        {"GB18030", 54936}, {"GBK", 936},     {"GB2312", 936},       {"BIG5", 950},    {"SHIFTJIS", 932},
        {"SJIS", 932},      {"TIS620", 874},  {"WINDOWS1252", 1252},
    };
    for (const Known& known : kKnown) {
        if (known.name == name) {
            return known.codePage;
        }
    }
    return kUtf8;
}

int SystemCodePage() {
    locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) {
        return kUtf8;
    }
    const char* codeset = nl_langinfo_l(CODESET, user);
    const int codePage = CodePageOfCodeset(codeset != nullptr ? codeset : "");
    freelocale(user);
    return codePage;
}

bool IsSystemCharset(int setting) {
    return setting >= kSystemCharset && setting <= 3;
}

int EffectiveCharset(int setting) {
    return IsSystemCharset(setting) ? SystemCodePage() : setting;
}

} // namespace lexaro
