#include "app/RecentList.h"
#include "app/Settings.h"
#include "table/InitFileDocument.h"

#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace lexaro {

namespace {

// A list is its key repeated; reading stops at the first empty value.
std::vector<std::string> ReadList(InitFileDocument& document, std::string_view key) {
    std::vector<std::string> items;
    for (std::string value = document.GetString(key, ""); !value.empty(); value = document.GetValueNext(key)) {
        items.push_back(std::move(value));
    }
    return items;
}

// An empty value keeps the rectangle at zeros, which the tool windows take as no stored position.
Rect ReadRect(InitFileDocument& document, std::string_view key) {
    const std::string value = document.GetString(key, "");
    return value.empty() ? Rect{} : ScanRect(value);
}

// The values of the settings before they go into the document. The settings form escapes nothing: a value that
// holds a NUL byte, the root's closing tag or a tag of any settings key would not read back as written, or would
// be read in another key's place. Such a value is left out (a history entry holding one is dropped); every other
// value is written.
class SettingsValues {
public:
    void AddValue(std::string_view key, std::string_view value) { m_Values.emplace_back(key, value); }
    void AddInt(std::string_view key, int value) { AddValue(key, std::to_string(value)); }
    void AddBool(std::string_view key, bool value) { AddValue(key, value ? "1" : "0"); }

    void WriteTo(InitFileDocument& document) const {
        for (const auto& [key, value] : m_Values) {
            if (ReadsBack(value, document.Root())) {
                document.AddValue(key, value);
            }
        }
    }

private:
    bool ReadsBack(std::string_view value, std::string_view root) const {
        if (value.find('\0') != std::string_view::npos) {
            return false;
        }
        if (value.find('<') == std::string_view::npos) {
            return true;
        }
        const auto holdsTag = [value](std::string_view name) {
            const std::string open = "<" + std::string(name) + ">";
            return value.find(open) != std::string_view::npos ||
                   value.find("</" + open.substr(1)) != std::string_view::npos;
        };
        if (holdsTag(root)) {
            return false;
        }
        for (const auto& entry : m_Values) {
            if (holdsTag(entry.first)) {
                return false;
            }
        }
        return true;
    }

