#include "ui/dialogs/StateDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

using lexaro::CStateDlg;

class TestStateDlg : public QObject {
    Q_OBJECT

private slots:
    void showsTitleAndProgress() {
        QWidget owner;
        CStateDlg state(&owner, QStringLiteral("Loading dictionary ..."));
        QCOMPARE(state.objectName(), QStringLiteral("CStateDlg"));
        QVERIFY(state.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(state.findChild<QLabel*>("m_LBLTitle")->text(), QStringLiteral("Loading dictionary ..."));

        auto* bar = state.findChild<QProgressBar*>("m_Progress");
        QVERIFY(bar);
        QCOMPARE(bar->maximum(), 1);
        state.show();
        QVERIFY(state.isVisible());

        state.SetRange(3);
        state.Step();
        state.Step();
        QCOMPARE(bar->value(), 2);
        state.Step();
        state.Step();
        QCOMPARE(bar->value(), 3);
        state.SetValue(-4);
        QCOMPARE(bar->value(), 0);
        // A range of nothing still draws an empty bar rather than a busy one.
        state.SetRange(0);
        QCOMPARE(bar->maximum(), 1);
    }
};

QTEST_MAIN(TestStateDlg)
#include "TestStateDlg.moc"
