#include "MainWindowFixture.h"
#include "app/Environment.h"
#include "app/Storage.h"
#include "table/SafeFile.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <sys/types.h>

using lexaro::Environment;
using lexaro::LexaroDlg;
using lexaro::MainWindowServices;
using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;
using namespace std::chrono_literals;

namespace {

constexpr int kProcessTimeout = 60000;

// A home with its own configuration folder, shared by the killed program and the one started after it.
struct TestHome {
    QTemporaryDir root;

    QString Config() const { return root.filePath("config"); }
    QString Folder() const { return root.filePath("config/Corvane/Lexaro"); }
    QString Recovery(const QString& name = "Recovery.lxd") const { return Folder() + '/' + name; }
    QString Dictionary() const { return root.filePath("words.lxd"); }

    Environment InProcess() const {
        Environment environment;
        const std::filesystem::path base = root.path().toStdString();
        std::filesystem::create_directories(base / "bin");
        environment.home = base;
        environment.xdgConfigHome = Config().toStdString();
        environment.commonDir = (base / "common").string();
        environment.programFile = base / "bin" / "lexaro";
        environment.currentDirectory = base;
        return environment;
    }

    // Starts the built program on the dictionary; its script adds the term (looked up, not found, the pane
    // typed over) and the copy follows soon after.
    void Start(QProcess& process, const QString& term) const {
        const QString script = root.filePath(term + ".script");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(("search " + term + "\nedit-pane Term not found. => new\ntrigger ID_MEN_ADD\n").toUtf8());
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", root.path());
        environment.insert("XDG_CONFIG_HOME", Config());
        environment.insert("LEXARO_COMMON_DIR", root.filePath("common"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LEXARO_RECOVERY_INTERVAL_MS", "100");
        environment.insert("LEXARO_SCRIPT", script);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(LEXARO_EXECUTABLE, {Dictionary()});
    }
};

QStringList Terms(LexaroDlg& window) {
    QStringList terms;
    const auto& entries = window.Engine().Entries();
    for (int row = 0; row < entries.RowCount(); ++row) {
        terms << QString::fromStdString(entries.PeekCell(lexaro::kTermColumn, row));
    }
    return terms;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void KillAndWait(QProcess& process) {
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    QVERIFY(process.waitForFinished(kProcessTimeout));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
}

} // namespace

// The recovery copy of an unsaved dictionary survives a killed program and comes back on the next start.
class TestRecovery : public QObject {
    Q_OBJECT

private:
    TestHome m_Home;

    // A killed program that had added "tree" to a saved dictionary holding "house".
    void CrashWithUnsavedTree() {
        QVERIFY(m_Home.root.isValid());
        {
            MainWindowFixture f;
            f.Add("house", "Haus");
            QVERIFY(f.window->Files().SaveFile(m_Home.Dictionary()));
        }
        QProcess program;
        m_Home.Start(program, "tree");
        QVERIFY(program.waitForStarted(kProcessTimeout));
        QTRY_VERIFY_WITH_TIMEOUT(ReadAll(m_Home.Recovery()).contains("tree"), kProcessTimeout);
        KillAndWait(program);
        QVERIFY(!ReadAll(m_Home.Dictionary()).contains("tree"));
    }

private slots:
    void init() {
        QDir(m_Home.root.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_Home.root.path()));
    }

    void yesRestoresTheUnsavedEntriesBoundToTheirFile() {
        CrashWithUnsavedTree();
        const Environment environment = m_Home.InProcess();
        MainWindowFixture f;
        f.prompter.Expect(PromptAnswer::Yes);
        f.window->Start(lexaro::PrepareStorage(environment, *f.clock), {}, environment.currentDirectory);
        QVERIFY(f.prompter.Done());
        QVERIFY(f.prompter.LastText().contains(m_Home.Dictionary()));

        QCOMPARE(Terms(*f.window), (QStringList{"house", "tree"}));
        QVERIFY(f.window->Engine().Entries().IsModified());
        QCOMPARE(f.window->CurrentPath(), m_Home.Dictionary());
        QVERIFY(QFile::exists(m_Home.Recovery())); // still the only copy of "tree" on disk

        f.window->Files().SaveDictionary();
        QVERIFY(ReadAll(m_Home.Dictionary()).contains("tree"));
        QVERIFY(!QFile::exists(m_Home.Recovery()));
        QVERIFY(!QFile::exists(m_Home.Recovery("Recovery.origin")));
    }

    void noKeepsTheCopyAsADatedBackup() {
        CrashWithUnsavedTree();
        const Environment environment = m_Home.InProcess();
        MainWindowFixture f;
        f.prompter.Expect(PromptAnswer::No);
        f.window->Start(lexaro::PrepareStorage(environment, *f.clock), {m_Home.Dictionary().toStdString()},
                        environment.currentDirectory);
        QVERIFY(f.prompter.Done());

        QCOMPARE(Terms(*f.window), QStringList{"house"});
        QVERIFY(!f.window->Engine().Entries().IsModified());
        QVERIFY(!QFile::exists(m_Home.Recovery()));
        QVERIFY(ReadAll(m_Home.Recovery("Recovery_20240305-090401.lxd")).contains("tree"));
        QVERIFY(ReadAll(m_Home.Recovery("Recovery_20240305-090401.origin")).contains("words.lxd"));

        // The backup is never offered again, and a quit leaves it alone.
        QVERIFY(f.window->close());
        MainWindowFixture g;
        g.window->Start(lexaro::PrepareStorage(environment, *g.clock), {}, environment.currentDirectory);
        QCOMPARE(g.prompter.Asked(), 0);
        QVERIFY(QFile::exists(m_Home.Recovery("Recovery_20240305-090401.lxd")));
    }

    void aSecondProgramLeavesTheFirstOnesCopyAlone() {
        QVERIFY(m_Home.root.isValid());
        QProcess first;
        m_Home.Start(first, "tree");
        QVERIFY(first.waitForStarted(kProcessTimeout));
        QTRY_VERIFY_WITH_TIMEOUT(ReadAll(m_Home.Recovery()).contains("tree"), kProcessTimeout);
        const QByteArray firstCopy = ReadAll(m_Home.Recovery());

        const Environment environment = m_Home.InProcess();
        MainWindowFixture f;
        f.window = std::make_unique<LexaroDlg>(
            MainWindowServices{&f.prompter, &f.chooser, f.clock, &f.clipboard, {}, {}, 50ms});
        f.window->Start(lexaro::PrepareStorage(environment, *f.clock), {}, environment.currentDirectory);
        QCOMPARE(f.prompter.Asked(), 0); // the running program's copy is not offered

        f.Add("moon", "Mond");
        QTRY_VERIFY_WITH_TIMEOUT(ReadAll(m_Home.Recovery("Recovery-2.lxd")).contains("moon"), 10000);
        QCOMPARE(ReadAll(m_Home.Recovery()), firstCopy);

        f.prompter.Expect(PromptAnswer::No); // quit without saving
        QVERIFY(f.window->close());
        QVERIFY(!QFile::exists(m_Home.Recovery("Recovery-2.lxd")));
        QCOMPARE(ReadAll(m_Home.Recovery()), firstCopy);
        KillAndWait(first);
    }
};

QTEST_MAIN(TestRecovery)
#include "TestRecovery.moc"
