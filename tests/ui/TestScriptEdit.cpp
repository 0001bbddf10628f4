#include "ui/mainwindow/ScriptEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

using lexaro::CScriptEdit;

namespace {

// The format of the character at `position`.
QTextCharFormat FormatAt(const CScriptEdit& edit, int position) {
    QTextCursor cursor(edit.document());
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    return cursor.charFormat();
}

bool IsBold(const QTextCharFormat& format) {
    return format.fontWeight() >= QFont::Bold;
}

// Whether any character from `from` up to `to` carries a link.
bool HasAnchor(const CScriptEdit& edit, int from, int to) {
    for (int position = from; position < to; ++position) {
        if (FormatAt(edit, position).isAnchor()) {
            return true;
        }
    }
    return false;
}

// A shown pane in a window with a second control behind it, so focus moves have somewhere to go.
struct Window {
    QWidget frame;
    CScriptEdit* pane = new CScriptEdit(&frame);
    QLineEdit* next = new QLineEdit(&frame);

    Window() {
        auto* layout = new QVBoxLayout(&frame);
        layout->addWidget(pane);
        layout->addWidget(next);
        frame.resize(480, 240);
        frame.show();
    }
};

void ClickAt(CScriptEdit& pane, int position) {
    QTextCursor cursor(pane.document());
    cursor.setPosition(position);
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, pane.cursorRect(cursor).center());
}

} // namespace

class TestScriptEdit : public QObject {
    Q_OBJECT

private slots:
    void colouredPassagesAndPlainText() {
        CScriptEdit pane;
        pane.SetPaneText(QStringLiteral("[house] garden <<words.lxd>>"));

        const auto bracket = FormatAt(pane, 0);
        QCOMPARE(bracket.foreground().color(), QColor(0, 0, 0x80));
        QVERIFY(IsBold(bracket));
        // The closing bracket is coloured.
        QCOMPARE(FormatAt(pane, 6).foreground().color(), QColor(0, 0, 0x80));

        for (const int position : {7, 9, 14}) {
            const auto plain = FormatAt(pane, position);
            QCOMPARE(plain.foreground().color(), QColor(Qt::black));
            QVERIFY(!IsBold(plain));
        }
        for (const int position : {15, 20, 27}) {
            const auto angle = FormatAt(pane, position);
            QCOMPARE(angle.foreground().color(), QColor(0, 0x80, 0));
            QVERIFY(IsBold(angle));
        }
    }

    void coloursFromTheSettingsAndAnUnclosedBracket() {
        CScriptEdit pane;
        pane.SetColour1(0x0000FF, false);
        pane.SetColour2(0x880000, true);
        pane.SetPaneText(QStringLiteral("a [b\r\nc <<d>>"));
        for (const int position : {2, 4, 7, 10}) {
            QCOMPARE(FormatAt(pane, position).foreground().color(), QColor(0xFF, 0, 0));
            QVERIFY(!IsBold(FormatAt(pane, position)));
        }
        QCOMPARE(FormatAt(pane, 0).foreground().color(), QColor(Qt::black));
    }

    void highlightingOffShowsPlainTextWhenTheTextIsSetAgain() {
        CScriptEdit pane;
        const QString text = QStringLiteral("[house] garden <<words.lxd>>");
        pane.SetPaneText(text);
        pane.EnableColouring(false);
        QVERIFY(!pane.IsColouring());
        QVERIFY2(IsBold(FormatAt(pane, 1)), "switching off leaves the shown text alone");
        pane.SetPaneText(text);
        for (const int position : {1, 9, 20}) {
            QVERIFY(!FormatAt(pane, position).hasProperty(QTextFormat::ForegroundBrush));
            QVERIFY(!IsBold(FormatAt(pane, position)));
        }
        pane.ColourAll();
        QVERIFY2(!IsBold(FormatAt(pane, 1)), "colouring a range does nothing while colouring is off");

        pane.EnableColouring(true);
        pane.ColourRange(0, 7);
        QVERIFY(IsBold(FormatAt(pane, 1)));
        QVERIFY(!IsBold(FormatAt(pane, 20)));
        pane.ColourRange(-5, 1000);
        QVERIFY2(IsBold(FormatAt(pane, 20)), "a range past the text is cut to the text");
    }

    void paneTextKeepsWhatWasSet() {
        CScriptEdit pane;
        const QString text = QStringLiteral("[a]\tb\u00a0c\r\nsecond line\r\n\r\nthird");
        pane.SetPaneText(text);
        QCOMPARE(pane.PaneText(), text);
        pane.SetPaneText(QStringLiteral("one\ntwo"));
        QCOMPARE(pane.PaneText(), QStringLiteral("one\r\ntwo"));
        pane.SetPaneText(QString());
        QCOMPARE(pane.PaneText(), QString());
        QVERIFY2(!pane.document()->isUndoAvailable(), "setting the text leaves nothing to undo");
    }

