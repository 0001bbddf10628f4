#include "MainWindowFixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using lexaro::testing::MainWindowFixture;

namespace {

// Every command of the window that has a key and is on (Review is off without a dictionary file), cut off from
// its handler so that no dialog opens.
QList<QAction*> Accelerators(MainWindowFixture& f) {
    QList<QAction*> keyed;
    for (QAction* action : f.window->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty() && action->isEnabled()) {
            QObject::disconnect(action, &QAction::triggered, f.window.get(), nullptr);
            keyed << action;
        }
    }
    return keyed;
}

void Press(const QKeySequence& keys) {
    const QKeyCombination combination = keys[0];
    QTest::keyClick(QApplication::focusWidget(), combination.key(), combination.keyboardModifiers());
}

} // namespace

// Keys pressed in the window's fields: accelerators reach their commands first, editing keys stay with the field.
class TestMainWindowKeys : public QObject {
    Q_OBJECT

private slots:
    void everyAcceleratorRunsItsCommandWhereverTheFocusIs() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        const QList<QAction*> keyed = Accelerators(f);
        QVERIFY(keyed.size() >= 25);
        for (QWidget* field : {static_cast<QWidget*>(f.TermBox()), static_cast<QWidget*>(f.Pane()),
                               static_cast<QWidget*>(f.Button("m_BTNSearch"))}) {
            for (QAction* action : keyed) {
                f.Type(QStringLiteral("house"), QStringLiteral("Haus"));
                field->setFocus();
                QTRY_VERIFY(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()));
                QSignalSpy triggered(action, &QAction::triggered);
                Press(action->shortcut());
                QVERIFY2(triggered.count() == 1,
                         qPrintable(action->objectName() + QLatin1String(" from ") + field->objectName()));
            }
        }
    }

    void editingKeysStayWithTheField() {
        MainWindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QLineEdit* term = f.TermBox()->lineEdit();
        f.TermBox()->setFocus();
        QTRY_VERIFY(term->hasFocus());
        QTest::keyClicks(term, "house");
        Press(Qt::Key_Home);
        QCOMPARE(term->cursorPosition(), 0);
        Press(Qt::Key_Right);
        QCOMPARE(term->cursorPosition(), 1);
        Press(Qt::SHIFT | Qt::Key_End);
        Press(Qt::CTRL | Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ouse"));
        Press(Qt::CTRL | Qt::Key_X);
        QCOMPARE(term->text(), QStringLiteral("h"));
        Press(Qt::Key_Left);
        Press(Qt::CTRL | Qt::Key_V);
        QCOMPARE(term->text(), QStringLiteral("ouseh"));
        Press(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(term->text(), QStringLiteral("h"));

        f.Pane()->SetPaneText("Haus");
        f.Pane()->setFocus();
        QTRY_VERIFY(f.Pane()->hasFocus());
        Press(Qt::CTRL | Qt::Key_End);
        Press(Qt::SHIFT | Qt::Key_Left);
        Press(Qt::CTRL | Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("s"));
    }
};

QTEST_MAIN(TestMainWindowKeys)
#include "TestMainWindowKeys.moc"
