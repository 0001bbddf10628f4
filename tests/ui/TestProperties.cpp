#include "ToolWindowFixture.h"
#include "support/FileReading.h"
#include "ui/tools/PropertiesDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

using namespace lexaro;
using namespace lexaro::testing;

// Runs a step just before the first queued call reaches the watched object, which then receives the call.
class BeforeQueuedCall : public QObject {
public:
    BeforeQueuedCall(QObject& watched, std::function<void()> step) : m_Step(std::move(step)) {
        watched.installEventFilter(this);
    }
    bool Done() const { return m_Done; }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MetaCall && !m_Done) {
            m_Done = true;
            m_Step();
        }
        return false;
    }

private:
    std::function<void()> m_Step;
    bool m_Done = false;
};

class TestProperties : public QObject {
    Q_OBJECT

    static QString Value(const QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name)->text(); }

    // Of a file of 2048 'x', as md5sum and sha512sum give them.
    static inline const QString kMd5Of2048x = QStringLiteral("cfb767f225d58469c5de3632a8803958");
    static inline const QString kSha512Of2048x =
        QStringLiteral("8c340cfa67c223546bac9f2670ce228ec60ed85af71332d95f2ea4c28d777917b8a4fd4c4460fb6e43d7fcb3996cd"
                       "eb19d8d54953962b990045ada7534dcf524");

