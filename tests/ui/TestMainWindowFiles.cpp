#include "MainWindowFixture.h"
#include "ProgressWatcher.h"
#include "app/PortablePayload.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"

#include <QFile>
#include <QMenu>
#include <QMimeData>

using lexaro::ChosenFile;
using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;
using lexaro::testing::ProgressWatcher;

namespace {

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

QStringList RecentPaths(MainWindowFixture& f) {
    QStringList paths;
    for (QAction* action : f.window->findChild<QMenu*>("ID_MEN_RECENT")->actions()) {
        if (action->isSeparator()) {
            break;
        }
        paths << action->text();
    }
    return paths;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// Creating, opening, saving and backing up dictionaries, and the recent list.
class TestMainWindowFiles : public QObject {
    Q_OBJECT

private slots:
    void saveAsBindsTheFileAndOpenReadsItBack() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        const QString path = f.Path("words.lxd");
        f.chooser.Expect(ChosenFile{ToPath(path), 0});
        ProgressWatcher progress;
        f.Action("ID_MEN_SAVE")->trigger();
        QVERIFY(f.chooser.Done());
        QVERIFY(QFile::exists(path));
        QCOMPARE(f.window->CurrentPath(), path);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lexaro - words.lxd : 1 [1]"));
        QVERIFY(!f.window->Engine().Entries().IsModified());

        MainWindowFixture g;
        g.window->Files().OpenFile(path);
        QCOMPARE(g.window->Engine().Entries().RowCount(), 1);
        QCOMPARE(g.window->CurrentPath(), path);
        QCOMPARE(RecentPaths(g), QStringList{path});
        // Both ran under the progress window, which had come to its end when it closed.
        QCOMPARE(progress.titles, (QStringList{"Saving dictionary...", "Opening dictionary..."}));
        QCOMPARE(progress.value, progress.maximum);
    }

    void failedSaveKeepsTheChangesAndSaysWhichFile() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        const QString path = f.Path("missing-folder/words.lxd");
        f.chooser.Expect(ChosenFile{ToPath(path), 0});
        f.prompter.Expect(PromptAnswer::Ok);
        f.Action("ID_MEN_SAVEAS")->trigger();
        QVERIFY(f.prompter.LastText().contains(path));
        QVERIFY(f.prompter.LastText().contains(QStringLiteral("No such file or directory"))); // the reason
        QVERIFY(f.window->Engine().Entries().IsModified());
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
    }

    void saveAsCsvSaysHowManyEntriesHoldTheSeparator() {
        MainWindowFixture f;
        f.Add("home", "Heim; Zuhause");
        f.chooser.Expect(ChosenFile{ToPath(f.Path("words.csv")), 0});
        f.prompter.Expect(PromptAnswer::Cancel);
        f.Action("ID_MEN_SAVEAS")->trigger();
        QVERIFY(f.prompter.LastText().startsWith(QStringLiteral("Entries holding the separator ';': 1.")));
        QVERIFY(!QFile::exists(f.Path("words.csv")));
    }

