#include "DialogDriver.h"
#include "MainWindowFixture.h"
#include "app/Storage.h"
#include "ui/dialogs/LanguageDlg.h"
#include "ui/mainwindow/FileCommands.h"

#include <QFile>
#include <QMenu>

using lexaro::CLanguageDlg;
using lexaro::StartupStorage;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::WhenShown;

namespace {

// The program started on the language files shipped in resources/, with a settings file of the test's own.
StartupStorage ShippedStorage(const QTemporaryDir& folder) {
    const std::filesystem::path resources = std::filesystem::path(LEXARO_SOURCE_DIR) / "resources";
    StartupStorage storage;
    storage.decision.programFolder = resources;
    storage.decision.baseFolder = resources;
    storage.programFile = resources / "lexaro";
    storage.dataFolder = resources;
    storage.applicationFolder = folder.path().toStdString();
    storage.settingsPath = storage.applicationFolder / "Lexaro.ini";
    return storage;
}

void ChooseLanguage(MainWindowFixture& f, const QString& name, int* shownFirst = nullptr) {
    WhenShown<CLanguageDlg>([&](CLanguageDlg& dialog) {
        auto* list = dialog.findChild<QComboBox*>("m_CBBLanguage");
        if (shownFirst != nullptr) {
            *shownFirst = list->currentIndex();
        }
        list->setCurrentIndex(list->findText(name));
        dialog.findChild<QPushButton*>("m_BTNOk")->click();
    });
    f.Action("ID_MEN_LANGUAGE")->trigger();
}

QString MenuTitle(const MainWindowFixture& f, const char* name) {
    return f.window->findChild<QMenu*>(name)->title();
}

} // namespace

// The shipped languages in the running program: switching changes what the user sees, and the choice
// outlives a restart.
class TestShippedLanguages : public QObject {
    Q_OBJECT

private slots:
    void germanReplacesTheVisibleTextsAndStaysChosenAfterARestart() {
        MainWindowFixture f;
        const StartupStorage storage = ShippedStorage(f.folder);
        f.window->Start(storage, {}, storage.applicationFolder);
        QCOMPARE(MenuTitle(f, "ID_MEN_FILE"), QStringLiteral("&File"));
        QCOMPARE(f.Button("m_BTNSearch")->text(), QStringLiteral("Search"));

        WhenShown<CLanguageDlg>([](CLanguageDlg& dialog) {
            auto* list = dialog.findChild<QComboBox*>("m_CBBLanguage");
            QCOMPARE(list->count(), 3);
            QCOMPARE(list->itemText(0), QStringLiteral("English"));
            QCOMPARE(list->itemText(1), QStringLiteral("Deutsch"));
            QCOMPARE(list->itemText(2), QStringLiteral("Français"));
            list->setCurrentIndex(2);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Choisir la langue"));
            dialog.findChild<QPushButton*>("m_BTNCancel")->click();
        });
        f.Action("ID_MEN_LANGUAGE")->trigger();
        QCOMPARE(MenuTitle(f, "ID_MEN_FILE"), QStringLiteral("&File"));

        ChooseLanguage(f, QStringLiteral("Deutsch"));
        QCOMPARE(MenuTitle(f, "ID_MEN_FILE"), QStringLiteral("&Datei"));
        QCOMPARE(MenuTitle(f, "ID_MEN_VIEW"), QStringLiteral("&Ansicht"));
        QCOMPARE(f.Button("m_BTNSearch")->text(), QStringLiteral("Suchen"));
        QCOMPARE(f.Button("m_BTNDelete")->toolTip(), QStringLiteral("Diesen Eintrag löschen"));
        QCOMPARE(f.Action("ID_MEN_NEW")->text(), QStringLiteral("Neues Wörterbuch\tStrg+N"));
        // The shortcut itself does not depend on the language.
        QCOMPARE(f.Action("ID_MEN_NEW")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        // Qt's own texts follow, such as the buttons of every question.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        // So do the program's reports.
        QFile notes(f.Path(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        f.prompter.Expect(lexaro::PromptAnswer::Ok);
        f.window->Files().OpenFile(notes.fileName());
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("Lexaro kann diese Art von Datei nicht öffnen:\n")));
        f.SearchFor(QStringLiteral("nothing-like-this"));
        QVERIFY(f.Pane()->PaneText().contains(QStringLiteral("Begriff nicht gefunden.")));
        QVERIFY(f.window->close());

        MainWindowFixture g;
        g.window->Start(storage, {}, storage.applicationFolder);
        QCOMPARE(g.window->CurrentSettings().languageName, std::string("Deutsch"));
        QCOMPARE(MenuTitle(g, "ID_MEN_FILE"), QStringLiteral("&Datei"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));

        int shownFirst = -1;
        ChooseLanguage(g, QStringLiteral("English"), &shownFirst);
        QCOMPARE(shownFirst, 1);
        QCOMPARE(MenuTitle(g, "ID_MEN_FILE"), QStringLiteral("&File"));
        QCOMPARE(g.Button("m_BTNSearch")->text(), QStringLiteral("Search"));
        QCOMPARE(g.Action("ID_MEN_NEW")->text(), QStringLiteral("New dictionary\tCtrl+N"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }
};

QTEST_MAIN(TestShippedLanguages)
#include "TestShippedLanguages.moc"
