#pragma once

#include "app/FontSettings.h"

#include <QFont>
#include <QFontInfo>

namespace lexaro {

// A stored font on top of a window's own font: the face when there is one, and a negative height as the
// character height in pixels (a positive one is the cell height, close enough to a pixel size here).
inline QFont ToQFont(const FontValues& values, QFont font) {
    if (!values.faceName.empty()) {
        font.setFamily(QString::fromStdString(values.faceName));
    }
    if (values.height != 0) {
        font.setPixelSize(values.height < 0 ? -values.height : values.height);
    }
    return font;
}

// A chosen font as the settings keep it; its height is stored as a character height in pixels.
inline FontValues ToFontValues(const QFont& font, const FontValues& keep) {
    FontValues values = keep;
    values.faceName = font.family().toStdString();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    values.height = -pixels;
    return values;
}

} // namespace lexaro
