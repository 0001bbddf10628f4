#include "ToolWindowFixture.h"
#include "ui/training/StatisticsDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QtCharts/QChartView>
#include <QtCharts/QPieSeries>

using namespace lexaro;
using lexaro::testing::ToolWindowFixture;

// The statistics window over a deck with a few ratings.
class TestStatisticsDlg : public QObject {
    Q_OBJECT

private slots:
    void showsTheRecallFigureAndChartsAndResetsOnlyWhenConfirmed() {
        ToolWindowFixture f;
        f.Add("Haus", "house");
        f.Add("Baum", "tree");
        f.Add("Maus", "mouse");
        ReviewDeck deck(f.File("words.lxr"), {});
        const LocalTime yesterday{2024, 3, 4, 9, 0, 0};
        QVERIFY(deck.Rate("Haus", false, Rating::Good, {yesterday, 60}));
        QVERIFY(deck.Rate("Baum", false, Rating::Easy, {yesterday, 60}));

        CStatisticsDlg dialog(f.Context(), deck, f.engine.Entries(), false, *f.clock);
        QCOMPARE(dialog.findChild<QLabel*>("m_LBLRecall")->text(),
                 QStringLiteral("You would recall about 2 of your 2 words today"));
        QCOMPARE(dialog.Figures().ratingsPerDay[kFigureDays - 2][2], 1);
        QCOMPARE(dialog.NewCards(), 1);
        for (const char* name : {"m_CHTReviews", "m_CHTDue", "m_CHTRetention", "m_CHTStates"}) {
            auto* view = dialog.findChild<QChartView*>(name);
            QVERIFY2(view && view->chart() && !view->chart()->series().isEmpty(), name);
        }
        auto* pie = qobject_cast<QPieSeries*>(dialog.findChild<QChartView*>("m_CHTStates")->chart()->series()[0]);
        QCOMPARE(pie->slices()[0]->label(), QStringLiteral("New: 1"));

        f.prompter.Expect(PromptAnswer::No);
        dialog.findChild<QPushButton*>("m_BTNReset")->click();
        QVERIFY(std::filesystem::exists(deck.LogPath()));
        f.prompter.Expect(PromptAnswer::Yes);
        dialog.findChild<QPushButton*>("m_BTNReset")->click();
        QVERIFY(f.prompter.Done());
        QVERIFY(!std::filesystem::exists(deck.LogPath()));
        QCOMPARE(dialog.findChild<QLabel*>("m_LBLRecall")->text(),
                 QStringLiteral("You would recall about 0 of your 0 words today"));
    }
};

QTEST_MAIN(TestStatisticsDlg)
#include "TestStatisticsDlg.moc"
