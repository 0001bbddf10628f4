#include "AppTestSupport.h"
#include "app/RecentList.h"
#include "app/Settings.h"
#include "engine/EntryStore.h"
#include "table/InitFileDocument.h"

#include <gtest/gtest.h>

using namespace lexaro;
using lexaro::test::SettingsFileText;
using lexaro::test::TempFolder;
using lexaro::test::WriteBytes;

namespace {

// The settings of a document made of the given value lines.
Settings Read(const std::string& lines, SettingsReadContext context = {}) {
    InitFileDocument document(InitFileForm::Element);
    EXPECT_TRUE(document.ParseText(SettingsFileText(lines)));
    if (!context.fileExists) {
        context.fileExists = [](const std::string&) { return true; };
    }
    return ReadSettings(document, context);
}

// The first value of the key in the written file.
std::string Written(const Settings& settings, const std::string& key) {
    InitFileDocument document(InitFileForm::Element);
    WriteSettings(settings, document);
    return document.GetValue(0, key);
}

} // namespace

TEST(SettingsWindowPlacement, MaxMaximisesAndIsWrittenBack) {
    const Settings s = Read("  <WinPos>MAX</WinPos>\r\n");
    EXPECT_TRUE(s.winPos.maximised);
    EXPECT_EQ(Written(s, "WinPos"), "MAX");
}

TEST(SettingsWindowPlacement, OnlyAUsableRectangleIsApplied) {
    EXPECT_TRUE(ShouldApplyWindowRect(Read("  <WinPos>10;20;810;620</WinPos>\r\n").winPos.rect));
    EXPECT_FALSE(ShouldApplyWindowRect(Read("  <WinPos>10;20;10;620</WinPos>\r\n").winPos.rect)) << "zero width";
    EXPECT_FALSE(ShouldApplyWindowRect({0, 0, 100, 0})) << "zero height";
    EXPECT_FALSE(ShouldApplyWindowRect({-1, 0, 100, 100})) << "negative left";
    EXPECT_FALSE(ShouldApplyWindowRect({0, -1, 100, 100})) << "negative top";
    EXPECT_FALSE(ShouldApplyWindowRect({2000000000, 0, -2000000000, 10})) << "no overflow into a positive width";
    EXPECT_TRUE(ShouldApplyWindowRect({0, 0, 1, 1}));
    EXPECT_TRUE(IsMaximisedDialogRect(kMaximisedDialogRect));
    EXPECT_FALSE(ShouldApplyDialogRect(kMaximisedDialogRect));
    EXPECT_FALSE(ShouldApplyDialogRect(Rect{}));
    EXPECT_TRUE(ShouldApplyDialogRect({-300, -20, 100, 50})) << "a tool window may sit left of the first screen";
}

