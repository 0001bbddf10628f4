#include "table/TextEncoding.h"

#include <gtest/gtest.h>
#include <string>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace lexaro {
namespace {

TEST(TextEncodingWide, EmptyInputGivesEmptyOutputInEveryDirection) {
    EXPECT_EQ(Utf8ToWide(""), u"");
    EXPECT_EQ(WideToUtf8(u""), "");
    EXPECT_EQ(CodePageToUtf8("", 1252), "");
    EXPECT_EQ(Utf8ToCodePage("", 1252), "");
    EXPECT_EQ(CodePageToUtf8("", 65001), "");
}

TEST(TextEncodingWide, Utf8AndUtf16RoundTripIncludingSupplementaryCharacters) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"; // a, e acute, euro sign, emoji, z
    const std::u16string wide = Utf8ToWide(text);
    EXPECT_EQ(wide, u"a\u00E9\u20AC\U0001F600z");
    EXPECT_EQ(wide.size(), 6u); // the emoji is a surrogate pair
    EXPECT_EQ(WideToUtf8(wide), text);
}

TEST(TextEncodingWide, InvalidSequencesBecomeReplacementCharacters) {
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("a\xE2\x82"), u"a\uFFFD");     // cut off at the end
    EXPECT_EQ(Utf8ToWide("\xC0\x80"), u"\uFFFD\uFFFD"); // overlong NUL
    EXPECT_EQ(Utf8ToWide("\xE2\x82x"), u"\uFFFDx");     // the byte that breaks a sequence is kept
    EXPECT_EQ(WideToUtf8(u"\xD800x"), "\xEF\xBF\xBDx"); // lone high surrogate
    EXPECT_EQ(WideToUtf8(u"x\xDC00"), "x\xEF\xBF\xBD"); // lone low surrogate
    EXPECT_EQ(CodePageToUtf8("a\xFF", 65001), "a\xEF\xBF\xBD");
}

TEST(TextEncodingWide, EveryDirectionStopsAtTheFirstNul) {
    EXPECT_EQ(Utf8ToWide("ab\0cd"sv), u"ab");
    EXPECT_EQ(WideToUtf8(u"ab\0cd"sv), "ab");
    EXPECT_EQ(CodePageToUtf8("ab\0cd"sv, 1252), "ab");
    EXPECT_EQ(Utf8ToCodePage("ab\0cd"sv, 1252), "ab");
}

TEST(TextEncodingCodePage, WesternLettersConvertBothWays) {
    EXPECT_EQ(Utf8ToCodePage("\xC3\xA9", 1252), "\xE9");
    EXPECT_EQ(CodePageToUtf8("\xE9", 1252), "\xC3\xA9");
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82\xAC", 1252), "\x80"); // euro sign
    EXPECT_EQ(CodePageToUtf8("\x80", 1252), "\xE2\x82\xAC");
}

TEST(TextEncodingCodePage, CharacterTheCodePageCannotHoldBecomesQuestionMark) {
    EXPECT_EQ(Utf8ToCodePage("\xCE\xB1", 1252), "?"); // Greek alpha
    EXPECT_EQ(Utf8ToCodePage("a\xCE\xB1\xCE\xB2"
                             "b",
                             1252),
              "a??b");                                        // conversion goes on after it
    EXPECT_EQ(Utf8ToCodePage("\xF0\x9F\x98\x80", 1251), "?"); // one mark for a four-byte character
    EXPECT_EQ(Utf8ToCodePage("x\xE6\x97\xA5", 20866), "x?");  // CJK to KOI8-R
}

