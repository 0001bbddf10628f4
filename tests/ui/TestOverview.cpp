#include "ToolWindowFixture.h"
#include "ui/tools/OverviewDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

using namespace lexaro;
using namespace lexaro::testing;

class TestOverview : public QObject {
    Q_OBJECT

    static void Click(QDialog& d, const char* name) { d.findChild<QPushButton*>(name)->click(); }
    static QTableView* List(QDialog& d) { return d.findChild<QTableView*>("m_LISWords"); }
    static QTableView* List(QDialog* d) { return List(*d); }
    static QPushButton* Button(QDialog& d, const char* name) { return d.findChild<QPushButton*>(name); }
    static void Select(QDialog& d, int first, int last) {
        QTableView* list = List(d);
        const QItemSelection range(list->model()->index(first, 0), list->model()->index(last, 2));
        list->selectionModel()->select(range, QItemSelectionModel::Select);
    }
    static std::vector<std::string> Terms(const ToolWindowFixture& f) {
        std::vector<std::string> terms;
        for (int r = 0; r < f.Rows(); ++r) {
            terms.push_back(f.Cell(0, r));
        }
        return terms;
    }
    static void Fill(ToolWindowFixture& f, int count) {
        for (int i = 0; i < count; ++i) {
            f.Add("t" + std::to_string(i), "e" + std::to_string(i));
        }
    }

private slots:
    void listsEveryEntryAndDeletesSelectedOrAll() {
        ToolWindowFixture f;
        Fill(f, 60);
        f.engine.UndoLog().Resize(6, 1);
        COverviewDlg dialog(f.Context(), f.engine, QStringLiteral("/voc/French.lxd"), ";");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("/voc/French.lxd [60]"));
        QCOMPARE(List(dialog)->model()->rowCount(), 60);
        QCOMPARE(List(dialog)->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Explanation"));

        // Nothing selected: no question, nothing deleted.
        Click(dialog, "m_BTNDeleteSelected");
        QCOMPARE(f.Rows(), 60);

        // A range of rows 10..40 (a Shift range over more than one screen) and one more row go.
        Select(dialog, 10, 40);
        Select(dialog, 50, 50);
        f.prompter.Expect(PromptAnswer::Cancel);
        Click(dialog, "m_BTNDeleteSelected");
        QCOMPARE(f.Rows(), 60);
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNDeleteSelected");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Really delete selected entries?"));
        QCOMPARE(f.Rows(), 28);
        QCOMPARE(f.Cell(0, 9), std::string("t9"));
        QCOMPARE(f.Cell(0, 10), std::string("t41"));
        QCOMPARE(f.Cell(0, 19), std::string("t51"));
        QCOMPARE(f.engine.UndoLog().RowCount(), 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("/voc/French.lxd [28]"));

        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNDeleteAll");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Really delete all entries?"));
        QCOMPARE(f.Rows(), 0);
        QCOMPARE(f.engine.Entries().ColumnCount(), 3);
        Click(dialog, "m_BTNDeleteAll"); // empty: no question
        QVERIFY(f.prompter.Done());
    }

    void swapsSortsAndDates() {
        ToolWindowFixture f;
        f.Add("b", "zwei", "2007-03-05 09:04:01");
        f.Add("c", "drei");
        f.Add("a", "eins", "2001-01-01 00:00:00");
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");

        Click(dialog, "m_BTNDateSet");
        QCOMPARE(f.Cell(2, 0), std::string("2007-03-05 09:04:01"));
        QCOMPARE(f.Cell(2, 1), std::string("2024-03-05 09:04:01"));

        // Sort through the sort window: term descending.
        QTimer::singleShot(0, [] {
            auto* sort = qobject_cast<CSortDlg*>(QApplication::activeModalWidget());
            QVERIFY(sort);
            QCOMPARE(sort->windowTitle(), QStringLiteral("Sort"));
            QVERIFY(sort->findChild<QCheckBox*>("m_CHKTermAsc")->isChecked());
            sort->findChild<QCheckBox*>("m_CHKTermDesc")->click();
            QVERIFY(!sort->findChild<QCheckBox*>("m_CHKTermAsc")->isChecked());
            sort->findChild<QPushButton*>("m_BTNOk")->click();
        });
        Click(dialog, "m_BTNSort");
        QCOMPARE(Terms(f), (std::vector<std::string>{"c", "b", "a"}));

        // Date ascending; Cancel changes nothing.
        QTimer::singleShot(0, [] {
            auto* sort = qobject_cast<CSortDlg*>(QApplication::activeModalWidget());
            QVERIFY(sort);
            sort->findChild<QCheckBox*>("m_CHKDateAsc")->click();
            sort->findChild<QPushButton*>("m_BTNOk")->click();
        });
        Click(dialog, "m_BTNSort");
        QCOMPARE(Terms(f), (std::vector<std::string>{"a", "b", "c"}));
        QTimer::singleShot(0, [] {
            auto* sort = qobject_cast<CSortDlg*>(QApplication::activeModalWidget());
            QVERIFY(sort);
            sort->findChild<QCheckBox*>("m_CHKTermDesc")->click();
            sort->findChild<QPushButton*>("m_BTNCancel")->click();
        });
        Click(dialog, "m_BTNSort");
        QCOMPARE(Terms(f), (std::vector<std::string>{"a", "b", "c"}));

        Click(dialog, "m_BTNSwap");
        QCOMPARE(Terms(f), (std::vector<std::string>{"eins", "zwei", "drei"}));

        Click(dialog, "m_BTNDateRemove");
        QCOMPARE(f.Cell(2, 0), std::string());
        QCOMPARE(f.Cell(2, 2), std::string());
    }

    void exportsImportsAndAppends() {
        ToolWindowFixture f;
        f.Add("House", "Haus<add_exp><exp_pos>x</exp_pos></add_exp>");
        f.Add("tree", "Baum");
        f.Add("dog", "Hund");
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");

        f.chooser.Expect(ChosenFile{f.File("all.csv")});
        Click(dialog, "m_BTNCSVExport");
        QCOMPARE(f.Read("all.csv"),
                 std::string("House;Haus<add_exp><exp_pos>x</exp_pos></add_exp>\r\ntree;Baum\r\ndog;Hund"));
        QCOMPARE(f.engine.Entries().ColumnCount(), 3);

        Select(dialog, 0, 0);
        Select(dialog, 2, 2);
        dialog.findChild<QCheckBox*>("m_CHKCutAddExpls")->setChecked(true);
        f.chooser.Expect(ChosenFile{f.File("some.csv")});
        Click(dialog, "m_BTNCSVExport");
        QCOMPARE(f.Read("some.csv"), std::string("House;Haus\r\ndog;Hund\r\n"));

        f.chooser.Expect(std::nullopt);
        Click(dialog, "m_BTNCSVExport");
        f.chooser.Expect(ChosenFile{f.File("missing/x.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVExport");
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("The file could not be written")));
        QVERIFY(f.prompter.LastText().endsWith(QStringLiteral("\nNo such file or directory")));

        // Append: house exists in another case and is skipped; with renaming it arrives as house (1).
        f.Write("more.csv", "house;Gebaeude\r\ncat;Katze;2007-03-05 09:04:01\r\n");
        f.chooser.Expect(ChosenFile{f.File("more.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVAppend");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("1 entry added."));
        QCOMPARE(Terms(f), (std::vector<std::string>{"House", "tree", "dog", "cat"}));
        QCOMPARE(f.Cell(2, 3), std::string("2007-03-05 09:04:01"));
        QCOMPARE(f.Cell(2, 0), std::string("2024-03-05 09:04:01"));

        dialog.findChild<QCheckBox*>("m_CHKRenameDuplicates")->setChecked(true);
        f.chooser.Expect(ChosenFile{f.File("more.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVAppend");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("2 entries added."));
        QCOMPARE(f.Cell(0, 4), std::string("house (1)"));
        QCOMPARE(f.Cell(0, 5), std::string("cat (1)"));
        QCOMPARE(dialog.windowTitle(), NoName() + QStringLiteral(" [6]"));

        // Import asks once into a non-empty dictionary; Cancel keeps it, a missing file keeps it too.
        f.prompter.Expect(PromptAnswer::Cancel);
        Click(dialog, "m_BTNCSVImport");
        QCOMPARE(f.Rows(), 6);
        f.prompter.Expect(PromptAnswer::Ok);
        f.chooser.Expect(ChosenFile{f.File("none.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVImport");
        QCOMPARE(f.Rows(), 6);
        f.engine.UndoLog().Resize(6, 1);
        f.prompter.Expect(PromptAnswer::Ok);
        f.chooser.Expect(ChosenFile{f.File("more.csv")});
        Click(dialog, "m_BTNCSVImport");
        QCOMPARE(Terms(f), (std::vector<std::string>{"house", "cat"}));
        QCOMPARE(f.Cell(2, 0), std::string("2024-03-05 09:04:01"));
        QCOMPARE(f.engine.UndoLog().RowCount(), 0);
        QVERIFY(f.engine.Entries().IsModified());
        QVERIFY(f.prompter.Done());
        QVERIFY(f.chooser.Done());

        // Into an empty dictionary nothing is asked.
        ToolWindowFixture empty;
        COverviewDlg fresh(empty.Context(), empty.engine, NoName(), ";");
        empty.chooser.Expect(ChosenFile{f.File("more.csv")});
        Click(fresh, "m_BTNCSVImport");
        QCOMPARE(empty.Rows(), 2);
    }

    // Export tells of entries that hold the separator; import and append refuse a file without one.
    void csvExchangeWarnsOrRefuses() {
        ToolWindowFixture f;
        f.Add("home", "Heim; Zuhause");
        f.Write("notes.csv", "just some notes\n");
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");
        f.prompter.Expect(PromptAnswer::Cancel);
        Click(dialog, "m_BTNCSVExport"); // cancelled before a file is chosen
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("Entries holding the separator ';': 1.")));
        f.prompter.Expect(PromptAnswer::Ok);
        f.chooser.Expect(ChosenFile{f.File("notes.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVImport");
        f.chooser.Expect(ChosenFile{f.File("notes.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVAppend");
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("The file could not be read")));
        QVERIFY(f.prompter.Done() && f.chooser.Done());
        QCOMPARE(Terms(f), std::vector<std::string>{"home"});
    }

    void fileReportsAndTheFilterAreInTheInterfaceLanguage() {
        ToolWindowFixture f;
        QVERIFY(f.texts.LoadLanguageFile(LEXARO_SOURCE_DIR "/resources/lang_German.xml"));
        f.Add("home", "Heim");
        f.Write("notes.csv", "just some notes\n");
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");
        f.chooser.Expect(ChosenFile{f.File("missing/x.csv")});
        f.prompter.Expect(PromptAnswer::Ok);
        Click(dialog, "m_BTNCSVExport");
        QCOMPARE(f.chooser.LastFilter(), QStringLiteral("CSV-Datei(*.csv)|*.csv||"));
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("Die Datei konnte nicht geschrieben werden:\n")));
        f.prompter.Expect(PromptAnswer::Ok); // the import's question into a non-empty dictionary
        for (const char* button : {"m_BTNCSVImport", "m_BTNCSVAppend"}) {
            f.chooser.Expect(ChosenFile{f.File("notes.csv")});
            f.prompter.Expect(PromptAnswer::Ok);
            Click(dialog, button);
            QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("Die Datei konnte nicht gelesen werden:\n")));
        }
        QVERIFY(f.prompter.Done());
    }

    void doubleClickPicksTheRowAndLargeTablesOpenAtOnce() {
        ToolWindowFixture f;
        Fill(f, 1000000);
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");
        dialog.show();
        QTableView* list = List(dialog);
        list->scrollToBottom();
        const QModelIndex last = list->model()->index(999999, 0);
        emit list->doubleClicked(last);
        QCOMPARE(dialog.PickedRow(), 999999);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void wheelMovesTheListByAPage() {
        ToolWindowFixture f;
        Fill(f, 1000);
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");
        dialog.resize(700, 520);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableView* list = List(dialog);
        QScrollBar* bar = list->verticalScrollBar();
        const int page = bar->pageStep();
        QVERIFY(page > 3);
        auto turn = [&](int delta) {
            const QPointF at(list->viewport()->width() / 2.0, list->viewport()->height() / 2.0);
            QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list->viewport(), &wheel);
        };
        turn(-120); // towards the user: down
        QCOMPARE(bar->value(), page);
        turn(-60);
        QCOMPARE(bar->value(), page);
        turn(-60);
        QCOMPARE(bar->value(), 2 * page);
        turn(120); // away from the user: up
        QCOMPARE(bar->value(), page);
    }

    // At the window's smallest size the whole date shows beside term and explanation, without scrolling sideways.
    void everyColumnShowsAtTheSmallestSize() {
        ToolWindowFixture f;
        f.Add("house", std::string(300, 'e'), "2025-01-01 10:00:00");
        COverviewDlg dialog(f.Context(), f.engine, NoName(), ";");
        dialog.resize(dialog.minimumSize());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableView* list = List(dialog);
        QHeaderView* header = list->horizontalHeader();
        QVERIFY(header->length() <= list->viewport()->width());
        QVERIFY(header->sectionSize(2) > list->fontMetrics().horizontalAdvance(QStringLiteral("2025-01-01 10:00:00")));
        QVERIFY(header->sectionSize(1) >= 100);
    }

    void toolWindowsTakeTheUsersFont() {
        ToolWindowFixture f;
        Fill(f, 3);
        FontSettings fonts(FontValues{"DejaVu Sans", 0, -12, 0}, FontValues{"DejaVu Sans", 0, -12, 0});
        fonts.SetUseFontHeight(true);
        fonts.SetStoredFont(FontValues{"DejaVu Serif", 0, -19, 0});
        ToolWindowContext context = f.Context();
        context.fonts = &fonts;
        COverviewDlg dialog(context, f.engine, NoName(), ";");
        for (QWidget* widget :
             {static_cast<QWidget*>(List(&dialog)), static_cast<QWidget*>(Button(dialog, "m_BTNSort"))}) {
            QCOMPARE(widget->font().family(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(widget->font().pixelSize(), 19);
        }
        // Rows are as high as the font needs.
        QVERIFY(List(&dialog)->verticalHeader()->defaultSectionSize() >= 19);
    }
};

QTEST_MAIN(TestOverview)
#include "TestOverview.moc"
