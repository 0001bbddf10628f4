#include "table/ForeignDictionary.h"

#include "TableTestSupport.h"
#include "table/Dictzip.h"
#include "table/ForeignText.h"
#include "table/SafeFile.h"

#include <gtest/gtest.h>

namespace lexaro::test {

namespace {

void Put(const std::filesystem::path& path, std::string_view bytes) {
    ASSERT_TRUE(WriteFileSafely(path, bytes));
}

std::string Get(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes));
    return bytes;
}

std::string Be32(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

std::string Dictzip(std::string_view text) {
    DictzipWriter writer;
    EXPECT_TRUE(writer.Append(text) && writer.Finish());
    std::string file;
    writer.WriteTo([&](std::string_view piece) {
        file.append(piece);
        return true;
    });
    return file;
}

// A text of several dictzip chunks that does not repeat itself.
std::string LongText() {
    std::string text;
    for (int i = 0; text.size() < 200000; ++i) {
        text += std::to_string(i * 7919 % 100003) + (i % 13 == 0 ? "\n" : " ");
    }
    return text;
}

// A dictd set of entries given as index lines and data.
void PutDictd(const TempFolder& folder, std::string_view index, std::string_view data) {
    Put(folder / "d.index", index);
    Put(folder / "d.dict", data);
}

// A StarDict set: .ifo lines after the magic line, index bytes, data.
void PutStarDict(const TempFolder& folder, std::string_view ifo, std::string_view idx, std::string_view data) {
    Put(folder / "s.ifo", "StarDict's dict ifo file\n" + std::string(ifo));
    Put(folder / "s.idx", idx);
    Put(folder / "s.dict", data);
}

std::string IdxEntry(std::string_view word, std::uint32_t offset, std::uint32_t size) {
    return std::string(word) + '\0' + Be32(offset) + Be32(size);
}

} // namespace

TEST(Dictzip, ReadsAnyRangeThroughTheChunkTableAndRefusesDamage) {
    const std::string text = LongText();
    const std::string file = Dictzip(text);
    std::string error;
    std::optional<DictData> data = DictData::FromBytes(file, error);
    ASSERT_TRUE(data) << error;
    EXPECT_EQ(data->Size(), text.size());
    std::string out;
    for (const std::uint64_t offset : {0u, 58310u, 120000u, 58315u * 3}) {
        ASSERT_TRUE(data->Read(offset, 9, out, error)) << error;
        EXPECT_EQ(out, text.substr(offset, 9));
    }
    EXPECT_FALSE(data->Read(text.size() - 2, 3, out, error));

    std::string corrupt = file;
    corrupt[corrupt.size() / 2] ^= 0x55;
    corrupt[corrupt.size() / 2 + 1] ^= 0x55;
    std::optional<DictData> damaged = DictData::FromBytes(corrupt, error);
    bool failed = !damaged;
    for (std::uint64_t offset = 0; damaged && offset < text.size(); offset += 50000) {
        failed = failed || !damaged->Read(offset, 10, out, error);
    }
    EXPECT_TRUE(failed);
    EXPECT_FALSE(DictData::FromBytes(file.substr(0, file.size() / 2), error));
    EXPECT_NE(error.find("cut off"), std::string::npos) << error;
}

TEST(ForeignText, DictdKeysAndNumbersAsDictfmtMakesThem) {
    EXPECT_EQ(foreign::DictdKey("  Zebra  Crossing "), "zebra crossing");
    EXPECT_EQ(foreign::DictdKey("a - b"), "a b");
    EXPECT_EQ(foreign::DictdKey("- lead"), " lead");
    EXPECT_EQ(foreign::DictdKey("Äpfel-Baum e.g."), "äpfelbaum eg");
    EXPECT_EQ(foreign::EncodeDictdNumber(0), "A");
    EXPECT_EQ(foreign::EncodeDictdNumber(4095), "//");
    EXPECT_EQ(foreign::DecodeDictdNumber("BAK3S"), 16821714u);
    EXPECT_FALSE(foreign::DecodeDictdNumber("AB=C"));
    EXPECT_EQ(foreign::MarkupToPlain("<b>a&amp;b</b><br/>c &lt;d&gt; &#x263A; &bogus;"),
              "a&b\nc <d> \xE2\x98\xBA &bogus;");
}

