#include "app/CountedTexts.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

TEST(CountedTexts, OneEntryIsSingularInEveryLanguageThatSaysSo) {
    InterfaceTexts texts;
    EXPECT_EQ(EntriesAddedText(texts, 1), "1 entry added.");
    EXPECT_EQ(EntriesAddedText(texts, 2), "2 entries added.");

    // A language file without the singular keeps its own words.
    texts.SetText("FrmAllEntries.m_acTImportFinished=\"voci aggiunte.\"\r\n");
    EXPECT_EQ(EntriesAddedText(texts, 1), "1 voci aggiunte.");
    EXPECT_EQ(EntriesAddedText(texts, 0), "0 voci aggiunte.");
}

} // namespace
} // namespace lexaro
