#include "EntryStoreTestSupport.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>

namespace lexaro {
namespace {

using Paths = std::vector<std::filesystem::path>;

struct AdditionalFixture : test::Fixture {
    test::TempFolder dir;
    std::filesystem::path extra = dir.Path() / "extra.lxd";
    std::filesystem::path other = dir.Path() / "wörter.lxd";
    bool found = false;

    AdditionalFixture() {
        Fill({{"house", "Haus", ""}, {"House", "Gebäude", ""}, {"cat", "Katze", ""}});
        test::WriteDictionary(extra, {{"house", "maison", "2001-01-01 00:00:00"}, {"dog", "chien", ""}});
        test::WriteDictionary(other, {{"dog", "Hund", ""}, {"dog", "Köter", ""}, {"big", "groß", ""}});
    }

    std::string Search(std::string_view text, const Paths& paths) {
        store.SetCurrentRow(-1);
        std::string out;
        found = store.Lookup(text, store.SearchSubstring(), true, paths, "Term not found.", out);
        return out;
    }
};

const std::string kRule = "\r\n-------------------------\r\n";

TEST(EntrySearchAdditional, HitsFollowUnderTheFileName) {
    AdditionalFixture f;
    EXPECT_EQ(f.Search("house", {f.other, f.extra}),
              "[house]\r\nHaus" + kRule + "[House]\r\nGebäude\r\n\r\n<<wörter.lxd>>\r\nTerm not found.\r\n\r\n" +
                  "<<extra.lxd>>\r\n[house]\r\nmaison");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.store.ResultCount(), 3);
    EXPECT_EQ(f.store.CurrentRow(), 0);

    // Found only elsewhere: the heading opens the text and no current entry is chosen.
    EXPECT_EQ(f.Search("dog", {f.extra, f.other}),
              "<<extra.lxd>>\r\n[dog]\r\nchien\r\n\r\n<<wörter.lxd>>\r\n[dog]\r\nHund" + kRule + "[dog]\r\nKöter");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.store.ResultCount(), 3);
    EXPECT_EQ(f.store.CurrentRow(), -1);
}

TEST(EntrySearchAdditional, CountCoversTheOpenDictionaryToo) {
    AdditionalFixture f;
    EXPECT_EQ(f.Search("cat", {f.extra}), "[cat]\r\nKatze\r\n\r\n<<extra.lxd>>\r\nTerm not found.");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.store.ResultCount(), 1);
}

TEST(EntrySearchAdditional, UnreadableDictionariesAreSkipped) {
    AdditionalFixture f;
    const auto empty = f.dir.Path() / "empty.lxd";
    std::ofstream(empty, std::ios::binary).flush();
    const Paths paths{f.dir.Path() / "missing.lxd", "", empty, f.dir.Path(), f.extra};
    EXPECT_EQ(f.Search("dog", paths), "<<extra.lxd>>\r\n[dog]\r\nchien");
    EXPECT_EQ(f.Search("zebra", {f.dir.Path() / "missing.lxd"}), "");
    EXPECT_FALSE(f.found);

    // The list is left alone when the additional flag is off.
    std::string out;
    EXPECT_FALSE(f.store.Lookup("dog", true, false, Paths{f.extra}, "Term not found.", out));
    EXPECT_EQ(out, "");
}

TEST(EntrySearchAdditional, ListTableAndFileNamesCutAtEitherSlash) {
    AdditionalFixture f;
    // On this system a backslash may be part of a file name; the heading still starts after it.
    const auto odd = f.dir.Path() / "old\\words.lxd";
    test::WriteDictionary(odd, {{"cat", "chat", ""}});
    ClassTable list;
    list.Resize(1, 2);
    list.SetCell(0, 0, odd.string());
    list.SetCell(0, 1, f.other.string());
    std::string out;
    EXPECT_TRUE(f.store.Lookup("big", true, true, list, "-", out));
    EXPECT_EQ(out, "<<words.lxd>>\r\n-\r\n\r\n<<wörter.lxd>>\r\n[big]\r\ngroß");
}

TEST(EntrySearchAdditional, LimitCountsTheAdditionalDictionariesTogether) {
    AdditionalFixture f;
    f.store.SetLimitMaxResults(true);
    f.store.SetMaxResults(2);
    f.Fill({{"dog", "Hund", ""}, {"dog", "Rüde", ""}, {"dog", "Welpe", ""}});
    EXPECT_EQ(f.Search("dog", {f.other, f.extra, f.other}),
              "[dog]\r\nHund" + kRule + "[dog]\r\nRüde\r\n\r\n<<wörter.lxd>>\r\n[dog]\r\nHund" + kRule +
                  "[dog]\r\nKöter\r\n\r\n<<extra.lxd>>\r\n\r\n\r\n<<wörter.lxd>>\r\n");
    EXPECT_EQ(f.store.ResultCount(), 4);
}

TEST(EntrySearchAdditional, PhrasesAreTranslatedWithEachDictionary) {
    AdditionalFixture f;
    EXPECT_EQ(f.Search("\"big house\"", {f.extra, f.other}),
              "big Haus\r\n\r\n<<extra.lxd>>\r\nbig maison\r\n\r\n<<wörter.lxd>>\r\ngroß house");
    EXPECT_EQ(f.store.ResultCount(), 2);
    EXPECT_EQ(f.Search("\"\"", {f.extra}), "<<extra.lxd>>\r\nTerm not found.");
    EXPECT_FALSE(f.found);
}

