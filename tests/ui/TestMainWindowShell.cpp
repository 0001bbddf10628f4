#include "MainWindowFixture.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"

#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QtTest>

using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;

// The window's frame: title, menus and their texts, closing.
class TestMainWindowShell : public QObject {
    Q_OBJECT

private slots:
    void titleCountsEntriesAndShowsTheCurrentOne() {
        MainWindowFixture f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 0 [0]"));
        f.Add("house", "Haus");
        f.Add("tree", "Baum");
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 2 [2]"));
        f.window->Engine().SetCurrentRow(-1);
        f.window->UpdateTitle();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 2 [1]"));
    }

    void menuCommandsCarryTheirTextsAndAccelerators() {
        MainWindowFixture f;
        QCOMPARE(f.Action("ID_MEN_NEW")->text(), QStringLiteral("New dictionary\tCtrl+N"));
        QCOMPARE(f.Action("ID_MEN_NEW")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(f.Action("ID_MEN_CLOSE")->text(), QStringLiteral("Quit\tCtrl+Q"));
        QCOMPARE(f.Action("ID_MEN_CLOSE")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(f.Action("ID_MEN_PROPERTIES")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
        QCOMPARE(f.Action("ID_MEN_FASTEDIT")->shortcut(), QKeySequence(Qt::Key_F3));
        QVERIFY(f.Action("ID_MEN_CLEARONENTRYADD")->isChecked());
        QVERIFY(!f.Action("ID_MEN_COLLECTCLIPBOARD")->isChecked());
        QCOMPARE(f.window->findChild<QMenu*>("ID_MEN_RECENT")->title(), QStringLiteral("Recent"));
        QCOMPARE(f.window->findChild<QPushButton*>("m_BTNAdd")->toolTip(), QStringLiteral("Add/modify this entry"));
    }

    void clearListEmptiesTheHistoryButNotTheTermBox() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.SearchFor("house");
        f.TermBox()->setEditText("tree");
        f.Action("ID_MEN_CLEARLIST")->trigger();
        QVERIFY(f.window->Entries().SearchHistory().isEmpty());
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("tree"));
    }

    void altWithATitlesLetterOpensItsMenuFromTheTermBox() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QLineEdit* term = f.TermBox()->lineEdit();
        term->setFocus();
        QTRY_VERIFY(term->hasFocus());
        QCOMPARE(f.window->findChild<QMenu*>("ID_MEN_ENTRY")->title(), QStringLiteral("E&ntry"));
        QTest::keyClick(term, Qt::Key_F, Qt::AltModifier);
        auto* file = f.window->findChild<QMenu*>("ID_MEN_FILE");
        QTRY_VERIFY(file->isVisible());
        file->close();
        QCOMPARE(term->text(), QString());
    }

    // A long term in the search history must not make the window wider than the screen.
    void longSearchTermsKeepTheWindowOnTheScreen() {
        MainWindowFixture f;
        const QString longTerm(300, QLatin1Char('w'));
        f.Add(longTerm, "a word");
        f.SearchFor(longTerm);
        QCOMPARE(f.window->Entries().SearchHistory().front(), longTerm);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const int screenWidth = f.window->screen()->availableGeometry().width();
        QVERIFY2(f.window->minimumSizeHint().width() <= screenWidth,
                 qPrintable(QString::number(f.window->minimumSizeHint().width())));
        QVERIFY(f.window->width() <= screenWidth);
    }

    void quitClosesAnUnchangedDictionaryWithoutAsking() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.Action("ID_MEN_CLOSE")->trigger();
        QTRY_VERIFY(!f.window->isVisible());
        QCOMPARE(f.prompter.Asked(), 0);
    }

    void quitWithChangesAsksAndCancelKeepsTheWindow() {
        MainWindowFixture f;
        f.window->show();
        f.Add("house", "Haus");
        f.prompter.Expect(PromptAnswer::Cancel);
        f.Action("ID_MEN_CLOSE")->trigger();
        QVERIFY(f.window->isVisible());
        QVERIFY(f.prompter.Done());
        f.prompter.Expect(PromptAnswer::No);
        f.Action("ID_MEN_CLOSE")->trigger();
        QTRY_VERIFY(!f.window->isVisible());
    }

    // Also writes the README's screenshot when LEXARO_SCREENSHOT_DIR names a folder.
    void sampleDictionaryAnswersALookUp() {
        MainWindowFixture f;
        f.window->resize(560, 380);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.window->Files().OpenFile(QStringLiteral(LEXARO_SOURCE_DIR "/resources/samples/sample-en-de.lxd"));
        QCOMPARE(f.window->Engine().Entries().RowCount(), 64);
        f.SearchFor("hou*");
        QVERIFY(f.Pane()->toPlainText().startsWith(QStringLiteral("[house]\nHaus")));
        const QByteArray folder = qgetenv("LEXARO_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QVERIFY(f.window->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/lookup.png")));
        }
    }

    void escapeDoesNotEndTheProgram() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
        QVERIFY(f.window->isVisible());
    }
};

QTEST_MAIN(TestMainWindowShell)
#include "TestMainWindowShell.moc"
