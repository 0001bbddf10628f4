#include "app/SpeechLanguages.h"

#include "AppTestSupport.h"
#include "table/InitFileDocument.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

TEST(SpeechLanguages, GuessFromFileName) {
    struct Case {
        const char* fileName;
        std::optional<VoicePair> voices;
    };
    const Case cases[] = {
        {"eng-deu.lxd", VoicePair{"en", "de"}},
        {"/home/anna/words/en-de.lxd", VoicePair{"en", "de"}},
        {"English-German.lxd", VoicePair{"en", "de"}},
        {"C:\\dicts\\ger_fre.lxd", VoicePair{"de", "fr"}},
        {"Vokabeln Français Deutsch.lxd", VoicePair{"fr", "de"}},
        {"spanish words.lxd", VoicePair{"es", "it"}}, // one language: the explanations take the fallback
        {"zh-en.lxd", VoicePair{"cmn", "en"}},
        {"words.lxd", std::nullopt},
        {"deutsch.d/words.lxd", std::nullopt}, // folders name nothing
        {"endless.lxd", std::nullopt},         // a language code inside a word is none
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GuessVoicesFromFileName(c.fileName, "it"), c.voices) << c.fileName;
    }
}

TEST(SpeechLanguages, StoredThenGuessedThenInterfaceLanguage) {
    Settings settings;
    settings.languageName = "Deutsch";
    EXPECT_EQ(VoicesForDictionary(settings, "/d/notes.lxd"), (VoicePair{"de", "de"}));
    EXPECT_EQ(VoicesForDictionary(settings, "/d/en-fr.lxd"), (VoicePair{"en", "fr"}));
    StoreVoicesForDictionary(settings, "/d/en-fr.lxd", {"en-us", "fr-be"});
    StoreVoicesForDictionary(settings, "/d/notes.lxd", {"sv", "de"});
    StoreVoicesForDictionary(settings, "/d/en-fr.lxd", {"en-gb", "fr-fr"});
    ASSERT_EQ(settings.dictionaryVoices.size(), 2U);
    EXPECT_EQ(settings.dictionaryVoices.front().path, "/d/en-fr.lxd");
    EXPECT_EQ(VoicesForDictionary(settings, "/d/en-fr.lxd"), (VoicePair{"en-gb", "fr-fr"}));
    settings.languageName = "Klingon";
    EXPECT_EQ(VoicesForDictionary(settings, "/d/other.lxd"), (VoicePair{"en", "en"}));
}

TEST(SpeechLanguages, KeptInTheSettingsFile) {
    Settings settings;
    StoreVoicesForDictionary(settings, "/d/a;b.lxd", {"en", "de"});
    StoreVoicesForDictionary(settings, "/d/c.lxd", {"fr", "es"});
    settings.speakReviewAnswer = false;
    InitFileDocument document(InitFileForm::Element);
    WriteSettings(settings, document);
    const Settings read = ReadSettings(document, {});
    EXPECT_EQ(read.dictionaryVoices, settings.dictionaryVoices);
    EXPECT_TRUE(read.speakReviewQuestion);
    EXPECT_FALSE(read.speakReviewAnswer);

    // A hand-edited value without both languages and a path is passed over.
    InitFileDocument edited(InitFileForm::Element);
    ASSERT_TRUE(edited.ParseText(
        test::SettingsFileText("<SpeechVoices>en;de</SpeechVoices>\r\n<SpeechVoices>;de;/x.lxd</SpeechVoices>\r\n"
                               "<SpeechVoices>en;de;/y.lxd</SpeechVoices>\r\n")));
    EXPECT_EQ(ReadSettings(edited, {}).dictionaryVoices, (std::vector<DictionaryVoices>{{"/y.lxd", "en", "de"}}));
}

} // namespace
} // namespace lexaro
