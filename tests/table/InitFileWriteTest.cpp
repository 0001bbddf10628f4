#include "table/InitFileDocument.h"

#include <gtest/gtest.h>
#include <string>

using lexaro::InitFileDocument;
using lexaro::InitFileForm;

namespace {

const std::string kDeclarationLine = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

} // namespace

TEST(InitFileWrite, ElementFormIsDeclarationRootValueLinesAndFooter) {
    InitFileDocument document(InitFileForm::Element);
    EXPECT_EQ(document.ComposeText(), kDeclarationLine + "<InitFile>\r\n</InitFile>\r\n");
    document.AddValue("Charset", "65001");
    EXPECT_EQ(document.ComposeText(), kDeclarationLine + "<InitFile>\r\n"
                                                         "  <Charset>65001</Charset>\r\n"
                                                         "</InitFile>\r\n");
    document.AddInt("TrainInterval", -5);
    document.AddInt("Small", -2147483647 - 1);
    document.AddBool("AutoSafe", true);
    document.AddBool("ClipWatch", false);
    document.AddValue("AddDictionary", "a");
    document.AddValue("AddDictionary", "a");
    document.AddValue("Raw", "<&\"'> Gr\xC3\xBC\xC3\x9F\r\nline two\n");
    document.AddValue("Empty", "");
    EXPECT_EQ(document.Body(), "  <Charset>65001</Charset>\r\n"
                               "  <TrainInterval>-5</TrainInterval>\r\n"
                               "  <Small>-2147483648</Small>\r\n"
                               "  <AutoSafe>1</AutoSafe>\r\n"
                               "  <ClipWatch>0</ClipWatch>\r\n"
                               "  <AddDictionary>a</AddDictionary>\r\n"
                               "  <AddDictionary>a</AddDictionary>\r\n"
                               "  <Raw><&\"'> Gr\xC3\xBC\xC3\x9F\r\nline two\n</Raw>\r\n"
                               "  <Empty></Empty>\r\n");
}

TEST(InitFileWrite, PairFormIsUnindentedLinesOnly) {
    InitFileDocument document(InitFileForm::Pair);
    EXPECT_EQ(document.ComposeText(), "");
    document.AddValue("Charset", "65001");
    EXPECT_EQ(document.ComposeText(), "Charset=\"65001\"\r\n");
    document.AddValue("LanguageName", "Fran\xC3\xA7"
                                      "ais");
    document.AddInt("Version", -7);
    document.AddBool("UseExeFilePath", true);
    document.AppendLine("raw\r\n");
    // A pair-form document has no root to rename.
    document.SetRoot("Other");
    EXPECT_EQ(document.Root(), "InitFile");
    EXPECT_EQ(document.ComposeText(), "Charset=\"65001\"\r\n"
                                      "LanguageName=\"Fran\xC3\xA7"
                                      "ais\"\r\n"
                                      "Version=\"-7\"\r\n"
                                      "UseExeFilePath=\"1\"\r\n"
                                      "raw\r\n");
}

TEST(InitFileWrite, SetRootAndClearBodyKeepEachOther) {
    InitFileDocument document(InitFileForm::Element);
    document.AddValue("A", "1");
    ASSERT_EQ(document.GetValue(0, "A"), "1");
    document.SetRoot("Settings");
    EXPECT_EQ(document.ComposeText(), kDeclarationLine + "<Settings>\r\n  <A>1</A>\r\n</Settings>\r\n");
    document.ClearBody();
    EXPECT_EQ(document.Cursor(), 0u);
    EXPECT_EQ(document.GetValue(0, "A"), "");
    document.AppendLine("raw\r\n");
    EXPECT_EQ(document.ComposeText(), kDeclarationLine + "<Settings>\r\n  raw\r\n</Settings>\r\n");
}
