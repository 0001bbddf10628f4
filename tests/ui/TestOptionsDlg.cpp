#include "DialogDriver.h"
#include "MainWindowFixture.h"
#include "app/Autostart.h"
#include "ui/dialogs/OptionsDlg.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>

using lexaro::COptionsDlg;
using lexaro::PromptAnswer;
using lexaro::Settings;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::WhenShown;

namespace {

// The Options window over a settings copy, with the autostart entry in the test's own folder.
struct OptionsFixture {
    MainWindowFixture f;
    Settings settings;
    std::filesystem::path autostart = std::filesystem::path(f.folder.path().toStdString()) / "autostart";
    std::vector<lexaro::InstalledDictionary> found;
    std::unique_ptr<COptionsDlg> dialog;

    void Open() {
        dialog = std::make_unique<COptionsDlg>(lexaro::ToolWindowContext{f.window->Texts(), f.prompter, f.chooser},
                                               settings, "/opt/lexaro/lexaro", autostart, found);
    }
    QLineEdit* Edit(const char* name) const { return dialog->findChild<QLineEdit*>(name); }
    QCheckBox* Check(const char* name) const { return dialog->findChild<QCheckBox*>(name); }
    QPushButton* Button(const char* name) const { return dialog->findChild<QPushButton*>(name); }
    QComboBox* Charset() const { return dialog->findChild<QComboBox*>("m_CBBCharset"); }
    bool Ok() {
        Button("m_BTNOk")->click();
        return dialog->result() == QDialog::Accepted;
    }
};

} // namespace

class TestOptionsDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The main window looks for the autostart entry under the configuration folder.
        QVERIFY(m_Config.isValid());
        qputenv("XDG_CONFIG_HOME", m_Config.path().toUtf8());
    }

    void okWithoutChangesGivesBackEverySetting() {
        OptionsFixture o;
        o.settings.searchSubstring = false;
        o.settings.searchViceVersa = true;
        o.settings.startDictionary = "/data/words.lxd";
        o.settings.clipWatch = true;
        o.settings.clipFront = true;
        o.settings.trainInterval = 2500;
        o.settings.charset = -1;
        o.settings.autoAddSeparator = " / ";
        o.settings.addDictionaries = {"/a.lxd", "/b.lxd"};
        o.settings.speakReviewAnswer = false;
        o.Open();
        QVERIFY(o.Check("m_CHKNoSubstring")->isChecked());
        QVERIFY(o.Check("m_CHKSpeakReviewQuestion")->isChecked() && !o.Check("m_CHKSpeakReviewAnswer")->isChecked());
        QVERIFY(!o.Check("m_CHKNoViceVersa")->isChecked());
        QCOMPARE(o.Charset()->currentText(), QStringLiteral("System"));
        QVERIFY(o.Ok());
        const Settings& r = o.dialog->Result();
        QVERIFY(!r.searchSubstring);
        QVERIFY(r.searchViceVersa);
        QCOMPARE(r.startDictionary, std::string("/data/words.lxd"));
        QVERIFY(r.clipWatch && r.clipFront);
        QCOMPARE(r.trainInterval, 2500);
        QCOMPARE(r.charset, -1);
        QCOMPARE(r.autoAddSeparator, std::string(" / "));
        QCOMPARE(r.addDictionaries, (std::vector<std::string>{"/a.lxd", "/b.lxd"}));
        QVERIFY(r.speakReviewQuestion && !r.speakReviewAnswer);
        QCOMPARE(r.numMaxResults, o.settings.numMaxResults);
        QCOMPARE(r.wildcard, o.settings.wildcard);
        QCOMPARE(r.translator, o.settings.translator);
        QCOMPARE(r.separator, o.settings.separator);
        QVERIFY(!lexaro::IsAutostartOn(o.autostart));
    }

    void reviewOptionsAreShownAndTakenBack() {
        OptionsFixture o;
        o.settings.reviewRetention = 85;
        o.settings.reviewBoth = true;
        o.Open();
        auto* retention = o.dialog->findChild<QSpinBox*>("m_EDTReviewRetention");
        QCOMPARE(retention->value(), 85);
        QCOMPARE(retention->minimum(), 70);
        QCOMPARE(retention->maximum(), 99);
        o.dialog->findChild<QSpinBox*>("m_EDTReviewMaxInterval")->setValue(365);
        o.dialog->findChild<QSpinBox*>("m_EDTReviewNewCards")->setValue(0);
        o.Check("m_CHKReviewReminder")->setChecked(false);
        QVERIFY(o.Ok());
        const Settings& r = o.dialog->Result();
        QCOMPARE(r.reviewRetention, 85);
        QCOMPARE(r.reviewMaxInterval, 365);
        QCOMPARE(r.reviewNewCards, 0);
        QVERIFY(r.reviewBoth && !r.reviewReminder);
    }

    void trainingValuesOutsideTheirRangeBecomeTheDefaults_data() {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<int>("storedInterval");
        QTest::addColumn<int>("storedChoices");
        QTest::newRow("below") << "50"
                               << "1" << 4000 << 4;
        QTest::newRow("above") << "70000"
                               << "7" << 4000 << 4;
        QTest::newRow("lowest") << "100"
                                << "2" << 100 << 2;
        QTest::newRow("highest") << "60000"
                                 << "6" << 60000 << 6;
        QTest::newRow("no number") << "fast"
                                   << "x" << 4000 << 4;
    }
    void trainingValuesOutsideTheirRangeBecomeTheDefaults() {
        QFETCH(QString, interval);
        QFETCH(QString, choices);
        OptionsFixture o;
        o.Open();
        o.Edit("m_EDTTrainInterval")->setText(interval);
        o.Edit("m_EDTTrainMultiChoices")->clear();
        QTest::keyClicks(o.Edit("m_EDTTrainMultiChoices"), choices + "9");
        QCOMPARE(o.Edit("m_EDTTrainMultiChoices")->text(), choices);
        o.Edit("m_EDTTermLengthMin")->setText("abc");
        QVERIFY(o.Ok());
        QTEST(o.dialog->Result().trainInterval, "storedInterval");
        QTEST(o.dialog->Result().trainMultiChoices, "storedChoices");
        QCOMPARE(o.dialog->Result().termLengthMin, 0);
    }

    void theCharsetIsReadFromItsTextsAndAnUnusableOneIsRefused() {
        OptionsFixture o;
        o.Open();
        QCOMPARE(o.Charset()->currentText(), QStringLiteral("UTF-8"));
        o.Charset()->setEditText("1252");
        QVERIFY(o.Ok());
        QCOMPARE(o.dialog->Result().charset, 1252);

        o.settings.charset = 1252;
        o.Open();
        o.Charset()->setEditText("UTF8");
        QVERIFY(o.Ok());
        QCOMPARE(o.dialog->Result().charset, 65001);

        // "utf" names no code page: saving with it would ruin the text.
        o.Open();
        o.Charset()->setEditText("utf");
        o.f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(!o.Ok());
        QVERIFY(o.f.prompter.Done());
        QVERIFY(o.f.prompter.LastText().contains("utf"));
        QCOMPARE(o.dialog->Result().charset, 1252);
        o.Charset()->setEditText("System");
        QVERIFY(o.Ok());
        QCOMPARE(o.dialog->Result().charset, -1);

        // The refusal speaks the interface language.
        QVERIFY(o.f.window->Texts().LoadLanguageFile(LEXARO_SOURCE_DIR "/resources/lang_German.xml"));
        o.Open();
        o.Charset()->setEditText("utf");
        o.f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(!o.Ok());
        QCOMPARE(o.f.prompter.LastText(), QStringLiteral("Dieser Zeichensatz kann nicht verwendet werden: utf"));
    }

    void watchClipboardControlsShowWindow() {
        OptionsFixture o;
        o.Open();
        QVERIFY(!o.Check("m_CHKClipboardFront")->isEnabled());
        o.Check("m_CHKClipboard")->click();
        QVERIFY(o.Check("m_CHKClipboardFront")->isEnabled());
        o.Check("m_CHKClipboardFront")->click();
        o.Check("m_CHKClipboard")->click();
        QVERIFY(!o.Check("m_CHKClipboardFront")->isEnabled());
        QVERIFY(!o.Check("m_CHKClipboardFront")->isChecked());
        QVERIFY(o.Ok());
        QVERIFY(!o.dialog->Result().clipWatch);
        QVERIFY(!o.dialog->Result().clipFront);
    }

    void aDictionaryFoundOnThisComputerIsAddedByChoosingIt() {
        OptionsFixture o;
        o.settings.addDictionaries = {"/one.lxd"};
        o.found = {{"/usr/share/dictd/eng-deu.index", "English - German"}, {"/x/dic/fr.ifo", "Fran\u00e7ais"}};
        o.Open();
        auto* found = o.dialog->findChild<QComboBox*>("m_CBBFoundDict");
        QCOMPARE(found->count(), 3);
        QCOMPARE(found->itemText(2), QStringLiteral("Fran\u00e7ais"));
        found->activated(2);
        QCOMPARE(found->currentIndex(), 0);
        QVERIFY(o.Ok());
        QCOMPARE(o.dialog->Result().addDictionaries, (std::vector<std::string>{"/one.lxd", "/x/dic/fr.ifo"}));
    }

    void theDictionaryListKeepsWhatIsLeftInOrder() {
        OptionsFixture o;
        o.settings.addDictionaries = {"/one.lxd", "/two.lxd", "/three.lxd"};
        o.Open();
        auto* list = o.dialog->findChild<QTreeWidget*>("m_LISAddDict");
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
        list->topLevelItem(0)->setSelected(true);
        list->topLevelItem(2)->setSelected(true);
        o.Button("m_BTNSubDict")->click();
        o.f.chooser.Expect(lexaro::ChosenFile{"/four.lxd", 0});
        o.Button("m_BTNAddDict")->click();
        o.f.chooser.Expect(std::nullopt);
        o.Button("m_BTNAddDict")->click();
        o.f.chooser.Expect(lexaro::ChosenFile{"/start.lxd", 0});
        o.Button("m_BTNStartDict")->click();
        QVERIFY(o.Ok());
        QCOMPARE(o.dialog->Result().addDictionaries, (std::vector<std::string>{"/two.lxd", "/four.lxd"}));
        QCOMPARE(o.dialog->Result().startDictionary, std::string("/start.lxd"));

        o.settings = o.dialog->Result();
        o.Open();
        o.Button("m_BTNClearDict")->click();
        QVERIFY(o.Ok());
        QVERIFY(o.dialog->Result().addDictionaries.empty());
        QVERIFY(o.f.chooser.Done());
    }

    void runOnStartupWritesAndRemovesTheAutostartEntryButNeverRewritesIt() {
        OptionsFixture o;
        o.Open();
        QVERIFY(!o.Check("m_CHKAutoStart")->isChecked());
        o.Check("m_CHKAutoStart")->setChecked(true);
        QVERIFY(o.Ok());
        QVERIFY(lexaro::IsAutostartOn(o.autostart));

        const QString entry = QString::fromStdString((o.autostart / lexaro::kAutostartFileName).string());
        QFile edited(entry);
        QVERIFY(edited.open(QIODevice::WriteOnly));
        edited.write("[Desktop Entry]\nExec=lexaro --mine\n");
        edited.close();
        o.Open();
        QVERIFY(o.Check("m_CHKAutoStart")->isChecked());
        QVERIFY(o.Ok());
        QVERIFY(edited.open(QIODevice::ReadOnly));
        QCOMPARE(edited.readAll(), QByteArray("[Desktop Entry]\nExec=lexaro --mine\n"));
        edited.close();

        o.Open();
        o.Check("m_CHKAutoStart")->setChecked(false);
        o.Button("m_BTNCancel")->click();
        QVERIFY(lexaro::IsAutostartOn(o.autostart));
        o.Open();
        o.Check("m_CHKAutoStart")->setChecked(false);
        QVERIFY(o.Ok());
        QVERIFY(!QFile::exists(entry));
    }

    void anAutostartEntryThatCannotBeWrittenIsReported() {
        OptionsFixture o;
        // A file where the autostart folder should be: the entry can be neither written nor removed.
        QFile blocker(QString::fromStdString(o.autostart.string()));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        o.Open();
        o.Check("m_CHKAutoStart")->setChecked(true);
        o.f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(o.Ok());
        QVERIFY(o.f.prompter.Done());
        QVERIFY(o.f.prompter.LastText().contains(QString::fromLatin1(lexaro::kAutostartFileName)));
        QVERIFY(!lexaro::IsAutostartOn(o.autostart));
    }

    void theMainWindowTakesTheNewSettingsAndOffersTheNewStartDictionary() {
        MainWindowFixture f;
        const QString start = f.Path("start.lxd");
        f.Add("tree", "Baum");
        QVERIFY(f.window->Files().SaveFile(start));
        f.window->Files().NewDictionary();
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));

        WhenShown<COptionsDlg>([&](COptionsDlg& dialog) {
            dialog.findChild<QLineEdit*>("m_EDTStartDict")->setText(start);
            dialog.findChild<QCheckBox*>("m_CHKNoSubstring")->setChecked(true);
            dialog.findChild<QCheckBox*>("m_CHKAutoSave")->setChecked(true);
            dialog.findChild<QCheckBox*>("m_CHKClipboard")->setChecked(true);
            dialog.findChild<QCheckBox*>("m_CHKClipboardFront")->setChecked(true);
            dialog.findChild<QCheckBox*>("m_CHKForeground")->setChecked(true);
            dialog.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.prompter.Expect(PromptAnswer::Yes);
        f.Action("ID_MEN_OPTIONS")->trigger();
        QVERIFY(f.prompter.Done());
        QCOMPARE(f.prompter.LastText(),
                 QStringLiteral("Start dictionary has been changed. Shall the new dictionary be loaded now?"));
        QCOMPARE(f.window->CurrentPath(), start);
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        QCOMPARE(f.window->CurrentSettings().startDictionary, start.toStdString());
        QVERIFY(!f.window->Engine().SearchSubstring());
        QVERIFY(f.window->CurrentSettings().autoSafe);
        QVERIFY(f.Action("ID_MENTRAY_ACTIVATE")->isChecked());
        QVERIFY(f.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // Cancel keeps everything; an unchanged start dictionary asks nothing.
        WhenShown<COptionsDlg>([&](COptionsDlg& dialog) {
            dialog.findChild<QLineEdit*>("m_EDTStartDict")->setText("/elsewhere.lxd");
            dialog.findChild<QPushButton*>("m_BTNCancel")->click();
        });
        f.Action("ID_MEN_OPTIONS")->trigger();
        QCOMPARE(f.window->CurrentSettings().startDictionary, start.toStdString());

        WhenShown<COptionsDlg>([&](COptionsDlg& dialog) {
            dialog.findChild<QLineEdit*>("m_EDTStartDict")->setText(f.Path("other.lxd"));
            dialog.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.prompter.Expect(PromptAnswer::No);
        f.Action("ID_MEN_OPTIONS")->trigger();
        QVERIFY(f.prompter.Done());
        QCOMPARE(f.window->CurrentPath(), start);
        QCOMPARE(f.window->CurrentSettings().startDictionary, f.Path("other.lxd").toStdString());
    }

private:
    QTemporaryDir m_Config;
};

QTEST_MAIN(TestOptionsDlg)
#include "TestOptionsDlg.moc"