private slots:
    void showsTheFileAndTheEntries() {
        ToolWindowFixture f;
        f.Write("French.lxd", std::string(2048, 'x'));
        f.Add("Donaudampfschiff", "steamer");
        f.Add("a", "the longest explanation here");
        int checksum = 3;
        const QString path = QString::fromStdString(f.File("French.lxd").string());
        CPropertiesDlg dialog(f.Context(), path, f.engine, checksum);

        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dictionary Properties"));
        QCOMPARE(Value(dialog, "m_EDTFileName"), QStringLiteral("French.lxd"));
        QCOMPARE(Value(dialog, "m_EDTCompleteName"), path);
        QCOMPARE(Value(dialog, "m_EDTFileSize"), QStringLiteral("2.00 (2048 bytes)"));
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(Value(dialog, "m_EDTFileDate"))
                    .hasMatch());
        QTRY_COMPARE(Value(dialog, "m_EDTChecksum"), kMd5Of2048x);
        QCOMPARE(Value(dialog, "m_EDTWordCount"), QStringLiteral("2"));
        QCOMPARE(Value(dialog, "m_EDTWordLargest"), QStringLiteral("16 ('Donaudampfschiff')"));
        QCOMPARE(Value(dialog, "m_EDTWordSmallest"), QStringLiteral("1 ('a')"));
        QCOMPARE(Value(dialog, "m_EDTCharset"), QString::number(f.engine.Entries().FileCharset()));

        auto* list = dialog.findChild<QComboBox*>("m_CBBChecksum");
        QCOMPARE(list->count(), 13);
        QCOMPARE(list->itemText(8), QStringLiteral("SHA-2(512)"));
        list->setCurrentIndex(8);
        QCOMPARE(checksum, 8);
        QTRY_COMPARE(Value(dialog, "m_EDTChecksum"), kSha512Of2048x);

        dialog.findChild<QPushButton*>("m_BTNCopy")->click();
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.startsWith(QStringLiteral("Dictionary name - French.lxd\r\nComplete name - ") + path +
                                  QStringLiteral("\r\nFilesize [KB] - 2.00 (2048 bytes)\r\nFiledate - ")));
        QVERIFY(copied.contains(QStringLiteral("\r\nSHA-2(512) - ")));
        QVERIFY(copied.endsWith(QStringLiteral("Number of terms - 2\r\nLargest term - 16 ('Donaudampfschiff')\r\n"
                                               "Smallest term - 1 ('a')\r\nLargest explanation - 28 ('the longest "
                                               "explanation here')\r\nSmallest explanation - 7 ('steamer')\r\n"
                                               "Charset - ") +
                                QString::number(f.engine.Entries().FileCharset()) + QStringLiteral("\r\n")));

        // "-" shows no checksum, stores 0 and leaves the line out of the copy.
        list->setCurrentIndex(0);
        QVERIFY(Value(dialog, "m_EDTChecksum").isEmpty());
        QCOMPARE(checksum, 0);
        QVERIFY(!dialog.CopyText().contains(QStringLiteral("\r\n- ")));
        QCOMPARE(dialog.CopyText().count(QStringLiteral("\r\n")), 10);

        QVERIFY(f.texts.LoadLanguageFile(LEXARO_SOURCE_DIR "/resources/lang_French.xml"));
        const CPropertiesDlg french(f.Context(), path, f.engine, checksum);
        QCOMPARE(Value(french, "m_EDTFileSize"), QStringLiteral("2.00 (2048 octets)"));
    }

    // A path or checksum wider than the default field is shown whole when the screen has room for it; what
    // does not fit shows its beginning and its full text in the tooltip, and the window stays on the screen.
    void longValuesAreShownWholeOrInTheirTooltip() {
        ToolWindowFixture f;
        const QString folder = QStringLiteral("vocabulary-of-the-second-year");
        QVERIFY(QDir(f.folder.path()).mkdir(folder));
        const QString name = folder + QStringLiteral("/French.lxd");
        f.Write(name, "x");
        f.Add(std::string(30, 'w'), std::string(200, 'e'));
        int checksum = 0;
        const QString path = QString::fromStdString(f.File(name).string());
        CPropertiesDlg dialog(f.Context(), path, f.engine, checksum);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        auto wholeTextVisible = [&](const char* name) {
            auto* field = dialog.findChild<QLineEdit*>(name);
            const int middle = field->height() / 2;
            return field->cursorPositionAt(QPoint(2, middle)) == 0 &&
                   field->cursorPositionAt(QPoint(field->width() - 2, middle)) == field->text().size();
        };
        QVERIFY(wholeTextVisible("m_EDTCompleteName"));
        QVERIFY(wholeTextVisible("m_EDTWordLargest"));
        const int screenWidth = dialog.screen()->availableGeometry().width();
        QVERIFY(dialog.width() <= screenWidth);

        // 200 characters are wider than the screen: the field starts at the beginning and the tooltip holds it all.
        auto* explanation = dialog.findChild<QLineEdit*>("m_EDTExplLargest");
        QVERIFY(!wholeTextVisible("m_EDTExplLargest"));
        QCOMPARE(explanation->cursorPositionAt(QPoint(2, explanation->height() / 2)), 0);
        QCOMPARE(explanation->toolTip(), explanation->text());

        // Choosing a longer checksum widens the window up to the screen, never beyond; "-" leaves it as it was.
        const int before = dialog.width();
        dialog.findChild<QComboBox*>("m_CBBChecksum")->setCurrentIndex(6); // SHA-2(256)
        QTRY_COMPARE(dialog.findChild<QLineEdit*>("m_EDTChecksum")->toolTip().size(), 64);
        QApplication::processEvents();
        QVERIFY(dialog.width() >= before);
        QVERIFY(dialog.width() <= screenWidth);
        const int widened = dialog.width();
        dialog.findChild<QComboBox*>("m_CBBChecksum")->setCurrentIndex(0);
        QApplication::processEvents();
        QCOMPARE(dialog.width(), widened);
        QVERIFY(dialog.findChild<QLineEdit*>("m_EDTChecksum")->toolTip().isEmpty());
    }

    // Each choice abandons the computation before it: whatever the earlier ones leave behind, the field shows
    // nothing until the checksum of the last choice is there.
    void theLastChosenChecksumWins() {
        ToolWindowFixture f;
        f.Write("French.lxd", std::string(std::size_t{8} << 20, 'x'));
        int checksum = 3;
        CPropertiesDlg dialog(f.Context(), QString::fromStdString(f.File("French.lxd").string()), f.engine, checksum);
        // The next choice is made just as the MD5 result reaches the window, so that the result arrives after it.
        auto* list = dialog.findChild<QComboBox*>("m_CBBChecksum");
        BeforeQueuedCall nextChoice(dialog, [list] { list->setCurrentIndex(1); }); // MD2 takes far longer
        QTRY_VERIFY(nextChoice.Done());
        QVERIFY(Value(dialog, "m_EDTChecksum").isEmpty());
        QCOMPARE(checksum, 1);

        for (int type : {12, 7, 4}) {
            list->setCurrentIndex(type);
        }
        QCOMPARE(checksum, 4);
        QTRY_COMPARE(Value(dialog, "m_EDTChecksum"), QStringLiteral("6dbacd8dcf33c1e6d03d2688ff35a97d3b45986f"));
        QVERIFY(dialog.findChild<QLineEdit*>("m_EDTChecksum")->placeholderText().isEmpty());
        list->setCurrentIndex(3);
        QTRY_COMPARE(Value(dialog, "m_EDTChecksum"), QStringLiteral("2058fb53f643fcd58a8d83a05542392b"));
    }

    // MD2 of a 4 GiB file takes minutes. Meanwhile the window is usable and copies no checksum line, and closing
    // it ends the computation at once.
    void closingStopsALongComputation() {
        ToolWindowFixture f;
        const QString name = QStringLiteral("huge.lxd");
        {
            QFile huge(QString::fromStdString(f.File(name).string()));
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(qint64{4} << 30)); // sparse: no disk space used
        }
        f.Add("house", "Haus");
        int checksum = 1;
        auto dialog = std::make_unique<CPropertiesDlg>(f.Context(), QString::fromStdString(f.File(name).string()),
                                                       f.engine, checksum);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        auto* field = dialog->findChild<QLineEdit*>("m_EDTChecksum");
        QTRY_VERIFY(test::BeingRead(f.File(name)));
        QVERIFY(field->text().isEmpty());
        QVERIFY(!field->placeholderText().isEmpty());
        QCOMPARE(Value(*dialog, "m_EDTWordCount"), QStringLiteral("1"));
        QVERIFY(!dialog->CopyText().contains(QStringLiteral("MD2")));
        QCOMPARE(dialog->CopyText().count(QStringLiteral("\r\n")), 10);

        // Not a measure of speed: a close that waited for the computation would take minutes, not seconds.
        QElapsedTimer closing;
        closing.start();
        dialog.reset();
        QVERIFY2(closing.elapsed() < 5000, qPrintable(QString::number(closing.elapsed())));
        QCOMPARE(checksum, 1);
    }

    void unsavedDictionaryShowsOnlyTheEntries() {
        ToolWindowFixture f;
        int checksum = 5;
        CPropertiesDlg dialog(f.Context(), NoName(), f.engine, checksum);
        for (const char* name : {"m_EDTFileName", "m_EDTCompleteName", "m_EDTFileSize", "m_EDTFileDate",
                                 "m_EDTChecksum", "m_EDTWordLargest", "m_EDTExplSmallest"}) {
            QVERIFY2(Value(dialog, name).isEmpty(), name);
        }
        QCOMPARE(Value(dialog, "m_EDTWordCount"), QStringLiteral("0"));
        QCOMPARE(Value(dialog, "m_EDTCharset"), QStringLiteral("-2"));
        QCOMPARE(checksum, 5);
        // A folder is not a dictionary file either.
        CPropertiesDlg folder(f.Context(), f.folder.path(), f.engine, checksum);
        QVERIFY(Value(folder, "m_EDTFileSize").isEmpty());
        QVERIFY(Value(folder, "m_EDTChecksum").isEmpty());
    }
};

QTEST_MAIN(TestProperties)
#include "TestProperties.moc"
