#include "MainWindowFixture.h"

using lexaro::PromptAnswer;
using lexaro::testing::MainWindowFixture;

// The explanation pane inside the main window: cross references, links and the view toggles.
class TestMainWindowPane : public QObject {
    Q_OBJECT

private slots:
    void crossReferenceLooksTheTermUp() {
        MainWindowFixture f;
        f.Add("house", "Haus");
        emit f.Pane()->CrossReference(QStringLiteral("house"));
        QCOMPARE(f.TermBox()->currentText(), QStringLiteral("house"));
        QCOMPARE(f.Pane()->PaneText(), QStringLiteral("[house]\r\nHaus"));
    }

    void webLinksOpenAtOnceOtherLinksOnlyAfterAYes() {
        MainWindowFixture f;
        emit f.Pane()->OpenLink(QStringLiteral("https://example.org/"));
        QCOMPARE(f.opened, QStringList{"https://example.org/"});
        f.prompter.Expect(PromptAnswer::No);
        emit f.Pane()->OpenLink(QStringLiteral("file:///usr/bin/xterm"));
        QVERIFY(f.prompter.LastText().contains(QStringLiteral("file:///usr/bin/xterm")));
        QCOMPARE(f.opened.size(), 1);
        f.prompter.Expect(PromptAnswer::Yes);
        emit f.Pane()->OpenLink(QStringLiteral("file:///tmp/notes.txt"));
        QCOMPARE(f.opened.size(), 2);
    }

    void highlightingAndHyperlinksFollowTheirMenuChecks() {
        MainWindowFixture f;
        QVERIFY(f.Pane()->IsColouring());
        f.Action("ID_MEN_HIGHLIGHTING")->trigger();
        QVERIFY(!f.Pane()->IsColouring());
        QVERIFY(!f.Action("ID_MEN_HIGHLIGHTING")->isChecked());
        f.Action("ID_MEN_HYPERLINKS")->trigger();
        QVERIFY(!f.Pane()->IsHyperlinks());
        f.Action("ID_MEN_HYPERLINKS")->trigger();
        QVERIFY(f.Pane()->IsHyperlinks());
    }
};

QTEST_MAIN(TestMainWindowPane)
#include "TestMainWindowPane.moc"
