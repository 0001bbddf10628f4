#include "AppTestSupport.h"
#include "app/Settings.h"
#include "table/InitFileDocument.h"

#include <gtest/gtest.h>

using namespace lexaro;
using lexaro::test::ReadBytes;
using lexaro::test::SettingsFileText;
using lexaro::test::TempFolder;
using lexaro::test::WriteBytes;

namespace {

const FontValues kBaseFont{"Sans", 0, -12, 0};
const FontValues kDesktopFont{"DejaVu Sans", 1, -13, 34};

SettingsReadContext EveryFileExists() {
    SettingsReadContext context;
    context.fonts = FontSettings(kBaseFont, kDesktopFont);
    context.fileExists = [](const std::string&) { return true; };
    return context;
}

// A value different from its default wherever the type allows it.
Settings Changed() {
    Settings s;
    s.startDictionary = "/home/u/W\xC3\xB6rter.lxd";
    s.autoSafe = true;
    s.clipWatch = true;
    s.trayIcon = true;
    s.showDate = true;
    s.clearOnEntryAdd = false;
    s.termLengthMin = 2;
    s.termLengthMax = 0;
    s.trainInterval = 2500;
    s.trainMultiChoices = 5;
    s.checksumType = 3;
    s.trainMultiChoice = true;
    s.trainCutAddExpls = false;
    s.separator = "|";
    s.enableHighlighting = false;
    s.highlightColor = 255;
    s.highlightColor2 = 16711680;
    s.enableHyperlinks = false;
    s.charset = -1;
    s.trainingRandom = true;
    s.trainingBoth = true;
    s.showTitle = false;
    s.searchSubstring = false;
    s.multiDelete = true;
    s.doAutoAdd = true;
    s.autoAddSeparator = " / ";
    s.noMultiTerms = false;
    s.translator = "#";
    s.limitMaxResults = true;
    s.numMaxResults = 25;
    s.wildcard = "?";
    s.fonts = FontSettings(kBaseFont, kDesktopFont);
    s.fonts.SetUseFontHeight(true);
    s.fonts.Rebuild();
    s.winPos.rect = {10, 20, 810, 620};
    s.winPosMassData = {1, 2, 3, 4};
    s.winPosOverView = kMaximisedDialogRect;
    s.winPosTraining = {-5, 0, 100, 50};
    s.languageName = "Deutsch";
    s.noLanguageChosen = false;
    s.presetTerm = "Haus";
    s.presetExplanation = "house\r\nbuilding";
    s.addDictionaries = {"/d/a.lxd", "/d/b.lxd"};
    s.searchWords = {"A", "B", "C"};
    s.recent = {"/r/1.lxd", "/r/2.csv"};
    s.deactivate = true;
    s.folderHomeBase = "/opt/lexaro/";
    s.folderAppDir = "/home/u/.config/Corvane/Lexaro/";
    s.reviewRetention = 85;
    s.reviewMaxInterval = 365;
    s.reviewNewCards = 5;
    s.reviewBoth = true;
    s.reviewReminder = false;
    return s;
}

const std::string kChangedFile =
    SettingsFileText("  <StartDictionary>/home/u/W\xC3\xB6rter.lxd</StartDictionary>\r\n"
                     "  <AutoSafe>1</AutoSafe>\r\n"
                     "  <AlwaysOnTop>0</AlwaysOnTop>\r\n"
                     "  <ClipWatch>1</ClipWatch>\r\n"
                     "  <ClipFront>0</ClipFront>\r\n"
                     "  <TrayIcon>1</TrayIcon>\r\n"
                     "  <ShowDate>1</ShowDate>\r\n"
                     "  <ClearOnEntryAdd>0</ClearOnEntryAdd>\r\n"
                     "  <TermLengthMin>2</TermLengthMin>\r\n"
                     "  <TermLengthMax>0</TermLengthMax>\r\n"
                     "  <TrainInterval>2500</TrainInterval>\r\n"
                     "  <ChecksumType>3</ChecksumType>\r\n"
                     "  <TrainMultiChoices>5</TrainMultiChoices>\r\n"
                     "  <TrainMultiChoice>1</TrainMultiChoice>\r\n"
                     "  <TrainCutAddExpls>0</TrainCutAddExpls>\r\n"
                     "  <Separator>|</Separator>\r\n"
                     "  <EnableHighlighting>0</EnableHighlighting>\r\n"
                     "  <HighlightColor>255</HighlightColor>\r\n"
                     "  <HighlightColor2>16711680</HighlightColor2>\r\n"
                     "  <EnableHyperlinks>0</EnableHyperlinks>\r\n"
                     "  <Charset>-1</Charset>\r\n"
                     "  <TrainingRandom>1</TrainingRandom>\r\n"
                     "  <TrainingSwap>0</TrainingSwap>\r\n"
                     "  <TrainingBoth>1</TrainingBoth>\r\n"
                     "  <ShowTitle>0</ShowTitle>\r\n"
                     "  <TrainShowTitle>1</TrainShowTitle>\r\n"
                     "  <SearchSubstring>0</SearchSubstring>\r\n"
                     "  <SearchViceVersa>1</SearchViceVersa>\r\n"
                     "  <MultiDelete>1</MultiDelete>\r\n"
                     "  <DoAutoAdd>1</DoAutoAdd>\r\n"
                     "  <AutoAddSeparator> / </AutoAddSeparator>\r\n"
                     "  <NoMultiTerms>0</NoMultiTerms>\r\n"
                     "  <Translator>#</Translator>\r\n"
                     "  <LimitMaxResults>1</LimitMaxResults>\r\n"
                     "  <NumMaxResults>25</NumMaxResults>\r\n"
                     "  <Wildcard>?</Wildcard>\r\n"
                     "  <UseBuildInFont>0</UseBuildInFont>\r\n"
                     "  <UseFontSettings>1</UseFontSettings>\r\n"
                     "  <UseFontHeight>1</UseFontHeight>\r\n"
                     "  <FontDefName>DejaVu Sans</FontDefName>\r\n"
                     "  <FontDefCharset>1</FontDefCharset>\r\n"
                     "  <FontDefHeight>-13</FontDefHeight>\r\n"
                     "  <FontDefPitch>34</FontDefPitch>\r\n"
                     "  <RememberPos>1</RememberPos>\r\n"
                     "  <WinPos>10;20;810;620</WinPos>\r\n"
                     "  <WinPos_MassData>1;2;3;4</WinPos_MassData>\r\n"
                     "  <WinPos_OverView>0;0;-1;-1</WinPos_OverView>\r\n"
                     "  <WinPos_Translator>0;0;0;0</WinPos_Translator>\r\n"
                     "  <WinPos_Training>-5;0;100;50</WinPos_Training>\r\n"
                     "  <WinPos_TrainingSmall>0;0;0;0</WinPos_TrainingSmall>\r\n"
                     "  <LanguageName>Deutsch</LanguageName>\r\n"
                     "  <m_acPresetTerm>Haus</m_acPresetTerm>\r\n"
                     "  <m_acPresetExplanation>house\r\nbuilding</m_acPresetExplanation>\r\n"
                     "  <AddDictionary>/d/a.lxd</AddDictionary>\r\n"
                     "  <AddDictionary>/d/b.lxd</AddDictionary>\r\n"
                     "  <SearchWords>C</SearchWords>\r\n"
                     "  <SearchWords>B</SearchWords>\r\n"
                     "  <SearchWords>A</SearchWords>\r\n"
                     "  <Recent>/r/1.lxd</Recent>\r\n"
                     "  <Recent>/r/2.csv</Recent>\r\n"
                     "  <Deactivate>1</Deactivate>\r\n"
                     "  <SpeakReviewQuestion>1</SpeakReviewQuestion>\r\n"
                     "  <SpeakReviewAnswer>1</SpeakReviewAnswer>\r\n"
                     "  <FolderHomeBase>/opt/lexaro/</FolderHomeBase>\r\n"
                     "  <FolderAppDir>/home/u/.config/Corvane/Lexaro/</FolderAppDir>\r\n"
                     "  <ReviewRetention>85</ReviewRetention>\r\n"
                     "  <ReviewMaxInterval>365</ReviewMaxInterval>\r\n"
                     "  <ReviewNewCards>5</ReviewNewCards>\r\n"
                     "  <ReviewBoth>1</ReviewBoth>\r\n"
                     "  <ReviewReminder>0</ReviewReminder>\r\n");

void ExpectDefaults(const Settings& s) {
    EXPECT_EQ(s.startDictionary, "");
    EXPECT_FALSE(s.autoSafe || s.alwaysOnTop || s.clipWatch || s.clipFront || s.trayIcon || s.showDate);
    EXPECT_TRUE(s.clearOnEntryAdd);
    EXPECT_TRUE(s.enableHighlighting);
    EXPECT_TRUE(s.enableHyperlinks);
    EXPECT_EQ(s.separator, ";");
    EXPECT_EQ(s.wildcard, "*");
    EXPECT_EQ(s.autoAddSeparator, ", ");
    EXPECT_EQ(s.translator, "\"");
    EXPECT_EQ(s.charset, 65001);
    EXPECT_EQ(s.termLengthMin, 1);
    EXPECT_EQ(s.termLengthMax, 20);
    EXPECT_EQ(s.trainInterval, 4000);
    EXPECT_EQ(s.trainMultiChoices, 4);
    EXPECT_EQ(s.checksumType, 0);
    EXPECT_EQ(s.numMaxResults, 10);
    EXPECT_FALSE(s.limitMaxResults);
    EXPECT_TRUE(s.searchSubstring && s.searchViceVersa && s.noMultiTerms);
    EXPECT_FALSE(s.doAutoAdd || s.multiDelete);
    EXPECT_EQ(s.highlightColor, 0x880000);
    EXPECT_EQ(s.highlightColor2, 0x8800);
    EXPECT_TRUE(s.trainCutAddExpls && s.showTitle && s.trainShowTitle && s.rememberPos);
    EXPECT_TRUE(s.noLanguageChosen);
    EXPECT_EQ(s.languageFile, "/prog/lang_Current.xml");
    EXPECT_FALSE(s.fonts.UseBuildInFont());
    EXPECT_TRUE(s.fonts.UseFontSettings());
    EXPECT_FALSE(s.fonts.UseFontHeight());
    EXPECT_EQ(s.fonts.Working(), (FontValues{"DejaVu Sans", 1, -12, 34})) << "the desktop face on the base height";
    EXPECT_FALSE(s.winPos.maximised);
    EXPECT_FALSE(ShouldApplyWindowRect(s.winPos.rect));
    EXPECT_EQ(s.winPosTraining, Rect{});
    EXPECT_TRUE(s.recent.empty() && s.addDictionaries.empty() && s.searchWords.empty());
    EXPECT_FALSE(s.deactivate);
}

} // namespace

