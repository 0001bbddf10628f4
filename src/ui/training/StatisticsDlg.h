#pragma once

#include "training/ReviewDeck.h"
#include "training/ReviewFigures.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>

class QChart;
class QChartView;
class QLabel;
class QPushButton;

namespace lexaro {

class ClassTable;
struct Clock;

// The statistics window: how much the user would recall today, and charts of the reviews of the last days,
// the cards due in the next days, the true retention per week and the cards by state. "Reset review history"
// (after a question) puts the log aside as a dated backup.
class CStatisticsDlg : public QDialog {
    Q_OBJECT

public:
    CStatisticsDlg(const ToolWindowContext& context, ReviewDeck& deck, const ClassTable& entries, bool bothDirections,
                   const Clock& clock, QWidget* parent = nullptr);

    const ReviewFigures& Figures() const { return m_Figures; }
    int NewCards() const { return m_NewCards; }
    void ResetHistory();

private:
    void Fill();
    QChartView* AddChart(const char* name, QChart* chart);
    void Style(QChart& chart, const QString& title) const;

    ToolWindowContext m_Context;
    ReviewDeck& m_Deck;
    const ClassTable& m_Entries;
    bool m_BothDirections;
    const Clock& m_Clock;
    ReviewFigures m_Figures;
    int m_NewCards = 0;

    QLabel* m_LBLRecall;
    QPushButton* m_BTNReset;
    QChartView* m_Charts[4] = {};
};

} // namespace lexaro
