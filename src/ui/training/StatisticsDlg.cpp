#include "ui/training/StatisticsDlg.h"

#include "app/Prompter.h"
#include "engine/Clock.h"
#include "training/ReviewQueue.h"
#include "ui/qt/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cerrno>
#include <cmath>

namespace lexaro {

namespace {

constexpr const char* kChartNames[4] = {"m_CHTReviews", "m_CHTDue", "m_CHTRetention", "m_CHTStates"};

// A day axis under thirty bars (bar i stands for day i), numbered every five days. With reversed set, day 0 is
// on the right: days ago end with today.
QValueAxis* DayAxis(const QString& title, bool reversed) {
    auto* axis = new QValueAxis;
    axis->setRange(-0.5, kFigureDays - 0.5);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(5);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setReverse(reversed);
    axis->setTitleText(title);
    axis->setGridLineVisible(false);
    return axis;
}

// A count axis from 0 with whole-number ticks, about five of them.
QValueAxis* CountAxis(int most) {
    auto* axis = new QValueAxis;
    const int step = std::max(1, (most + 4) / 5);
    axis->setRange(0, std::max(most, 1) + (most % step == 0 ? 0 : step - most % step));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

} // namespace

CStatisticsDlg::CStatisticsDlg(const ToolWindowContext& context, ReviewDeck& deck, const ClassTable& entries,
                               bool bothDirections, const Clock& clock, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Deck(deck), m_Entries(entries), m_BothDirections(bothDirections),
      m_Clock(clock), m_LBLRecall(Named(new QLabel(this), "m_LBLRecall")),
      m_BTNReset(Named(new QPushButton(context.Text("FrmStats.m_BTNReset"), this), "m_BTNReset")) {
    setObjectName(QStringLiteral("CStatisticsDlg"));
    context.ApplyFont(*this);
    setWindowTitle(context.Text("FrmStats.m_acMStatistics"));
    setSizeGripEnabled(true);
    QFont big = m_LBLRecall->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_LBLRecall->setFont(big);
    m_LBLRecall->setAlignment(Qt::AlignCenter);
    m_LBLRecall->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_LBLRecall);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_Charts[i] = Named(new QChartView(this), kChartNames[i]);
        m_Charts[i]->setRenderHint(QPainter::Antialiasing);
        m_Charts[i]->setMinimumSize(320, 220);
        grid->addWidget(m_Charts[i], i / 2, i % 2);
    }
    layout->addLayout(grid, 1);
    layout->addWidget(m_BTNReset, 0, Qt::AlignRight);
    m_BTNReset->setAutoDefault(false);
    connect(m_BTNReset, &QPushButton::clicked, this, [this] { ResetHistory(); });

    resize(860, 640);
    Fill();
}

void CStatisticsDlg::Style(QChart& chart, const QString& title) const {
    const QPalette colours = palette();
    chart.setTitle(title);
    chart.setBackgroundBrush(colours.window());
    chart.setTitleBrush(colours.windowText());
    chart.legend()->setLabelBrush(colours.windowText());
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.setFont(font());
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsBrush(colours.windowText());
        axis->setTitleBrush(colours.windowText());
        axis->setLinePenColor(colours.color(QPalette::Mid));
        axis->setGridLineColor(colours.color(QPalette::Midlight));
    }
}

