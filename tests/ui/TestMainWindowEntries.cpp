#include "MainWindowFixture.h"
#include "ui/mainwindow/EntryCommands.h"

#include <QLineEdit>

using lexaro::testing::MainWindowFixture;

// Looking up, adding, changing and walking entries from the main window.
class TestMainWindowEntries : public QObject {
    Q_OBJECT

private slots:
    void searchShowsHitsAndRecordsTheHistory() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.Add("tree", "Baum");
        f.SearchFor("tree");
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("[tree]\nBaum"));
        QCOMPARE(f.window->Engine().CurrentRow(), 1);
        QCOMPARE(f.window->Entries().SearchHistory(), QStringList{"tree"});
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 2 [2]"));
    }

    void searchWithoutHitShowsTheNotFoundTextAndKeepsTheCurrentEntry() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.Add("tree", "Baum");
        f.window->Engine().SetCurrentRow(0);
        f.SearchFor("xyz");
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("Term not found."));
        QCOMPARE(f.window->Engine().CurrentRow(), 0);
        QVERIFY(f.window->Entries().SearchHistory().isEmpty());
    }

    void historyKeepsFiftyAndSkipsTextsThatBeginAnEntry() {
        MainWindowFixture f;
        for (int i = 0; i < 51; ++i) {
            f.Add(QStringLiteral("term%1x").arg(i, 2, 10, QLatin1Char('0')), "e");
        }
        f.SearchFor("term00x");
        f.SearchFor("TERM0");
        // An entry already begins with TERM0, ignoring case.
        QCOMPARE(f.window->Entries().SearchHistory(), QStringList{"term00x"});
        for (int i = 1; i < 51; ++i) {
            f.SearchFor(QStringLiteral("term%1x").arg(i, 2, 10, QLatin1Char('0')));
        }
        const QStringList history = f.window->Entries().SearchHistory();
        QCOMPARE(history.size(), 50);
        QCOMPARE(history.front(), QStringLiteral("term50x"));
        QCOMPARE(history.back(), QStringLiteral("term01x"));
    }

    void addClearsTheFieldsOrShowsTheDate() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        QCOMPARE(f.TermBox()->currentText(), QString());
        QCOMPARE(f.Pane()->toPlainText(), QString());
        f.Action("ID_MEN_CLEARONENTRYADD")->trigger();
        f.Add("tree", "Baum");
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("tree"));
        QCOMPARE(f.DateLine()->text(), QStringLiteral("2024-03-05 09:04:01"));
        QCOMPARE(f.window->Engine().Entries().RowCount(), 2);
    }

    void addWithAnEmptyFieldAddsNothing() {
        MainWindowFixture f;
        f.Add("house", "");
        f.Add("", "Haus");
        QCOMPARE(f.window->Engine().Entries().RowCount(), 0);
    }

    void modifyChangesTheShownEntryAndDeleteRemovesIt() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.Add("tree", "Baum");
        f.SearchFor("house");
        f.Type("House", "das Haus");
        f.Action("ID_MEN_MODIFY")->trigger();
        auto& entries = f.window->Engine().Entries();
        QCOMPARE(QString::fromStdString(entries.GetCell(0, 0)), QStringLiteral("House"));
        QCOMPARE(QString::fromStdString(entries.GetCell(1, 0)), QStringLiteral("das Haus"));
        f.TermBox()->setEditText("tree");
        f.Button("m_BTNDelete")->click();
        QCOMPARE(entries.RowCount(), 1);
        QCOMPARE(f.TermBox()->currentText(), QString());
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 1 [1]"));
        // Undo takes back every change since the last undo: the delete, the modify and both adds.
        f.Action("ID_MEN_UNDO")->trigger();
        QCOMPARE(entries.RowCount(), 0);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 0 [0]"));
        f.Add("oak", "Eiche");
        f.Action("ID_MEN_UNDO")->trigger();
        QCOMPARE(entries.RowCount(), 0);
    }

    void modifyAndAddAfterALookUpStoreOnlyTheShownEntry() {
        MainWindowFixture f;
        f.Add("water", "Wasser");
        f.Add("house", "Haus");
        f.Add("horse", "Pferd");
        auto& entries = f.window->Engine().Entries();
        const auto appendToPane = [&f](const QString& text) {
            QTextCursor end(f.Pane()->document());
            end.movePosition(QTextCursor::End);
            end.insertText(text);
        };
        f.SearchFor("water");
        appendToPane(", das");
        f.Action("ID_MEN_MODIFY")->trigger();
        QCOMPARE(QString::fromStdString(entries.GetCell(0, 0)), QStringLiteral("water"));
        QCOMPARE(QString::fromStdString(entries.GetCell(1, 0)), QStringLiteral("Wasser, das"));

        f.SearchFor("ho*");
        for (const char* command : {"ID_MEN_MODIFY", "ID_MEN_ADD"}) {
            f.prompter.Expect(lexaro::PromptAnswer::Ok);
            f.Action(command)->trigger();
            QVERIFY(f.prompter.LastText().startsWith("The pane shows a search result"));
        }
        // The user's own text under a pattern is refused too.
        f.Type("ho*", "Haus oder Pferd");
        f.prompter.Expect(lexaro::PromptAnswer::Ok);
        f.Button("m_BTNAdd")->click();
        QVERIFY(f.prompter.LastText().startsWith("A search pattern"));
        QCOMPARE(entries.RowCount(), 3);
        QCOMPARE(QString::fromStdString(entries.GetCell(1, 1) + entries.GetCell(1, 2)), QStringLiteral("HausPferd"));

        // An entry shown by the arrows is edited as it stands, even one whose term holds the wildcard.
        f.window->Engine().StoreEntry("C*-algebra", "Banach");
        f.window->Engine().SetCurrentRow(2);
        f.Button("m_BTNNext")->click();
        appendToPane(" algebra");
        f.Action("ID_MEN_MODIFY")->trigger();
        QCOMPARE(QString::fromStdString(entries.GetCell(1, 3)), QStringLiteral("Banach algebra"));
        QVERIFY(f.prompter.Done());
    }

    void previousAndNextStopAtTheEnds() {
        MainWindowFixture f;
        f.Add("a", "1");
        f.Add("b", "2");
        f.window->Engine().SetCurrentRow(0);
        f.Button("m_BTNLast")->click();
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("a"));
        f.Button("m_BTNNext")->click();
        f.Button("m_BTNNext")->click();
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("b"));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("2"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - <noname> : 2 [2]"));
    }

    void presetsAndClearCommands() {
        MainWindowFixture f;
        f.Type("house", "Haus");
        f.Action("ID_MEN_SETPRESET")->trigger();
        f.Action("ID_MEN_CLEARALL")->trigger();
        QCOMPARE(f.TermBox()->currentText(), QString());
        f.Action("ID_MEN_GETPRESET")->trigger();
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("house"));
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("Haus"));
        f.Action("ID_MEN_CLEAREXPLANATION")->trigger();
        QCOMPARE(f.Pane()->toPlainText(), QString());
    }

    void fastEditModeDisablesSearchAndDelete() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.Action("ID_MEN_FASTEDIT")->trigger();
        QVERIFY(!f.Button("m_BTNSearch")->isEnabled());
        QVERIFY(!f.Button("m_BTNDelete")->isEnabled());
        f.window->show();
        f.TermBox()->setEditText("house");
        QTest::keyClick(f.TermBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.Pane()->toPlainText(), QString());
        f.Action("ID_MEN_FASTEDIT")->trigger();
        QTest::keyClick(f.TermBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.Pane()->toPlainText(), QStringLiteral("[house]\nHaus"));
    }

    void dateToggleShowsTheDateLine() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(!f.DateLine()->isVisible());
        f.Action("ID_MEN_DATE")->trigger();
        QVERIFY(f.DateLine()->isVisible());
        QVERIFY(f.Action("ID_MEN_DATE")->isChecked());
    }
};

QTEST_MAIN(TestMainWindowEntries)
#include "TestMainWindowEntries.moc"
