#include "ToolWindowFixture.h"
#include "ui/PropertiesDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace lexaro;
using namespace lexaro::testing;

class TestProperties : public QObject {
    Q_OBJECT

    static QString Value(const QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name)->text(); }

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
        QCOMPARE(Value(dialog, "m_EDTChecksum").size(), 32); // MD5
        QCOMPARE(Value(dialog, "m_EDTWordCount"), QStringLiteral("2"));
        QCOMPARE(Value(dialog, "m_EDTWordLargest"), QStringLiteral("16 ('Donaudampfschiff')"));
        QCOMPARE(Value(dialog, "m_EDTWordSmallest"), QStringLiteral("1 ('a')"));
        QCOMPARE(Value(dialog, "m_EDTCharset"), QString::number(f.engine.Entries().FileCharset()));

        auto* list = dialog.findChild<QComboBox*>("m_CBBChecksum");
        QCOMPARE(list->count(), 13);
        QCOMPARE(list->itemText(8), QStringLiteral("SHA-2(512)"));
        list->setCurrentIndex(8);
        QCOMPARE(Value(dialog, "m_EDTChecksum").size(), 128);
        QCOMPARE(checksum, 8);

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
    }

    // A path or checksum wider than the default field is shown whole when the screen has room for it; what
    // does not fit shows its beginning and its full text in the tooltip, and the window stays on the screen.
    void longValuesAreShownWholeOrInTheirTooltip() {
        ToolWindowFixture f;
        const QString folder = QStringLiteral("vocabulary-of-the-second-year-with-many-long-words");
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
        QApplication::processEvents();
        QVERIFY(dialog.width() >= before);
        QVERIFY(dialog.width() <= screenWidth);
        QCOMPARE(dialog.findChild<QLineEdit*>("m_EDTChecksum")->toolTip().size(), 64);
        const int widened = dialog.width();
        dialog.findChild<QComboBox*>("m_CBBChecksum")->setCurrentIndex(0);
        QApplication::processEvents();
        QCOMPARE(dialog.width(), widened);
        QVERIFY(dialog.findChild<QLineEdit*>("m_EDTChecksum")->toolTip().isEmpty());
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
