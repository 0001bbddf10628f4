#include "CliTestSupport.h"
#include "cli/Commands.h"
#include "table/ClassTable.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lexaro {
namespace {

using test::CliResult;
using test::ReadBytes;

using Rows = std::vector<std::vector<std::string>>;

// "2007-03-05 09:04:01"
bool IsDateStamp(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

// The dictionary's cells, read as UTF-8; the date column only as whether it looks like a date stamp.
Rows Entries(const std::string& path, int charset = 65001) {
    ClassTable table;
    table.SetCharset(charset);
    EXPECT_TRUE(table.LoadDocumentFile(path)) << path;
    Rows rows;
    for (int r = 0; r < table.RowCount(); ++r) {
        const std::string date = table.PeekCell(2, r);
        const bool stamped = IsDateStamp(date);
        rows.push_back({table.PeekCell(0, r), table.PeekCell(1, r), stamped ? "stamped" : date});
    }
    return rows;
}

ino_t InodeOf(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_ino;
}

CliResult Add(const std::vector<std::string>& args) {
    return test::RunCommand<cli::AddCommand>(args);
}

CliResult Delete(const std::vector<std::string>& args) {
    return test::RunCommand<cli::DeleteCommand>(args);
}

const Rows kSmall{{"house", "Haus", "stamped"},
                  {"big", "groß", "stamped"},
                  {"mouse", "Maus<add_exp><exp_pos>Die Maus ist klein.</exp_pos></add_exp>", "stamped"},
                  {"houseboat", "Hausboot", "stamped"},
                  {"garden", "Garten", "stamped"}};

TEST(CliAdd, NewTermIsAppendedAndSaved) {
    test::TempFolder folder;
    const std::string path = test::CopyFixture(folder, "small.lxd");
    CliResult result = Add({path, "cat", "Katze"});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.out.empty());
    EXPECT_TRUE(result.err.empty());
    Rows expected = kSmall;
    expected.push_back({"cat", "Katze", "stamped"});
    EXPECT_EQ(Entries(path), expected);
    // The old dates stay as they were.
    EXPECT_NE(ReadBytes(path).find("<CT_C=19>2024-01-02 10:04:00</CT_C>"), std::string::npos);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"small.lxd"});
}

TEST(CliAdd, ExistingTermFollowsTheEngineRules) {
    test::TempFolder folder;
    const std::string path = test::CopyFixture(folder, "small.lxd");
    // Unique terms: the entry takes the term as typed, the new explanation and a new date.
    ASSERT_EQ(Add({path, "HOUSE", "Gebäude"}).code, 0);
    Rows rows = Entries(path);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"HOUSE", "Gebäude", "stamped"}));
    EXPECT_EQ(ReadBytes(path).find("2024-01-02 10:00:00"), std::string::npos);

    ASSERT_EQ(Add({path, "big", "dick", "--auto-add"}).code, 0);
    ASSERT_EQ(Add({path, "big", "stark", "--auto-add", "--auto-add-separator", " / "}).code, 0);
    EXPECT_EQ(Entries(path)[1][1], "groß, dick / stark");

    ASSERT_EQ(Add({path, "garden", "Hof", "--no-unique"}).code, 0);
    rows = Entries(path);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[4], (std::vector<std::string>{"garden", "Garten", "stamped"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"garden", "Hof", "stamped"}));
}

