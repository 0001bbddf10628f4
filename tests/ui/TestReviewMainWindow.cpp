#include "MainWindowFixture.h"
#include "training/ReviewDeck.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/ReviewCommands.h"
#include "ui/training/ReviewDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <fstream>

using namespace lexaro;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::WhenOpen;

namespace {

// A dictionary of two entries beside a log in which "Haus" was rated Good two days before the fixture's clock.
QString DictionaryWithLog(MainWindowFixture& f, const std::string& extraLogLines = {}) {
    const QString path = f.Path("words.lxd");
    ClassTable entries;
    entries.Resize(3, 2);
    entries.SetCell(0, 0, "Haus");
    entries.SetCell(1, 0, "house");
    entries.SetCell(0, 1, "Baum");
    entries.SetCell(1, 1, "tree");
    entries.SaveDocumentFile(path.toStdString());
    ReviewDeck deck(f.Path("words.lxr").toStdString(), {});
    deck.Rate("Haus", false, Rating::Good, {{2024, 3, 3, 9, 0, 0}, 60});
    std::ofstream(f.Path("words.lxr").toStdString(), std::ios::app) << extraLogLines;
    return path;
}

std::string Log(MainWindowFixture& f) {
    std::ifstream in(f.Path("words.lxr").toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// The main window's review commands: the count, the log told of look-ups and renames, the review window.
class TestReviewMainWindow : public QObject {
    Q_OBJECT

private slots:
    void commandsShowTheCountAndFollowLookUpsRenamesAndReviews() {
        MainWindowFixture f;
        QVERIFY(!f.Action("ID_MEN_REVIEW")->isEnabled());
        f.window->Files().OpenFile(DictionaryWithLog(f));
        QAction* review = f.Action("ID_MEN_REVIEW");
        QVERIFY(review->isEnabled());
        QCOMPARE(review->text(), QStringLiteral("Review (1 due)\tF7"));
        QCOMPARE(review->shortcut(), QKeySequence(Qt::Key_F7));
        QVERIFY(f.window->findChild<QMenu*>("m_TrayMenu")->actions().contains(review));

        f.SearchFor(QStringLiteral("Baum"));
        QVERIFY(Log(f).find("\tlookup\tBaum\n") != std::string::npos);
        f.SearchFor(QStringLiteral("Haus"));
        f.Type(QStringLiteral("Heim"), QStringLiteral("house"));
        f.Action("ID_MEN_MODIFY")->trigger();
        QVERIFY(Log(f).find("\trename\tHaus\tHeim\n") != std::string::npos);

        bool asked = false;
        WhenOpen<CReviewDlg>([&asked](CReviewDlg& dialog) {
            asked = dialog.findChild<QLabel*>("m_LBLQuestion")->text() == QStringLiteral("Heim");
            dialog.ShowAnswer();
            dialog.Rate(Rating::Good);
            dialog.reject();
        });
        review->trigger();
        QVERIFY(asked);
        QCOMPARE(review->text(), QStringLiteral("Review (0 due)\tF7"));
        QVERIFY(Log(f).find("\trate\tHeim\tforward\t3\n") != std::string::npos);
    }

    // Saved under another name, the dictionary counts the cards of that name's log, which does not exist yet and
    // is not made; opened under its own name again, its own cards count.
    void theCountFollowsTheNameTheDictionaryIsSavedUnder() {
        MainWindowFixture f;
        const QString path = DictionaryWithLog(f);
        f.window->Files().OpenFile(path);
        QAction* review = f.Action("ID_MEN_REVIEW");
        QCOMPARE(review->text(), QStringLiteral("Review (1 due)\tF7"));
        f.chooser.Expect(ChosenFile{f.Path("copy.htm").toStdString(), 0});
        f.Action("ID_MEN_SAVEAS")->trigger();
        QCOMPARE(review->text(), QStringLiteral("Review (0 due)\tF7"));
        QVERIFY(!QFileInfo::exists(f.Path("copy.lxr")));
        f.window->Files().OpenFile(path);
        QCOMPARE(review->text(), QStringLiteral("Review (1 due)\tF7"));
    }

    // The count follows the entries once they are left alone for a moment: the entry of the due card deleted, it
    // is not counted any more.
    void theCountFollowsAChangeOfTheEntries() {
        MainWindowFixture f;
        f.window->Files().OpenFile(DictionaryWithLog(f));
        QAction* review = f.Action("ID_MEN_REVIEW");
        QCOMPARE(review->text(), QStringLiteral("Review (1 due)\tF7"));
        f.TermBox()->setEditText("Haus");
        f.Button("m_BTNDelete")->click();
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        QVERIFY(f.window->findChild<QTimer*>("m_TMRRecount")->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(review->text(), QStringLiteral("Review (0 due)\tF7"), 5000);
    }

    void unreadableLogLinesAreReportedOnceWhenTheDictionaryOpens() {
        MainWindowFixture f;
        const QString path = DictionaryWithLog(f, "nonsense\n");
        const std::string before = Log(f);
        f.prompter.Expect(PromptAnswer::Ok);
        f.window->Files().OpenFile(path);
        QVERIFY(f.prompter.Done());
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("Lines of the review log that could not be read")));
        f.SearchFor(QStringLiteral("Baum"));
        QCOMPARE(f.prompter.Asked(), 1);
        QVERIFY(Log(f).starts_with(before));
    }
};

QTEST_MAIN(TestReviewMainWindow)
#include "TestReviewMainWindow.moc"
