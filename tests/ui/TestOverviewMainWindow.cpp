#include "MainWindowFixture.h"
#include "ui/tools/MassDataDlg.h"
#include "ui/tools/OverviewDlg.h"
#include "ui/tools/PropertiesDlg.h"
#include "widgets/LargeTextEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace lexaro;
using namespace lexaro::testing;

// The entry list tools opened from the main window's menus.
class TestOverviewMainWindow : public QObject {
    Q_OBJECT

private slots:
    void pickedEntryIsShownAfterTheOverview() {
        MainWindowFixture f;
        f.Add("house", "das Haus");
        f.Add("tree", "der Baum");
        QVERIFY(f.Action("ID_MEN_ALLENTRIES")->isEnabled());
        WhenOpen<COverviewDlg>([](COverviewDlg& dialog) {
            auto* list = dialog.findChild<QTableView*>("m_LISWords");
            emit list->doubleClicked(list->model()->index(1, 1));
        });
        f.Action("ID_MEN_ALLENTRIES")->trigger();
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("tree"));
        QCOMPARE(f.window->Engine().CurrentRow(), 1);
    }

    void massDataReplacesTheEntriesUndoBringsThemBackAndPropertiesKeepTheChecksumChoice() {
        MainWindowFixture f;
        f.Add("house", "das Haus");
        f.window->Engine().ClearUndoLog(); // Undo would take the add back as well
        WhenOpen<CMassDataDlg>([](CMassDataDlg& dialog) {
            dialog.findChild<CLargeTextEdit*>("m_EDTText")->SetText("a;b;\nc;d;\n");
            dialog.accept();
        });
        f.Action("ID_MEN_MASSEDIT")->trigger();
        QCOMPARE(f.window->Engine().Entries().RowCount(), 2);
        QCOMPARE(f.window->Engine().Entries().PeekCell(0, 0), std::string("a"));
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("a"));
        f.Action("ID_MEN_UNDO")->trigger();
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        QCOMPARE(f.window->Engine().Entries().PeekCell(1, 0), std::string("das Haus"));

        WhenOpen<CPropertiesDlg>([](CPropertiesDlg& dialog) {
            dialog.findChild<QComboBox*>("m_CBBChecksum")->setCurrentIndex(4);
            dialog.accept();
        });
        f.Action("ID_MEN_PROPERTIES")->trigger();
        QCOMPARE(f.window->CurrentSettings().checksumType, 4);
    }
};

QTEST_MAIN(TestOverviewMainWindow)
#include "TestOverviewMainWindow.moc"
