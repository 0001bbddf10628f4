#include "table/InitFileDocument.h"

#include <gtest/gtest.h>
#include <string>

using lexaro::InitFileDocument;
using lexaro::InitFileForm;
using namespace std::string_literals;

namespace {

const std::string kDeclarationLine = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

// An element-form document holding a value, so that a failed parse can be seen to leave it alone.
InitFileDocument ElementWithValue() {
    InitFileDocument document(InitFileForm::Element);
    document.AddValue("Keep", "me");
    return document;
}

} // namespace

TEST(InitFileElementParse, BodyRunsFromAfterTheRootLineToTheClosingRootTag) {
    InitFileDocument document(InitFileForm::Element);
    ASSERT_TRUE(document.ParseText("<?xml?><InitFile>\r\n  <A>1</A>\r\n</InitFile>\r\ntrailing"));
    EXPECT_EQ(document.Body(), "  <A>1</A>\r\n");
    // Only one CR and one LF are skipped after the root's opening tag, each only when present.
    ASSERT_TRUE(document.ParseText("?><R>\n\n<A>1</A></R>"));
    EXPECT_EQ(document.Body(), "\n<A>1</A>");
    ASSERT_TRUE(document.ParseText("?><R>\r\r\n<A>1</A></R>"));
    EXPECT_EQ(document.Body(), "\r\n<A>1</A>");
    ASSERT_TRUE(document.ParseText("?><R><A>1</A></R>"));
    EXPECT_EQ(document.Body(), "<A>1</A>");
    ASSERT_TRUE(document.ParseText("?><R>\r</R>"));
    EXPECT_EQ(document.Body(), "");
    ASSERT_TRUE(document.ParseText("?><R></R>"));
    EXPECT_EQ(document.Body(), "");
}

TEST(InitFileElementParse, DeclarationIsOnlyLookedForByItsEndAndTheRootIsKept) {
    InitFileDocument document(InitFileForm::Element);
    ASSERT_TRUE(document.ParseText("junk ?> junk <Root attr=\"x\">\r\n<A>1</A>\r\n</Root attr=\"x\">"));
    EXPECT_EQ(document.Root(), "Root attr=\"x\"");
    EXPECT_EQ(document.GetValue(0, "A"), "1");
    document.ClearBody();
    EXPECT_EQ(document.ComposeText(), kDeclarationLine + "<Root attr=\"x\">\r\n</Root attr=\"x\">\r\n");
}

TEST(InitFileElementParse, ParsingReplacesTheBodyAndRewindsTheCursor) {
    InitFileDocument document = ElementWithValue();
    ASSERT_EQ(document.GetValue(0, "Keep"), "me");
    ASSERT_GT(document.Cursor(), 0u);
    ASSERT_TRUE(document.ParseText("?><InitFile>\r\n<N>1</N><N>2</N></InitFile>"));
    EXPECT_EQ(document.Cursor(), 0u);
    EXPECT_EQ(document.GetValue(0, "Keep"), "");
    EXPECT_EQ(document.GetValueNext("N"), "1");
}

TEST(InitFileElementParse, TextWithoutDeclarationEndOrRootTagFailsAndResetsTheRoot) {
    for (const std::string& text :
         {std::string(), std::string("<InitFile>\r\n  <A>1</A>\r\n</InitFile>\r\n"), std::string("<?xml ?"),
          std::string("<?xml ?>"), std::string("<?xml ?>\r\nInitFile>"), std::string("<?xml ?>\r\n<InitFile")}) {
        SCOPED_TRACE(text);
        InitFileDocument document = ElementWithValue();
        document.SetRoot("Previous");
        EXPECT_FALSE(document.ParseText(text));
        EXPECT_EQ(document.Root(), "InitFile");
        EXPECT_EQ(document.Footer(), "</InitFile>\r\n");
        EXPECT_EQ(document.GetString("Keep", ""), "me");
    }
}

TEST(InitFileElementParse, TextWithoutClosingRootTagFailsButTakesTheRoot) {
    for (const std::string& text : {std::string("?><Other>\r\n  <A>1</A>\r\n"), std::string("?><Other>"),
                                    std::string("?><Other>\r\n</Other"), std::string("?><Other>\r\n</other>")}) {
        SCOPED_TRACE(text);
        InitFileDocument document = ElementWithValue();
        EXPECT_FALSE(document.ParseText(text));
        EXPECT_EQ(document.Root(), "Other");
        EXPECT_EQ(document.GetString("Keep", ""), "me");
        EXPECT_EQ(document.GetValue(0, "A"), "");
    }
}

