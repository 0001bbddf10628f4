#include "MainWindowFixture.h"
#include "app/Environment.h"
#include "app/Storage.h"
#include "ui/tools/MassDataDlg.h"
#include "ui/dialogs/OptionsDlg.h"
#include "ui/tools/PropertiesDlg.h"
#include "widgets/LargeTextEdit.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using namespace lexaro;
using namespace lexaro::testing;

// The font chosen in the Options, as the settings file keeps it, on the main window and the tool windows.
class TestUserFont : public QObject {
    Q_OBJECT

    static bool HasSerif19(const QWidget* widget) {
        return widget != nullptr && widget->font().family() == QStringLiteral("DejaVu Serif") &&
               widget->font().pixelSize() == 19;
    }

    // Starts the window on a settings file that stores a 19-pixel serif font.
    static void StartWithSerif(MainWindowFixture& f) {
        const Environment environment = TestEnvironment(f.folder);
        const auto storage = PrepareStorage(environment, *f.clock);
        QFile ini(QString::fromStdString(storage.settingsPath.string()));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n"
                  "  <UseFontHeight>1</UseFontHeight>\r\n  <FontDefName>DejaVu Serif</FontDefName>\r\n"
                  "  <FontDefCharset>0</FontDefCharset>\r\n  <FontDefHeight>-19</FontDefHeight>\r\n"
                  "  <FontDefPitch>0</FontDefPitch>\r\n</InitFile>\r\n");
        ini.close();
        f.window->Start(storage, {}, environment.currentDirectory);
    }

private slots:
    void storedFontReachesTheMainWindowAndTheToolWindows() {
        MainWindowFixture f;
        StartWithSerif(f);
        QVERIFY(HasSerif19(f.TermBox()));
        QVERIFY(HasSerif19(f.Button("m_BTNSearch")));
        QVERIFY(HasSerif19(f.Pane()));
        QVERIFY(HasSerif19(f.DateLine()));
        // The add and delete buttons keep their big signs.
        QCOMPARE(f.Button("m_BTNAdd")->font().pixelSize(), 20);
        QVERIFY(f.Button("m_BTNAdd")->font().bold());

        f.Add("house", "Haus");
        bool seen = false;
        WhenOpen<CMassDataDlg>([&seen](CMassDataDlg& dialog) {
            seen = HasSerif19(dialog.findChild<CLargeTextEdit*>("m_EDTText"));
            dialog.reject();
        });
        f.Action("ID_MEN_MASSEDIT")->trigger();
        QVERIFY(seen);

        seen = false;
        WhenOpen<CPropertiesDlg>([&seen](CPropertiesDlg& dialog) {
            seen = HasSerif19(dialog.findChild<QLineEdit*>("m_EDTWordCount"));
            dialog.accept();
        });
        f.Action("ID_MEN_PROPERTIES")->trigger();
        QVERIFY(seen);
    }

    void resetInTheOptionsReturnsToTheApplicationFont() {
        MainWindowFixture f;
        StartWithSerif(f);
        bool serifInOptions = false;
        WhenOpen<COptionsDlg>([&serifInOptions](COptionsDlg& dialog) {
            serifInOptions = dialog.font().family() == QStringLiteral("DejaVu Serif");
            dialog.findChild<QPushButton*>("m_BTNFontReset")->click();
            dialog.findChild<QPushButton*>("m_BTNOk")->click();
        });
        f.Action("ID_MEN_OPTIONS")->trigger();
        QVERIFY(serifInOptions);
        const QFont application = QApplication::font();
        QCOMPARE(f.TermBox()->font().family(), application.family());
        QCOMPARE(f.Pane()->font().family(), application.family());
        QCOMPARE(QFontInfo(f.TermBox()->font()).pixelSize(), QFontInfo(application).pixelSize());
    }
};

QTEST_MAIN(TestUserFont)
#include "TestUserFont.moc"