TEST(ForeignDictionary, DictdEntriesTakeTheirTermFromTheEntryText) {
    TempFolder folder;
    const std::string data =
        "House\nHaus\nhouse /haus/\nHaus\r\nGeb\xC3\xA4ude\n\n00-database-short\n     Mine\nplain\na\rb x\n";
    // The same entry again, once with its numbers spelt with a leading zero digit; a headword spelt across a CR.
    PutDictd(folder,
             "00databaseshort\to\tc\nhouse\tA\tL\nhouse\tL\td\nhouse\tL\td\nhouse\tAL\td\nother\tBE\tG\na b\tBK\tG\n",
             data);
    ClassTable table;
    const ForeignRead read = ReadForeignDictionary(folder / "d.index", table);
    ASSERT_TRUE(read.complete) << read.error;
    EXPECT_EQ(read.name, "Mine");
    EXPECT_EQ(Cells(table),
              (std::vector<std::vector<std::string>>{{"House", "Haus", ""},
                                                     {"house", "house /haus/\r\nHaus\r\nGeb\xC3\xA4ude", ""},
                                                     {"other", "plain", ""},
                                                     {"a\rb", "a\r\nb x", ""}}));
    EXPECT_TRUE(table.FileName().empty());
    EXPECT_EQ(ForeignFormOf(folder / "d.dict"), ForeignForm::Dictd);
}

// The data in the reverse order of the index, in dictzip chunks, and more text than the reader gathers before it
// gives memory back.
TEST(ForeignDictionary, DictdRowsFollowTheIndexWhateverOrderTheDataHas) {
    TempFolder folder;
    constexpr std::size_t kEntries = 3000;
    std::string data;
    std::vector<std::string> lines(kEntries);
    std::vector<std::vector<std::string>> expected(kEntries);
    for (std::size_t i = kEntries; i-- > 0;) {
        const std::string word = "w" + std::to_string(i);
        const std::string meaning(1000 + i % 7, static_cast<char>('a' + i % 26));
        const std::string text = word + " /x/\n" + meaning + "\n";
        lines[i] = word + "\t" + foreign::EncodeDictdNumber(data.size()) + "\t" +
                   foreign::EncodeDictdNumber(text.size()) + "\n";
        data += text;
        expected[i] = {word, word + " /x/\r\n" + meaning, ""};
    }
    std::string index;
    for (const std::string& line : lines) {
        index += line;
    }
    Put(folder / "d.index", index);
    Put(folder / "d.dict.dz", Dictzip(data));
    ClassTable table;
    const ForeignRead read = ReadForeignDictionary(folder / "d.index", table);
    ASSERT_TRUE(read.complete) << read.error;
    EXPECT_EQ(Cells(table), expected);
}

TEST(ForeignDictionary, StarDictPartsSynonymsAndPackedIndex) {
    TempFolder folder;
    const std::string first = std::string("m") + "plain" + '\0' + "h" + "<i>x</i>&amp;y" + '\0' + "W" + Be32(2) + "ab";
    const std::string second = std::string("g") + "<b>bold</b>" + '\0';
    const std::string idx =
        IdxEntry("apple", 0, static_cast<std::uint32_t>(first.size())) +
        IdxEntry("Pear", static_cast<std::uint32_t>(first.size()), static_cast<std::uint32_t>(second.size()));
    PutStarDict(folder, "version=2.4.2\nwordcount=2\nidxfilesize=" + std::to_string(idx.size()) + "\nbookname=Fruit\n",
                "", first + second);
    std::filesystem::remove(folder / "s.idx");
    Put(folder / "s.dict.dz", Dictzip(first + second));
    std::filesystem::remove(folder / "s.dict");
    std::string gz;
    {
        // A packed index is plain gzip: a dictzip file of one chunk is one.
        gz = Dictzip(idx);
    }
    Put(folder / "s.idx.gz", gz);
    Put(folder / "s.syn", std::string("malus") + '\0' + Be32(0));

    ClassTable table;
    const ForeignRead read = ReadForeignDictionary(folder / "s.idx.gz", table);
    ASSERT_TRUE(read.complete) << read.error;
    EXPECT_EQ(read.name, "Fruit");
    EXPECT_EQ(read.skipped, 1);
    EXPECT_EQ(Cells(table), (std::vector<std::vector<std::string>>{
                                {"apple", "plain\r\nx&y", ""}, {"Pear", "bold", ""}, {"malus", "plain\r\nx&y", ""}}));
}

TEST(ForeignDictionary, WrittenSetsReadBackAndFollowTheirProgramsOrder) {
    TempFolder folder;
    ClassTable table;
    Fill(table, {{"zebra", "Zebra", "2024-01-01 00:00:00"},
                 {"Apfel", "apple\r\nfruit", ""},
                 {"apfel", "second", ""},
                 {"Apfelbaumhaus", "Baumhaus", ""},
                 {"apfelbaum", "Baum", ""},
                 {"B", std::string(300000, 'x'), ""}});
    for (const ForeignForm form : {ForeignForm::StarDict, ForeignForm::Dictd}) {
        const std::filesystem::path target = folder / (form == ForeignForm::StarDict ? "out.ifo" : "out.index");
        std::string error;
        ASSERT_TRUE(WriteForeignDictionary(form, target, table, "Out", nullptr, error)) << error;
        ClassTable back;
        const ForeignRead read = ReadForeignDictionary(target, back);
        ASSERT_TRUE(read.complete) << read.error;
        EXPECT_EQ(read.name, "Out");
        EXPECT_EQ(Cells(back), (std::vector<std::vector<std::string>>{{"Apfel", "apple\r\nfruit", ""},
                                                                      {"apfel", "second", ""},
                                                                      {"apfelbaum", "Baum", ""},
                                                                      {"Apfelbaumhaus", "Baumhaus", ""},
                                                                      {"B", std::string(300000, 'x'), ""},
                                                                      {"zebra", "Zebra", ""}}));
    }
    EXPECT_EQ(Get(folder / "out.ifo"), "StarDict's dict ifo file\nversion=2.4.2\nwordcount=6\nidxfilesize=92\n"
                                       "bookname=Out\nsametypesequence=m\n");
    const std::string index = Get(folder / "out.index");
    EXPECT_EQ(index.substr(0, index.find("\napfel")),
              "00databaseshort\tB\tb\n00databaseurl\tc\tZ\n00databaseutf8\tA\tB");
}