TEST(SettingsFile, WritesEveryKeyInTheFileOrder) {
    TempFolder folder;
    ASSERT_TRUE(SaveSettings(folder / "Lexaro.ini", Changed()));
    EXPECT_EQ(ReadBytes(folder / "Lexaro.ini"), kChangedFile);
}

TEST(SettingsFile, ReadsBackWhatItWrote) {
    TempFolder folder;
    WriteBytes(folder / "Lexaro.ini", kChangedFile);
    Settings read;
    ASSERT_TRUE(LoadSettings(folder / "Lexaro.ini", EveryFileExists(), read));
    EXPECT_EQ(read.searchWords, (std::vector<std::string>{"A", "B", "C"})) << "the history comes back top first";
    EXPECT_EQ(read.presetExplanation, "house\r\nbuilding");
    EXPECT_EQ(read.charset, -1) << "the locale's code page is never stored in its place";
    EXPECT_FALSE(read.noLanguageChosen);
    EXPECT_EQ(read.winPosOverView, kMaximisedDialogRect);

    EXPECT_EQ(read.folderAppDir, "") << "the folders are written for others, never read";
    read.folderHomeBase = "/opt/lexaro/";
    read.folderAppDir = "/home/u/.config/Corvane/Lexaro/";
    ASSERT_TRUE(SaveSettings(folder / "again.ini", read));
    EXPECT_EQ(ReadBytes(folder / "again.ini"), kChangedFile);
}

