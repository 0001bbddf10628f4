#include "TestData.h"
#include "app/DefaultTexts.h"
#include "app/FileFilter.h"
#include "app/InterfaceTexts.h"
#include "app/LanguageSelection.h"
#include "app/Storage.h"
#include "table/TextEncoding.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

using namespace lexaro;

namespace {

const std::filesystem::path kResources = std::filesystem::path(LEXARO_SOURCE_DIR) / "resources";

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of a language file as the program writes such files: key="value" and CR LF each.
std::map<std::string, std::string> ReadPairs(const std::string& text, const std::string& fileName) {
    std::map<std::string, std::string> pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << fileName << ": the last line has no CR LF";
            break;
        }
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        const std::size_t open = line.find("=\"");
        if (open == std::string::npos || !line.ends_with('"') || line.find('"', open + 2) != line.size() - 1) {
            ADD_FAILURE() << fileName << ": not a key=\"value\" line: " << line;
            continue;
        }
        const std::string key = line.substr(0, open);
        EXPECT_TRUE(pairs.emplace(key, line.substr(open + 2, line.size() - open - 3)).second)
            << fileName << ": twice " << key;
    }
    return pairs;
}

// The printf-style fields of a text ("%s", "%c", "%d", ...), in order.
std::vector<std::string> Placeholders(std::string_view text) {
    std::vector<std::string> fields;
    for (std::size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('%', at + 2)) {
        fields.emplace_back(text.substr(at, 2));
    }
    return fields;
}

std::vector<std::vector<std::u16string>> FilterPatterns(std::string_view filter) {
    std::vector<std::vector<std::u16string>> patterns;
    for (const FileFilterEntry& entry : ParseFileFilter(Utf8ToWide(filter))) {
        patterns.push_back(entry.patterns);
    }
    return patterns;
}

struct Shipped {
    std::string name;
    std::filesystem::path file;
};

std::vector<Shipped> ShippedLanguages() {
    InitFileDocument list(InitFileForm::Pair);
    EXPECT_TRUE(list.LoadFromFile(kResources / std::string(kLanguagesFile)));
    std::vector<Shipped> shipped;
    for (const auto& [name, file] : ReadLanguagePairs(list)) {
        shipped.push_back({name, LanguageFilePath(kResources, file)});
    }
    return shipped;
}

} // namespace

TEST(ShippedLanguages, TheListOffersEnglishGermanAndFrenchWithEnglishAsDefault) {
    const std::vector<Shipped> shipped = ShippedLanguages();
    ASSERT_EQ(shipped.size(), 3u);
    EXPECT_EQ(shipped[0].name, "English");
    EXPECT_EQ(shipped[1].name, "Deutsch");
    EXPECT_EQ(shipped[2].name, "Fran\xC3\xA7"
                               "ais");
    for (const Shipped& language : shipped) {
        EXPECT_TRUE(std::filesystem::is_regular_file(language.file)) << language.file;
    }

    const LanguageSelection atStart = SelectLanguageByName(kResources, "");
    EXPECT_TRUE(atStart.matched);
    EXPECT_EQ(atStart.name, "English");
    EXPECT_EQ(atStart.file, shipped[0].file);
    // The help page of a language is found by the tag of its file name.
    EXPECT_EQ(LanguageTag(shipped[0].file.string()), "English");
    EXPECT_EQ(LanguageTag(shipped[1].file.string()), "German");
    EXPECT_EQ(LanguageTag(shipped[2].file.string()), "French");

    // The listed English file takes the place of the built-in texts in the language window.
    const LanguageChoices choices =
        ReadLanguageChoices(kResources / std::string(kLanguagesFile), kResources, shipped[1].file);
    ASSERT_EQ(choices.items.size(), 3u);
    EXPECT_EQ(choices.items[0].file, shipped[0].file);
    EXPECT_EQ(choices.selected, 1u);
}

