#include "widgets/LargeTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

using lexaro::CLargeTextEdit;
using lexaro::TextPos;

namespace {

constexpr int kMargin = 4; // the field's inner margin

QString TextOf(const CLargeTextEdit& edit) {
    return QString::fromStdString(edit.Text());
}

// A shown field holding the text, caret at its end.
struct Field {
    QWidget window;
    CLargeTextEdit* edit = new CLargeTextEdit(&window);

    explicit Field(const std::string& text) {
        window.resize(400, 300);
        edit->resize(400, 300);
        edit->SetText(text);
        edit->MoveCursorToEnd();
        window.show();
        edit->setFocus();
    }

    // A point on the line at the x where the given leading text of the line ends.
    QPoint At(int line, const QString& before) const {
        const int y = kMargin + (line - edit->FirstVisibleLine()) * edit->fontMetrics().lineSpacing() +
                      edit->fontMetrics().lineSpacing() / 2;
        return QPoint(kMargin + edit->fontMetrics().horizontalAdvance(before), y);
    }
};

// Types text as a keyboard does, letters beyond ASCII included.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestLargeTextEdit : public QObject {
    Q_OBJECT

private slots:
    void typingReplacesTheSelectionAndUndoTakesItBack() {
        Field f("house");
        QSignalSpy changed(f.edit, &CLargeTextEdit::textChanged);
        QTest::keyClicks(f.edit, "s");
        QCOMPARE(TextOf(*f.edit), QStringLiteral("houses"));
        QTest::keyClick(f.edit, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(f.edit->SelectedText(), std::string("houses"));
        Type(f.edit, QStringLiteral("Bäume"));
        QCOMPARE(TextOf(*f.edit), QStringLiteral("Bäume"));
        QCOMPARE(f.edit->Cursor(), (TextPos{0, 6}));
        QCOMPARE(changed.count(), 6);
        QTest::keyClick(f.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(TextOf(*f.edit), QStringLiteral("houses"));
        QTest::keyClick(f.edit, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(TextOf(*f.edit), QStringLiteral("Bäume"));
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(f.edit, Qt::Key_Backspace);
        }
        QCOMPARE(TextOf(*f.edit), QStringLiteral("Bä"));
        QTest::keyClick(f.edit, Qt::Key_Backspace);
        QCOMPARE(f.edit->Text(), std::string("B"));          // both bytes of the ä went as one character
        QTest::keyClick(f.edit, Qt::Key_E, Qt::AltModifier); // a menu's mnemonic, not a letter
        QTest::keyClick(f.edit, Qt::Key_Tab);
        QCOMPARE(TextOf(*f.edit), QStringLiteral("B\t"));
    }

    void enterSplitsAndBackspaceJoinsLines() {
        Field f("house;Haus;\r\ntree;Baum;");
        f.edit->SetCursor(TextPos{0, 5});
        QTest::keyClick(f.edit, Qt::Key_Return);
        QCOMPARE(f.edit->LineCount(), 3);
        QCOMPARE(f.edit->Cursor(), (TextPos{1, 0}));
        QCOMPARE(f.edit->Text(), std::string("house\n;Haus;\r\ntree;Baum;"));
        QTest::keyClick(f.edit, Qt::Key_Backspace);
        QCOMPARE(f.edit->Text(), std::string("house;Haus;\r\ntree;Baum;"));
        QCOMPARE(f.edit->Cursor(), (TextPos{0, 5}));
        // The CR of a CR LF line end is no character the caret stops at.
        QTest::keyClick(f.edit, Qt::Key_End);
        QCOMPARE(f.edit->Cursor(), (TextPos{0, 11}));
        QTest::keyClick(f.edit, Qt::Key_Right);
        QCOMPARE(f.edit->Cursor(), (TextPos{1, 0}));
        QTest::keyClick(f.edit, Qt::Key_Delete);
        QCOMPARE(f.edit->Text(), std::string("house;Haus;\r\nree;Baum;"));
        QTest::keyClick(f.edit, Qt::Key_Left);
        QTest::keyClick(f.edit, Qt::Key_Delete);
        QCOMPARE(f.edit->Text(), std::string("house;Haus;ree;Baum;"));
    }

    void keysMoveAndSelect() {
        Field f("one two\nthree four five\nsix");
        QTest::keyClick(f.edit, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.edit->Cursor(), (TextPos{0, 0}));
        QTest::keyClick(f.edit, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(f.edit->Cursor(), (TextPos{0, 4}));
        QTest::keyClick(f.edit, Qt::Key_Down);
        QCOMPARE(f.edit->Cursor().line, 1);
        QVERIFY(f.edit->Cursor().column >= 3 && f.edit->Cursor().column <= 5);
        QTest::keyClick(f.edit, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.edit->Cursor(), (TextPos{2, 3}));
        QVERIFY(f.edit->SelectedText().ends_with("four five\nsix"));
        QTest::keyClick(f.edit, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.edit->Cursor(), (TextPos{2, 0}));
        QTest::keyClick(f.edit, Qt::Key_Up);
        QVERIFY(!f.edit->HasSelection());
        QCOMPARE(f.edit->Cursor(), (TextPos{1, 0}));
        QTest::keyClick(f.edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.edit->SelectedText(), f.edit->Text());
    }

    void pasteCutAndUndoWorkWithLines() {
        Field f("a;b;\nc;d;");
        QApplication::clipboard()->setText(QStringLiteral("x;1;\r\ny;2;\nz"));
        f.edit->SetCursor(TextPos{1, 0});
        QTest::keyClick(f.edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.edit->Text(), std::string("a;b;\nx;1;\ny;2;\nzc;d;"));
        QCOMPARE(f.edit->Cursor(), (TextPos{3, 1}));
        QCOMPARE(f.edit->LineCount(), 4);

        f.edit->SetCursor(TextPos{0, 0});
        QTest::keyClick(f.edit, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(f.edit, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(f.edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a;b;\nx;1;\n"));
        QCOMPARE(f.edit->Text(), std::string("y;2;\nzc;d;"));
        QTest::keyClick(f.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.edit->Text(), std::string("a;b;\nx;1;\ny;2;\nzc;d;"));
        QTest::keyClick(f.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.edit->Text(), std::string("a;b;\nc;d;"));
    }

    void mouseClicksDragsAndSelectsWords() {
        Field f("hello world\nsecond line");
        QTest::mouseClick(f.edit->viewport(), Qt::LeftButton, {}, f.At(1, QStringLiteral("sec")));
        QCOMPARE(f.edit->Cursor(), (TextPos{1, 3}));
        QTest::mouseClick(f.edit->viewport(), Qt::LeftButton, Qt::ShiftModifier, f.At(0, QStringLiteral("hello ")));
        QCOMPARE(f.edit->SelectedText(), std::string("world\nsec"));
        QTest::mousePress(f.edit->viewport(), Qt::LeftButton, {}, f.At(0, QString()));
        QMouseEvent drag(QEvent::MouseMove, f.At(0, QStringLiteral("hel")), f.edit->viewport()->mapToGlobal(QPoint()),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.edit->viewport(), &drag);
        QTest::mouseRelease(f.edit->viewport(), Qt::LeftButton, {}, f.At(0, QStringLiteral("hel")));
        QCOMPARE(f.edit->SelectedText(), std::string("hel"));
        QTest::mouseDClick(f.edit->viewport(), Qt::LeftButton, {}, f.At(0, QStringLiteral("hello wo")));
        QCOMPARE(f.edit->SelectedText(), std::string("world"));
    }

    void selectionBecomesThePrimarySelection() {
        Field f("house;Haus;\ntree;Baum;");
        f.edit->SetCursor(TextPos{0, 0});
        QTest::keyClick(f.edit, Qt::Key_End, Qt::ShiftModifier);
        std::unique_ptr<QMimeData> offered(f.edit->SelectionData());
        QVERIFY(offered->hasText());
        QCOMPARE(offered->text(), QStringLiteral("house;Haus;"));
        QTest::keyClicks(f.edit, "x"); // typed over: what was offered stays
        QCOMPARE(offered->text(), QStringLiteral("house;Haus;"));
        {
            Field closed("tree;Baum;");
            closed.edit->SelectAll();
            offered.reset(closed.edit->SelectionData());
        }
        QCOMPARE(offered->text(), QStringLiteral("tree;Baum;")); // and outlives the field

        // A selection of many lines is made into text only when asked for, and let go when the text changes.
        std::string lines;
        for (int i = 0; i < 20000; ++i) {
            lines += "line\n";
        }
        f.edit->SetText(lines);
        f.edit->SelectAll();
        std::unique_ptr<QMimeData> large(f.edit->SelectionData());
        QCOMPARE(large->text().size(), qsizetype(lines.size()));
        QTest::keyClick(f.edit, Qt::Key_Delete);
        QCOMPARE(large->text(), QString());

        QClipboard* clipboard = QApplication::clipboard();
        f.edit->SetText("house;Haus;\ntree;Baum;");
        if (!clipboard->supportsSelection()) {
            QTest::mouseClick(f.edit->viewport(), Qt::MiddleButton, {}, f.At(1, QString()));
            QCOMPARE(f.edit->Text(), std::string("house;Haus;\ntree;Baum;"));
            return; // the offscreen platform has no primary selection
        }
        f.edit->SetCursor(TextPos{1, 0});
        QTest::keyClick(f.edit, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(clipboard->text(QClipboard::Selection), QStringLiteral("tree"));
        QTest::mouseClick(f.edit->viewport(), Qt::MiddleButton, {}, f.At(0, QString()));
        QCOMPARE(f.edit->Text(), std::string("treehouse;Haus;\ntree;Baum;"));
        QTest::keyClick(f.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.edit->Text(), std::string("house;Haus;\ntree;Baum;"));
    }

    void draggingBelowTheFieldKeepsScrolling() {
        std::string text;
        for (int i = 0; i < 100; ++i) {
            text += "line " + std::to_string(i) + "\n";
        }
        Field f(text);
        f.edit->ScrollToLine(0);
        QTest::mousePress(f.edit->viewport(), Qt::LeftButton, {}, f.At(0, QString()));
        const QPoint below(20, f.edit->viewport()->height() + 30);
        QMouseEvent drag(QEvent::MouseMove, below, f.edit->viewport()->mapToGlobal(below), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(f.edit->viewport(), &drag);
        const int reached = f.edit->Cursor().line;
        QTRY_VERIFY(f.edit->Cursor().line > reached + 2);
        QTest::mouseRelease(f.edit->viewport(), Qt::LeftButton, {}, below);
        QVERIFY(f.edit->FirstVisibleLine() > 0);
        QVERIFY(f.edit->SelectedText().starts_with("line 0\nline 1\n"));
    }

    void aNewFontChangesTheLinesPerPage() {
        std::string text;
        for (int i = 0; i < 100; ++i) {
            text += "line\n";
        }
        Field f(text);
        const int page = f.edit->verticalScrollBar()->pageStep();
        QFont big = f.edit->font();
        big.setPixelSize(f.edit->fontMetrics().height() * 2);
        f.window.setFont(big);
        QCOMPARE(f.edit->font().pixelSize(), big.pixelSize());
        QVERIFY(f.edit->verticalScrollBar()->pageStep() < page);
        QCOMPARE(f.edit->verticalScrollBar()->maximum(), 101 - f.edit->verticalScrollBar()->pageStep());
    }

    void theCaretLineStaysInViewWhenTheFieldShrinks() {
        // A last line of wide letters, short in bytes: the horizontal scroll bar appears only once it is painted.
        std::string text;
        for (int i = 0; i < 100; ++i) {
            text += "line\n";
        }
        Field f(text);
        const int room = f.edit->viewport()->width() - 2 * kMargin;
        const int letters = room / f.edit->fontMetrics().averageCharWidth() - 2;
        QVERIFY(f.edit->fontMetrics().horizontalAdvance(QString(letters, u'W')) > room);
        f.edit->SetText(text + std::string(static_cast<std::size_t>(letters), 'W'));
        f.edit->MoveCursorToEnd();
        f.edit->EnsureCursorVisible();
        QVERIFY(!f.edit->horizontalScrollBar()->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QTRY_VERIFY(f.edit->horizontalScrollBar()->isVisible());
        const int lineHeight = f.edit->fontMetrics().lineSpacing();
        const int caretBottom = kMargin + (f.edit->Cursor().line - f.edit->FirstVisibleLine() + 1) * lineHeight;
        QVERIFY(caretBottom <= f.edit->viewport()->height());

        // A caret line out of view is not pulled back in by a resize.
        f.edit->ScrollToLine(0);
        f.edit->resize(400, 200);
        QCOMPARE(f.edit->FirstVisibleLine(), 0);
    }

    void inputMethodCommitsAreTyped() {
        Field f("caf");
        QInputMethodEvent preedit(QStringLiteral("e"), {});
        QApplication::sendEvent(f.edit, &preedit);
        QCOMPARE(TextOf(*f.edit), QStringLiteral("caf"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("é"));
        QApplication::sendEvent(f.edit, &commit);
        QCOMPARE(TextOf(*f.edit), QStringLiteral("café"));
        QCOMPARE(f.edit->inputMethodQuery(Qt::ImCursorPosition).toInt(), 4);
        QCOMPARE(f.edit->inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("café"));
        QVERIFY(f.edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().height() > 0);
    }

    void largeTextIsKeptWhole() {
        std::string text;
        for (int i = 0; i < 200000; ++i) {
            text += "term" + std::to_string(i) + ";explanation " + std::to_string(i) + ";\n";
        }
        Field f(text);
        QCOMPARE(f.edit->LineCount(), 200001);
        QCOMPARE(f.edit->Cursor(), (TextPos{200000, 0}));
        QVERIFY(f.edit->FirstVisibleLine() > 199900);
        QCOMPARE(f.edit->Line(123456), std::string_view("term123456;explanation 123456;"));
        f.edit->ScrollToLine(150000);
        QCOMPARE(f.edit->FirstVisibleLine(), 150000);
        QVERIFY(!f.edit->grab().isNull());
        QTest::keyClicks(f.edit, "last;");
        QTest::keyClick(f.edit, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.edit->FirstVisibleLine(), 0);
        QTest::keyClick(f.edit, Qt::Key_PageDown);
        QVERIFY(f.edit->Cursor().line > 1);
        QCOMPARE(f.edit->Text(), text + "last;");

        // Everything selected and typed over is one step back.
        QTest::keyClick(f.edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(f.edit, "x");
        QCOMPARE(f.edit->LineCount(), 1);
        QCOMPARE(f.edit->Text(), std::string("x"));
        QTest::keyClick(f.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.edit->LineCount(), 200001);
        QCOMPARE(f.edit->Text(), text + "last;");
    }
};

QTEST_MAIN(TestLargeTextEdit)
#include "TestLargeTextEdit.moc"
