#include "ui/qt/AppIdentity.h"

#include <QApplication>
#include <QString>

// The icons live in a static library; naming the resource here links it into every program that asks.
static void InitIconResources() {
    Q_INIT_RESOURCE(lexaro_icons);
}

namespace lexaro {

QIcon ApplicationIcon() {
    InitIconResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(QLatin1String(kApplicationId)),
                     QSize(size, size));
    }
    return icon;
}

QIcon AboutPicture() {
    InitIconResources();
    // The file twice as large beside it ("@2x") is found by QIcon itself.
    return QIcon(QStringLiteral(":/icons/pictures/about-picture.png"));
}

void ApplyApplicationIdentity() {
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QLatin1String(kApplicationId));
}

} // namespace lexaro
