#pragma once

#include "app/FontSettings.h"

#include <QFont>
#include <QFontInfo>

class QWidget;

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
inline FontValues ToFontValues(const QFont& font, const FontValues& keep = {}) {
    FontValues values = keep;
    values.faceName = font.family().toStdString();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    values.height = -pixels;
    return values;
}

// The font object of a fresh main window: built on the application's font and the desktop's general font.
FontSettings DesktopFontSettings();

// Puts the user's font on a window: its face, and its height with withHeight, replace those of the window's
// own font and of every control that carries a font of its own (a bold field stays bold). Controls without
// a font of their own take the window's. A tool window applies it before it builds its controls, so that
// row heights measured from the font fit, and takes the height only when the user chose one.
void ApplyUserFont(QWidget& window, const FontSettings& fonts, bool withHeight);

} // namespace lexaro
