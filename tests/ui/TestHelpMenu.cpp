#include "DataFolderFixture.h"
#include "app/HelpFiles.h"

#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <utility>

using lexaro::testing::DataFolderFixture;

namespace {

bool InHelpMenu(const DataFolderFixture& f, const char* name) {
    return f.window->findChild<QMenu*>("ID_MEN_HELPMENU")->actions().contains(f.Action(name));
}

QByteArray ShippedFile(const char* name) {
    QFile file(QString::fromStdString((std::filesystem::path(LEXARO_BUILD_DIR) / name).string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The section anchors and the links to them, in page order: the outline every guide shares.
QStringList Outline(const QByteArray& page) {
    QStringList anchors;
    static const QRegularExpression anchor(QStringLiteral("(?:id|href)=\"#?([^\"]+)\""));
    for (const QRegularExpressionMatch& match : anchor.globalMatch(QString::fromUtf8(page))) {
        anchors << match.captured(1);
    }
    return anchors;
}

} // namespace

// The "?" menu: help page, licence, change notes, update page and info box.
class TestHelpMenu : public QObject {
    Q_OBJECT

private slots:
    void helpOpensThePageOfTheLanguageInUse() {
        DataFolderFixture f;
        f.Write("Lexaro_English.html", "<html></html>");
        f.Write("Lexaro_German.html", "<html></html>");
        f.Write("Languages.ini", "LanguageDefault=\"Deutsch\"\r\n"
                                 "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                                 "LanguageName=\"Dansk\"\r\nLanguageFile=\"lang_Danish.xml\"\r\n");
        f.Write("lang_German.xml", "FrmMain.ID_MEN_HELP=\"Hilfe\\tF1\"\r\n");
        f.Write("lang_Danish.xml", "FrmMain.ID_MEN_HELP=\"Hjælp\\tF1\"\r\n");
        f.Start();
        f.Action("ID_MEN_HELP")->trigger();
        QCOMPARE(f.opened, QStringList{f.DataUrl("Lexaro_German.html")});

        // Without a page of its own a language gets the English page, and so do the built-in texts.
        f.window->Texts().LoadLanguageFile(f.data / "lang_Danish.xml");
        f.Action("ID_MEN_HELP")->trigger();
        QCOMPARE(f.opened.last(), f.DataUrl("Lexaro_English.html"));
        f.window->Texts().Clear();
        f.Action("ID_MEN_HELP")->trigger();
        QCOMPARE(f.opened.last(), f.DataUrl("Lexaro_English.html"));
        QCOMPARE(f.Action("ID_MEN_HELP")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void theShippedGermanAndFrenchGuidesOpenInTheirInterfaces() {
        DataFolderFixture f;
        for (const char* name : {"lang_German.xml", "lang_French.xml", "Lexaro_English.html", "Lexaro_German.html",
                                 "Lexaro_French.html"}) {
            const QByteArray bytes = ShippedFile(name);
            QVERIFY2(!bytes.isEmpty(), name);
            f.Write(name, bytes);
        }
        f.Write("Languages.ini", "LanguageDefault=\"Deutsch\"\r\n"
                                 "LanguageName=\"Deutsch\"\r\nLanguageFile=\"lang_German.xml\"\r\n"
                                 "LanguageName=\"Français\"\r\nLanguageFile=\"lang_French.xml\"\r\n");
        f.Start();
        QCOMPARE(f.Action("ID_MEN_HELP")->text().section('\t', 0, 0), QStringLiteral("Hilfe"));
        f.Action("ID_MEN_HELP")->trigger();
        QCOMPARE(f.opened.last(), f.DataUrl("Lexaro_German.html"));

        f.window->Texts().LoadLanguageFile(f.data / "lang_French.xml");
        f.Action("ID_MEN_HELP")->trigger();
        QCOMPARE(f.opened.last(), f.DataUrl("Lexaro_French.html"));

        // Each guide is written in its language and has every section of the English one, in the same order.
        const QStringList english = Outline(ShippedFile("Lexaro_English.html"));
        QVERIFY(english.size() > 20);
        for (const auto& [name, language] : {std::pair{"Lexaro_German.html", "<html lang=\"de\">"},
                                             std::pair{"Lexaro_French.html", "<html lang=\"fr\">"}}) {
            const QByteArray page = ShippedFile(name);
            QVERIFY2(page.contains(language), name);
            QCOMPARE(Outline(page), english);
        }
    }

    void licenceAndChangeNotesOpenWhenTheyArePresent() {
        DataFolderFixture f;
        f.Write("License.txt", "MIT");
        f.Write("ReadMe.txt", "notes");
        f.Start();
        QVERIFY(InHelpMenu(f, "ID_MEN_LICENSE"));
        QVERIFY(InHelpMenu(f, "ID_MEN_README"));
        f.Action("ID_MEN_LICENSE")->trigger();
        f.Action("ID_MEN_README")->trigger();
        f.Action("ID_MEN_CHECKUPDATE")->trigger();
        QCOMPARE(f.opened.size(), 3);
        QCOMPARE(f.opened[0], f.DataUrl("License.txt"));
        QCOMPARE(f.opened[1], f.DataUrl("ReadMe.txt"));
        QCOMPARE(f.opened[2], QString::fromStdString(lexaro::UpdateAddress()));
        QVERIFY(f.opened[2].endsWith("?lang=ENG&progvers=2.580"));
        // Files and the update page open without the question asked for unknown links.
        QCOMPARE(f.prompter.Asked(), 0);
    }

    void aPageTheDesktopCannotOpenIsReportedInTheLanguageInUse() {
        DataFolderFixture f;
        f.Write("Lexaro_English.html", "<html></html>");
        f.Write("License.txt", "MIT");
        f.Write("lang_German.xml", "FrmMain.m_acTOpenFailed=\"Nicht ge\xC3\xB6"
                                   "ffnet:\"\r\n");
        f.Start();
        f.window->Texts().LoadLanguageFile(f.data / "lang_German.xml");
        f.desktopOpens = false;
        f.prompter.Expect(lexaro::PromptAnswer::Ok);
        f.Action("ID_MEN_HELP")->trigger();
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Nicht ge\u00F6ffnet:\n") +
                                            QString::fromStdString((f.data / "Lexaro_English.html").string()));
        // The licence and the links of the pane go the same way.
        f.prompter.Expect(lexaro::PromptAnswer::Ok);
        f.Action("ID_MEN_LICENSE")->trigger();
        f.prompter.Expect(lexaro::PromptAnswer::Ok);
        emit f.Pane()->OpenLink(QStringLiteral("https://example.org/"));
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Nicht ge\u00F6ffnet:\nhttps://example.org/"));
        QVERIFY(f.prompter.Done());
        QCOMPARE(f.opened.size(), 3);
    }

    void missingTextsTakeTheirItemsOutOfTheMenu() {
        DataFolderFixture f;
        f.Write("License.txt", "MIT");
        f.Start();
        QVERIFY(InHelpMenu(f, "ID_MEN_LICENSE"));
        QVERIFY(!InHelpMenu(f, "ID_MEN_README"));
        QVERIFY(!InHelpMenu(f, "ID_MEN_CHECKUPDATE"));
        QVERIFY(InHelpMenu(f, "ID_MEN_HELP"));
        QVERIFY(InHelpMenu(f, "ID_MEN_INFO"));

        DataFolderFixture g;
        g.Write("ReadMe.txt", "notes");
        g.Start();
        QVERIFY(!InHelpMenu(g, "ID_MEN_LICENSE"));
        QVERIFY(InHelpMenu(g, "ID_MEN_README"));
        QVERIFY(InHelpMenu(g, "ID_MEN_CHECKUPDATE"));
    }

    void theBuildTreeFindsItsOwnDataFiles() {
        const std::filesystem::path programFolder = LEXARO_BUILD_DIR;
        QCOMPARE(lexaro::DataFolder(programFolder), programFolder);
        for (const char* name : {"Languages.ini", "License.txt", "ReadMe.txt", "Lexaro_English.html",
                                 "Lexaro_German.html", "Lexaro_French.html", "Lexaro_guide.css"}) {
            QVERIFY2(std::filesystem::is_regular_file(programFolder / name), name);
        }
    }
};

QTEST_MAIN(TestHelpMenu)
#include "TestHelpMenu.moc"
