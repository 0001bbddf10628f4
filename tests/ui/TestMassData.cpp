#include "ToolWindowFixture.h"
#include "ui/tools/MassDataDlg.h"
#include "widgets/LargeTextEdit.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace lexaro;
using namespace lexaro::testing;

class TestMassData : public QObject {
    Q_OBJECT

    static CLargeTextEdit* Field(QDialog& d) { return d.findChild<CLargeTextEdit*>("m_EDTText"); }
    static QString TextOf(QDialog& d) { return QString::fromStdString(Field(d)->Text()); }
    static void Click(QDialog& d, const char* name) { d.findChild<QPushButton*>(name)->click(); }

private slots:
    // An explanation holding the separator is announced when the editor opens and survives OK without a change;
    // no entry gets a new date.
    void editWithoutChangesKeepsEveryEntryAsItWas() {
        ToolWindowFixture f;
        f.Add("house", "das Haus", "2001-01-01 00:00:00");
        f.Add("home", "Zuhause; Heim", "2002-02-02 00:00:00");
        f.Add("tree", "der Baum");
        f.engine.Entries().SetModified(false);
        CMassDataDlg dialog(f.Context(), f.engine, false, ";", false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Enter mass data"));
        QCOMPARE(TextOf(dialog), QStringLiteral("house;das Haus;\nhome;Zuhause; Heim;\ntree;der Baum;\n"));
        QCOMPARE(dialog.findChild<QLabel*>("m_LBLLines")->text(), QStringLiteral("4"));
        QCOMPARE(dialog.findChild<QLabel*>("m_LBLHint")->text(),
                 QStringLiteral("Hint: Term and explanation must have a ';' at the end. E.g: Term1;This is the "
                                "explanation; ."));
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Field(dialog));
        QCOMPARE(field->text(QAccessible::Name), dialog.windowTitle());
        QCOMPARE(field->text(QAccessible::Description), dialog.findChild<QLabel*>("m_LBLHint")->text());
        f.prompter.Expect(PromptAnswer::Cancel);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(f.prompter.LastText().startsWith(
            QStringLiteral("The text cannot show every entry as it is: in 1 of them a field holds the separator ';' or "
                           "begins with a line break (the first: 'home').")));
        f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(dialog.ConfirmOpening());
        Click(dialog, "m_BTNOk");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.Rows(), 3);
        QCOMPARE(f.Cell(1, 1), std::string("Zuhause; Heim"));
        QCOMPARE(f.Cell(2, 0), std::string("2001-01-01 00:00:00"));
        QCOMPARE(f.Cell(2, 2), std::string());
        QVERIFY(!f.engine.Entries().IsModified());
        QVERIFY(f.prompter.Done());

