#include "ui/qt/FontConvert.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

namespace lexaro {

namespace {

QFont UserFont(const FontValues& working, const QFont& current, bool withHeight) {
    QFont font = current;
    if (!working.faceName.empty()) {
        font.setFamily(QString::fromStdString(working.faceName));
    }
    if (withHeight && working.height != 0) {
        font.setPixelSize(working.height < 0 ? -working.height : working.height);
    }
    return font;
}

} // namespace

FontSettings DesktopFontSettings() {
    return FontSettings(ToFontValues(QApplication::font()),
                        ToFontValues(QFontDatabase::systemFont(QFontDatabase::GeneralFont)));
}

void ApplyUserFont(QWidget& window, const FontSettings& fonts, bool withHeight) {
    // A font object that never learnt a font (no face, no height) has nothing to give.
    const FontValues& working = fonts.Working();
    if (working.faceName.empty() && working.height == 0) {
        return;
    }
    window.setFont(UserFont(working, window.font(), withHeight));
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (child->testAttribute(Qt::WA_SetFont) && !child->isWindow()) {
            child->setFont(UserFont(working, child->font(), withHeight));
        }
    }
}

} // namespace lexaro
