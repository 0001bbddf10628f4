#include "DataFolderFixture.h"
#include "TestData.h"

#include <QAccessible>
#include <QFile>
#include <QtTest>

using namespace lexaro::testing;

// The main window's sign and arrow buttons are named for screen readers in the interface language.
class TestMainWindowButtonNames : public QObject {
    Q_OBJECT

    static QString Spoken(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }

private slots:
    void signButtonsAreNamedFromTheLanguageFile() {
        MainWindowFixture f;
        QCOMPARE(Spoken(f.Button("m_BTNAdd")), QStringLiteral("Add/modify this entry"));
        QCOMPARE(Spoken(f.Button("m_BTNNext")), QStringLiteral("Move to next entry"));
        QCOMPARE(Spoken(f.Button("m_BTNClose")), QStringLiteral("Quit"));
        QVERIFY(!Spoken(f.Button("m_BTNMinimize")).isEmpty());
    }

    void theyFollowTheLanguageChosen() {
        DataFolderFixture f;
        QFile german(QStringLiteral(LEXARO_SOURCE_DIR "/resources/lang_German.xml"));
        QVERIFY(german.open(QIODevice::ReadOnly));
        f.Write("lang_German.xml", german.readAll());
        f.Write("Languages.ini", "LanguageDefault=\"Deutsch\"\r\nLanguageName=\"Deutsch\"\r\n"
                                 "LanguageFile=\"lang_German.xml\"\r\n");
        f.Start();
        QCOMPARE(Spoken(f.Button("m_BTNAdd")), QStringLiteral("Diesen Eintrag hinzufügen/ändern"));
        QCOMPARE(Spoken(f.Button("m_BTNDelete")), QStringLiteral("Diesen Eintrag löschen"));
        QCOMPARE(Spoken(f.Button("m_BTNLast")), QStringLiteral("Zum vorherigen Eintrag"));
        QCOMPARE(f.Button("m_BTNLast")->toolTip(), QStringLiteral("Zum vorherigen Eintrag"));
        QCOMPARE(Spoken(f.Button("m_BTNClose")), QStringLiteral("Beenden"));
        QCOMPARE(Spoken(f.Button("m_BTNMinimize")), QStringLiteral("Minimieren"));
    }
};

QTEST_MAIN(TestMainWindowButtonNames)
#include "TestMainWindowButtonNames.moc"