TEST(ForeignDictionary, BadInputGivesAnErrorNamingTheFileAndAnEmptyTable) {
    TempFolder folder;
    const std::string good = IdxEntry("a", 0, 2);
    const auto ifo = [](std::size_t words, std::size_t size) {
        return "version=3.0.0\nsametypesequence=m\nwordcount=" + std::to_string(words) +
               "\nidxfilesize=" + std::to_string(size) + "\n";
    };
    struct Case {
        std::string idx;
        std::string ifo;
        std::string file;
        std::string words;
    };
    const std::vector<Case> starDict{
        {IdxEntry("a", 1, 2), ifo(1, 10), "s.idx", "past the end"},
        {IdxEntry("a", 0, 0xFFFFFFFF), ifo(1, 10), "s.idx", "past the end"},
        {good, ifo(1, 11), "s.idx", "idxfilesize=11"},
        {good, ifo(2, 10), "s.idx", "wordcount=2"},
        {"abc", ifo(1, 3), "s.idx", "no terminating zero"},
        {good, "version=1.0\n", "s.ifo", "version"},
    };
    ClassTable table;
    for (const Case& bad : starDict) {
        PutStarDict(folder, bad.ifo, bad.idx, "xy");
        const ForeignRead read = ReadForeignDictionary(folder / "s.ifo", table);
        EXPECT_FALSE(read.complete);
        EXPECT_NE(read.error.find((folder / bad.file).string()), std::string::npos) << read.error;
        EXPECT_NE(read.error.find(bad.words), std::string::npos) << read.error;
        EXPECT_EQ(table.RowCount(), 0);
    }
    const std::vector<std::pair<std::string, std::string>> dictd{
        {"a\tA\tC\n", "past the end"}, {"a\tA\tC=\n", "invalid base64"}, {"a\tA\n", "not a word"}};
    for (const auto& [index, words] : dictd) {
        PutDictd(folder, index, "x");
        const ForeignRead read = ReadForeignDictionary(folder / "d.index", table);
        EXPECT_NE(read.error.find((folder / "d.index").string() + "': line 1"), std::string::npos) << read.error;
        EXPECT_NE(read.error.find(words), std::string::npos) << read.error;
    }
    std::string dz = Dictzip(LongText());
    dz[dz.size() - 100] ^= 0x7F;
    dz[dz.size() - 101] ^= 0x7F;
    Put(folder / "d.dict.dz", dz);
    Put(folder / "d.index", "a\tA\tB\nz\tBAAA\tB\n");
    const ForeignRead read = ReadForeignDictionary(folder / "d.index", table);
    EXPECT_NE(read.error.find((folder / "d.dict.dz").string() + "': "), std::string::npos) << read.error;
    EXPECT_EQ(table.RowCount(), 0);
}

TEST(ForeignDictionary, InstalledDictionariesAreFoundByTheirOwnNames) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "dic" / "fruit");
    Put(folder / "dic" / "fruit" / "f.ifo", "StarDict's dict ifo file\nversion=2.4.2\nbookname=Fruit\n");
    Put(folder / "dic" / "b.index", "x\tA\tB\n");
    Put(folder / "dic" / "b.dict", "x");
    Put(folder / "dic" / "notes.txt", "");
    const std::vector<InstalledDictionary> found = FindInstalledDictionaries({folder / "dic", folder / "missing"});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "b");
    EXPECT_EQ(found[1].name, "Fruit");
    EXPECT_EQ(found[1].file, folder / "dic" / "fruit" / "f.ifo");
}

TEST(SafeFileSet, AFailureLeavesEveryOldFileOfTheSet) {
    TempFolder folder;
    Put(folder / "a", "old a");
    Put(folder / "b", "old b");
    std::size_t failed = 9;
    const std::vector<FileInSet> files{{folder / "a", [](const PieceWriter& write) { return write("new a"); }},
                                       {folder / "b", [](const PieceWriter&) { return false; }}};
    EXPECT_FALSE(WriteFilesSafely(files, failed));
    EXPECT_EQ(failed, 1u);
    EXPECT_EQ(Get(folder / "a"), "old a");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

} // namespace lexaro::test
