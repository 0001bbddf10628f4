#include "ui/qt/AppIdentity.h"

#include <QApplication>
#include <QImage>
#include <QtTest>

class TestAppIdentity : public QObject {
    Q_OBJECT

private slots:
    // Every rendered size is embedded and drawn, not an empty or fallback picture.
    void iconHoldsEveryRenderedSize() {
        const QIcon icon = lexaro::ApplicationIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage image = QImage(QStringLiteral(":/icons/%1x%1/org.lexaro.Lexaro.png").arg(size))
                                     .convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!image.isNull(), qPrintable(QStringLiteral("size %1 missing").arg(size)));
            QCOMPARE(image.size(), QSize(size, size));
            // The corner is see-through, the middle (the book's pages) is painted.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QVERIFY(qAlpha(image.pixel(size / 2, size * 3 / 5)) > 200);
            QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
        }
    }

    void applicationCarriesIconAndDesktopEntry() {
        lexaro::ApplyApplicationIdentity();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.lexaro.Lexaro"));
        QVERIFY(!QApplication::windowIcon().isNull());
        QWidget window;
        QCOMPARE(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
};

QTEST_MAIN(TestAppIdentity)
#include "TestAppIdentity.moc"