TEST(ShippedLanguages, EveryFileHasEveryTextOfTheProgramAndNoOther) {
    for (const Shipped& language : ShippedLanguages()) {
        const std::string text = ReadFile(language.file);
        const std::string fileName = language.file.filename().string();
        EXPECT_FALSE(text.starts_with("\xEF\xBB\xBF")) << fileName;
        EXPECT_EQ(UnknownTextKeys(text), std::vector<std::string>{}) << fileName;
        const auto pairs = ReadPairs(text, fileName);

        InterfaceTexts texts;
        ASSERT_TRUE(texts.LoadLanguageFile(language.file)) << fileName;
        for (const DefaultTextEntry& entry : AllDefaultTexts()) {
            const auto found = pairs.find(std::string(entry.key));
            if (found == pairs.end() || found->second.empty()) {
                ADD_FAILURE() << fileName << " lacks " << entry.key;
                continue;
            }
            // What the program reads under the key is the line written for it.
            EXPECT_EQ(texts.GetText(entry.key), found->second) << fileName << " " << entry.key;
            EXPECT_EQ(WideToUtf8(Utf8ToWide(found->second)), found->second) << fileName << " " << entry.key;
        }
    }
}

TEST(ShippedLanguages, TranslationsKeepWhatTheProgramFillsInOrSplits) {
    for (const Shipped& language : ShippedLanguages()) {
        const std::string fileName = language.file.filename().string();
        InterfaceTexts texts;
        ASSERT_TRUE(texts.LoadLanguageFile(language.file)) << fileName;
        for (const DefaultTextEntry& entry : AllDefaultTexts()) {
            const std::string translated = texts.GetText(entry.key);
            const std::string_view original = entry.text;
            EXPECT_EQ(Placeholders(translated), Placeholders(original)) << fileName << " " << entry.key;
            // A menu caption keeps its accelerator after a tab; other texts have no tab.
            EXPECT_EQ(translated.find('\t') != std::string::npos, original.find('\t') != std::string_view::npos)
                << fileName << " " << entry.key;
            if (const std::size_t tab = original.find('\t'); tab != std::string_view::npos) {
                const std::string_view key = original.substr(tab + 1);
                // Function keys stay as they are; modifier names may be the language's own.
                if (key.starts_with('F')) {
                    EXPECT_TRUE(translated.ends_with(std::string("\t") + std::string(key)))
                        << fileName << " " << entry.key;
                }
            }
            // "Last term: " is followed by the term itself.
            EXPECT_EQ(translated.ends_with(' '), original.ends_with(' ')) << fileName << " " << entry.key;
            EXPECT_EQ(translated.find('\n'), std::string::npos) << fileName << " " << entry.key;
            if (entry.key.find("Dialog") != std::string_view::npos) {
                EXPECT_EQ(FilterPatterns(translated), FilterPatterns(original)) << fileName << " " << entry.key;
            }
        }
        // Collected entries sort after every other explanation.
        EXPECT_TRUE(texts.GetText("FrmMain.m_acTCollected").starts_with("ZZZ ")) << fileName;
        EXPECT_EQ(texts.GetText("FrmTrans.m_CBBTransMode1").substr(0, 4), "3 - ") << fileName;
    }
}

TEST(ShippedLanguages, TheEnglishFileIsTheBuiltInText) {
    InterfaceTexts texts;
    ASSERT_TRUE(texts.LoadLanguageFile(kResources / "lang_English.xml"));
    for (const DefaultTextEntry& entry : AllDefaultTexts()) {
        // The mass-data editor's progress text serves reading and writing under one key; a file's text
        // is shown for both, so every file gives one that fits both.
        if (entry.key == "FrmMass.m_acTState") {
            EXPECT_EQ(texts.GetText(entry.key, ""), "Please wait...");
            continue;
        }
        EXPECT_EQ(texts.GetText(entry.key, ""), entry.text) << entry.key;
    }
}
