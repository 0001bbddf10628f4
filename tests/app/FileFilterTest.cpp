#include "app/FileFilter.h"

#include <gtest/gtest.h>

using lexaro::FilterExtension;
using lexaro::ParseFileFilter;

TEST(FileFilter, SplitsPairsUpToTheDoubleBar) {
    const auto entries = ParseFileFilter(u"Dictionarys(*.lxd)|*.lxd|CSV import(*.csv)|*.csv|Training unit(*.lxt)||");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, u"Dictionarys(*.lxd)");
    EXPECT_EQ(entries[2].patterns, std::vector<std::u16string>{u"*.lxt"}) << "a missing pattern comes from the name";
    EXPECT_EQ(FilterExtension(entries[1]), u"csv");
}

TEST(FileFilter, ToleratesBrokenFilters) {
    EXPECT_TRUE(ParseFileFilter(u"").empty());
    EXPECT_TRUE(ParseFileFilter(u"Name only").empty());
    EXPECT_TRUE(ParseFileFilter(u"No pattern||").empty());
    const auto entries = ParseFileFilter(u"Text(*.txt;*.text)|*.txt;*.text|All|*.*");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].patterns.size(), 2u);
    EXPECT_EQ(FilterExtension(entries[1]), u"");
}