    void openingWithChangesAsksAndCancelledSaveStopsTheOpen() {
        MainWindowFixture f;
        const QString other = f.Path("other.lxd");
        f.Add("tree", "Baum");
        QVERIFY(f.window->Files().SaveFile(other));
        f.window->Files().OpenFile(f.Path("none.lxd"));
        f.Add("house", "Haus");

        f.prompter.Expect(PromptAnswer::Yes);
        f.chooser.Expect(std::nullopt);
        f.window->Files().OpenFile(other);
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));

        f.prompter.Expect(PromptAnswer::No);
        f.window->Files().OpenFile(other);
        QCOMPARE(f.window->CurrentPath(), other);
        QCOMPARE(QString::fromStdString(f.window->Engine().Entries().GetCell(0, 0)), QStringLiteral("tree"));
        QVERIFY(f.prompter.Done());
        QVERIFY(f.chooser.Done());
    }

    void aStarDictCopyLeavesTheDictionaryBoundAndOpensAsANewOne() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        QVERIFY(f.window->Files().SaveFile(f.Path("words.lxd")));
        f.Add("tree", "Baum");
        const QString copy = f.Path("words.ifo");
        f.chooser.Expect(ChosenFile{ToPath(copy), 0});
        f.Action("ID_MEN_SAVEAS")->trigger();
        QVERIFY(QFile::exists(f.Path("words.dict.dz")));
        QCOMPARE(f.window->CurrentPath(), f.Path("words.lxd"));
        QVERIFY(f.window->Engine().Entries().IsModified());

        // Any file of the set dropped on the window opens it.
        MainWindowFixture g;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(f.Path("words.idx"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(g.window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(g.window.get(), &drop);
        QCOMPARE(g.window->Engine().Entries().RowCount(), 2);
        QCOMPARE(g.window->CurrentPath(), QStringLiteral("<noname>"));
        WriteFile(f.Path("words.idx"), "house");
        g.prompter.Expect(PromptAnswer::Ok);
        g.window->Files().OpenFile(copy);
        QVERIFY(g.prompter.LastText().contains(f.Path("words.idx") + QStringLiteral("': it holds 5 bytes")));
    }

    void partlyReadDictionaryIsNotBoundToItsFile() {
        MainWindowFixture f;
        const QString path = f.Path("broken.lxd");
        WriteFile(path, "<CT_ROWS>2</CT_ROWS><CT_COLUMNS>3</CT_COLUMNS>"
                        "<CT_R><CT_C=1>a</CT_C><CT_C=1>b</CT_C><CT_C=1>c</CT_C></CT_R>"
                        "<CT_R><CT_C=1>d</CT_C><CT_C=1>broken");
        f.prompter.Expect(PromptAnswer::Ok);
        f.window->Files().OpenFile(path);
        QVERIFY(f.prompter.LastText().contains(QStringLiteral("1 entries")));
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
        QVERIFY(RecentPaths(f).isEmpty());
    }

    void fileThatIsNoDictionaryIsRefusedBeforeTheSaveQuestion() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        WriteFile(f.Path("notes.csv"), "just some notes\n");
        f.prompter.Expect(PromptAnswer::Ok); // the refusal only: no question about saving
        f.window->Files().OpenFile(f.Path("notes.csv"));
        QVERIFY(f.prompter.Done() && f.prompter.LastText().contains(f.Path("notes.csv")));
        QCOMPARE(f.window->Engine().Entries().GetCell(1, 0), std::string("Haus"));
        QVERIFY(f.window->Engine().Entries().IsModified() && RecentPaths(f).isEmpty());
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
    }

    void unknownExtensionIsRefused() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        const QString path = f.Path("notes.txt");
        WriteFile(path, "x;y");
        f.prompter.Expect(PromptAnswer::Ok);
        f.window->Files().OpenFile(path);
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
    }

    void missingFileGivesAnEmptyNewDictionary() {
        MainWindowFixture f;
        f.window->Files().OpenFile(f.Path("gone.lxd"));
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
        QCOMPARE(f.window->Engine().Entries().RowCount(), 0);
        QCOMPARE(f.window->Engine().Entries().ColumnCount(), 3);
    }

    void csvImportAndHtmlExport() {
        MainWindowFixture f;
        const QString csv = f.Path("in.csv");
        WriteFile(csv, "house;Haus;2020-01-01 00:00:00\r\ntree;Baum;2020-01-02 00:00:00");
        f.window->Files().OpenFile(csv);
        QCOMPARE(f.window->Engine().Entries().RowCount(), 2);
        const QString html = f.Path("out.htm");
        QVERIFY(f.window->Files().SaveFile(html));
        QFile page(html);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("<TD>Baum</TD>"));
        QCOMPARE(RecentPaths(f), QStringList{csv}); // the page cannot be opened
    }

    void backupIsNamedAfterTheTimeAndOnlyForDictionaries() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        const QString path = f.Path("words.lxd");
        QVERIFY(f.window->Files().SaveFile(path));
        f.clock->now = {2019, 5, 22, 14, 30, 5};
        f.Action("ID_MEN_CREATEBACKUP")->trigger();
        QVERIFY(QFile::exists(f.Path("words_20190522-143005.lxd")));
        QVERIFY(f.window->Files().SaveFile(f.Path("words.csv")));
        f.Action("ID_MEN_CREATEBACKUP")->trigger();
        QVERIFY(!QFile::exists(f.Path("words_20190522-143005.csv")));
    }

    void recentListKeepsFifteenAndMovesReopenedToTop() {
        MainWindowFixture f;
        QStringList paths;
        for (int i = 0; i < 16; ++i) {
            paths << f.Path(QStringLiteral("d%1.lxd").arg(i));
            QVERIFY(f.window->Files().SaveFile(paths.back()));
        }
        QStringList recent = RecentPaths(f);
        QCOMPARE(recent.size(), 15);
        QCOMPARE(recent.front(), paths[15]);
        QVERIFY(!recent.contains(paths[0]));
        f.window->Files().OpenFile(paths[3]);
        recent = RecentPaths(f);
        QCOMPARE(recent.front(), paths[3]);
        QCOMPARE(recent.count(paths[3]), 1);

        f.Action("ID_MEN_DEACTIVATE")->trigger();
        f.window->Files().OpenFile(paths[5]);
        QCOMPARE(RecentPaths(f).front(), paths[3]);
        f.Action("ID_MEN_CLEAR")->trigger();
        QVERIFY(RecentPaths(f).isEmpty());
    }

    void recentItemOfADeletedFileDoesNothing() {
        MainWindowFixture f;
        const QString path = f.Path("a.lxd");
        f.Add("house", "Haus");
        QVERIFY(f.window->Files().SaveFile(path));
        f.window->Files().NewDictionary();
        QFile::remove(path);
        f.window->findChild<QMenu*>("ID_MEN_RECENT")->actions().front()->trigger();
        QCOMPARE(f.window->CurrentPath(), QStringLiteral("<noname>"));
    }

    void portableCopyCarriesTheDictionaryAndStartsWithIt() {
        MainWindowFixture f;
        const QString program = f.Path("lexaro-program");
        WriteFile(program, QByteArray(4096, '\x7f'));
        lexaro::StartupStorage storage;
        storage.programFile = ToPath(program);
        f.window->Start(storage, {}, ToPath(f.folder.path()));
        f.Add("house", "Haus");
        const QString copy = f.Path("portable");
        f.chooser.Expect(ChosenFile{ToPath(copy), 0});
        f.Action("ID_MEN_EXPORTEXE")->trigger();
        const auto payload = lexaro::CheckPortablePayload(ToPath(copy));
        QVERIFY(payload.has_value());
        QCOMPARE(payload->offset, std::uint64_t{4096});

        MainWindowFixture g;
        lexaro::StartupStorage portable;
        portable.programFile = ToPath(copy);
        portable.portable = payload;
        g.window->Start(portable, {"ignored.lxd"}, ToPath(g.folder.path()));
        QCOMPARE(g.window->Engine().Entries().RowCount(), 1);
        QCOMPARE(g.window->CurrentPath(), QStringLiteral("<noname>"));
        QVERIFY(!g.Action("ID_MEN_LANGUAGE")->isEnabled());
    }

    void droppedDictionaryIsOpened() {
        MainWindowFixture f;
        const QString path = f.Path("drop.lxd");
        f.Add("house", "Haus");
        QVERIFY(f.window->Files().SaveFile(path));
        f.window->Files().NewDictionary();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(f.Path("x.lxd"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.window.get(), &drop);
        QCOMPARE(f.window->CurrentPath(), path);
        QCOMPARE(f.window->Engine().Entries().RowCount(), 1);
    }
};

QTEST_MAIN(TestMainWindowFiles)
#include "TestMainWindowFiles.moc"
