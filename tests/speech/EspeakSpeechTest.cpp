#include "speech/EspeakSpeech.h"

#include "app/WavFile.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace lexaro {
namespace {

double Seconds(const SpeechSamples& speech) {
    return static_cast<double>(speech.samples.size()) / speech.sampleRate;
}

int Peak(const SpeechSamples& speech) {
    int peak = 0;
    for (const std::int16_t sample : speech.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

std::string CommandOutput(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        output += buffer;
    }
    return output;
}

TEST(EspeakSpeech, OffersVoicesByLanguageName) {
    EspeakSpeech engine;
    const std::vector<SpeechVoice> voices = engine.Voices();
    const int german = VoiceIndexFor(voices, "DE");
    ASSERT_GE(german, 0);
    EXPECT_EQ(voices[static_cast<std::size_t>(german)].name, "German");
    // "en" is no voice's own language, but the English voices answer to it.
    EXPECT_GE(VoiceIndexFor(voices, "en"), 0);
    EXPECT_EQ(VoiceIndexFor(voices, "xx"), -1);
}

TEST(EspeakSpeech, WordIsAudibleAndShortLongerTextLasts) {
    EspeakSpeech engine;
    const std::optional<SpeechSamples> word = engine.Synthesize("house", "en");
    ASSERT_TRUE(word);
    EXPECT_GT(word->sampleRate, 8000);
    EXPECT_GT(Peak(*word), 1000);
    EXPECT_GT(Seconds(*word), 0.1);
    EXPECT_LT(Seconds(*word), 2.0);
    const std::optional<SpeechSamples> sentence = engine.Synthesize("The house by the river is very old.", "en");
    ASSERT_TRUE(sentence);
    EXPECT_GT(Seconds(*sentence), 2 * Seconds(*word));
}

TEST(EspeakSpeech, LanguageChangesTheSpeechAndUnknownGivesNone) {
    EspeakSpeech engine;
    const std::optional<SpeechSamples> english = engine.Synthesize("Hund Katze Maus", "en");
    const std::optional<SpeechSamples> german = engine.Synthesize("Hund Katze Maus", "de");
    ASSERT_TRUE(english && german);
    EXPECT_NE(english->samples, german->samples);
    EXPECT_FALSE(engine.Synthesize("Hund", "xx"));
    const std::optional<SpeechSamples> empty = engine.Synthesize("", "de");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->samples.empty());
}

TEST(EspeakSpeech, WavFileReadsBackInSox) {
    if (std::system("command -v sox >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "sox is not installed";
    }
    EspeakSpeech engine;
    const std::optional<SpeechSamples> speech = engine.Synthesize("Haus", "de");
    ASSERT_TRUE(speech);
    test::TempFolder folder;
    ASSERT_TRUE(WriteWavFile(folder / "haus.wav", *speech));
    const std::string path = (folder / "haus.wav").string();
    EXPECT_EQ(CommandOutput("sox --i -c '" + path + "'"), "1\n");
    EXPECT_EQ(CommandOutput("sox --i -b '" + path + "'"), "16\n");
    EXPECT_EQ(CommandOutput("sox --i -r '" + path + "'"), std::to_string(speech->sampleRate) + "\n");
    EXPECT_EQ(CommandOutput("sox --i -s '" + path + "'"), std::to_string(speech->samples.size()) + "\n");
    EXPECT_FALSE(WriteWavFile(folder / "missing" / "haus.wav", *speech));
}

} // namespace
} // namespace lexaro