TEST(InitFilePairParse, AnyTextBecomesTheBody) {
    for (const std::string& text :
         {std::string(), std::string("A=\"1\"\r\n"), std::string("no pairs at all"),
          std::string("<?xml?><InitFile>\r\n</InitFile>"), std::string("A=\"unclosed"), "nul\0inside=\"x\""s}) {
        InitFileDocument document(InitFileForm::Pair);
        document.AddValue("Old", "value");
        EXPECT_TRUE(document.ParseText(text));
        EXPECT_EQ(document.Body(), text);
        EXPECT_EQ(document.ComposeText(), text);
        EXPECT_EQ(document.Cursor(), 0u);
    }
}

TEST(InitFileHostileParse, EveryTruncationOfADocumentIsHandled) {
    InitFileDocument written(InitFileForm::Element);
    written.AddValue("StartDictionary", "a.lxd");
    written.AddInt("TrainInterval", 4000);
    written.AddValue("Recent", "b.lxd");
    const std::string whole = written.ComposeText();
    const std::size_t closingRoot = whole.size() - std::string("</InitFile>\r\n").size();
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        const std::string part = whole.substr(0, length);
        InitFileDocument element = ElementWithValue();
        const bool parsed = element.ParseText(part);
        EXPECT_EQ(parsed, length >= closingRoot + std::string("</InitFile>").size());
        if (!parsed) {
            EXPECT_EQ(element.GetString("Keep", ""), "me");
        }
        InitFileDocument pair(InitFileForm::Pair);
        EXPECT_TRUE(pair.ParseText(part));
        // Every read of a truncated body ends inside the body.
        pair.GetValue(0, "StartDictionary");
        pair.GetValueNext("Recent");
        EXPECT_LE(pair.Cursor(), pair.Body().size());
        EXPECT_LE(element.Cursor(), element.Body().size());
    }
}

TEST(InitFileHostileParse, UnterminatedTagsAndNulBytesInsideTheBody) {
    InitFileDocument element(InitFileForm::Element);
    ASSERT_TRUE(element.ParseText("?><InitFile><A>x\0y</A><B>2</B<C</InitFile>"s));
    EXPECT_EQ(element.GetValue(0, "A"), "x\0y"s);
    EXPECT_EQ(element.GetValue(0, "B"), "");
    EXPECT_EQ(element.GetValue(0, "C"), "");
    EXPECT_EQ(element.GetValueNext("A"), "");
}

TEST(InitFileHostileParse, VeryLongRootAndManyFalseClosingTagsAreHandled) {
    // A root name as long as the file, and a body full of near misses of its closing tag: each near miss
    // shares all but the last byte with it.
    const std::string root(200000, 'r');
    const std::string nearMiss = "</" + root.substr(1) + "x";
    std::string text = "?><" + root + ">\r\n";
    for (int i = 0; i < 20; ++i) {
        text += nearMiss;
    }
    InitFileDocument document(InitFileForm::Element);
    EXPECT_FALSE(document.ParseText(text));
    EXPECT_EQ(document.Root(), root);
    text += "</" + root + ">";
    ASSERT_TRUE(document.ParseText(text));
    EXPECT_EQ(document.Body().size(), 20 * nearMiss.size());
    EXPECT_EQ(document.ComposeText().size(), text.size() - 2 + kDeclarationLine.size() + 2);
}

TEST(InitFileHostileParse, LargeDocumentsParseAndWalkInOnePass) {
    // Two hundred thousand repeated values: walking them with GetValueNext must not rescan the body.
    InitFileDocument written(InitFileForm::Element);
    constexpr int kCount = 200000;
    for (int i = 0; i < kCount; ++i) {
        written.AddInt("SearchWords", i);
    }
    written.AddValue("Last", "end");
    InitFileDocument read(InitFileForm::Element);
    ASSERT_TRUE(read.ParseText(written.ComposeText()));
    int count = 0;
    bool inOrder = true;
    for (std::string item = read.GetString("SearchWords", ""); !item.empty(); item = read.GetValueNext("SearchWords")) {
        inOrder = inOrder && std::stoi(item) == count;
        ++count;
    }
    EXPECT_EQ(count, kCount);
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(read.GetString("Last", ""), "end");

    InitFileDocument pair(InitFileForm::Pair);
    ASSERT_TRUE(pair.ParseText(std::string(8 * 1024 * 1024, 'T') + "=\"x\""));
    EXPECT_EQ(pair.GetValue(0, "T"), "");
    EXPECT_EQ(pair.GetValue(0, std::string(8 * 1024 * 1024, 'T')), "x");
}
