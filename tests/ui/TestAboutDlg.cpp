#include "DataFolderFixture.h"
#include "DialogDriver.h"
#include "ui/dialogs/AboutDlg.h"
#include "widgets/ClickLabel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using lexaro::CAboutDlg;
using lexaro::CClickLabel;
using lexaro::testing::DataFolderFixture;
using lexaro::testing::WhenShown;

namespace {

struct Seen {
    QString caption;
    QString description;
    QString version;
    QStringList links;
    QStringList translators;
    QString ok;
    QColor background;
    QColor linkColour;
    QColor descriptionColour;
};

Seen Inspect(CAboutDlg& box) {
    Seen seen;
    seen.caption = box.windowTitle();
    seen.description = box.findChild<QLabel*>("m_LBLDescription")->text();
    seen.version = box.findChild<QLabel*>("m_LBLVersion")->text();
    seen.ok = box.findChild<QPushButton*>("m_BTNOk")->text();
    for (const char* name : {"m_LNKWeb", "m_LNKMail"}) {
        seen.links << box.findChild<CClickLabel*>(name)->Target();
    }
    for (int i = 0; auto* field = box.findChild<QLabel*>(QStringLiteral("m_LNKTranslator%1").arg(i)); ++i) {
        seen.translators << box.findChild<QLabel*>(QStringLiteral("m_LBLTranslator%1").arg(i))->text() + " " +
                                field->text();
    }
    seen.background = box.palette().color(QPalette::Window);
    seen.linkColour = box.findChild<QLabel*>("m_LNKWeb")->palette().color(QPalette::WindowText);
    seen.descriptionColour = box.findChild<QLabel*>("m_LBLDescription")->palette().color(QPalette::WindowText);
    return seen;
}

void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

// The info box opened from the "?" menu.
class TestAboutDlg : public QObject {
    Q_OBJECT

private slots:
    void showsVersionLinksColoursAndTheShippedTranslators() {
        DataFolderFixture f;
        f.Write("Languages.ini", "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                                 "LanguageName=\"Dansk\"\r\nLanguageFile=\"lang_Danish.xml\"\r\n");
        f.Write("lang_German.xml", "FrmMain.m_acTBtnOk=\"Schlie\xC3\x9F"
                                   "en\"\r\nFrmMain.m_acTTranslator=\"Anna Weber\"\r\n"
                                   "FrmMain.m_acTTranslatorContact=\"anna@example.net\"\r\n"
                                   "FrmMain.m_acTInfoCaption=\"\xC3\x9C"
                                   "ber Lexaro\"\r\nFrmMain.m_acTInfoDescription=\"Ein W\xC3\xB6rterbuch.\"\r\n"
                                   "FrmMain.m_acTInfoCopyright=\"Freie Software.\"\r\n");
        f.Write("lang_Danish.xml", "FrmMain.m_acTTranslator=\"Jens\"\r\n"
                                   "FrmMain.m_acTTranslatorContact=\"file:///bin/sh\"\r\n");
        f.Start();
        f.window->Texts().LoadLanguageFile(f.data / "lang_German.xml");

        Seen seen;
        WhenShown<CAboutDlg>([&seen](CAboutDlg& box) {
            seen = Inspect(box);
            Click(box.findChild<QWidget*>("m_LNKWeb"));
            Click(box.findChild<QWidget*>("m_LNKMail"));
            Click(box.findChild<QWidget*>("m_LNKTranslator0"));
            // A contact that is neither mail nor web opens nothing.
            Click(box.findChild<QWidget*>("m_LNKTranslator1"));
            box.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.Action("ID_MEN_INFO")->trigger();

        QCOMPARE(seen.caption, QStringLiteral("\u00DCber Lexaro"));
        QCOMPARE(seen.description, QStringLiteral("Ein W\u00F6rterbuch.\nFreie Software."));
        QCOMPARE(seen.version, QStringLiteral("Version 2.580 (22.05.2019)"));
        QCOMPARE(seen.ok, QStringLiteral("Schlie\u00DFen"));
        QCOMPARE(seen.translators,
                 (QStringList{"German by: Anna Weber (anna@example.net)", "Danish by: Jens (file:///bin/sh)"}));
        QCOMPARE(seen.background, QColor(Qt::white));
        QCOMPARE(seen.linkColour, QColor(0, 0, 255));
        QCOMPARE(seen.descriptionColour, QColor(0x9B, 0x9B, 0x9B));
        QCOMPARE(f.opened, (QStringList{seen.links[0], seen.links[1], "mailto:anna@example.net"}));
        QVERIFY(seen.links[0].startsWith("https://"));
        QVERIFY(seen.links[1].startsWith("mailto:"));
        QCOMPARE(f.prompter.Asked(), 0);
    }

    void withoutLanguageListThereAreNoTranslatorFields() {
        DataFolderFixture f;
        f.Start();
        int translatorFields = -1;
        QString ok;
        QSize pictureSize;
        bool picturesBesideTheText = false;
        WhenShown<CAboutDlg>([&](CAboutDlg& box) {
            auto area = [&box](const char* name) {
                auto* widget = box.findChild<QLabel*>(name);
                return widget != nullptr ? QRect(widget->mapTo(&box, QPoint(0, 0)), widget->size()) : QRect();
            };
            if (auto* picture = box.findChild<QLabel*>("m_PICPicture")) {
                pictureSize = picture->pixmap().deviceIndependentSize().toSize();
            }
            const QRect text = area("m_LBLProduct").united(area("m_LBLDescription")).united(area("m_LNKMail"));
            picturesBesideTheText = !area("m_PICPicture").isEmpty() &&
                                    !area("m_PICIcon").intersects(area("m_PICPicture")) &&
                                    !area("m_PICPicture").intersects(text) && !area("m_PICIcon").intersects(text);
            translatorFields =
                static_cast<int>(box.findChildren<QLabel*>(QRegularExpression("^m_LNKTranslator")).size());
            ok = box.findChild<QPushButton*>("m_BTNOk")->text();
            QTest::keyClick(box.findChild<QWidget*>("m_LNKWeb"), Qt::Key_Return);
            box.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.Action("ID_MEN_INFO")->trigger();
        QCOMPARE(translatorFields, 0);
        QCOMPARE(ok, QStringLiteral("OK"));
        // The picture is embedded in the program, so a missing resource shows here as an empty pixmap.
        QCOMPARE(pictureSize, QSize(96, 144));
        QVERIFY(picturesBesideTheText);
        // The web link opens from the keyboard too.
        QCOMPARE(f.opened.size(), 1);
        QVERIFY(f.Action("ID_MEN_INFO")->isEnabled());
    }

    void enterPressesOkAndOpensNothing() {
        DataFolderFixture f;
        f.Start();
        int result = -1;
        bool active = false;
        WhenShown<CAboutDlg>([&](CAboutDlg& box) {
            active = QTest::qWaitForWindowActive(&box);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            result = box.isVisible() ? -1 : box.result();
            box.reject();
        });
        f.Action("ID_MEN_INFO")->trigger();
        QVERIFY(active);
        QCOMPARE(result, static_cast<int>(QDialog::Accepted));
        QVERIFY(f.opened.isEmpty());
    }
};

QTEST_MAIN(TestAboutDlg)
#include "TestAboutDlg.moc"
