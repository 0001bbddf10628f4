#include "engine/ResultEdit.h"

#include "EntryStoreTestSupport.h"

#include <gtest/gtest.h>
#include <optional>

namespace lexaro {
namespace {

struct ResultFixture : test::Fixture {
    test::TempFolder dir;
    std::vector<std::filesystem::path> additional;
    std::string shown;

    ResultFixture() {
        Fill({{"water", "Wasser\r\ndas Wasser", ""}, {"house", "Haus", ""}, {"horse", "Pferd", ""}});
        additional = {dir.Path() / "extra.lxd", dir.Path() / "more.lxd"};
        test::WriteDictionary(additional[0], {{"cat", "chat", ""}});
        test::WriteDictionary(additional[1], {{"dog", "chien", ""}});
    }

    // Looks the text up and takes the pane back, as the user left it or (without pane) as it was shown.
    ResultEdit Edit(std::string_view search, std::optional<std::string_view> pane = std::nullopt) {
        store.SetCurrentRow(-1);
        store.Lookup(search, true, true, additional, "Term not found.", shown);
        const int row = store.CurrentRow();
        return EditOfResult(store.LastLookup(), shown, pane.value_or(shown),
                            row < 0 ? "" : store.Entries().PeekCell(0, row));
    }
};

TEST(ResultEdit, OneHitByItsTermGivesTheTextUnderItsHeading) {
    ResultFixture f;
    ResultEdit edit = f.Edit("WATER", "[water]\r\nWasser\r\ndas Wasser\r\n\r\n<<extra.lxd>>\r\nTerm not found.\r\n\r\n"
                                      "<<more.lxd>>\r\nTerm not found.");
    EXPECT_EQ(edit.kind, ResultEditKind::OneEntry);
    EXPECT_EQ(edit.explanation, "Wasser\r\ndas Wasser");

    // The user's edits are kept; the additional part goes even when it was edited too.
    edit = f.Edit("water", "[water]\r\nWasser, das\r\n\r\n<<extra.lxd>>\r\nnothing here");
    EXPECT_EQ(edit.explanation, "Wasser, das");
    // An entry text that happens to hold a heading line is kept up to the last one.
    edit = f.Edit("water", "[water]\r\nsee\r\n\r\n<<extra.lxd>>\r\nbelow\r\n\r\n<<extra.lxd>>\r\nTerm not found.");
    EXPECT_EQ(edit.explanation, "see\r\n\r\n<<extra.lxd>>\r\nbelow");
    // Without the additional part there is nothing to cut.
    f.additional.clear();
    EXPECT_EQ(f.Edit("water", "[water]\r\nWasser").explanation, "Wasser");
}

TEST(ResultEdit, NoSingleEntryForEveryOtherResult) {
    ResultFixture f;
    const char* const searches[] = {"ho*",       // several hits
                                    "Haus",      // found in the explanations: the heading is no term
                                    "\"water\"", // a phrase translated word by word
                                    "nothing",   // no hit at all
                                    "cat"};      // a hit of an additional dictionary only
    for (const char* search : searches) {
        EXPECT_EQ(f.Edit(search).kind, ResultEditKind::NoSingleEntry) << search;
    }
    // One own hit but another in an additional dictionary.
    EXPECT_EQ(f.Edit("house").kind, ResultEditKind::OneEntry);
    test::WriteDictionary(f.additional[1], {{"house", "maison", ""}});
    EXPECT_EQ(f.Edit("house").kind, ResultEditKind::NoSingleEntry);
    // The entry was renamed since the look-up (an undo, say): its heading no longer names it.
    f.Edit("water");
    EXPECT_EQ(EditOfResult(f.store.LastLookup(), f.shown, f.shown, "Water").kind, ResultEditKind::NoSingleEntry);
}

TEST(ResultEdit, AChangedFirstLineMeansThePaneHoldsTheUsersOwnText) {
    ResultFixture f;
    EXPECT_EQ(f.Edit("water", "Wasser").kind, ResultEditKind::NoResult);
    EXPECT_EQ(f.Edit("water", "[water] Wasser").kind, ResultEditKind::NoResult);
    EXPECT_EQ(f.Edit("ho*", "Haus").kind, ResultEditKind::NoResult);
}

TEST(ResultEdit, PatternsAreTheWildcardAndThePhrase) {
    test::Fixture f;
    EXPECT_TRUE(f.store.IsSearchPattern("ho*"));
    EXPECT_TRUE(f.store.IsSearchPattern("\"a house\""));
    EXPECT_FALSE(f.store.IsSearchPattern("\"quoted"));
    EXPECT_FALSE(f.store.IsSearchPattern("house"));
    f.store.SetWildcard("");
    f.store.SetTranslateChar("");
    EXPECT_FALSE(f.store.IsSearchPattern("ho*"));
    EXPECT_FALSE(f.store.IsSearchPattern("\"a house\""));
}

} // namespace
} // namespace lexaro
