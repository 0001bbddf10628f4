#pragma once

#include "table/TextEncoding.h"

#include <QString>
#include <string>
#include <string_view>

namespace lexaro {

// Text crosses between the core (UTF-8 in std::string, UTF-16 in std::u16string) and Qt (QString) through these.

inline QString Q(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Through Qt's decoder: an invalid byte becomes U+FFFD.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

// Through the engine's own decoder, so that a term reaches the window and comes back exactly as the engine
// compares it.
inline QString Wide(std::string_view utf8) {
    return Q(Utf8ToWide(utf8));
}

inline std::string Utf8(const QString& text) {
    return WideToUtf8(text.toStdU16String());
}

// Gives a widget the object name that tests and style sheets find it by.
template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace lexaro
