#include "DialogDriver.h"
#include "MainWindowFixture.h"
#include "ProgressWatcher.h"
#include "engine/PhraseTranslator.h"
#include "ui/dialogs/StateDlg.h"
#include "ui/tools/TranslatorDlg.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>

using lexaro::CStateDlg;
using lexaro::CTranslatorDlg;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::ProgressWatcher;
using lexaro::testing::WhenShown;

namespace {

lexaro::ToolWindowContext Context(MainWindowFixture& f) {
    return lexaro::ToolWindowContext{f.window->Texts(), f.prompter, f.chooser};
}

QString Translate(CTranslatorDlg& dialog, const QString& text, int level) {
    dialog.findChild<QPlainTextEdit*>("m_EDTSource")->setPlainText(text);
    dialog.findChild<QComboBox*>("m_CBBTransMode")->setCurrentIndex(level);
    dialog.findChild<QPushButton*>("m_BTNTranslate")->click();
    return dialog.findChild<QPlainTextEdit*>("m_EDTDest")->toPlainText();
}

} // namespace

// The translator window over the open dictionary.
class TestTranslatorDlg : public QObject {
    Q_OBJECT

private slots:
    void levelsAreListedInOrderWithTheSubwordLevelChosen() {
        MainWindowFixture f;
        CTranslatorDlg dialog(Context(f), f.window->Engine().Entries(), {});
        auto* levels = dialog.findChild<QComboBox*>("m_CBBTransMode");
        QCOMPARE(levels->count(), 5);
        QCOMPARE(levels->itemText(0), QStringLiteral("0 - match case"));
        QCOMPARE(levels->itemText(1), QStringLiteral("1 - ignore case"));
        QCOMPARE(levels->itemText(4), QStringLiteral("4 - substring"));
        QCOMPARE(levels->currentIndex(), 3);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Translator"));
    }

    void translatesTheOpenDictionaryFromTheMenuWithTheProgressWindow() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        f.Add("big", QStringLiteral("groß"));
        ProgressWatcher watcher;
        QString output;
        QString lowerLevel;
        WhenShown<CTranslatorDlg>([&](CTranslatorDlg& dialog) {
            dialog.findChild<QCheckBox*>("m_CHKOrigin")->setChecked(true);
            output = Translate(dialog, "big house.", 3);
            dialog.findChild<QCheckBox*>("m_CHKOrigin")->setChecked(false);
            lowerLevel = Translate(dialog, "House", 0) + "|" + Translate(dialog, "House", 1);
            dialog.findChild<QPushButton*>("m_BTNCancel")->click();
        });
        f.Action("ID_MEN_TRANSLATOR")->trigger();

        QCOMPARE(output, QStringLiteral("groß [big]  Haus [house] ."));
        QCOMPARE(lowerLevel, QStringLiteral("House|Haus"));
        QCOMPARE(watcher.shown, 3);
        QCOMPARE(watcher.title, QStringLiteral("Translating..."));
        lexaro::PhraseTranslator counter(f.window->Engine().Entries());
        counter.SetText("House");
        QCOMPARE(watcher.maximum, counter.TokenCount());
        // The dictionary itself is only read.
        QCOMPARE(f.window->Engine().Entries().RowCount(), 2);
        QVERIFY(f.prompter.Done());
    }

    void swappedColumnsTranslateBackToTheTerms() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        CTranslatorDlg dialog(Context(f), f.window->Engine().Entries(), {});
        dialog.findChild<QCheckBox*>("m_CHKSwap")->setChecked(true);
        QCOMPARE(Translate(dialog, "Haus", 1), QStringLiteral("house"));
        QCOMPARE(Translate(dialog, "", 1), QString());
    }

    void theWindowRectangleIsRememberedAndTheLayoutFollowsTheSize() {
        MainWindowFixture f;
        WhenShown<CTranslatorDlg>([&](CTranslatorDlg& dialog) {
            dialog.setGeometry(40, 50, 600, 500);
            dialog.findChild<QPushButton*>("m_BTNCancel")->click();
        });
        f.Action("ID_MEN_TRANSLATOR")->trigger();
        const lexaro::Rect stored = f.window->CurrentSettings().winPosTranslator;
        QCOMPARE(stored.Width(), 600);
        QCOMPARE(stored.Height(), 500);

        QRect reopened;
        int buttonGap = -1;
        int sourceHeight = -1;
        int destHeight = 0;
        int centreLeft = 0;
        int centreRight = 0;
        WhenShown<CTranslatorDlg>([&](CTranslatorDlg& dialog) {
            reopened = dialog.geometry();
            auto* translate = dialog.findChild<QPushButton*>("m_BTNTranslate");
            auto* cancel = dialog.findChild<QPushButton*>("m_BTNCancel");
            buttonGap = dialog.height() - translate->geometry().bottom() - 1;
            centreLeft = dialog.width() / 2 - translate->geometry().right() - 1;
            centreRight = cancel->geometry().left() - dialog.width() / 2;
            sourceHeight = dialog.findChild<QPlainTextEdit*>("m_EDTSource")->height();
            destHeight = dialog.findChild<QPlainTextEdit*>("m_EDTDest")->height();
            cancel->click();
        });
        f.Action("ID_MEN_TRANSLATOR")->trigger();
        QCOMPARE(reopened.size(), QSize(600, 500));
        QCOMPARE(buttonGap, 5);
        QCOMPARE(centreLeft, 5);
        QCOMPARE(centreRight, 5);
        QCOMPARE(sourceHeight, destHeight);
    }

    void aMaximisedWindowIsStoredAsTheMaximisedRectangle() {
        MainWindowFixture f;
        CTranslatorDlg dialog(Context(f), f.window->Engine().Entries(), lexaro::Rect{0, 0, -1, -1});
        QVERIFY(dialog.windowState().testFlag(Qt::WindowMaximized));
        dialog.show();
        dialog.reject();
        QCOMPARE(dialog.WindowRect(), (lexaro::Rect{0, 0, -1, -1}));
    }
};

QTEST_MAIN(TestTranslatorDlg)
#include "TestTranslatorDlg.moc"
