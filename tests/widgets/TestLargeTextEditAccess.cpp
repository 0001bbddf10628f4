#include "widgets/LargeTextEdit.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleTextInterface>
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>
#include <random>

using lexaro::CLargeTextEdit;
using lexaro::TextPos;

namespace {

// A field whose screen reader is always listening: it keeps what it would have told.
class ListenedField : public CLargeTextEdit {
public:
    struct Told {
        QAccessible::Event type = QAccessible::InvalidEvent;
        int position = -1;
        QString removed;
        QString inserted;
    };
    std::vector<Told> told;

protected:
    bool AccessibilityActive() const override { return true; }
    void SendAccessibilityEvent(QAccessibleEvent* event) override {
        Told entry;
        entry.type = event->type();
        switch (event->type()) {
        case QAccessible::TextInserted: {
            auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
            entry.position = inserted->changePosition();
            entry.inserted = inserted->textInserted();
            break;
        }
        case QAccessible::TextRemoved: {
            auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
            entry.position = removed->changePosition();
            entry.removed = removed->textRemoved();
            break;
        }
        case QAccessible::TextUpdated: {
            auto* updated = static_cast<QAccessibleTextUpdateEvent*>(event);
            entry.position = updated->changePosition();
            entry.removed = updated->textRemoved();
            entry.inserted = updated->textInserted();
            break;
        }
        case QAccessible::TextCaretMoved:
            entry.position = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
            break;
        case QAccessible::TextSelectionChanged: {
            auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
            entry.position = selection->selectionStart();
            entry.inserted = QString::number(selection->selectionEnd());
            break;
        }
        default:
            break;
        }
        told.push_back(entry);
    }
};

struct Window {
    QWidget window;
    QLabel* label = new QLabel(QStringLiteral("&Mass data"), &window);
    ListenedField* edit = new ListenedField;

    explicit Window(const std::string& text) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(label);
        layout->addWidget(edit);
        label->setBuddy(edit);
        window.resize(400, 300);
        edit->SetText(text);
        edit->MoveCursorToEnd();
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        edit->told.clear();
    }
    QAccessibleInterface* Access() const { return QAccessible::queryAccessibleInterface(edit); }
    QAccessibleTextInterface* Text() const { return Access()->textInterface(); }
    QAccessibleEditableTextInterface* Editable() const { return Access()->editableTextInterface(); }
};

// What a screen reader must see of a text: its lines joined by LF, the CR of a CR LF hidden.
QString Seen(const std::string& text) {
    return QString::fromUtf8(text).remove(QLatin1Char('\r'));
}

} // namespace

