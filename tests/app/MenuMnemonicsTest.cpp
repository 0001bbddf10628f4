#include "app/MenuMnemonics.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using Titles = std::vector<std::u16string>;

TEST(MenuMnemonics, EachTitleTakesItsFirstFreeLetter) {
    EXPECT_EQ(MarkMnemonics({u"File", u"Edit", u"View", u"Entry", u"?"}),
              (Titles{u"&File", u"&Edit", u"&View", u"E&ntry", u"&?"}));
    EXPECT_EQ(MarkMnemonics({u"Datei", u"Bearbeiten", u"Ansicht", u"Eintrag", u"?"}),
              (Titles{u"&Datei", u"&Bearbeiten", u"&Ansicht", u"&Eintrag", u"&?"}));
    // Letters are compared without case, accented ones too; "É" and "E" are different keys.
    EXPECT_EQ(MarkMnemonics({u"Fichier", u"\u00C9dition", u"\u00E9t\u00E9", u"Entr\u00E9e"}),
              (Titles{u"&Fichier", u"&\u00C9dition", u"\u00E9&t\u00E9", u"&Entr\u00E9e"}));
    // Blanks and signs are passed over while a title has letters.
    EXPECT_EQ(MarkMnemonics({u"- fit", u"(Fit)"}), (Titles{u"- &fit", u"(F&it)"}));
}

TEST(MenuMnemonics, ALiteralAmpersandStaysOneAndNothingFreeMeansNoMark) {
    EXPECT_EQ(MarkMnemonics({u"&Tools & more"}), (Titles{u"&&&Tools && more"}));
    EXPECT_EQ(MarkMnemonics({u"ab", u"AB", u"?", u"?", u""}), (Titles{u"&ab", u"A&B", u"&?", u"?", u""}));
}

} // namespace
} // namespace lexaro
