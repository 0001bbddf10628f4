#include "app/DefaultTexts.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace lexaro;

namespace {

bool IsName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

} // namespace

TEST(DefaultTexts, KeysAreUniqueAndNameAKnownWindow) {
    const auto forms = InterfaceForms();
    std::set<std::string_view> seen;
    for (const DefaultTextEntry& entry : AllDefaultTexts()) {
        EXPECT_TRUE(seen.insert(entry.key).second) << "twice: " << entry.key;
        EXPECT_FALSE(entry.text.empty()) << entry.key;
        const std::string_view key = entry.key;
        const std::size_t point = key.find('.');
        const std::string_view form = key.substr(0, point);
        EXPECT_NE(std::find(forms.begin(), forms.end(), form), forms.end()) << entry.key;
        if (point == std::string_view::npos) {
            // Two windows have always kept their title under the bare form name.
            EXPECT_TRUE(key == "FrmMass" || key == "FrmTrans") << entry.key;
        } else {
            EXPECT_TRUE(IsName(key.substr(point + 1))) << entry.key;
        }
    }
}

TEST(DefaultTexts, NoKeyIsFoundInsideAnotherKeysLine) {
    // A value is found by searching for key="; a key that ends another key would read that key's text.
    for (const DefaultTextEntry& shorter : AllDefaultTexts()) {
        for (const DefaultTextEntry& longer : AllDefaultTexts()) {
            if (shorter.key != longer.key) {
                EXPECT_FALSE(longer.key.ends_with(shorter.key)) << shorter.key << " inside " << longer.key;
            }
        }
    }
}

TEST(DefaultTexts, MenuCaptionsCarryTheirAcceleratorsAfterATab) {
    EXPECT_EQ(DefaultText("FrmMain.ID_MEN_NEW"), "New dictionary\tCtrl+N");
    for (const DefaultTextEntry& entry : AllDefaultTexts()) {
        EXPECT_EQ(entry.text.find('\\'), std::string_view::npos) << entry.key << " has a backslash left";
        if (entry.text.find('\t') != std::string_view::npos) {
            EXPECT_NE(entry.key.find("ID_MEN_"), std::string_view::npos) << entry.key;
        }
    }
    EXPECT_EQ(DefaultText("FrmMain.NoSuchKey"), "");
}

TEST(DefaultTexts, ALanguageFileIsCheckedForKeysTheProgramDoesNotKnow) {
    const std::string file = "\xEF\xBB\xBF"
                             "FrmMain.ID_MEN_FILE=\"Datei\"\r\n"
                             "FrmMain.ID_MEN_FIEL=\"Tippfehler\"\r\n"
                             "FrmMass=\"Massendaten\r\neingeben\"\r\n"
                             "FrmTrans.m_BTNTranslate=\"\xC3\x9C"
                             "bersetzen\"\r\n"
                             "FrmOld.m_LBLGone=\"x\"\r\n";
    EXPECT_EQ(UnknownTextKeys(file), (std::vector<std::string>{"FrmMain.ID_MEN_FIEL", "FrmOld.m_LBLGone"}));
    EXPECT_TRUE(UnknownTextKeys("").empty());
    EXPECT_EQ(UnknownTextKeys("FrmMain.m_BTNSearch=\"unclosed\r\n"), std::vector<std::string>{});
}

TEST(DefaultTexts, TheEnglishTextsAreSpelledRight) {
    for (const DefaultTextEntry& entry : AllDefaultTexts()) {
        for (const std::string_view wrong : {"Rememeber", "possibile", "Dictionarys"}) {
            EXPECT_EQ(entry.text.find(wrong), std::string_view::npos) << entry.key;
        }
    }
}