TEST(CliAdd, MergingAKnownExplanationLeavesTheFileAlone) {
    test::TempFolder folder;
    const std::string path = test::CopyFixture(folder, "small.lxd");
    const ino_t before = InodeOf(path);
    CliResult result = Add({path, "house", "Haus", "--auto-add"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(InodeOf(path), before);
    EXPECT_EQ(ReadBytes(path), ReadBytes(test::DataFile("small.lxd")));
}

TEST(CliAdd, MissingOrEmptyDictionaryIsCreated) {
    test::TempFolder folder;
    ASSERT_EQ(Add({folder / "new.lxd", "cat", "Katze"}).code, 0);
    EXPECT_EQ(Entries(folder / "new.lxd"), (Rows{{"cat", "Katze", "stamped"}}));
    EXPECT_NE(ReadBytes(folder / "new.lxd").find("<CT_CHARSET>65001</CT_CHARSET>"), std::string::npos);

    test::WriteBytes(folder / "empty.lxd", "");
    ASSERT_EQ(Add({folder / "empty.lxd", "cat", "Katze", "--charset", "1252"}).code, 0);
    EXPECT_EQ(Entries(folder / "empty.lxd", 1252), (Rows{{"cat", "Katze", "stamped"}}));
    EXPECT_NE(ReadBytes(folder / "empty.lxd").find("<CT_CHARSET>1252</CT_CHARSET>"), std::string::npos);

    CliResult result = Add({folder / "no/new.lxd", "cat", "Katze"});
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos);
}

TEST(CliAdd, DictionaryReadOnlyInPartIsNeverOverwritten) {
    test::TempFolder folder;
    for (const test::FaultyFile& faulty : test::FaultyDictionaries()) {
        if (faulty.name == "missing.lxd") {
            continue;
        }
        const std::string path = test::Place(folder, faulty);
        CliResult result = Add({path, "cat", "Katze"});
        EXPECT_EQ(result.code, 2) << faulty.name;
        EXPECT_TRUE(result.out.empty());
        EXPECT_NE(result.err.find("it was not changed"), std::string::npos) << faulty.name << ": " << result.err;
        if (faulty.name != "folder.lxd") {
            EXPECT_EQ(ReadBytes(path), faulty.bytes) << faulty.name;
        }
    }
    EXPECT_EQ(folder.Names().size(), test::FaultyDictionaries().size() - 1);
}

TEST(CliAdd, DictionaryInAnotherCodePageNeedsItsCharset) {
    test::TempFolder folder;
    const std::string path = test::CopyFixture(folder, "latin1.lxd");
    CliResult refused = Add({path, "thé", "Tee"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("code page 1252; give --charset 1252"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadBytes(path), ReadBytes(test::DataFile("latin1.lxd")));

    ASSERT_EQ(Add({path, "thé", "Tee", "--charset", "1252"}).code, 0);
    EXPECT_NE(ReadBytes(path).find("<CT_C=4>th\xE9</CT_C>"), std::string::npos);
    EXPECT_EQ(Entries(path, 1252), (Rows{{"café", "Kaffeehaus", "stamped"}, {"thé", "Tee", "stamped"}}));
}

TEST(CliAdd, LinkedDictionaryIsChangedWhereItLies) {
    test::TempFolder folder;
    const std::string target = test::CopyFixture(folder, "small.lxd");
    std::filesystem::create_symlink(target, folder / "link.lxd");
    ASSERT_EQ(Add({folder / "link.lxd", "cat", "Katze"}).code, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.lxd"));
    EXPECT_EQ(Entries(target).size(), 6u);
}

TEST(CliAdd, EmptyTermOrExplanationIsAUsageError) {
    test::TempFolder folder;
    EXPECT_EQ(Add({folder / "d.lxd", "", "x"}).code, 2);
    EXPECT_EQ(Add({folder / "d.lxd", "x", ""}).code, 2);
    EXPECT_EQ(Add({folder / "d.lxd", "x", "y", "--charset", "abc"}).code, 2);
    EXPECT_TRUE(folder.Names().empty());
}

TEST(CliDelete, FirstOrEveryEntryWithTheTerm) {
    test::TempFolder folder;
    const std::string path = folder / "d.lxd";
    test::WriteBytes(
        path, test::Document(
                  {{"house", "Haus", "d"}, {"big", "groß", "d"}, {"HOUSE", "Heim", "d"}, {"House", "Gebäude", "d"}}));
    CliResult first = Delete({path, "House"});
    EXPECT_EQ(first.code, 0);
    EXPECT_TRUE(first.out.empty());
    EXPECT_TRUE(first.err.empty());
    EXPECT_EQ(Entries(path), (Rows{{"big", "groß", "d"}, {"HOUSE", "Heim", "d"}, {"House", "Gebäude", "d"}}));

    ASSERT_EQ(Delete({path, "house", "--all"}).code, 0);
    EXPECT_EQ(ReadBytes(path), test::Document({{"big", "groß", "d"}}));
}

TEST(CliDelete, UnknownTermLeavesTheFileAlone) {
    test::TempFolder folder;
    const std::string path = test::CopyFixture(folder, "small.lxd");
    const ino_t before = InodeOf(path);
    CliResult result = Delete({path, "cat"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "lexaro-cli delete: no entry 'cat' in '" + path + "'\n");
    EXPECT_EQ(InodeOf(path), before);
    // Only whole terms are deleted.
    EXPECT_EQ(Delete({path, "hous"}).code, 1);
}

TEST(CliDelete, DictionaryReadOnlyInPartIsNeverOverwritten) {
    test::TempFolder folder;
    for (const test::FaultyFile& faulty : test::FaultyDictionaries()) {
        const std::string path = test::Place(folder, faulty);
        CliResult result = Delete({path, "a"});
        EXPECT_EQ(result.code, 2) << faulty.name;
        EXPECT_NE(result.err.find("it was not changed"), std::string::npos) << faulty.name << ": " << result.err;
        if (faulty.name != "folder.lxd" && faulty.name != "missing.lxd") {
            EXPECT_EQ(ReadBytes(path), faulty.bytes) << faulty.name;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.lxd"));

    const std::string latin1 = test::CopyFixture(folder, "latin1.lxd");
    EXPECT_EQ(Delete({latin1, "café"}).code, 2);
    EXPECT_EQ(Delete({latin1, "café", "--charset", "1252"}).code, 0);
    EXPECT_EQ(Entries(latin1, 1252), Rows{});
}

} // namespace
} // namespace lexaro