TEST(SettingsFile, MissingEmptyOrBrokenFilesGiveTheDefaults) {
    TempFolder folder;
    SettingsReadContext context = EveryFileExists();
    context.currentLanguageFile = "/prog/lang_Current.xml";
    WriteBytes(folder / "empty.ini", "");
    WriteBytes(folder / "nodeclaration.ini", "<InitFile>\r\n  <ClearOnEntryAdd>0</ClearOnEntryAdd>\r\n</InitFile>\r\n");
    WriteBytes(folder / "noroot.ini", "<?xml version=\"1.0\"?>\r\n<InitFile>\r\n  <Charset>1252</Charset>\r\n");
    WriteBytes(folder / "bare.ini", SettingsFileText(""));

    for (const char* name : {"missing.ini", "empty.ini", "nodeclaration.ini", "noroot.ini"}) {
        SCOPED_TRACE(name);
        Settings s = Changed();
        EXPECT_FALSE(LoadSettings(folder / name, context, s));
        ExpectDefaults(s);
    }
    Settings bare;
    EXPECT_TRUE(LoadSettings(folder / "bare.ini", context, bare));
    ExpectDefaults(bare);
}

TEST(SettingsFile, AnotherRootNameSurvivesWhenTheDocumentIsKept) {
    TempFolder folder;
    WriteBytes(folder / "Lexaro.ini", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Config>\r\n"
                                      "  <AutoSafe>1</AutoSafe>\r\n</Config>\r\n");
    InitFileDocument document(InitFileForm::Element);
    Settings s;
    ASSERT_TRUE(LoadSettings(folder / "Lexaro.ini", EveryFileExists(), s, document));
    EXPECT_TRUE(s.autoSafe);
    ASSERT_TRUE(SaveSettings(folder / "Lexaro.ini", s, document));
    const std::string written = ReadBytes(folder / "Lexaro.ini");
    EXPECT_TRUE(written.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Config>\r\n  <StartDictionary>"));
    EXPECT_TRUE(written.ends_with("</Config>\r\n"));
}

TEST(SettingsFile, AValueThatCannotReadBackIsLeftOutAndTheRestIsWritten) {
    TempFolder folder;
    Settings s = Changed();
    s.searchWords = {"house", "tree</SearchWords>", std::string("nul\0byte", 8), "a<Recent>/x</Recent>", "water"};
    s.presetTerm = "<AutoSafe>0</AutoSafe>";
    s.startDictionary = "/d/</InitFile>.lxd";
    // Markup that is no settings key is kept, as is every other byte.
    s.presetExplanation = "<add_exp><exp_pos>a & b</exp_pos></add_exp>\r\n\"quoted\" <b>";
    s.recent = {"/d/<c>.lxd"};
    ASSERT_TRUE(SaveSettings(folder / "Lexaro.ini", s));

    Settings read;
    ASSERT_TRUE(LoadSettings(folder / "Lexaro.ini", EveryFileExists(), read));
    EXPECT_EQ(read.searchWords, (std::vector<std::string>{"house", "water"}));
    EXPECT_EQ(read.presetTerm, "");
    EXPECT_EQ(read.startDictionary, "");
    EXPECT_EQ(read.presetExplanation, s.presetExplanation);
    EXPECT_EQ(read.recent, s.recent);
    EXPECT_TRUE(read.autoSafe);
    EXPECT_EQ(read.addDictionaries, s.addDictionaries);
}