TEST(TextEncodingCodePage, InvalidInputIsReplacedNotFatal) {
    EXPECT_EQ(Utf8ToCodePage("a\xFF"
                             "b",
                             1252),
              "a?b");
    EXPECT_EQ(Utf8ToCodePage("a\xC3", 1252), "a?");
    EXPECT_EQ(CodePageToUtf8("\x93", 932), "\xEF\xBF\xBD"); // lead byte without its trail byte
    EXPECT_EQ(CodePageToUtf8("a\x80"
                             "b",
                             932),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(TextEncodingCodePage, WesternUnassignedBytesSurviveARoundTrip) {
    for (const char byte : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
        const std::string original(1, byte);
        const std::string utf8 = CodePageToUtf8(original, 1252);
        EXPECT_EQ(utf8, std::string({'\xC2', byte})) << static_cast<int>(static_cast<unsigned char>(byte));
        EXPECT_EQ(Utf8ToCodePage(utf8, 1252), original);
    }
}

TEST(TextEncodingCodePage, OfferedCodePagesRoundTripTheirOwnLetters) {
    struct Sample {
        int codePage;
        std::string utf8;
    };
    const Sample samples[] = {
        {1250, "\xC5\x99\xC5\xBE"},         // r and z with caron
        {1251, "\xD0\x9F\xD1\x80\xD0\xB8"}, // Cyrillic
        {1253, "\xCE\xB1\xCE\xB2"},         // Greek
        {1254, "\xC4\x9F\xC5\x9F"},         // Turkish
        {1255, "\xD7\x90"},                 // Hebrew
        {1256, "\xD8\xB9"},                 // Arabic
        {1257, "\xC4\x81"},                 // Latvian
        {1258, "\xC3\xA2"},                 // Vietnamese
        {874, "\xE0\xB8\x81"},              // Thai
        {932, "\xE6\x97\xA5\xE6\x9C\xAC"},  // Japanese
        {936, "\xE4\xB8\xAD\xE6\x96\x87"},  // Simplified Chinese
        {949, "\xED\x95\x9C"},              // Korean
        {950, "\xE4\xB8\xAD"},              // Traditional Chinese
        {437, "\xC3\xA9\xE2\x94\x80"},      // box drawing
        {850, "\xC3\xA9\xC3\x91"},
        {866, "\xD0\x96"},
        {20866, "\xD0\x96"}, // KOI8-R
        {28591, "\xC3\xA9"},
        {28595, "\xD0\x96"}, // ISO-8859-5
        {28597, "\xCE\xB1"}, // ISO-8859-7
        {28599, "\xC4\x9F"}, // ISO-8859-9
    };
    for (const Sample& sample : samples) {
        ASSERT_TRUE(IsCodePageSupported(sample.codePage)) << sample.codePage;
        const std::string bytes = Utf8ToCodePage(sample.utf8, sample.codePage);
        EXPECT_NE(bytes.find_first_not_of('?'), std::string::npos) << sample.codePage;
        EXPECT_EQ(CodePageToUtf8(bytes, sample.codePage), sample.utf8) << sample.codePage;
    }
    EXPECT_EQ(Utf8ToCodePage("\xE6\x97\xA5\xE6\x9C\xAC", 932), "\x93\xFA\x96\x7B");
    EXPECT_EQ(Utf8ToCodePage("\xD0\x96", 20866), "\xF6");
}

TEST(TextEncodingCodePage, UnknownCodePageIsReportedNotTurnedIntoText) {
    for (const int codePage : {0, -1, -2, 12345, 1200, 65000}) {
        EXPECT_FALSE(IsCodePageSupported(codePage)) << codePage;
        EXPECT_FALSE(TryCodePageToUtf8("abc", codePage).has_value()) << codePage;
        EXPECT_FALSE(TryUtf8ToCodePage("abc", codePage).has_value()) << codePage;
        EXPECT_EQ(CodePageToUtf8("abc", codePage), "");
    }
    EXPECT_TRUE(IsCodePageSupported(65001));
    EXPECT_EQ(TryUtf8ToCodePage("", 1252), std::optional<std::string>(""));
}

TEST(TextEncodingCodePage, OneConverterServesManyCellsAndCanBeMoved) {
    CodePageConverter converter(1252, CodePageConverter::Direction::FromUtf8);
    ASSERT_TRUE(converter.IsValid());
    EXPECT_EQ(converter.Convert("\xCE\xB1"), "?");
    EXPECT_EQ(converter.Convert("\xC3\xA9"), "\xE9"); // nothing of the failed character is left over
    CodePageConverter moved(std::move(converter));
    EXPECT_EQ(moved.Convert("\xC3\xBC"), "\xFC");
    EXPECT_FALSE(CodePageConverter(4242, CodePageConverter::Direction::ToUtf8).IsValid());
}

TEST(TextEncodingCodePage, LongTextConvertsCompletely) {
    std::string utf8;
    for (int i = 0; i < 20000; ++i) {
        utf8 += "\xC3\xA9\xE2\x82\xAC";
    }
    const std::string bytes = Utf8ToCodePage(utf8, 1252);
    EXPECT_EQ(bytes.size(), 40000u);
    EXPECT_EQ(CodePageToUtf8(bytes, 1252), utf8);
}

} // namespace
} // namespace lexaro