class TestLargeTextEditAccess : public QObject {
    Q_OBJECT

private slots:
    void readsTheTextByUtf16Offsets() {
        const std::string text = "house;Haus;\r\ntree \xF0\x9F\x8C\xB3;Baum;\n\nB\xC3\xA4ume sind gr\xC3\xBCn.";
        Window w(text);
        QAccessibleInterface* access = w.Access();
        QVERIFY(access != nullptr);
        QCOMPARE(access->role(), QAccessible::EditableText);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("Mass data"));
        w.edit->setAccessibleName(QStringLiteral("Entries"));
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("Entries"));
        const QAccessible::State state = access->state();
        QVERIFY(state.multiLine && state.editable && state.focusable && state.focused);
        QVERIFY(w.Editable() != nullptr);

        const QString seen = Seen(text);
        QAccessibleTextInterface* t = w.Text();
        QCOMPARE(t->characterCount(), seen.size());
        QCOMPARE(access->text(QAccessible::Value), seen);
        for (const auto& [from, to] : {std::pair{0, 5}, {3, 20}, {11, 12}, {16, 19}, {10, 30}, {0, 47}}) {
            QCOMPARE(t->text(from, to), seen.mid(from, to - from));
        }

        // At the very end (where Qt's own answers cannot be compared, see below) the last line is still a line.
        int start = 0;
        int end = 0;
        const auto count = static_cast<int>(seen.size());
        QCOMPARE(t->textAtOffset(count, QAccessible::LineBoundary, &start, &end), QStringLiteral("Bäume sind grün."));
        QCOMPARE(std::pair(start, end), std::pair(count - 16, count));
        QCOMPARE(t->textAtOffset(-1, QAccessible::WordBoundary, &start, &end), QStringLiteral("."));
        QCOMPARE(t->textAtOffset(count, QAccessible::CharBoundary, &start, &end), QString());
        QCOMPARE(t->textAfterOffset(count, QAccessible::LineBoundary, &start, &end), QString());
    }

    // The field answers from a few lines around an offset what Qt's own answer finds in the whole text.
    void segmentsAgreeWithTheWholeText() {
        const std::string text =
            "house;Haus;\r\n  tree \xF0\x9F\x8C\xB3;Baum.\n\n\n; x\nB\xC3\xA4ume sind gr\xC3\xBCn. Ja!\n\n";
        Window w(text);
        QAccessibleTextInterface* t = w.Text();
        // A qualified call reaches Qt's answer from the whole text instead of the field's own.
        auto ask = [t](int where, bool whole, int offset, QAccessible::TextBoundaryType type, int* start, int* end) {
            using Base = QAccessibleTextInterface;
            switch (where) {
            case -1:
                return whole ? t->Base::textBeforeOffset(offset, type, start, end)
                             : t->textBeforeOffset(offset, type, start, end);
            case 0:
                return whole ? t->Base::textAtOffset(offset, type, start, end)
                             : t->textAtOffset(offset, type, start, end);
            default:
                return whole ? t->Base::textAfterOffset(offset, type, start, end)
                             : t->textAfterOffset(offset, type, start, end);
            }
        };
        for (const auto type : {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                                QAccessible::LineBoundary}) {
            // Qt's answer never returns for some questions at the very end of a text.
            for (int offset = 0; offset < t->characterCount(); ++offset) {
                for (int where = -1; where <= 1; ++where) {
                    int start = 0, end = 0, wholeStart = 0, wholeEnd = 0;
                    const QString segment = ask(where, false, offset, type, &start, &end);
                    QCOMPARE(segment, ask(where, true, offset, type, &wholeStart, &wholeEnd));
                    if (!segment.isEmpty()) { // Qt's answer has odd offsets when there is no segment
                        QCOMPARE(std::pair(start, end), std::pair(wholeStart, wholeEnd));
                    }
                }
            }
        }
    }

    void followsTheCaretAndTheSelection() {
        const std::string text = "one two\r\nthree four\nfive";
        Window w(text);
        QAccessibleTextInterface* t = w.Text();
        const QString seen = Seen(text);
        QCOMPARE(t->cursorPosition(), seen.size());
        QTest::keyClick(w.edit, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(t->cursorPosition(), 0);
        QTest::keyClick(w.edit, Qt::Key_Down);
        QTest::keyClick(w.edit, Qt::Key_End);
        QCOMPARE(t->cursorPosition(), seen.indexOf(QStringLiteral("\nfive")));
        QCOMPARE(w.edit->told.back().type, QAccessible::TextCaretMoved);
        QCOMPARE(w.edit->told.back().position, t->cursorPosition());

        t->setCursorPosition(static_cast<int>(seen.indexOf(QStringLiteral("four"))));
        QCOMPARE(w.edit->Cursor(), (TextPos{1, 6}));
        t->setSelection(0, 4, 13);
        QCOMPARE(w.edit->SelectedText(), std::string("two\r\nthree"));
        QCOMPARE(t->selectionCount(), 1);
        int start = 0;
        int end = 0;
        t->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(4, 13));
        QTest::keyClick(w.edit, Qt::Key_Left, Qt::ShiftModifier);
        const auto selected = std::find_if(w.edit->told.rbegin(), w.edit->told.rend(), [](const auto& told) {
            return told.type == QAccessible::TextSelectionChanged;
        });
        QVERIFY(selected != w.edit->told.rend());
        QCOMPARE(std::pair(selected->position, selected->inserted), std::pair(4, QStringLiteral("12")));
        t->removeSelection(0);
        QCOMPARE(t->selectionCount(), 0);

        // Characters on screen have a box, and the box's centre leads back to the character.
        const int f = static_cast<int>(seen.indexOf(QStringLiteral("four")));
        const QRect box = t->characterRect(f + 1);
        QVERIFY(box.width() > 0 && box.height() > 0);
        QCOMPARE(t->offsetAtPoint(box.center()), f + 1);
    }

    void editsThroughTheInterfaceAreToldAndUndone() {
        const std::string text = "a;b;\r\nc;d;\ne;f;";
        Window w(text);
        QAccessibleEditableTextInterface* editable = w.Editable();
        QAccessibleTextInterface* t = w.Text();
        QCOMPARE(t->characterCount(), 14);

        editable->insertText(5, QStringLiteral("x;y;\r\n"));
        QCOMPARE(w.edit->Text(), std::string("a;b;\r\nx;y;\nc;d;\ne;f;"));
        QCOMPARE(t->characterCount(), 19);
        auto change = std::find_if(w.edit->told.begin(), w.edit->told.end(),
                                   [](const auto& told) { return told.type == QAccessible::TextInserted; });
        QVERIFY(change != w.edit->told.end());
        QCOMPARE(change->position, 5);
        QCOMPARE(change->inserted, QStringLiteral("x;y;\n"));

        w.edit->told.clear();
        editable->deleteText(3, 12);
        QCOMPARE(w.edit->Text(), std::string("a;bd;\ne;f;"));
        QCOMPARE(w.edit->told.front().type, QAccessible::TextRemoved);
        QCOMPARE(w.edit->told.front().removed, QStringLiteral(";\nx;y;\nc;"));
        QCOMPARE(t->characterCount(), 10);
        editable->replaceText(6, 7, QStringLiteral("E"));
        QCOMPARE(w.edit->Text(), std::string("a;bd;\nE;f;"));
        QCOMPARE(t->text(0, t->characterCount()), QStringLiteral("a;bd;\nE;f;"));

        QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.edit->Text(), std::string("a;bd;\ne;f;"));
        QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.edit->Text(), std::string("a;b;\r\nx;y;\nc;d;\ne;f;"));
        QCOMPARE(w.edit->told.back().type, QAccessible::TextCaretMoved);
        QCOMPARE(t->characterCount(), 19);
        QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.edit->Text(), text);
        QCOMPARE(t->text(0, t->characterCount()), Seen(text));
    }

    // Offsets kept across edits agree with a plain string after every step, far down a long text too.
    void offsetsFollowRandomEdits() {
        std::string text;
        for (int i = 0; i < 3000; ++i) {
            text += "t\xC3\xA4rm" + std::to_string(i) + ";\xF0\x9F\x8C\xB3;\r\n";
        }
        Window w(text);
        QAccessibleTextInterface* t = w.Text();
        QAccessibleEditableTextInterface* editable = w.Editable();
        QString model = Seen(text);
        const QString pieces[] = {QString(), QStringLiteral("x"), QStringLiteral("ä\n"), QStringLiteral("\n\n"),
                                  QStringLiteral("🌳")};
        std::mt19937 random(8122026);
        QCOMPARE(t->characterCount(), model.size());
        // Offsets inside a surrogate pair are moved to the character's end by the field.
        auto whole = [&model](int offset) {
            offset = std::min(offset, static_cast<int>(model.size()));
            return offset > 0 && offset < model.size() && model.at(offset).isLowSurrogate() ? offset + 1 : offset;
        };
        for (int step = 0; step < 200; ++step) {
            const int at = whole(static_cast<int>(random() % static_cast<unsigned>(model.size() + 1)));
            const int to = whole(at + static_cast<int>(random() % 12));
            const QString piece = pieces[random() % std::size(pieces)];
            if (random() % 4 == 0) {
                QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier);
                model = QString::fromStdString(w.edit->Text()).remove(QLatin1Char('\r'));
            } else {
                editable->replaceText(at, to, piece);
                model.replace(at, to - at, piece);
            }
            QCOMPARE(t->characterCount(), model.size());
            QCOMPARE(t->cursorPosition(), w.edit->told.back().position);
            const int from = whole(static_cast<int>(random() % static_cast<unsigned>(model.size())));
            QCOMPARE(t->text(from, whole(from + 40)), model.mid(from, whole(from + 40) - from));
        }
        QCOMPARE(QString::fromStdString(w.edit->Text()).remove(QLatin1Char('\r')), model);
    }
};

QTEST_MAIN(TestLargeTextEditAccess)
#include "TestLargeTextEditAccess.moc"
