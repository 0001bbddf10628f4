#include "MainWindowFixture.h"
#include "app/Environment.h"
#include "app/Storage.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/TrayAndClipboard.h"
#include "ui/mainwindow/WindowFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;

namespace {

void StartWatching(MainWindowFixture& f) {
    QAction* active = f.window->findChild<QAction*>("ID_MENTRAY_ACTIVATE");
    QVERIFY(active && !active->isChecked());
    active->trigger();
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
        f.window->Tray().HandleClipboardText(QStringLiteral("house"));
        QCOMPARE(f.Pane()->toPlainText(), QString());
        StartWatching(f);
        f.window->Tray().HandleClipboardText(QStringLiteral("house"));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("[house]\nHaus"));
        f.Action("ID_MEN_CLEARALL")->trigger();
        f.window->Tray().HandleClipboardText(QStringLiteral(" "));
        f.window->Tray().HandleClipboardText(QString(21, QLatin1Char('h')));
        QCOMPARE(f.TermBox()->currentText(), QString());
    }

    // On the offscreen platform the program does not own its own copies, so only the suspension keeps the
    // pane's Copy from looking the copied result up as a new term.
    void ownCopiesAndToolWindowsDoNotStartALookUp() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        StartWatching(f);
        f.SearchFor("house");
        const QString result = f.Pane()->toPlainText();
        f.Action("ID_MEN_SELECTALL")->trigger();
        f.Action("ID_MEN_COPY")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), result);
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("house"));
        QCOMPARE(f.Pane()->toPlainText(), result);

        f.Action("ID_MEN_CLEARALL")->trigger();
        bool dialogSeen = false;
        QTimer::singleShot(0, [&dialogSeen] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialogSeen = dialog != nullptr;
            QApplication::clipboard()->setText(QStringLiteral("house"));
            if (dialog) {
                dialog->reject();
            }
        });
        f.Action("ID_MEN_TRANSLATOR")->trigger();
        QVERIFY(dialogSeen);
        QCOMPARE(f.TermBox()->currentText(), QString());
        QApplication::clipboard()->setText(QStringLiteral("house"));
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("house"));
    }

    // The tray's check mark follows the stored settings without switching watching on by itself.
    void storedSettingsKeepWatchingAsTheyAre() {
        MainWindowFixture f;
        lexaro::Environment environment;
        const std::filesystem::path root = f.folder.path().toStdString();
        std::filesystem::create_directories(root / "home");
        environment.home = root / "home";
        environment.commonDir = (root / "common").string();
        environment.programFile = root / "lexaro";
        environment.currentDirectory = root;
        const auto storage = lexaro::PrepareStorage(environment, *f.clock);
        QFile ini(QString::fromStdString(storage.settingsPath.string()));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <ClipWatch>0</ClipWatch>\r\n"
                  "  <ClipFront>1</ClipFront>\r\n</InitFile>\r\n");
        ini.close();
        f.window->Start(storage, {}, environment.currentDirectory);
        QVERIFY(f.Action("ID_MENTRAY_ACTIVATE")->isChecked());
        QVERIFY(!f.window->CurrentSettings().clipWatch);
        f.Add("house", "Haus");
        f.Action("ID_MEN_CLEARALL")->trigger();
        f.window->Tray().HandleClipboardText(QStringLiteral("house"));
        QCOMPARE(f.TermBox()->currentText(), QString());
    }

    // With "Activate" a found term or a translated phrase calls the hidden window forward; a phrase that
    // nothing translates and an unknown term leave it hidden.
    void onlyFoundTermsCallTheHiddenWindowForward() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        StartWatching(f);
        f.window->hide();
        f.window->Tray().HandleClipboardText(QStringLiteral("\"big\""));
        QVERIFY(!f.window->isVisible());
        f.window->Tray().HandleClipboardText(QStringLiteral("tree"));
        QVERIFY(!f.window->isVisible());
        f.window->Tray().HandleClipboardText(QStringLiteral("\"house\""));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("Haus"));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->Entries().SearchHistory().front(), QStringLiteral("\"house\""));
    }

    void collectingAddsNewTextsEvenWhenTooLong() {
        MainWindowFixture f;
        StartWatching(f);
        f.Action("ID_MEN_COLLECTCLIPBOARD")->trigger();
        const QString longText(30, QLatin1Char('x'));
        f.window->Tray().HandleClipboardText(longText);
        auto& entries = f.window->Engine().Entries();
        QCOMPARE(entries.RowCount(), 1);
        QCOMPARE(QString::fromStdString(entries.GetCell(1, 0)), QStringLiteral("ZZZ Collected"));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("ZZZ Collected"));
        f.window->Tray().HandleClipboardText(longText);
        QCOMPARE(entries.RowCount(), 1);
    }

    void hidingWithoutATrayTellsTheUserAndStaysVisible() {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            QSKIP("this desktop has a tray");
        }
        MainWindowFixture f;
        QVERIFY(f.window->Texts().LoadLanguageFile(LEXARO_SOURCE_DIR "/resources/lang_French.xml"));
        f.window->show();
        f.prompter.Expect(PromptAnswer::Ok);
        f.Action("ID_MEN_HIDE")->trigger();
        QCOMPARE(f.prompter.LastText(),
                 QStringLiteral("Impossible de placer l'ic\u00F4ne dans la zone de notification\u00A0!"));
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.window->Tray().IsInTray());
    }

    void rightDoubleClickTogglesTheCaptionAndBack() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto* close = f.window->findChild<QPushButton*>("m_BTNClose");
        QVERIFY(!close->isVisible());
        const QRect before = f.window->geometry();
        QTest::mouseDClick(f.window.get(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!f.window->Frame().IsCaptionShown());
        QVERIFY(f.window->windowFlags() & Qt::FramelessWindowHint);
        QTRY_VERIFY(close->isVisible());
        // Without the caption the window is dragged by its background; with it a drag moves nothing.
        const QPoint dragged = f.window->pos();
        QTest::mousePress(f.window.get(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(f.window.get(), QPoint(25, 35));
        QTest::mouseRelease(f.window.get(), Qt::LeftButton, {}, QPoint(25, 35));
        QTRY_COMPARE(f.window->pos(), dragged + QPoint(20, 30));
        f.window->move(dragged);
        QTest::mouseDClick(f.window.get(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(f.window->Frame().IsCaptionShown());
        QVERIFY(!(f.window->windowFlags() & Qt::FramelessWindowHint));
        QTRY_VERIFY(!close->isVisible());
        QTRY_COMPARE(f.window->geometry(), before);
    }

    // Entries collected while hidden in the tray are not thrown away by the tray's Exit.
    void exitFromTheTrayAsksOnlyAboutUnsavedChanges() {
        MainWindowFixture f;
        f.window->show();
        f.Add("house", "Haus");
        f.prompter.Expect(PromptAnswer::Cancel);
        f.Action("ID_MENTRAY_EXIT")->trigger();
        QCOMPARE(f.prompter.LastText(),
                 QStringLiteral("Current dictionary has been modified. Do you want to save changes?"));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        f.prompter.Expect(PromptAnswer::No);
        f.Action("ID_MENTRAY_EXIT")->trigger();
        QVERIFY(f.prompter.Done());
        QVERIFY(!f.window->isVisible());
    }

    void trayMenuCarriesItsTexts() {
        MainWindowFixture f;
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_RESTORE")->text(), QStringLiteral("Restore"));
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_ACTIVATE")->text(), QStringLiteral("Activate"));
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_EXIT")->text(), QStringLiteral("Exit"));
        QCOMPARE(f.window->findChild<QAction*>("ID_MENTRAY_CLOSE")->text(), QStringLiteral("Close menu"));
    }
};

QTEST_MAIN(TestMainWindowClipboard)
#include "TestMainWindowClipboard.moc"
