#pragma once

#include "app/FontSettings.h"
#include "app/SystemCodePage.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexaro {

class EntryStore;
class InitFileDocument;

// A window rectangle in screen pixels, stored as "%d;%d;%d;%d" (left;top;right;bottom).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    bool operator==(const Rect&) const = default;
};

std::string FormatRect(const Rect& rect);
// Reads "%d;%d;%d;%d" as the C library's scanf does: the fields after the first one that cannot be read
// stay 0.
Rect ScanRect(std::string_view text);
// Whether a stored main-window rectangle is used: left and top not negative, width and height positive.
bool ShouldApplyWindowRect(const Rect& rect);

// The tool windows store left 0, top 0, right -1, bottom -1 when they were closed maximised.
inline constexpr Rect kMaximisedDialogRect{0, 0, -1, -1};
bool IsMaximisedDialogRect(const Rect& rect);
// A tool window moves to its stored rectangle only when width and height are positive.
bool ShouldApplyDialogRect(const Rect& rect);

// The main window's stored position: "MAX" when it was maximised, else its rectangle.
inline constexpr std::string_view kMaximisedWindow = "MAX";
struct MainWindowPlacement {
    Rect rect;
    bool maximised = false;
};

// Ranges of the training values; a value outside is replaced by the default, as the Options dialog does.
inline constexpr int kTrainIntervalMin = 100;
inline constexpr int kTrainIntervalMax = 60000;
inline constexpr int kTrainIntervalDefault = 4000;
inline constexpr int kTrainMultiChoicesMin = 2;
inline constexpr int kTrainMultiChoicesMax = 6;
inline constexpr int kTrainMultiChoicesDefault = 4;
// The checksum kinds offered: "-" (none) and twelve digests.
inline constexpr int kChecksumTypeCount = 13;
int CheckedTrainInterval(int milliseconds);
int CheckedTrainMultiChoices(int count);
int CheckedChecksumType(int type);
// The review's options: desired retention in percent, maximum interval in days, new cards per day.
inline constexpr int kReviewRetentionMin = 70;
inline constexpr int kReviewRetentionMax = 99;
inline constexpr int kReviewRetentionDefault = 90;
inline constexpr int kReviewMaxIntervalMax = 36500;
inline constexpr int kReviewNewCardsMax = 9999;
inline constexpr int kReviewNewCardsDefault = 20;
int CheckedReviewRetention(int percent);
int CheckedReviewMaxInterval(int days);
int CheckedReviewNewCards(int count);

// The speech languages chosen for one dictionary, kept by its path.
struct DictionaryVoices {
    std::string path;
    std::string terms;
    std::string explanations;
    bool operator==(const DictionaryVoices&) const = default;
};

// Every user preference of "Lexaro.ini", with the defaults a missing or empty file gives. Text is UTF-8.
// The main window owns these values while it runs; reading records them and the window applies them
// (date line, the menu checks, highlighting, hyperlinks, language, caption, position), and before writing
// the window puts back what it owns (menu checks, recent list, term history, window placement, language).
struct Settings {
    std::string startDictionary;
    bool autoSafe = false;
    bool alwaysOnTop = false;
    bool clipWatch = false;
    bool clipFront = false;
    bool trayIcon = false;
    bool showDate = false;
    bool clearOnEntryAdd = true;
    int termLengthMin = 1;
    int termLengthMax = 20;
    int trainInterval = kTrainIntervalDefault;
    int trainMultiChoices = kTrainMultiChoicesDefault;
    int checksumType = 0;
    bool trainMultiChoice = false;
    bool trainCutAddExpls = true;
    std::string separator = ";";
    bool enableHighlighting = true;
    int highlightColor = 0x880000; // 0x00BBGGRR
    int highlightColor2 = 0x8800;
    bool enableHyperlinks = true;
    int charset = 65001;
    bool trainingRandom = false;
    bool trainingSwap = false;
    bool trainingBoth = false;
    bool showTitle = true;
    bool trainShowTitle = true;

    // Spaced review.
    int reviewRetention = kReviewRetentionDefault;
    int reviewMaxInterval = kReviewMaxIntervalMax;
    int reviewNewCards = kReviewNewCardsDefault;
    bool reviewBoth = false;
    bool reviewReminder = true;

    // Read from older files only, never written.
    std::string languageFile;
    // The chosen interface language; noLanguageChosen when none was chosen, and then "" is written.
    std::string languageName;
    bool noLanguageChosen = true;

    std::string presetTerm;
    std::string presetExplanation;

    // Engine settings, in the engine's own bytes.
    bool searchViceVersa = true;
    bool searchSubstring = true;
    bool noMultiTerms = true;
    bool doAutoAdd = false;
    bool multiDelete = false;
    bool limitMaxResults = false;
    int numMaxResults = 10;
    std::string autoAddSeparator = ", ";
    std::string translator = "\"";
    std::string wildcard = "*";

    FontSettings fonts;

    bool rememberPos = true;
    MainWindowPlacement winPos;
    Rect winPosMassData;
    Rect winPosOverView;
    Rect winPosTranslator;
    Rect winPosTraining;
    Rect winPosTrainingSmall;

    std::vector<std::string> recent;                // most recent first
    bool deactivate = false;                        // recent list switched off
    std::vector<std::string> addDictionaries;       // searched besides the open dictionary, in order
    std::vector<std::string> searchWords;           // the term box's history, top first
    std::vector<DictionaryVoices> dictionaryVoices; // most recently chosen first

    // Whether the review window says the question when it appears and the answer when it is shown.
    bool speakReviewQuestion = true;
    bool speakReviewAnswer = true;

    // Written for other programs and the user to see; never read.
    std::string folderHomeBase;
    std::string folderAppDir;
};

// With the stored position in use and the caption bar off, the main window drops its caption before it
// takes its stored position.
bool HideCaptionAtStart(const Settings& settings);

// What reading takes from the running program.
struct SettingsReadContext {
    // The default of the old language-file key.
    std::string currentLanguageFile;
    // The main window's font object as it is before the settings are read.
    FontSettings fonts;
    // Whether a recent file still exists; the file system when not set.
    std::function<bool(const std::string& path)> fileExists;
};

// Reads every setting from the document; a key that is absent or empty keeps its default.
Settings ReadSettings(InitFileDocument& document, const SettingsReadContext& context);
// Loads the settings file into the document (element form) and reads it. False when the file could not
// be loaded; settings then holds the defaults. The main window keeps the document for saving, so that
// a file with another root element name keeps it.
bool LoadSettings(const std::filesystem::path& path, const SettingsReadContext& context, Settings& settings,
                  InitFileDocument& document);
bool LoadSettings(const std::filesystem::path& path, const SettingsReadContext& context, Settings& settings);

// Replaces the document's body with the settings, in the order the file has always had.
void WriteSettings(const Settings& settings, InitFileDocument& document);
// Writes the settings file whole; false (old file untouched) when it cannot be written.
bool SaveSettings(const std::filesystem::path& path, const Settings& settings, InitFileDocument& document);
bool SaveSettings(const std::filesystem::path& path, const Settings& settings);

// Hands the engine flags and strings to the engine, and the dictionary code page ("Charset" -1 becomes
// the locale's code page).
void ApplyEngineSettings(const Settings& settings, EntryStore& engine);
// Takes the engine flags and strings back before saving ("Charset" is the setting's own, not the engine's).
void ReadEngineSettings(const EntryStore& engine, Settings& settings);

} // namespace lexaro
