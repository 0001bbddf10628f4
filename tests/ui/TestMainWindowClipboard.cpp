#include "MainWindowFixture.h"

#include <QMenu>
#include <QSystemTrayIcon>

using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;

namespace {

void StartWatching(MainWindowFixture& f) {
    QAction* active = f.window->findChild<QAction*>("ID_MENTRAY_ACTIVATE");
    QVERIFY(active);
    active->setChecked(true);
}

} // namespace

// Entries through the clipboard, clipboard watching and collecting, the tray.
class TestMainWindowClipboard : public QObject {
    Q_OBJECT

private slots:
    void entriesTravelBetweenTwoWindows() {
        MainWindowFixture source;
        MainWindowFixture target;
        source.Add("house", "Haus");
        source.Add("tree", "Baum");
        source.window->Engine().ClearUndoLog();
        source.window->Engine().SetCurrentRow(0);
        source.Action("ID_MEN_CUTENTRY")->trigger();
        QCOMPARE(source.window->Engine().Entries().RowCount(), 1);
        target.Add("house", "schon da");
        target.Action("ID_MEN_PASTEENTRY")->trigger();
        QCOMPARE(target.window->Engine().Entries().RowCount(), 2);
        QCOMPARE(QString::fromStdString(target.window->Engine().Entries().GetCell(0, 1)), QStringLiteral("house (1)"));
        QCOMPARE(target.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 2 [1]"));
        source.Action("ID_MEN_UNDO")->trigger();
        QCOMPARE(QString::fromStdString(source.window->Engine().Entries().GetCell(0, 0)), QStringLiteral("house"));
    }

    void watchedTextIsLookedUpWithinTheLengthRules() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.window->HandleClipboardText(QStringLiteral("house"));
        QCOMPARE(f.Pane()->toPlainText(), QString());
        StartWatching(f);
        f.window->HandleClipboardText(QStringLiteral("house"));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("[house]\nHaus"));
        f.Action("ID_MEN_CLEARALL")->trigger();
        f.window->HandleClipboardText(QStringLiteral(" "));
        f.window->HandleClipboardText(QString(21, QLatin1Char('h')));
        QCOMPARE(f.TermBox()->currentText(), QString());
    }

    void collectingAddsNewTextsEvenWhenTooLong() {
        MainWindowFixture f;
        StartWatching(f);
        f.Action("ID_MEN_COLLECTCLIPBOARD")->trigger();
        const QString longText(30, QLatin1Char('x'));
        f.window->HandleClipboardText(longText);
        auto& entries = f.window->Engine().Entries();
        QCOMPARE(entries.RowCount(), 1);
        QCOMPARE(QString::fromStdString(entries.GetCell(1, 0)), QStringLiteral("ZZZ Collected"));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("ZZZ Collected"));
        f.window->HandleClipboardText(longText);
        QCOMPARE(entries.RowCount(), 1);
    }

    void hidingWithoutATrayTellsTheUserAndStaysVisible() {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            QSKIP("this desktop has a tray");
        }
        MainWindowFixture f;
        f.window->show();
        f.prompter.Expect(PromptAnswer::Ok);
        f.Action("ID_MEN_HIDE")->trigger();
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Unable to set tray icon!"));
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->IsInTray());
    }

    void rightDoubleClickTogglesTheCaptionAndBack() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto* close = f.window->findChild<QPushButton*>("m_BTNClose");
        QVERIFY(!close->isVisible());
        QTest::mouseDClick(f.window.get(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!f.window->IsCaptionShown());
        QVERIFY(f.window->windowFlags() & Qt::FramelessWindowHint);
        QTRY_VERIFY(close->isVisible());
        QTest::mouseDClick(f.window.get(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(f.window->IsCaptionShown());
        QVERIFY(!(f.window->windowFlags() & Qt::FramelessWindowHint));
        QTRY_VERIFY(!close->isVisible());
    }

    void trayMenuCarriesItsTexts() {
        MainWindowFixture f;
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_RESTORE")->text(), QStringLiteral("Restore"));
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_ACTIVATE")->text(), QStringLiteral("Activate"));
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_EXIT")->text(), QStringLiteral("Exit"));
    }
};

QTEST_MAIN(TestMainWindowClipboard)
#include "TestMainWindowClipboard.moc"