    void clickingACrossReferenceSearchesItsTerm() {
        Window window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.frame));
        CScriptEdit& pane = *window.pane;
        QSignalSpy crossReferences(&pane, &CScriptEdit::CrossReference);
        QSignalSpy links(&pane, &CScriptEdit::OpenLink);
        pane.SetPaneText(QStringLiteral("[sun] see file://e=house, and [moon]"));

        const auto link = FormatAt(pane, 12);
        QVERIFY(link.isAnchor());
        QVERIFY(link.fontUnderline());
        QVERIFY2(!FormatAt(pane, 24).isAnchor(), "the comma ends the link");

        ClickAt(pane, 14);
        QCOMPARE(crossReferences.count(), 1);
        QCOMPARE(crossReferences.at(0).at(0).toString(), QStringLiteral("house"));
        QCOMPARE(links.count(), 0);
        QCOMPARE(pane.textCursor().selectedText(), QStringLiteral("file://e=house"));

        // The next text must not inherit the link under the cursor.
        pane.SetPaneText(QStringLiteral("[house] a building"));
        QVERIFY(!HasAnchor(pane, 0, 18));
        QVERIFY(!FormatAt(pane, 10).fontUnderline());
    }

    void clickingAWebLinkOpensIt() {
        Window window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.frame));
        CScriptEdit& pane = *window.pane;
        QSignalSpy crossReferences(&pane, &CScriptEdit::CrossReference);
        QSignalSpy links(&pane, &CScriptEdit::OpenLink);
        pane.SetPaneText(QStringLiteral("Read http://example.org/a.\nOr www.example.com\nplain"));

        ClickAt(pane, 10);
        QCOMPARE(links.count(), 1);
        QCOMPARE(links.at(0).at(0).toString(), QStringLiteral("http://example.org/a"));
        ClickAt(pane, 34);
        QCOMPARE(links.count(), 2);
        QCOMPARE(links.at(1).at(0).toString(), QStringLiteral("http://www.example.com"));

        ClickAt(pane, 47);
        // Plain text is no link.
        QCOMPARE(links.count(), 2);
        QCOMPARE(crossReferences.count(), 0);
    }

    void draggingOverALinkSelectsInsteadOfOpening() {
        Window window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.frame));
        CScriptEdit& pane = *window.pane;
        QSignalSpy links(&pane, &CScriptEdit::OpenLink);
        pane.SetPaneText(QStringLiteral("Read http://example.org/a now"));

        QTextCursor from(pane.document());
        from.setPosition(7);
        QTextCursor to(pane.document());
        to.setPosition(20);
        QTest::mousePress(pane.viewport(), Qt::LeftButton, {}, pane.cursorRect(from).center());
        QTest::mouseMove(pane.viewport(), pane.cursorRect(to).center());
        QTest::mouseRelease(pane.viewport(), Qt::LeftButton, {}, pane.cursorRect(to).center());
        QVERIFY(pane.textCursor().hasSelection());
        QCOMPARE(links.count(), 0);
    }

    void disabledHyperlinksAreGoneWhenTheTextIsSetAgain() {
        Window window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.frame));
        CScriptEdit& pane = *window.pane;
        QSignalSpy links(&pane, &CScriptEdit::OpenLink);
        const QString text = QStringLiteral("Read http://example.org/a now");
        pane.SetPaneText(text);
        pane.EnableHyperlinks(false);
        QVERIFY(!pane.IsHyperlinks());
        pane.SetPaneText(text);
        QVERIFY(!HasAnchor(pane, 0, static_cast<int>(text.size())));
        ClickAt(pane, 10);
        QCOMPARE(links.count(), 0);
    }

    void typingBehindALinkDoesNotExtendIt() {
        Window window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.frame));
        CScriptEdit& pane = *window.pane;
        pane.SetPaneText(QStringLiteral("www.example.com"));
        pane.moveCursor(QTextCursor::End);
        QTest::keyClicks(&pane, QStringLiteral(" more"));
        QCOMPARE(pane.PaneText(), QStringLiteral("www.example.com more"));
        QVERIFY(HasAnchor(pane, 0, 15));
        QVERIFY(!HasAnchor(pane, 15, 20));
    }

    void tabTypesATabAndCtrlTabLeaves() {
        Window window;
        window.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window.frame));
        CScriptEdit& pane = *window.pane;
        pane.setFocus();
        QTRY_VERIFY(pane.hasFocus());

        QTest::keyClicks(&pane, QStringLiteral("a"));
        QTest::keyClick(&pane, Qt::Key_Tab);
        QTest::keyClicks(&pane, QStringLiteral("b"));
        QCOMPARE(pane.PaneText(), QStringLiteral("a\tb"));
        QVERIFY(pane.hasFocus());

        QTest::keyClick(&pane, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pane.PaneText(), QStringLiteral("a\tb"));
        QTRY_VERIFY(window.next->hasFocus());
    }

    void defaultTextFormat() {
        CScriptEdit pane;
        QCOMPARE(pane.font().pointSize(), 10);
        QCOMPARE(pane.document()->defaultFont().pointSize(), 10);
        QCOMPARE(pane.tabStopDistance(), pane.logicalDpiX() / 5.0);
        QVERIFY(!pane.acceptRichText());
        pane.SetPaneText(QStringLiteral("[a] b"));
        QCOMPARE(pane.document()->defaultFont().pointSize(), 10);
        QCOMPARE(pane.document()->defaultFont().family(), pane.font().family());
    }
};

QTEST_MAIN(TestScriptEdit)
#include "TestScriptEdit.moc"
