#include "app/PaneLinks.h"

#include <gtest/gtest.h>

using lexaro::CrossReferenceTerm;
using lexaro::FindLinks;
using lexaro::LinkTarget;

namespace {

std::vector<std::u16string> Links(std::u16string_view text) {
    std::vector<std::u16string> found;
    for (const auto& link : FindLinks(text)) {
        found.emplace_back(text.substr(link.start, link.length));
    }
    return found;
}

using Texts = std::vector<std::u16string>;

} // namespace

TEST(PaneLinksFind, SchemesAndWww) {
    EXPECT_EQ(Links(u"see http://a.org/x?y=1&z=2 and HTTPS://B.example/ or ftp://f.net"),
              (Texts{u"http://a.org/x?y=1&z=2", u"HTTPS://B.example/", u"ftp://f.net"}));
    EXPECT_EQ(Links(u"mailto:me@example.com\twww.example.com\nfile:///tmp/a.txt"),
              (Texts{u"mailto:me@example.com", u"www.example.com", u"file:///tmp/a.txt"}));
    EXPECT_EQ(Links(u"see file://e=house, then file://e=Stra\u00dfe."),
              (Texts{u"file://e=house", u"file://e=Stra\u00dfe"}));
}

TEST(PaneLinksFind, LinksEndAtBlanksAndMarkers) {
    EXPECT_EQ(Links(u"[file://e=house]"), (Texts{u"file://e=house"}));
    EXPECT_EQ(Links(u"<<http://x.org>>"), (Texts{u"http://x.org"}));
    EXPECT_EQ(Links(u"\"www.a.de\" http://b.de\u00a0next"), (Texts{u"www.a.de", u"http://b.de"}));
    EXPECT_EQ(Links(u"http://x.org/a\r\nb"), (Texts{u"http://x.org/a"}));
}

TEST(PaneLinksFind, SentencePunctuationIsNotPartOfTheLink) {
    EXPECT_EQ(Links(u"Go to www.a.de. Or http://b.de/?q=1!"), (Texts{u"www.a.de", u"http://b.de/?q=1"}));
    EXPECT_EQ(Links(u"(see http://w.org/A_(b)), 'http://c.de'"), (Texts{u"http://w.org/A_(b)", u"http://c.de"}));
    EXPECT_EQ(Links(u"http://x.org/a.b/c"), (Texts{u"http://x.org/a.b/c"}));
}

TEST(PaneLinksFind, WhatIsNoLink) {
    EXPECT_TRUE(FindLinks(u"").empty());
    EXPECT_TRUE(FindLinks(u"http:// www. mailto: https://...").empty()) << "a scheme alone is no link";
    EXPECT_TRUE(FindLinks(u"xhttp://a.org awww.b.de http:/c.de wwwx.de").empty());
    EXPECT_TRUE(FindLinks(u"plain text with a.dot and an @").empty());
    EXPECT_EQ(Links(u"(http://a.org)"), (Texts{u"http://a.org"})) << "a bracket is no word before the scheme";
}

TEST(PaneLinksFind, PositionsCountUtf16Units) {
    const std::u16string text = u"\U0001F600 www.a.de";
    const auto links = FindLinks(text);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].start, 3u);
    EXPECT_EQ(links[0].length, 8u);
}

TEST(PaneLinksUse, CrossReferencesAndTargets) {
    EXPECT_EQ(CrossReferenceTerm(u"file://e=house"), u"house");
    EXPECT_EQ(CrossReferenceTerm(u"file://e="), u"");
    EXPECT_FALSE(CrossReferenceTerm(u"file:///e=house"));
    EXPECT_FALSE(CrossReferenceTerm(u"http://e=house"));

    EXPECT_EQ(LinkTarget(u"www.example.com/a"), u"http://www.example.com/a");
    EXPECT_EQ(LinkTarget(u"WWW.example.com"), u"http://WWW.example.com");
    EXPECT_EQ(LinkTarget(u"https://example.com"), u"https://example.com");
    EXPECT_EQ(LinkTarget(u"mailto:me@example.com"), u"mailto:me@example.com");
}
