#include "ui/LexaroDlg.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

using lexaro::LexaroDlg;

class TestMainWindowShell : public QObject {
    Q_OBJECT

private slots:
    void titleNamesTheUnnamedEmptyDictionary() {
        LexaroDlg window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Lexaro - <noname> : 0 [0]"));
        window.UpdateTitle("/home/u/words.lxd", 12, 3);
        QCOMPARE(window.windowTitle(), QStringLiteral("Lexaro - /home/u/words.lxd : 12 [3]"));
    }

    void quitActionClosesTheWindow() {
        LexaroDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* quit = window.findChild<QAction*>("ID_MEN_QUIT");
        QVERIFY(quit);
        QCOMPARE(quit->text(), QStringLiteral("Quit"));
        QCOMPARE(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        quit->trigger();
        QTRY_VERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestMainWindowShell)
#include "TestMainWindowShell.moc"
