#include "DataFolderFixture.h"
#include "DialogDriver.h"
#include "ui/dialogs/LanguageDlg.h"

#include <QMenu>

using lexaro::CLanguageDlg;
using lexaro::testing::DataFolderFixture;
using lexaro::testing::WhenShown;

namespace {

void WriteLanguages(const DataFolderFixture& f) {
    f.Write("Languages.ini", "LanguageDefault=\"English\"\r\n"
                             "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                             "LanguageName=\"Nowhere\"\r\nLanguageFile=\"missing.xml\"\r\n");
    f.Write("lang_German.xml", "FrmMain.ID_MEN_FILE=\"Datei\"\r\n"
                               "FrmMain.ID_MEN_OPTIONS=\"Einstellungen\"\r\n"
                               "FrmLanguage.Caption=\"Sprache\"\r\n"
                               "FrmLanguage.m_BTNOk=\"Gut\"\r\n");
}

QString FileMenuTitle(const DataFolderFixture& f) {
    return f.window->findChild<QMenu*>("ID_MEN_FILE")->title();
}

} // namespace

// View > Language: the list, the window's own texts in the chosen language, and the switch on OK.
class TestLanguageDlg : public QObject {
    Q_OBJECT

private slots:
    void theListShowsTheBuiltInAndTheListedLanguagesAndRetextsItself() {
        DataFolderFixture f;
        WriteLanguages(f);
        CLanguageDlg dialog(f.data / "Languages.ini", f.data, {});
        auto* list = dialog.findChild<QComboBox*>("m_CBBLanguage");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("English"));
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select language"));
        QCOMPARE(dialog.findChild<QPushButton*>("m_BTNOk")->text(), QStringLiteral("OK"));

        list->setCurrentIndex(1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Sprache"));
        QCOMPARE(dialog.findChild<QPushButton*>("m_BTNOk")->text(), QStringLiteral("Gut"));
        QCOMPARE(dialog.findChild<QLabel*>("m_LBLCurrentLanguage")->text(), QStringLiteral("Current language:"));
        QCOMPARE(dialog.Chosen().name, std::string("Deutsch"));

        // A listed file that is missing shows the built-in texts.
        list->setCurrentIndex(2);
        QCOMPARE(dialog.findChild<QPushButton*>("m_BTNOk")->text(), QStringLiteral("OK"));
    }

    void okSwitchesTheMainWindowAndCancelKeepsIt() {
        DataFolderFixture f;
        WriteLanguages(f);
        f.Start();
        QCOMPARE(FileMenuTitle(f), QStringLiteral("&File"));

        WhenShown<CLanguageDlg>([](CLanguageDlg& dialog) {
            dialog.findChild<QComboBox*>("m_CBBLanguage")->setCurrentIndex(1);
            dialog.findChild<QPushButton*>("m_BTNCancel")->click();
        });
        f.Action("ID_MEN_LANGUAGE")->trigger();
        QCOMPARE(FileMenuTitle(f), QStringLiteral("&File"));

        WhenShown<CLanguageDlg>([](CLanguageDlg& dialog) {
            dialog.findChild<QComboBox*>("m_CBBLanguage")->setCurrentIndex(1);
            dialog.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.Action("ID_MEN_LANGUAGE")->trigger();
        QCOMPARE(FileMenuTitle(f), QStringLiteral("&Datei"));
        QCOMPARE(f.Action("ID_MEN_OPTIONS")->text(), QStringLiteral("Einstellungen"));
        QCOMPARE(f.window->CurrentSettings().languageName, std::string("Deutsch"));
        QVERIFY(!f.window->CurrentSettings().noLanguageChosen);

        // The dialog opens on the language in use, and going back to English restores every text.
        int opened = -1;
        WhenShown<CLanguageDlg>([&](CLanguageDlg& dialog) {
            auto* list = dialog.findChild<QComboBox*>("m_CBBLanguage");
            opened = list->currentIndex();
            list->setCurrentIndex(0);
            dialog.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.Action("ID_MEN_LANGUAGE")->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(FileMenuTitle(f), QStringLiteral("&File"));
        QCOMPARE(f.window->CurrentSettings().languageName, std::string("English"));
    }

    void withoutALanguageListOnlyEnglishIsOffered() {
        DataFolderFixture f;
        CLanguageDlg dialog(f.data / "Languages.ini", f.data, {});
        QCOMPARE(dialog.findChild<QComboBox*>("m_CBBLanguage")->count(), 1);
        QVERIFY(dialog.Chosen().file.empty());
    }
};

QTEST_MAIN(TestLanguageDlg)
#include "TestLanguageDlg.moc"