    std::vector<std::pair<std::string_view, std::string>> m_Values;
};

// An empty item would end the list on reading and lose every item after it, so none is written.
template <typename Iterator>
void AddList(SettingsValues& document, std::string_view key, Iterator first, Iterator last) {
    for (; first != last; ++first) {
        if (!first->empty()) {
            document.AddValue(key, *first);
        }
    }
}

// "terms;explanations;path": the language codes hold no ';', the path comes last whatever it holds.
std::string FormatDictionaryVoices(const DictionaryVoices& voices) {
    return voices.terms + ';' + voices.explanations + ';' + voices.path;
}

std::optional<DictionaryVoices> ParseDictionaryVoices(std::string_view value) {
    const std::size_t first = value.find(';');
    const std::size_t second = first == std::string_view::npos ? first : value.find(';', first + 1);
    if (second == std::string_view::npos || first == 0 || second == first + 1 || second + 1 == value.size()) {
        return std::nullopt;
    }
    return DictionaryVoices{std::string(value.substr(second + 1)), std::string(value.substr(0, first)),
                            std::string(value.substr(first + 1, second - first - 1))};
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

void ReadFonts(InitFileDocument& document, FontSettings& fonts) {
    const Settings defaults;
    fonts.SetUseBuildInFont(document.GetBool("UseBuildInFont", defaults.fonts.UseBuildInFont()));
    fonts.SetUseFontSettings(document.GetBool("UseFontSettings", defaults.fonts.UseFontSettings()));
    fonts.SetUseFontHeight(document.GetBool("UseFontHeight", defaults.fonts.UseFontHeight()));
    if (!fonts.UseFontSettings()) {
        return;
    }
    const FontValues& current = fonts.Working();
    FontValues stored;
    stored.faceName = document.GetString("FontDefName", current.faceName);
    stored.charset = document.GetInt("FontDefCharset", current.charset);
    stored.height = document.GetInt("FontDefHeight", current.height);
    stored.pitchAndFamily = document.GetInt("FontDefPitch", current.pitchAndFamily);
    fonts.SetStoredFont(stored);
}

void ReadWindowPositions(InitFileDocument& document, Settings& s) {
    const std::string winPos = document.GetString("WinPos", "");
    if (winPos == kMaximisedWindow) {
        s.winPos.maximised = true;
    } else if (!winPos.empty()) {
        s.winPos.rect = ScanRect(winPos);
    }
    s.winPosMassData = ReadRect(document, "WinPos_MassData");
    s.winPosOverView = ReadRect(document, "WinPos_OverView");
    s.winPosTranslator = ReadRect(document, "WinPos_Translator");
    s.winPosTraining = ReadRect(document, "WinPos_Training");
    s.winPosTrainingSmall = ReadRect(document, "WinPos_TrainingSmall");
}

} // namespace

Settings ReadSettings(InitFileDocument& document, const SettingsReadContext& context) {
    Settings s;
    InitFileDocument& d = document;
    s.startDictionary = d.GetString("StartDictionary", s.startDictionary);
    s.autoSafe = d.GetBool("AutoSafe", s.autoSafe);
    s.alwaysOnTop = d.GetBool("AlwaysOnTop", s.alwaysOnTop);
    s.clipWatch = d.GetBool("ClipWatch", s.clipWatch);
    s.clipFront = d.GetBool("ClipFront", s.clipFront);
    s.trayIcon = d.GetBool("TrayIcon", s.trayIcon);
    s.showDate = d.GetBool("ShowDate", s.showDate);
    s.clearOnEntryAdd = d.GetBool("ClearOnEntryAdd", s.clearOnEntryAdd);
    s.termLengthMin = d.GetInt("TermLengthMin", s.termLengthMin);
    s.termLengthMax = d.GetInt("TermLengthMax", s.termLengthMax);
    // The quiz offers at most six answers and runs its timer with this interval: a hand-edited value
    // outside the ranges the Options dialog allows is replaced as the dialog would replace it.
    s.trainInterval = CheckedTrainInterval(d.GetInt("TrainInterval", s.trainInterval));
    s.trainMultiChoices = CheckedTrainMultiChoices(d.GetInt("TrainMultiChoices", s.trainMultiChoices));
    s.checksumType = CheckedChecksumType(d.GetInt("ChecksumType", s.checksumType));
    s.trainMultiChoice = d.GetBool("TrainMultiChoice", s.trainMultiChoice);
    s.trainCutAddExpls = d.GetBool("TrainCutAddExpls", s.trainCutAddExpls);
    s.separator = d.GetString("Separator", s.separator);
    s.enableHighlighting = d.GetBool("EnableHighlighting", s.enableHighlighting);
    s.highlightColor = d.GetInt("HighlightColor", s.highlightColor);
    s.highlightColor2 = d.GetInt("HighlightColor2", s.highlightColor2);
    s.enableHyperlinks = d.GetBool("EnableHyperlinks", s.enableHyperlinks);
    s.charset = d.GetInt("Charset", s.charset);
    s.trainingRandom = d.GetBool("TrainingRandom", s.trainingRandom);
    s.trainingSwap = d.GetBool("TrainingSwap", s.trainingSwap);
    s.trainingBoth = d.GetBool("TrainingBoth", s.trainingBoth);
    s.showTitle = d.GetBool("ShowTitle", s.showTitle);
    s.trainShowTitle = d.GetBool("TrainShowTitle", s.trainShowTitle);
    s.reviewRetention = CheckedReviewRetention(d.GetInt("ReviewRetention", s.reviewRetention));
    s.reviewMaxInterval = CheckedReviewMaxInterval(d.GetInt("ReviewMaxInterval", s.reviewMaxInterval));
    s.reviewNewCards = CheckedReviewNewCards(d.GetInt("ReviewNewCards", s.reviewNewCards));
    s.reviewBoth = d.GetBool("ReviewBoth", s.reviewBoth);
    s.reviewReminder = d.GetBool("ReviewReminder", s.reviewReminder);

    s.languageFile = d.GetString("m_acLanguageFile", context.currentLanguageFile);
    s.languageName = d.GetString("LanguageName", "");
    s.noLanguageChosen = s.languageName.empty();

    s.presetTerm = d.GetString("m_acPresetTerm", s.presetTerm);
    s.presetExplanation = d.GetString("m_acPresetExplanation", s.presetExplanation);

    s.searchViceVersa = d.GetBool("SearchViceVersa", s.searchViceVersa);
    s.searchSubstring = d.GetBool("SearchSubstring", s.searchSubstring);
    s.noMultiTerms = d.GetBool("NoMultiTerms", s.noMultiTerms);
    s.doAutoAdd = d.GetBool("DoAutoAdd", s.doAutoAdd);
    s.multiDelete = d.GetBool("MultiDelete", s.multiDelete);
    s.limitMaxResults = d.GetBool("LimitMaxResults", s.limitMaxResults);
    s.numMaxResults = d.GetInt("NumMaxResults", s.numMaxResults);
    s.autoAddSeparator = d.GetString("AutoAddSeparator", s.autoAddSeparator);
    s.translator = d.GetString("Translator", s.translator);
    s.wildcard = d.GetString("Wildcard", s.wildcard);

    s.fonts = context.fonts;
    ReadFonts(d, s.fonts);

    s.rememberPos = d.GetBool("RememberPos", s.rememberPos);
    if (s.rememberPos) {
        ReadWindowPositions(d, s);
    }

    // Files that are gone since the last run are dropped; the rest keep their order.
    const auto exists = context.fileExists ? context.fileExists : FileExists;
    for (const std::string& path : ReadList(d, "Recent")) {
        if (exists(path)) {
            AddRecentPath(s.recent, path, false);
        }
    }
    s.deactivate = d.GetBool("Deactivate", s.deactivate);
    s.addDictionaries = ReadList(d, "AddDictionary");
    // The history is stored bottom first: each word read goes to the top.
    const std::vector<std::string> words = ReadList(d, "SearchWords");
    s.searchWords.assign(words.rbegin(), words.rend());
    for (const std::string& value : ReadList(d, "SpeechVoices")) {
        if (std::optional<DictionaryVoices> voices = ParseDictionaryVoices(value)) {
            s.dictionaryVoices.push_back(std::move(*voices));
        }
    }
    s.speakReviewQuestion = d.GetBool("SpeakReviewQuestion", s.speakReviewQuestion);
    s.speakReviewAnswer = d.GetBool("SpeakReviewAnswer", s.speakReviewAnswer);
    return s;
}

bool LoadSettings(const std::filesystem::path& path, const SettingsReadContext& context, Settings& settings,
                  InitFileDocument& document) {
    const bool loaded = document.LoadFromFile(path);
    if (!loaded) {
        // Whatever the document held before belongs to no file now.
        document.ClearBody();
    }
    settings = ReadSettings(document, context);
    return loaded;
}

bool LoadSettings(const std::filesystem::path& path, const SettingsReadContext& context, Settings& settings) {
    InitFileDocument document(InitFileForm::Element);
    return LoadSettings(path, context, settings, document);
}

void WriteSettings(const Settings& s, InitFileDocument& document) {
    SettingsValues d;
    d.AddValue("StartDictionary", s.startDictionary);
    d.AddBool("AutoSafe", s.autoSafe);
    d.AddBool("AlwaysOnTop", s.alwaysOnTop);
    d.AddBool("ClipWatch", s.clipWatch);
    d.AddBool("ClipFront", s.clipFront);
    d.AddBool("TrayIcon", s.trayIcon);
    d.AddBool("ShowDate", s.showDate);
    d.AddBool("ClearOnEntryAdd", s.clearOnEntryAdd);
    d.AddInt("TermLengthMin", s.termLengthMin);
    d.AddInt("TermLengthMax", s.termLengthMax);
    d.AddInt("TrainInterval", s.trainInterval);
    d.AddInt("ChecksumType", s.checksumType);
    d.AddInt("TrainMultiChoices", s.trainMultiChoices);
    d.AddBool("TrainMultiChoice", s.trainMultiChoice);
    d.AddBool("TrainCutAddExpls", s.trainCutAddExpls);
    d.AddValue("Separator", s.separator);
    d.AddBool("EnableHighlighting", s.enableHighlighting);
    d.AddInt("HighlightColor", s.highlightColor);
    d.AddInt("HighlightColor2", s.highlightColor2);
    d.AddBool("EnableHyperlinks", s.enableHyperlinks);
    d.AddInt("Charset", s.charset);
    d.AddBool("TrainingRandom", s.trainingRandom);
    d.AddBool("TrainingSwap", s.trainingSwap);
    d.AddBool("TrainingBoth", s.trainingBoth);
    d.AddBool("ShowTitle", s.showTitle);
    d.AddBool("TrainShowTitle", s.trainShowTitle);
    d.AddBool("SearchSubstring", s.searchSubstring);
    d.AddBool("SearchViceVersa", s.searchViceVersa);
    d.AddBool("MultiDelete", s.multiDelete);
    d.AddBool("DoAutoAdd", s.doAutoAdd);
    d.AddValue("AutoAddSeparator", s.autoAddSeparator);
    d.AddBool("NoMultiTerms", s.noMultiTerms);
    d.AddValue("Translator", s.translator);
    d.AddBool("LimitMaxResults", s.limitMaxResults);
    d.AddInt("NumMaxResults", s.numMaxResults);
    d.AddValue("Wildcard", s.wildcard);
    d.AddBool("UseBuildInFont", s.fonts.UseBuildInFont());
    d.AddBool("UseFontSettings", s.fonts.UseFontSettings());
    d.AddBool("UseFontHeight", s.fonts.UseFontHeight());
    const FontValues& font = s.fonts.Working();
    d.AddValue("FontDefName", font.faceName);
    d.AddInt("FontDefCharset", font.charset);
    d.AddInt("FontDefHeight", font.height);
    d.AddInt("FontDefPitch", font.pitchAndFamily);
    d.AddBool("RememberPos", s.rememberPos);

    // The positions are kept even while they are not used.
    d.AddValue("WinPos", s.winPos.maximised ? std::string(kMaximisedWindow) : FormatRect(s.winPos.rect));
    d.AddValue("WinPos_MassData", FormatRect(s.winPosMassData));
    d.AddValue("WinPos_OverView", FormatRect(s.winPosOverView));
    d.AddValue("WinPos_Translator", FormatRect(s.winPosTranslator));
    d.AddValue("WinPos_Training", FormatRect(s.winPosTraining));
    d.AddValue("WinPos_TrainingSmall", FormatRect(s.winPosTrainingSmall));

    d.AddValue("LanguageName", s.noLanguageChosen ? std::string() : s.languageName);
    d.AddValue("m_acPresetTerm", s.presetTerm);
    d.AddValue("m_acPresetExplanation", s.presetExplanation);
    AddList(d, "AddDictionary", s.addDictionaries.begin(), s.addDictionaries.end());
    AddList(d, "SearchWords", s.searchWords.rbegin(), s.searchWords.rend());
    AddList(d, "Recent", s.recent.begin(), s.recent.end());
    d.AddBool("Deactivate", s.deactivate);
    for (const DictionaryVoices& voices : s.dictionaryVoices) {
        d.AddValue("SpeechVoices", FormatDictionaryVoices(voices));
    }
    d.AddBool("SpeakReviewQuestion", s.speakReviewQuestion);
    d.AddBool("SpeakReviewAnswer", s.speakReviewAnswer);
    d.AddValue("FolderHomeBase", s.folderHomeBase);
    d.AddValue("FolderAppDir", s.folderAppDir);
    d.AddInt("ReviewRetention", s.reviewRetention);
    d.AddInt("ReviewMaxInterval", s.reviewMaxInterval);
    d.AddInt("ReviewNewCards", s.reviewNewCards);
    d.AddBool("ReviewBoth", s.reviewBoth);
    d.AddBool("ReviewReminder", s.reviewReminder);
    document.ClearBody();
    d.WriteTo(document);
}

bool SaveSettings(const std::filesystem::path& path, const Settings& settings, InitFileDocument& document) {
    WriteSettings(settings, document);
    return document.SaveToFile(path);
}

bool SaveSettings(const std::filesystem::path& path, const Settings& settings) {
    InitFileDocument document(InitFileForm::Element);
    return SaveSettings(path, settings, document);
}

} // namespace lexaro
