#include "widgets/ElidedText.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

using lexaro::CElidedButton;
using lexaro::CElidedLabel;

namespace {

// Asks the widget for its tooltip the way the window system does and returns what is shown.
QString ToolTipOf(QWidget& widget) {
    QToolTip::hideText();
    const QPoint inside = widget.rect().center();
    QHelpEvent help(QEvent::ToolTip, inside, widget.mapToGlobal(inside));
    QApplication::sendEvent(&widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestElidedText : public QObject {
    Q_OBJECT

private slots:
    // A long text is cut and shown whole as tooltip; a text that fits is shown as it is, without tooltip.
    void longTextsAreCutAndOfferedAsTooltip() {
        QWidget window;
        auto* shortButton = new CElidedButton(QStringLiteral("Haus"), &window);
        auto* longButton = new CElidedButton(QString(300, QLatin1Char('e')), &window);
        auto* label = new CElidedLabel(&window);
        label->setText(QStringLiteral("house = ") + QString(300, QLatin1Char('e')));
        for (QWidget* widget :
             {static_cast<QWidget*>(shortButton), static_cast<QWidget*>(longButton), static_cast<QWidget*>(label)}) {
            widget->resize(200, 30);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(!shortButton->IsElided());
        QVERIFY(ToolTipOf(*shortButton).isEmpty());
        QVERIFY(longButton->IsElided());
        QCOMPARE(ToolTipOf(*longButton), longButton->text());
        QVERIFY(label->IsElided());
        QCOMPARE(ToolTipOf(*label), label->text());

        // Neither asks for the room of its whole text.
        QVERIFY(longButton->minimumSizeHint().width() < 100);
        QVERIFY(longButton->sizeHint().width() < longButton->fontMetrics().horizontalAdvance(longButton->text()));
        QVERIFY(label->minimumSizeHint().width() < 100);

        // A tooltip of its own wins over the whole text.
        longButton->setToolTip(QStringLiteral("Answer"));
        QCOMPARE(ToolTipOf(*longButton), QStringLiteral("Answer"));
    }
};

QTEST_MAIN(TestElidedText)
#include "TestElidedText.moc"