TEST(EntrySearchAdditional, DictionariesAreReadAgainOnlyWhenTheirFileChanged) {
    AdditionalFixture f;
    EXPECT_EQ(f.Search("dog", {f.extra}), "<<extra.lxd>>\r\n[dog]\r\nchien");

    // Same size and time: the dictionary in memory is used, whatever the bytes say now.
    const auto time = std::filesystem::last_write_time(f.extra);
    test::WriteDictionary(f.extra, {{"house", "MAISON", "2001-01-01 00:00:00"}, {"dog", "CHIEN", ""}});
    std::filesystem::last_write_time(f.extra, time);
    EXPECT_EQ(f.Search("dog", {f.extra}), "<<extra.lxd>>\r\n[dog]\r\nchien");

    // Another file put in its place, as a save through a temporary file does, is read again even with the same
    // size and time.
    std::filesystem::path replacement = f.extra;
    replacement += ".new";
    test::WriteDictionary(replacement, {{"house", "MAISON", "2001-01-01 00:00:00"}, {"dog", "CHIEN", ""}});
    std::filesystem::last_write_time(replacement, time);
    std::filesystem::rename(replacement, f.extra);
    EXPECT_EQ(f.Search("dog", {f.extra}), "<<extra.lxd>>\r\n[dog]\r\nCHIEN");

    // A new time alone, or a new size alone, makes it read again.
    test::WriteDictionary(f.extra, {{"house", "maison", "2001-01-01 00:00:00"}, {"dog", "chien", ""}});
    std::filesystem::last_write_time(f.extra, time);
    EXPECT_EQ(f.Search("dog", {f.extra}), "<<extra.lxd>>\r\n[dog]\r\nCHIEN");
    std::filesystem::last_write_time(f.extra, time + std::chrono::seconds(5));
    EXPECT_EQ(f.Search("dog", {f.extra}), "<<extra.lxd>>\r\n[dog]\r\nchien");
    test::WriteDictionary(f.extra, {{"dog", "chien de garde", ""}});
    std::filesystem::last_write_time(f.extra, time + std::chrono::seconds(5));
    EXPECT_EQ(f.Search("dog", {f.extra}), "<<extra.lxd>>\r\n[dog]\r\nchien de garde");

    // Gone or broken: skipped like a dictionary that was never read.
    std::filesystem::remove(f.extra);
    EXPECT_EQ(f.Search("dog", {f.extra, f.other}), "<<wörter.lxd>>\r\n[dog]\r\nHund" + kRule + "[dog]\r\nKöter");
    std::ofstream(f.other, std::ios::binary) << "not a dictionary";
    EXPECT_EQ(f.Search("dog", {f.other}), "");
    EXPECT_FALSE(f.found);
}

// Of a dictd set, the index and the data file it was read from count; a .dict.dz that appears beside the .dict
// read is what a new read would take.
TEST(EntrySearchAdditional, DictdSetsAreReadAgainWhenTheirDataFileChangesOrIsReplaced) {
    AdditionalFixture f;
    const std::filesystem::path index = f.dir.Path() / "d.index";
    const auto put = [](const std::filesystem::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    };
    put(index, "dog\tA\tJ\n");
    put(f.dir.Path() / "d.dict", "dog\nHund\n");
    EXPECT_EQ(f.Search("dog", {index}), "<<d.index>>\r\n[dog]\r\nHund");
    put(f.dir.Path() / "d.dict.dz", "dog\nhund\n");
    EXPECT_EQ(f.Search("dog", {index}), "<<d.index>>\r\n[dog]\r\nhund");
    put(f.dir.Path() / "d.dict.dz", "dog\nHUND\n");
    std::filesystem::last_write_time(f.dir.Path() / "d.dict.dz",
                                     std::filesystem::last_write_time(index) + std::chrono::seconds(5));
    EXPECT_EQ(f.Search("dog", {index}), "<<d.index>>\r\n[dog]\r\nHUND");
}

// A folder on the way renamed and another put in its place: the same path now names another file.
TEST(EntrySearchAdditional, DictionariesAreReadAgainWhenAFolderOnTheirWayIsReplaced) {
    AdditionalFixture f;
    const std::filesystem::path path = f.dir.Path() / "a" / "b" / "deep.lxd";
    std::filesystem::create_directories(path.parent_path());
    test::WriteDictionary(path, {{"dog", "chien", ""}});
    EXPECT_EQ(f.Search("dog", {path}), "<<deep.lxd>>\r\n[dog]\r\nchien");
    std::filesystem::rename(f.dir.Path() / "a", f.dir.Path() / "a-old");
    std::filesystem::create_directories(path.parent_path());
    test::WriteDictionary(path, {{"dog", "CHIEN", ""}});
    EXPECT_EQ(f.Search("dog", {path}), "<<deep.lxd>>\r\n[dog]\r\nCHIEN");
}

// A dictionary reached through a link follows the file the link leads to.
TEST(EntrySearchAdditional, DictionariesReachedThroughALinkAreReadAgainWhenItsFileIsReplaced) {
    AdditionalFixture f;
    const std::filesystem::path link = f.dir.Path() / "linked.lxd";
    std::filesystem::create_symlink(f.extra, link);
    EXPECT_EQ(f.Search("dog", {link}), "<<linked.lxd>>\r\n[dog]\r\nchien");
    std::filesystem::path replacement = f.extra;
    replacement += ".new";
    test::WriteDictionary(replacement, {{"dog", "CHIEN", ""}});
    std::filesystem::rename(replacement, f.extra);
    EXPECT_EQ(f.Search("dog", {link}), "<<linked.lxd>>\r\n[dog]\r\nCHIEN");
}

} // namespace
} // namespace lexaro
