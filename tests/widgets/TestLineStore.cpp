#include "widgets/LineStore.h"
#include "widgets/LineText.h"

#include <QtTest>
#include <algorithm>
#include <random>

using lexaro::LineStore;
using lexaro::TextPos;

class TestLineStore : public QObject {
    Q_OBJECT

private slots:
    void textComesBackByteForByte() {
        const std::string texts[] = {"",
                                     "a",
                                     "house;Haus;\ntree;Baum;\n",
                                     "a;b\r\nc;\r\n",
                                     "\n\n",
                                     "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\nx",
                                     "bad \xFF\xFE\n\x80 bytes",
                                     "lone\rcarriage return\r"};
        for (const std::string& text : texts) {
            LineStore store;
            store.SetText(text);
            QCOMPARE(store.Text(), text);
            QCOMPARE(store.ByteCount(), text.size());
        }
        LineStore store;
        store.SetText("a;b;\r\nc;d;\n");
        QCOMPARE(store.LineCount(), 3);
        QCOMPARE(store.Line(0), std::string_view("a;b;\r"));
        QCOMPARE(store.EditableLength(0), std::size_t(4));
        QCOMPARE(store.Line(2), std::string_view());
        QCOMPARE(store.End(), (TextPos{2, 0}));
        QCOMPARE(store.Clamp(TextPos{0, 99}), (TextPos{0, 4}));
        QCOMPARE(store.Clamp(TextPos{-3, 1}), (TextPos{0, 1}));
        QCOMPARE(store.Line(7), std::string_view());
    }

    void editsAcrossLinesAreUndoneExactly() {
        const std::string original = "house;Haus;\r\ntree;Baum;\nend";
        LineStore store;
        store.SetText(original);
        QCOMPARE(store.Replace(TextPos{1, 2}, TextPos{0, 3}, "X\nY"), (TextPos{1, 1}));
        const std::string edited = "houX\nYee;Baum;\nend";
        QCOMPARE(store.Text(), edited);
        QCOMPARE(store.LineCount(), 3);

        QCOMPARE(store.Replace(TextPos{1, 99}, TextPos{2, 0}, ""), (TextPos{1, 9}));
        QCOMPARE(store.Text(), std::string("houX\nYee;Baum;end"));
        store.Undo();
        QCOMPARE(store.Text(), edited);
        const LineStore::Span undone = store.Undo();
        QCOMPARE(store.Text(), original);
        QCOMPARE(undone.to, (TextPos{1, 2}));
        QVERIFY(!store.CanUndo());

        store.Redo();
        QCOMPARE(store.Text(), edited);
        store.Replace(TextPos{0, 0}, TextPos{0, 0}, "new ");
        QVERIFY(!store.CanRedo());
        store.Undo();
        store.Undo();
        QCOMPARE(store.Text(), original);

        // Joining a CR LF line with the next takes both bytes of its line end, and Undo brings both back.
        LineStore crlf;
        crlf.SetText("ab\r\ncd");
        crlf.Replace(TextPos{0, 2}, TextPos{1, 0}, "");
        QCOMPARE(crlf.Text(), std::string("abcd"));
        crlf.Replace(TextPos{0, 2}, TextPos{0, 2}, "\n");
        QCOMPARE(crlf.Text(), std::string("ab\ncd"));
        crlf.Undo();
        crlf.Undo();
        QCOMPARE(crlf.Text(), std::string("ab\r\ncd"));
    }

    void typedCharactersAreOneUndoStep() {
        LineStore store;
        store.SetText("word");
        TextPos at{0, 4};
        for (const char* typed : {" ", "a", "b"}) {
            at = store.Replace(at, at, typed, true);
        }
        store.CloseTypingStep();
        at = store.Replace(at, at, "c", true);
        QCOMPARE(store.Text(), std::string("word abc"));
        store.Undo();
        QCOMPARE(store.Text(), std::string("word ab"));
        store.Undo();
        QCOMPARE(store.Text(), std::string("word"));
        QVERIFY(!store.CanUndo());
        // A change elsewhere never joins the typing before it.
        store.Replace(TextPos{0, 4}, TextPos{0, 4}, "s", true);
        store.Replace(TextPos{0, 0}, TextPos{0, 0}, "a ", true);
        store.Undo();
        QCOMPARE(store.Text(), std::string("words"));
    }

    void randomEditsMatchAPlainString_data() {
        QTest::addColumn<std::size_t>("compactAbove");
        QTest::newRow("as used") << (std::size_t{8} << 20);
        QTest::newRow("edited lines compacted often") << std::size_t{64};
    }