        // A changed text stamps only what changed, and Undo brings the old entries back.
        CMassDataDlg edit(f.Context(), f.engine, false, ";", false);
        Field(edit)->SetText("house;das Haus;\ntree;der Baum!;\n");
        Click(edit, "m_BTNOk");
        QCOMPARE(f.Rows(), 2);
        QCOMPARE(f.Cell(2, 0), std::string("2001-01-01 00:00:00"));
        QCOMPARE(f.Cell(2, 1), std::string("2024-03-05 09:04:01"));
        QVERIFY(f.engine.UndoChanges(0));
        QCOMPARE(f.Rows(), 3);
        QCOMPARE(f.Cell(1, 1), std::string("Zuhause; Heim"));
    }

    // A faulty text is not applied before the user says so; otherwise the caret goes to the faulty line.
    void okAsksBeforeApplyingAFaultyText() {
        ToolWindowFixture f;
        CMassDataDlg dialog(f.Context(), f.engine, true, ";", false);
        Field(dialog)->SetText("shoe;Schuh;\nhouse\ntree;Baum;\n");
        f.prompter.Expect(PromptAnswer::No);
        Click(dialog, "m_BTNOk");
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Error detected on line 2 ('house')!\nApply the text anyway? "
                                                       "(Otherwise the editor goes to that line.)"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.Rows(), 0);
        QCOMPARE(Field(dialog)->Cursor().line, 1);
        f.prompter.Expect(PromptAnswer::Yes);
        Click(dialog, "m_BTNOk");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.Rows(), 2);
        QCOMPARE(f.Cell(0, 1), std::string("house\ntree"));
        QVERIFY(f.prompter.Done());
    }

    void datesAreTypedAndCancelChangesNothing() {
        ToolWindowFixture f;
        f.Add("a", "b", "2007-03-05 09:04:01");
        {
            CMassDataDlg dialog(f.Context(), f.engine, false, ";", true);
            QCOMPARE(TextOf(dialog), QStringLiteral("a;b;2007-03-05 09:04:01;\n"));
            Field(dialog)->SetText("");
            Click(dialog, "m_BTNCancel");
            QCOMPARE(f.Rows(), 1);
        }
        CMassDataDlg dialog(f.Context(), f.engine, false, ";", true);
        Click(dialog, "m_BTNOk");
        QCOMPARE(f.Rows(), 1);
        QCOMPARE(f.Cell(2, 0), std::string("2007-03-05 09:04:01"));
    }

    void addModeAppends() {
        ToolWindowFixture f;
        f.Add("old", "alt", "2001-01-01 00:00:00");
        CMassDataDlg dialog(f.Context(), f.engine, true, ";", false);
        QVERIFY(TextOf(dialog).isEmpty());
        Field(dialog)->SetText("x;first line\nsecond line;\na;b");
        Click(dialog, "m_BTNOk");
        QCOMPARE(f.Rows(), 3);
        QCOMPARE(f.Cell(0, 0), std::string("old"));
        QCOMPARE(f.Cell(1, 1), std::string("first line\nsecond line"));
        QCOMPARE(f.Cell(2, 1), std::string("2024-03-05 09:04:01"));
        QCOMPARE(f.Cell(0, 2), std::string("a"));
        QCOMPARE(f.Cell(2, 2), std::string());
    }

    // A no-break space and a CR LF inside an explanation survive editing unchanged; the count follows each key.
    void fieldKeepsEveryCharacterAndCountsTheLinesAsTyped() {
        ToolWindowFixture f;
        f.Add("a\xC2\xA0"
              "b",
              "first\r\nsecond", "2001-01-01 00:00:00");
        CMassDataDlg dialog(f.Context(), f.engine, false, ";", true);
        auto* count = dialog.findChild<QLabel*>("m_LBLLines");
        QCOMPARE(count->text(), QStringLiteral("3"));
        QTest::keyClick(Field(dialog), Qt::Key_Return);
        QCOMPARE(count->text(), QStringLiteral("4"));
        QTest::keyClick(Field(dialog), Qt::Key_Backspace);
        QCOMPARE(count->text(), QStringLiteral("3"));
        Click(dialog, "m_BTNOk");
        QCOMPARE(f.Rows(), 1);
        QCOMPARE(f.Cell(0, 0), std::string("a\xC2\xA0"
                                           "b"));
        QCOMPARE(f.Cell(1, 0), std::string("first\r\nsecond"));
        QCOMPARE(f.Cell(2, 0), std::string("2001-01-01 00:00:00"));
    }

    void errorCheckReportsLinesAndGotoFindsThem() {
        ToolWindowFixture f;
        CMassDataDlg dialog(f.Context(), f.engine, true, ";", false);
        Field(dialog)->SetText("shoe;Schuh;\nhouse ;Haus;\nno separator\nhome;Heim;\n");
        f.prompter.Expect(PromptAnswer::Ok);
        f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(dialog.CheckForErrors());
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Error detected on line 3 ('no separator')!"));
        QVERIFY(f.prompter.Done());

        dialog.findChild<QCheckBox*>("m_CHKSingleLines")->setChecked(true);
        f.prompter.Expect(PromptAnswer::Cancel);
        dialog.findChild<QAction*>("ID_MEN_ERRORCHECK")->trigger();
        QCOMPARE(f.prompter.Asked(), 3); // Cancel ended the check at the first line
        QCOMPARE(Field(dialog)->Cursor().line, 1);
        f.prompter.Expect(PromptAnswer::Ok);
        f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(dialog.CheckForErrors());
        QCOMPARE(f.prompter.LastText(), QStringLiteral("Error detected on line 3 ('no separator')!"));

        Field(dialog)->SetText("a;b;\n\nc;d;\n");
        f.prompter.Expect(PromptAnswer::Ok);
        QVERIFY(dialog.CheckForErrors());
        QCOMPARE(f.prompter.LastText(), QStringLiteral("No errors found."));
        // Ctrl+E typed in the field runs the check too: the field leaves it to the window.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Field(dialog)->setFocus();
        const int asked = f.prompter.Asked();
        f.prompter.Expect(PromptAnswer::Ok);
        QTest::keyClick(Field(dialog), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(f.prompter.Asked(), asked + 1);
        QVERIFY(f.prompter.Done());
        QCOMPARE(Field(dialog)->Text(), std::string("a;b;\n\nc;d;\n"));

        Field(dialog)->SetText("shoe;Schuh;\nhouse;Haus;\nhome;Heim;\n");
        auto* text = dialog.findChild<QLineEdit*>("m_EDTGoto");
        text->setText(QStringLiteral("ho*"));
        Click(dialog, "m_BTNGoto");
        QCOMPARE(Field(dialog)->Cursor().line, 1);
        Click(dialog, "m_BTNGoto");
        QCOMPARE(Field(dialog)->Cursor().line, 2);
        text->setText(QStringLiteral("ho"));
        Click(dialog, "m_BTNGoto");
        QCOMPARE(Field(dialog)->Cursor().line, 0);

        // The caret goes where the found line's text first stands, here inside the line before it.
        Field(dialog)->SetText("ahome;Heim;\nhome;Heim;\n");
        text->setText(QStringLiteral("home*"));
        Click(dialog, "m_BTNGoto");
        QCOMPARE(Field(dialog)->Cursor(), (TextPos{0, 1}));
        QVERIFY(f.prompter.Done());
    }
};

QTEST_MAIN(TestMassData)
#include "TestMassData.moc"