void CStatisticsDlg::Fill() {
    const int today = ReviewDay(m_Clock.Now());
    m_Figures = ComputeReviewFigures(m_Deck.History(), today);
    m_NewCards = CountNewCards(m_Entries, m_Deck.History(), m_BothDirections);
    m_LBLRecall->setText(m_Context.Text("FrmStats.m_acTRecall")
                             .arg(static_cast<int>(std::lround(m_Figures.expectedRecall)))
                             .arg(m_Figures.ratedCards));

    // Reviews per day by rating, stacked.
    auto* reviews = new QChart;
    auto* stacked = new QStackedBarSeries;
    static constexpr const char* kRatingKeys[4] = {"FrmReview.m_BTNAgain", "FrmReview.m_BTNHard", "FrmReview.m_BTNGood",
                                                   "FrmReview.m_BTNEasy"};
    int most = 0;
    for (const auto& day : m_Figures.ratingsPerDay) {
        most = std::max(most, day[0] + day[1] + day[2] + day[3]);
    }
    for (int r = 0; r < 4; ++r) {
        auto* set = new QBarSet(m_Context.Text(kRatingKeys[r]));
        for (int ago = 0; ago < kFigureDays; ++ago) {
            *set << m_Figures.ratingsPerDay[kFigureDays - 1 - ago][r];
        }
        stacked->append(set);
    }
    reviews->addSeries(stacked);
    QValueAxis* daysAgo = DayAxis(m_Context.Text("FrmStats.m_acTDaysAgo"), true);
    QValueAxis* reviewCount = CountAxis(most);
    reviews->addAxis(daysAgo, Qt::AlignBottom);
    reviews->addAxis(reviewCount, Qt::AlignLeft);
    stacked->attachAxis(daysAgo);
    stacked->attachAxis(reviewCount);
    Style(*reviews, m_Context.Text("FrmStats.m_acTReviewsPerDay"));

    // Cards due per day ahead.
    auto* due = new QChart;
    auto* dueSeries = new QBarSeries;
    auto* dueSet = new QBarSet(m_Context.Text("FrmStats.m_acTDuePerDay"));
    int mostDue = 0;
    for (const int count : m_Figures.duePerDay) {
        *dueSet << count;
        mostDue = std::max(mostDue, count);
    }
    dueSeries->append(dueSet);
    due->addSeries(dueSeries);
    due->legend()->hide();
    QValueAxis* daysAhead = DayAxis(m_Context.Text("FrmStats.m_acTDaysAhead"), false);
    QValueAxis* dueCount = CountAxis(mostDue);
    due->addAxis(daysAhead, Qt::AlignBottom);
    due->addAxis(dueCount, Qt::AlignLeft);
    dueSeries->attachAxis(daysAhead);
    dueSeries->attachAxis(dueCount);
    Style(*due, m_Context.Text("FrmStats.m_acTDuePerDay"));

    // True retention per week, in percent; weeks without such reviews are left out.
    auto* retention = new QChart;
    auto* line = new QLineSeries;
    line->setPointsVisible(true);
    for (int w = 0; w < kRetentionWeeks; ++w) {
        const WeekRetention& week = m_Figures.retentionPerWeek[w];
        if (week.reviews > 0) {
            line->append(w - (kRetentionWeeks - 1), 100.0 * week.recalled / week.reviews);
        }
    }
    retention->addSeries(line);
    retention->legend()->hide();
    auto* weeks = new QValueAxis;
    weeks->setRange(-(kRetentionWeeks - 1), 0);
    weeks->setTickType(QValueAxis::TicksDynamic);
    weeks->setTickAnchor(0);
    weeks->setTickInterval(1);
    weeks->setLabelFormat(QStringLiteral("%d"));
    weeks->setTitleText(m_Context.Text("FrmStats.m_acTWeeksAgo"));
    auto* percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setTickCount(5);
    percent->setLabelFormat(QStringLiteral("%d"));
    retention->addAxis(weeks, Qt::AlignBottom);
    retention->addAxis(percent, Qt::AlignLeft);
    line->attachAxis(weeks);
    line->attachAxis(percent);
    Style(*retention, m_Context.Text("FrmStats.m_acTRetention"));

    // Cards by state.
    auto* states = new QChart;
    auto* pie = new QPieSeries;
    const std::pair<const char*, int> slices[] = {{"FrmStats.m_acTNew", m_NewCards},
                                                  {"FrmStats.m_acTLearning", m_Figures.learningCards},
                                                  {"FrmStats.m_acTKnown", m_Figures.knownCards}};
    for (const auto& [key, count] : slices) {
        pie->append(QStringLiteral("%1: %2").arg(m_Context.Text(key)).arg(count), count);
    }
    states->addSeries(pie);
    Style(*states, m_Context.Text("FrmStats.m_acTCardStates"));
    states->legend()->setAlignment(Qt::AlignRight);

    QChart* charts[4] = {reviews, due, retention, states};
    for (int i = 0; i < 4; ++i) {
        QChart* old = m_Charts[i]->chart();
        m_Charts[i]->setChart(charts[i]);
        delete old;
    }
}

void CStatisticsDlg::ResetHistory() {
    if (m_Context.prompter.Ask(m_Context.Text("FrmStats.m_acTResetQuestion").toStdU16String(), u"",
                               PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes) {
        return;
    }
    if (!m_Deck.Reset(m_Clock.Now())) {
        const int error = errno;
        m_Context.prompter.Ask(
            FileReportText(m_Context.Text("FrmStats.m_acTResetFailed"), Wide(m_Deck.LogPath().string()), error)
                .toStdU16String(),
            u"", PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    Fill();
}

} // namespace lexaro
