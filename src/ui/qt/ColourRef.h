#pragma once

#include <QColor>

namespace lexaro {

// Colours are stored as 0x00BBGGRR integers; these turn them into QColor and back.
inline QColor ColourFromRef(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline int RefFromColour(const QColor& colour) {
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}

} // namespace lexaro