    // Random edits agree with the same edits on one plain string, and undoing them all gives the text back.
    void randomEditsMatchAPlainString() {
        QFETCH(std::size_t, compactAbove);
        const std::string original = "house;Haus;\r\ntree;Baum;\n\n\xC3\xA4;";
        const char* pieces[] = {"", "x", "\xC3\xA4", "\n", "ab\ncd", "\r\n", "\n\n", ";"};
        std::mt19937 random(20261208);
        LineStore store(compactAbove);
        store.SetText(original);
        std::string model = original;
        // The model's offset of a position, clamped as the store clamps it.
        auto offsetOf = [&model](TextPos pos) {
            std::vector<std::string> lines;
            std::size_t start = 0;
            for (std::size_t end; (end = model.find('\n', start)) != std::string::npos; start = end + 1) {
                lines.push_back(model.substr(start, end - start));
            }
            lines.push_back(model.substr(start));
            const int line = std::clamp(pos.line, 0, static_cast<int>(lines.size()) - 1);
            std::size_t offset = 0;
            for (int i = 0; i < line; ++i) {
                offset += lines[static_cast<std::size_t>(i)].size() + 1;
            }
            const std::string& text = lines[static_cast<std::size_t>(line)];
            const std::size_t editable = text.size() - (!text.empty() && text.back() == '\r' ? 1 : 0);
            return offset + std::min(pos.column, editable);
        };
        std::vector<std::string> states{model};
        for (int step = 0; step < 300; ++step) {
            const auto lines = static_cast<int>(std::count(model.begin(), model.end(), '\n')) + 1;
            const TextPos a{static_cast<int>(random() % static_cast<unsigned>(lines + 1)), random() % 8};
            const TextPos b = random() % 2 == 0
                                  ? a
                                  : TextPos{static_cast<int>(random() % static_cast<unsigned>(lines)), random() % 8};
            const std::string piece = pieces[random() % std::size(pieces)];
            const std::size_t from = std::min(offsetOf(a), offsetOf(b));
            const std::size_t to = std::max(offsetOf(a), offsetOf(b));
            QCOMPARE(store.Extract(a, b), model.substr(from, to - from));
            store.Replace(a, b, piece);
            if (from != to || !piece.empty()) {
                model.replace(from, to - from, piece);
                states.push_back(model);
            }
            QCOMPARE(store.Text(), model);
            // What edited lines left behind never takes more than half of their buffer for long.
            QVERIFY(store.EditedBufferSize() <= std::max<std::size_t>(compactAbove, 2 * model.size()));
        }
        for (auto state = states.rbegin() + 1; state != states.rend(); ++state) {
            store.Undo();
            QCOMPARE(store.Text(), *state);
            QVERIFY(store.EditedBufferSize() <= std::max<std::size_t>(compactAbove, 2 * state->size()));
        }
        QVERIFY(!store.CanUndo());
        while (store.CanRedo()) {
            store.Redo();
        }
        QCOMPARE(store.Text(), model);
    }

    void shownTextMapsEveryByte() {
        // a, an invalid byte, a two-byte letter, a four-byte emoji, a control character.
        const std::string_view bytes = "a\xFF\xC3\xA4\xF0\x9F\x98\x80\x01";
        const QString shown = lexaro::DisplayText(bytes);
        QCOMPARE(shown, QStringLiteral("a\uFFFD\u00E4\U0001F600\u2401"));
        QCOMPARE(lexaro::UnitOfByte(bytes, 2), 2);
        QCOMPARE(lexaro::UnitOfByte(bytes, 4), 3);
        QCOMPARE(lexaro::UnitOfByte(bytes, 8), 5);
        QCOMPARE(lexaro::ByteOfUnit(bytes, 3), std::size_t(4));
        QCOMPARE(lexaro::ByteOfUnit(bytes, 4), std::size_t(8)); // inside the surrogate pair
        QCOMPARE(lexaro::ByteOfUnit(bytes, 99), bytes.size());
        QCOMPARE(lexaro::DisplayText("\xE2\x82"), QStringLiteral("\uFFFD\uFFFD")); // cut off at the end
        QCOMPARE(lexaro::NormaliseLineEnds("a\r\nb\rc\n\r"), std::string("a\nb\nc\n\n"));
    }
};

QTEST_APPLESS_MAIN(TestLineStore)
#include "TestLineStore.moc"
