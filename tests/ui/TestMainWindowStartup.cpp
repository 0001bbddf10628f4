#include "MainWindowFixture.h"
#include "app/Environment.h"
#include "app/Storage.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"

#include <QFile>
#include <QMenu>

using lexaro::Environment;
using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::TestEnvironment;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Start-up with storage, settings and command line, and the orderly end that writes the settings.
class TestMainWindowStartup : public QObject {
    Q_OBJECT

private slots:
    void settingsSurviveAQuitAndRestart() {
        MainWindowFixture f;
        const Environment environment = TestEnvironment(f.folder);
        const auto storage = lexaro::PrepareStorage(environment, *f.clock);
        QVERIFY(!storage.settingsPath.empty());
        const QString dictionary = f.Path("words.lxd");

        f.window->Start(storage, {}, environment.currentDirectory);
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
        f.Add("house", "Haus");
        f.Add("tree", "Baum");
        f.Add("water", "Wasser");
        QVERIFY(f.window->Files().SaveFile(dictionary));
        f.SearchFor("house");
        f.SearchFor("tree");
        f.SearchFor("water");
        f.Action("ID_MEN_DATE")->trigger();
        f.Action("ID_MEN_HIGHLIGHTING")->trigger();
        QVERIFY(f.window->close());

        const QByteArray ini = ReadAll(QString::fromStdString(storage.settingsPath.string()));
        QVERIFY(ini.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n"));
        QVERIFY(ini.contains("  <ShowDate>1</ShowDate>\r\n"));
        QVERIFY(ini.contains("  <EnableHighlighting>0</EnableHighlighting>\r\n"));
        // The history, newest first in the term box, is written from its last entry to its first.
        QVERIFY(ini.contains("  <SearchWords>house</SearchWords>\r\n  <SearchWords>tree</SearchWords>\r\n"
                             "  <SearchWords>water</SearchWords>\r\n"));
        QVERIFY(ini.contains(("  <Recent>" + dictionary + "</Recent>\r\n").toUtf8()));

        MainWindowFixture g;
        g.window->Start(storage, {dictionary.toStdString()}, environment.currentDirectory);
        QCOMPARE(g.window->CurrentPath(), dictionary);
        QCOMPARE(g.window->Engine().Entries().RowCount(), 3);
        QVERIFY(g.Action("ID_MEN_DATE")->isChecked());
        QVERIFY(!g.Action("ID_MEN_HIGHLIGHTING")->isChecked());
        QCOMPARE(g.window->Entries().SearchHistory(), (QStringList{"water", "tree", "house"}));
        QCOMPARE(g.window->findChild<QMenu*>("ID_MEN_RECENT")->actions().front()->text(), dictionary);
    }

    void startDictionaryOpensWithoutArgumentsAndUnknownFilesAreRefused() {
        MainWindowFixture f;
        const Environment environment = TestEnvironment(f.folder);
        const auto storage = lexaro::PrepareStorage(environment, *f.clock);
        const QString dictionary = f.Path("start.lxd");
        f.Add("tree", "Baum");
        QVERIFY(f.window->Files().SaveFile(dictionary));
        QFile ini(QString::fromStdString(storage.settingsPath.string()));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <StartDictionary>" +
                   dictionary.toUtf8() + "</StartDictionary>\r\n</InitFile>\r\n"));
        ini.close();

        MainWindowFixture g;
        g.prompter.Expect(PromptAnswer::Ok);
        g.window->Start(storage, {f.Path("notes.txt").toStdString()}, environment.currentDirectory);
        QVERIFY(g.prompter.LastText().contains(QStringLiteral("notes.txt")));
        QCOMPARE(g.window->CurrentPath(), dictionary);
    }

    void separatedTextOpensAndSavesWithTheSeparatorOfTheOptions() {
        MainWindowFixture f;
        const Environment environment = TestEnvironment(f.folder);
        const auto storage = lexaro::PrepareStorage(environment, *f.clock);
        QFile ini(QString::fromStdString(storage.settingsPath.string()));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <Separator>,</Separator>\r\n"
                  "</InitFile>\r\n");
        ini.close();
        f.window->Start(storage, {}, environment.currentDirectory);
        f.Add("house", "Haus;Heim");
        QVERIFY(f.window->Files().SaveFile(f.Path("out.csv")));
        f.window->Files().OpenFile(f.Path("out.csv"));
        QCOMPARE(f.window->Engine().Entries().GetCell(1, 0), std::string("Haus;Heim"));
        QCOMPARE(ReadAll(f.Path("out.csv")).left(16), QByteArray("house,Haus;Heim,"));
    }

    void autoSafeSavesABoundDictionaryWithoutAsking() {
        MainWindowFixture f;
        const Environment environment = TestEnvironment(f.folder);
        const auto storage = lexaro::PrepareStorage(environment, *f.clock);
        QFile ini(QString::fromStdString(storage.settingsPath.string()));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <AutoSafe>1</AutoSafe>\r\n</InitFile>\r\n");
        ini.close();
        f.window->Start(storage, {}, environment.currentDirectory);
        const QString dictionary = f.Path("auto.lxd");
        f.Add("house", "Haus");
        QVERIFY(f.window->Files().SaveFile(dictionary));
        f.Add("tree", "Baum");
        QVERIFY(f.window->close());
        QVERIFY(ReadAll(dictionary).contains("Baum"));
        QCOMPARE(f.prompter.Asked(), 0);
    }
};

QTEST_MAIN(TestMainWindowStartup)
#include "TestMainWindowStartup.moc"