TEST(SettingsWindowPlacement, RectanglesAreScannedLikeScanf) {
    EXPECT_EQ(ScanRect("1;2;3;4"), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(ScanRect(" -1; +2;3;4junk"), (Rect{-1, 2, 3, 4}));
    EXPECT_EQ(ScanRect("10;20"), (Rect{10, 20, 0, 0})) << "missing fields stay 0";
    EXPECT_EQ(ScanRect("5 ;6;7;8"), (Rect{5, 0, 0, 0})) << "the separator follows the number directly";
    EXPECT_EQ(ScanRect("x;1;2;3"), Rect{});
    EXPECT_EQ(ScanRect("99999999999;0;1;1"), (Rect{2147483647, 0, 1, 1}));
    EXPECT_EQ(FormatRect({-5, 0, 100, 50}), "-5;0;100;50");
}

TEST(SettingsWindowPlacement, PositionsAndCaptionNeedRememberPos) {
    const std::string lines = "  <ShowTitle>0</ShowTitle>\r\n"
                              "  <RememberPos>0</RememberPos>\r\n"
                              "  <WinPos>MAX</WinPos>\r\n"
                              "  <WinPos_Translator>1;2;3;4</WinPos_Translator>\r\n";
    const Settings off = Read(lines);
    EXPECT_FALSE(off.winPos.maximised);
    EXPECT_EQ(off.winPosTranslator, Rect{});
    EXPECT_FALSE(HideCaptionAtStart(off)) << "the caption bar stays as it is";
    EXPECT_EQ(Written(off, "ShowTitle"), "0");

    const Settings on = Read("  <ShowTitle>0</ShowTitle>\r\n  <WinPos_Translator>1;2;3;4</WinPos_Translator>\r\n");
    EXPECT_TRUE(HideCaptionAtStart(on));
    EXPECT_EQ(on.winPosTranslator, (Rect{1, 2, 3, 4}));
}

TEST(SettingsValues, NumbersAndFlagsReadLikeTheCLibrary) {
    const Settings s = Read("  <TermLengthMin>abc</TermLengthMin>\r\n"
                            "  <TermLengthMax>12px</TermLengthMax>\r\n"
                            "  <AutoSafe>2</AutoSafe>\r\n"
                            "  <ClipWatch>1</ClipWatch>\r\n"
                            "  <ClearOnEntryAdd></ClearOnEntryAdd>\r\n"
                            "  <Separator></Separator>\r\n");
    EXPECT_EQ(s.termLengthMin, 0);
    EXPECT_EQ(s.termLengthMax, 12);
    EXPECT_FALSE(s.autoSafe) << "only 1 is true";
    EXPECT_TRUE(s.clipWatch);
    EXPECT_TRUE(s.clearOnEntryAdd) << "an empty value keeps the default";
    EXPECT_EQ(s.separator, ";");
}

TEST(SettingsValues, HighlightingAndHyperlinksOffStayOff) {
    const Settings s =
        Read("  <EnableHighlighting>0</EnableHighlighting>\r\n  <EnableHyperlinks>0</EnableHyperlinks>\r\n");
    EXPECT_FALSE(s.enableHighlighting);
    EXPECT_FALSE(s.enableHyperlinks);
    EXPECT_EQ(Written(s, "EnableHighlighting"), "0");
    EXPECT_EQ(Written(s, "EnableHyperlinks"), "0");
}

TEST(SettingsValues, TrainingValuesOutsideTheirRangesFallBack) {
    const Settings s = Read("  <TrainInterval>0</TrainInterval>\r\n"
                            "  <TrainMultiChoices>9</TrainMultiChoices>\r\n"
                            "  <ChecksumType>13</ChecksumType>\r\n");
    EXPECT_EQ(s.trainInterval, 4000);
    EXPECT_EQ(s.trainMultiChoices, 4);
    EXPECT_EQ(s.checksumType, 0);
    const Settings edges = Read("  <TrainInterval>60000</TrainInterval>\r\n"
                                "  <TrainMultiChoices>2</TrainMultiChoices>\r\n"
                                "  <ChecksumType>12</ChecksumType>\r\n");
    EXPECT_EQ(edges.trainInterval, 60000);
    EXPECT_EQ(edges.trainMultiChoices, 2);
    EXPECT_EQ(edges.checksumType, 12);
    EXPECT_EQ(CheckedTrainInterval(99), 4000);
    EXPECT_EQ(CheckedTrainMultiChoices(7), 4);
}

TEST(SettingsValues, ReviewOptionsKeepTheirRangesAndAreWritten) {
    const Settings s = Read("  <ReviewRetention>69</ReviewRetention>\r\n"
                            "  <ReviewMaxInterval>0</ReviewMaxInterval>\r\n"
                            "  <ReviewNewCards>-1</ReviewNewCards>\r\n");
    EXPECT_EQ(s.reviewRetention, 90);
    EXPECT_EQ(s.reviewMaxInterval, 36500);
    EXPECT_EQ(s.reviewNewCards, 20);
    const Settings edges = Read("  <ReviewRetention>99</ReviewRetention>\r\n"
                                "  <ReviewMaxInterval>1</ReviewMaxInterval>\r\n"
                                "  <ReviewNewCards>0</ReviewNewCards>\r\n"
                                "  <ReviewBoth>1</ReviewBoth>\r\n  <ReviewReminder>0</ReviewReminder>\r\n");
    EXPECT_EQ(Written(edges, "ReviewRetention"), "99");
    EXPECT_EQ(Written(edges, "ReviewMaxInterval"), "1");
    EXPECT_EQ(Written(edges, "ReviewNewCards"), "0");
    EXPECT_EQ(Written(edges, "ReviewBoth"), "1");
    EXPECT_EQ(Written(edges, "ReviewReminder"), "0");
}

TEST(SettingsValues, AnEmptyLanguageNameMeansNoneWasChosen) {
    for (const char* lines : {"", "  <LanguageName></LanguageName>\r\n"}) {
        Settings s = Read(lines);
        EXPECT_TRUE(s.noLanguageChosen);
        s.languageName = "Deutsch"; // the window's current language
        EXPECT_EQ(Written(s, "LanguageName"), "");
    }
    const Settings chosen = Read("  <LanguageName>Deutsch</LanguageName>\r\n");
    EXPECT_FALSE(chosen.noLanguageChosen);
    EXPECT_EQ(chosen.languageName, "Deutsch");
}

TEST(SettingsValues, TheOldLanguageFileKeyIsReadButNeverWritten) {
    SettingsReadContext context;
    context.currentLanguageFile = "/prog/lang_German.xml";
    EXPECT_EQ(Read("", context).languageFile, "/prog/lang_German.xml");
    Settings s = Read("  <m_acLanguageFile>/old/lang_French.xml</m_acLanguageFile>\r\n", context);
    EXPECT_EQ(s.languageFile, "/old/lang_French.xml");
    EXPECT_EQ(Written(s, "m_acLanguageFile"), "");
}

TEST(SettingsLists, HistoryIsStoredBottomFirst) {
    Settings s;
    s.searchWords = {"A", "B", "C"};
    InitFileDocument document(InitFileForm::Element);
    WriteSettings(s, document);
    EXPECT_EQ(document.GetValue(0, "SearchWords"), "C");
    EXPECT_EQ(document.GetValueNext("SearchWords"), "B");
    EXPECT_EQ(document.GetValueNext("SearchWords"), "A");
    EXPECT_EQ(ReadSettings(document, {}).searchWords, s.searchWords);
}

TEST(SettingsLists, AnEmptyItemDoesNotCutTheListShort) {
    Settings s;
    s.addDictionaries = {"/d/a.lxd", "", "/d/c.lxd"};
    s.searchWords = {"x", "", "y"};
    InitFileDocument document(InitFileForm::Element);
    WriteSettings(s, document);
    const Settings read = ReadSettings(document, {});
    EXPECT_EQ(read.addDictionaries, (std::vector<std::string>{"/d/a.lxd", "/d/c.lxd"}));
    EXPECT_EQ(read.searchWords, (std::vector<std::string>{"x", "y"}));
}

TEST(SettingsLists, RecentDropsFilesThatAreGone) {
    TempFolder folder;
    const std::string kept1 = (folder / "one.lxd").string();
    const std::string gone = (folder / "gone.lxd").string();
    const std::string kept2 = (folder / "two.csv").string();
    WriteBytes(kept1, "x");
    WriteBytes(kept2, "x");
    SettingsReadContext fileSystem;
    fileSystem.fileExists = nullptr;
    InitFileDocument document(InitFileForm::Element);
    document.ParseText(SettingsFileText("  <Recent>" + kept1 + "</Recent>\r\n  <Recent>" + gone +
                                        "</Recent>\r\n  <Recent>" + kept2 + "</Recent>\r\n"));
    EXPECT_EQ(ReadSettings(document, fileSystem).recent, (std::vector<std::string>{kept1, kept2}));
}

TEST(SettingsLists, RecentKeepsItsOrderWithoutDuplicatesAndAtMostFifteen) {
    std::string lines;
    for (int i = 1; i <= 16; ++i) {
        lines += "  <Recent>/f" + std::to_string(i) + "</Recent>\r\n";
    }
    lines += "  <Recent>/f2</Recent>\r\n";
    const std::vector<std::string> recent = Read(lines).recent;
    ASSERT_EQ(recent.size(), kMaxRecentPaths);
    EXPECT_EQ(recent.front(), "/f1");
    EXPECT_EQ(recent[1], "/f3") << "a repeated path moves to where it was read last";
    EXPECT_EQ(recent.back(), "/f2");
}

TEST(SettingsLists, AddRecentPathMovesAnOpenedFileToTheTop) {
    std::vector<std::string> list;
    for (int i = 1; i <= 15; ++i) {
        AddRecentPath(list, "/f" + std::to_string(i), true);
    }
    AddRecentPath(list, "/f16", true);
    ASSERT_EQ(list.size(), 15u);
    EXPECT_EQ(list.front(), "/f16");
    EXPECT_EQ(list.back(), "/f2") << "the oldest path went";
    AddRecentPath(list, "/f9", true);
    EXPECT_EQ(list.size(), 15u);
    EXPECT_EQ(list.front(), "/f9");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/f9"), 1);
}

TEST(SettingsEngine, FlagsReachTheEngineAndComeBackUnswapped) {
    Settings s;
    s.searchSubstring = false;
    s.searchViceVersa = true;
    s.noMultiTerms = false;
    s.doAutoAdd = true;
    s.multiDelete = true;
    s.limitMaxResults = true;
    s.numMaxResults = 3;
    s.autoAddSeparator = " | ";
    s.translator = "'";
    s.wildcard = "%";
    s.charset = 1252;
    EntryStore engine;
    ApplyEngineSettings(s, engine);
    EXPECT_FALSE(engine.SearchSubstring());
    EXPECT_TRUE(engine.SearchViceVersa());
    EXPECT_EQ(engine.MaxResults(), 3);
    EXPECT_EQ(engine.TranslateChar(), "'");
    EXPECT_EQ(engine.Entries().Charset(), 1252);

    Settings back;
    back.charset = -1;
    ReadEngineSettings(engine, back);
    EXPECT_FALSE(back.searchSubstring);
    EXPECT_TRUE(back.searchViceVersa);
    EXPECT_FALSE(back.noMultiTerms);
    EXPECT_TRUE(back.doAutoAdd && back.multiDelete && back.limitMaxResults);
    EXPECT_EQ(back.numMaxResults, 3);
    EXPECT_EQ(back.autoAddSeparator, " | ");
    EXPECT_EQ(back.wildcard, "%");
    EXPECT_EQ(back.charset, -1) << "the setting is not taken from the engine";
}

TEST(SettingsEngine, SystemCharsetGivesTheEngineTheLocalesCodePage) {
    // -1, and 0 to 3 as settings files from Windows hold them, all mean the current code page.
    for (const char* value : {"-1", "0", "1", "2", "3"}) {
        const Settings s = Read(std::string("  <Charset>") + value + "</Charset>\r\n");
        EntryStore engine;
        ApplyEngineSettings(s, engine);
        EXPECT_EQ(engine.Entries().Charset(), SystemCodePage()) << value;
        EXPECT_EQ(Written(s, "Charset"), value) << "written back as it was read";
    }
}

TEST(SettingsFonts, StoredFontIsReadOnlyWithFontSettings) {
    SettingsReadContext context;
    context.fonts = FontSettings({"Base", 0, -12, 0}, {"Desk", 1, -14, 2});
    const std::string stored = "  <FontDefName>Stored</FontDefName>\r\n"
                               "  <FontDefCharset>204</FontDefCharset>\r\n"
                               "  <FontDefHeight>-20</FontDefHeight>\r\n"
                               "  <FontDefPitch>18</FontDefPitch>\r\n";
    EXPECT_EQ(Read("  <UseFontSettings>0</UseFontSettings>\r\n" + stored, context).fonts.Working(),
              (FontValues{"Desk", 1, -12, 2}));
    EXPECT_EQ(Read(stored, context).fonts.Working(), (FontValues{"Stored", 204, -12, 18}))
        << "the stored height needs UseFontHeight";
    EXPECT_EQ(Read("  <UseFontHeight>1</UseFontHeight>\r\n" + stored, context).fonts.Working(),
              (FontValues{"Stored", 204, -20, 18}));
    EXPECT_EQ(Read("  <UseBuildInFont>1</UseBuildInFont>\r\n  <UseFontSettings>0</UseFontSettings>\r\n", context)
                  .fonts.Working(),
              (FontValues{"Base", 0, -12, 0}));
}
