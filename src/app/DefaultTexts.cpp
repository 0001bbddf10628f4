#include "app/DefaultTexts.h"

#include <algorithm>
#include <array>

namespace lexaro {

namespace {

constexpr std::array<std::string_view, 12> kForms = {
    "FrmMain", "FrmLanguage", "FrmOptions",    "FrmAllEntries", "FrmSort",   "FrmMass",
    "FrmProp", "FrmTrain",    "FrmDoTraining", "FrmTrans",      "FrmReview", "FrmStats",
};

// clang-format off
constexpr DefaultTextEntry kTexts[] = {
    // Main window: menu bar, in menu order.
    {"FrmMain.ID_MEN_FILE", "File"},
    {"FrmMain.ID_MEN_NEW", "New dictionary\tCtrl+N"},
    {"FrmMain.ID_MEN_OPEN", "Open dictionary\tCtrl+O"},
    {"FrmMain.ID_MEN_SAVE", "Save dictionary\tCtrl+S"},
    {"FrmMain.ID_MEN_SAVEAS", "Save dictionary as..."},
    {"FrmMain.ID_MEN_CREATEBACKUP", "Create backup\tCtrl+K"},
    {"FrmMain.ID_MEN_EXPORTEXE", "Create portable file"},
    {"FrmMain.ID_MEN_HIDE", "Hide in tray\tCtrl+T"},
    {"FrmMain.ID_MEN_RECENT", "Recent"},
    {"FrmMain.ID_MEN_CLEAR", "Clear"},
    {"FrmMain.ID_MEN_DEACTIVATE", "Deactivate"},
    {"FrmMain.ID_MEN_PROPERTIES", "Properties\tCtrl+Shift+I"},
    {"FrmMain.ID_MEN_CLOSE", "Quit\tCtrl+Q"},
    {"FrmMain.ID_MEN_EDIT", "Edit"},
    {"FrmMain.ID_MEN_SELECTALL", "Select all\tCtrl+A"},
    {"FrmMain.ID_MEN_COPY", "Copy\tCtrl+C"},
    {"FrmMain.ID_MEN_CLEAREXPLANATION", "Clear explanation\tCtrl+Del"},
    {"FrmMain.ID_MEN_CLEARLIST", "Clear list of terms\tShift+Del"},
    {"FrmMain.ID_MEN_CLEARALL", "Clear all\tCtrl+G"},
    {"FrmMain.ID_MEN_SETPRESET", "Save as preset\tCtrl+Shift+B"},
    {"FrmMain.ID_MEN_GETPRESET", "Insert preset\tCtrl+B"},
    {"FrmMain.ID_MEN_UNDO", "Undo"},
    {"FrmMain.ID_MEN_FASTEDIT", "Fast edit mode\tF3"},
    {"FrmMain.ID_MEN_MASSEDIT", "Edit mass data\tCtrl+L"},
    {"FrmMain.ID_MEN_MASSDATA", "Add mass data\tCtrl+E"},
    {"FrmMain.ID_MEN_VIEW", "View"},
    {"FrmMain.ID_MEN_ALLENTRIES", "All entries\tF2"},
    {"FrmMain.ID_MEN_TRAINING", "Training\tF4"},
    {"FrmMain.ID_MEN_TRANSLATOR", "Translator\tF5"},
    {"FrmMain.ID_MEN_AUTOPLAY", "Auto Play\tF6"},
    {"FrmMain.ID_MEN_DATE", "Date"},
    {"FrmMain.ID_MEN_HIGHLIGHTING", "Highlighting"},
    {"FrmMain.ID_MEN_HYPERLINKS", "Hyperlinks"},
    {"FrmMain.ID_MEN_LANGUAGE", "Language"},
    {"FrmMain.ID_MEN_OPTIONS", "Options"},
    {"FrmMain.ID_MEN_ENTRY", "Entry"},
    {"FrmMain.ID_MEN_ADD", "Insert\tCtrl+I"},
    {"FrmMain.ID_MEN_MODIFY", "Modify\tCtrl+M"},
    {"FrmMain.ID_MEN_DELETE", "Delete\tCtrl+D"},
    {"FrmMain.ID_MEN_CUTENTRY", "Cut\tCtrl+Shift+X"},
    {"FrmMain.ID_MEN_COPYENTRY", "Copy\tCtrl+Shift+C"},
    {"FrmMain.ID_MEN_PASTEENTRY", "Paste\tCtrl+Shift+V"},
    {"FrmMain.ID_MEN_CLEARONENTRYADD", "Clear fields after adding"},
    {"FrmMain.ID_MEN_COLLECTCLIPBOARD", "Collect from clipboard"},
    {"FrmMain.ID_MEN_SPEAK", "Speak\tF9"},
    {"FrmMain.ID_MEN_SPEAKEXPLANATION", "Speak explanation\tShift+F9"},
    {"FrmMain.ID_MEN_HELP", "Help\tF1"},
    {"FrmMain.ID_MEN_LICENSE", "License"},
    {"FrmMain.ID_MEN_README", "ReadMe"},
    {"FrmMain.ID_MEN_CHECKUPDATE", "Check for update"},
    {"FrmMain.ID_MEN_INFO", "Info"},
    // Main window: tray menu.
    {"FrmMain.ID_MENTRAY_RESTORE", "Restore"},
    {"FrmMain.ID_MENTRAY_ACTIVATE", "Activate"},
    {"FrmMain.ID_MENTRAY_EXIT", "Exit"},
    {"FrmMain.ID_MENTRAY_CLOSE", "Close menu"},
    // Main window: labels, buttons and tooltips.
    {"FrmMain.m_LBLTerm", "Term"},
    {"FrmMain.m_LBLExplanation", "Explanation"},
    {"FrmMain.m_BTNSearch", "Search"},
    {"FrmMain.m_BTNAdd", "Add/modify this entry"},
    {"FrmMain.m_BTNDelete", "Delete this entry"},
    {"FrmMain.m_BTNLast", "Move to previous entry"},
    {"FrmMain.m_BTNNext", "Move to next entry"},
    {"FrmMain.m_BTNSpeak", "Speak the term (with Shift: the explanation)"},
    // Main window: messages, progress texts and file filters.
    {"FrmMain.m_acTQuitWithoutSaving", "Current dictionary has been modified. Do you want to save changes?"},
    {"FrmMain.m_acTOpen", "Opening dictionary..."},
    {"FrmMain.m_acTSave", "Saving dictionary..."},
    {"FrmMain.m_acTChangeDictionary", "Start dictionary has been changed. Shall the new dictionary be loaded now?"},
    {"FrmMain.m_acTNotFound", "Term not found."},
    {"FrmMain.m_acTShowOneEntry", "The pane shows a search result, not one entry. Show the entry first (with the arrows, or by a double-click in All entries), or replace the text with the explanation."},
    {"FrmMain.m_acTPatternTerm", "A search pattern (with the wildcard, or enclosed in the translate character) cannot be stored as a term."},
    {"FrmMain.m_acTBtnOk", "OK"},
    // Who wrote a language file's texts, credited in the info box; the built-in texts are the makers' own.
    {"FrmMain.m_acTTranslator", "The Lexaro developers"},
    {"FrmMain.m_acTTranslatorContact", "lexaro@example.org"},
    {"FrmMain.m_acTCollected", "ZZZ Collected"},
    {"FrmMain.m_acTOpenDialog", "Dictionaries(*.lxd)|*.lxd|CSV import(*.csv)|*.csv|dictd dictionaries(*.index)|*.index|StarDict dictionaries(*.ifo)|*.ifo|Training unit(*.lxt)||"},
    {"FrmMain.m_acTSaveDialog", "Dictionaries(*.lxd)|*.lxd|CSV files(*.csv)|*.csv|HTML files(*.htm)|*.htm|dictd dictionaries(*.index)|*.index|StarDict dictionaries(*.ifo)|*.ifo||"},
    {"FrmMain.m_acTSaveDialogExe", "Executable files(*.exe)|*.exe||"},
    {"FrmMain.m_acTRestoreRecovery", "Lexaro did not end in order last time. A recovery copy of the unsaved dictionary %s is there. Do you want to restore it? (No keeps the copy as a dated backup in the settings folder.)"},
    {"FrmMain.m_acTRecoveryUnreadable", "The recovery copy %s could not be read completely. It is kept as a dated backup."},
    {"FrmMain.m_acTRecoveryNotKept", "The recovery copy %s could not be kept as a backup. It stays where it is, and no new recovery copy is written while Lexaro runs."},
    {"FrmMain.m_acTRecoveryNotWritten", "The recovery copy could not be written to %s. Save your dictionary to keep your changes."},
    // Reports and questions of the file commands; a line with the path follows where it ends in "to" or ":".
    {"FrmMain.m_acTCannotOpenKind", "Lexaro cannot open this kind of file:"},
    {"FrmMain.m_acTReadIncomplete", "The file %1 could not be read completely; %2 entries were read."},
    {"FrmMain.m_acTNotADictionary", "The file %1 holds no dictionary. It was not opened; the open dictionary stays as it is."},
    {"FrmMain.m_acTNotWritten", "The dictionary could not be written to"},
    {"FrmMain.m_acTSeparatorInside", "Entries holding the separator '%2': %1. CSV has no quoting: read back, the text after the separator lands in the next column. Save anyway?"},
    {"FrmMain.m_acTPortableNotWritten", "The portable copy could not be written to"},
    {"FrmMain.m_acTOpenLink", "Open this link?"},
    {"FrmMain.m_acTOpenFailed", "The desktop could not open this with its default program:"},
    {"FrmMain.m_acTTrayIconFailed", "Unable to set tray icon!"},
    {"FrmMain.m_acTNoAudioDevice", "No audio device was found, so Lexaro cannot speak."},
    {"FrmMain.m_acTInfoCaption", "Info"},
    {"FrmMain.m_acTInfoDescription", "A personal dictionary and vocabulary trainer."},
    {"FrmMain.m_acTInfoCopyright", "Copyright \u00A9 2026 The Lexaro developers. Free software under the MIT License."},

    // Language dialog.
    {"FrmLanguage.Caption", "Select language"},
    {"FrmLanguage.m_LBLCurrentLanguage", "Current language:"},
    {"FrmLanguage.m_BTNOk", "OK"},
    {"FrmLanguage.m_BTNCancel", "Cancel"},
    // The language's locale, for the texts Qt draws itself (message-box buttons, file dialogs).
    {"FrmLanguage.m_acTLocale", "en"},

    // Options dialog.
    {"FrmOptions.Caption", "Options"},
    {"FrmOptions.m_LBLStartDict", "Use the following dictionary at startup:"},
    {"FrmOptions.m_BTNStartDict", "Browse"},
    {"FrmOptions.m_CHKAutoSave", "Save opened dictionary automatically by exiting program"},
    {"FrmOptions.m_LBLAddDict", "Use the following dictionaries for additional search:"},
    {"FrmOptions.m_LISAddDictName", "Name"},
    {"FrmOptions.m_BTNAddDict", "Add dictionary"},
    {"FrmOptions.m_CBBFoundDict", "Add a dictionary found on this computer..."},
    {"FrmOptions.m_BTNSubDict", "Remove dictionary"},
    {"FrmOptions.m_BTNClearDict", "Clear list"},
    {"FrmOptions.m_CHKNoSubstring", "Search no substrings in terms"},
    {"FrmOptions.m_CHKNoViceVersa", "No vice versa search in explanation, if term is not found"},
    {"FrmOptions.m_CHKNoMultiTerms", "Each term must be unique"},
    {"FrmOptions.m_CHKAutoAdd", "If term already exist, add explanation using"},
    {"FrmOptions.m_CHKMultiDelete", "Delete all occurrences of a term on delete"},
    {"FrmOptions.m_CHKMaxResults", "Limit amount of results to"},
    {"FrmOptions.m_CHKForeground", "Always on top"},
    {"FrmOptions.m_CHKRememberPos", "Remember window position"},
    {"FrmOptions.m_CHKClipboard", "Watch clipboard"},
    {"FrmOptions.m_CHKClipboardFront", "Show window, if term is found"},
    {"FrmOptions.m_CHKTrayIcon", "Send to tray on minimize"},
    {"FrmOptions.m_LBLTermLength", "Term length"},
    {"FrmOptions.m_CHKAutoStart", "Run on system startup"},
    {"FrmOptions.m_LBLSeparator", "Separator (CSV/Mass data):"},
    {"FrmOptions.m_LBLWildcard", "Wildcard"},
    {"FrmOptions.m_LBLTrainInterval", "Training interval [msec]"},
    {"FrmOptions.m_LBLTranslator", "Translate character"},
    {"FrmOptions.m_CHKTrainMultiChoice", "Use multiple choice in training"},
    {"FrmOptions.m_CHKSpeakReviewQuestion", "Review: say the question"},
    {"FrmOptions.m_CHKSpeakReviewAnswer", "Review: say the answer"},
    {"FrmOptions.m_LBLTrainMultiChoices", "Training multiple choice count"},
    {"FrmOptions.m_LBLCharset", "Charset"},
    {"FrmOptions.m_LBLFont", "Font"},
    {"FrmOptions.m_BTNFontReset", "Reset to default"},
    {"FrmOptions.m_BTNOk", "OK"},
    {"FrmOptions.m_BTNCancel", "Cancel"},
    {"FrmOptions.m_acTOpenDialog", "Dictionaries(*.lxd)|*.lxd|dictd dictionaries(*.index)|*.index|StarDict dictionaries(*.ifo)|*.ifo||"},
    {"FrmOptions.m_acTAutostartFailed", "Lexaro could not change its entry for starting with the system:"},
    {"FrmOptions.m_acTCharsetUnusable", "This charset cannot be used: %1"},

    // Overview of all entries.
    {"FrmAllEntries.m_LISWords0", "Term"},
    {"FrmAllEntries.m_LISWords1", "Explanation"},
    {"FrmAllEntries.m_LISWords2", "Date"},
    {"FrmAllEntries.m_BTNDeleteAll", "Delete all"},
    {"FrmAllEntries.m_BTNDeleteSelected", "Delete selected"},
    {"FrmAllEntries.m_BTNSwap", "Swap columns"},
    {"FrmAllEntries.m_BTNSort", "Sort"},
    {"FrmAllEntries.m_BTNDateSet", "Date = now"},
    {"FrmAllEntries.m_BTNDateRemove", "Remove dates"},
    {"FrmAllEntries.m_BTNCSVExport", "CSV export"},
    {"FrmAllEntries.m_CHKCutAddExpls", "Remove additions"},
    {"FrmAllEntries.m_BTNCSVImport", "CSV import"},
    {"FrmAllEntries.m_BTNCSVAppend", "CSV append"},
    {"FrmAllEntries.m_CHKRenameDuplicates", "Rename duplicates"},
    {"FrmAllEntries.m_acTDeleteAll", "Really delete all entries?"},
    {"FrmAllEntries.m_acTDeleteSelected", "Really delete selected entries?"},
    {"FrmAllEntries.m_acTWarning", "Warning"},
    {"FrmAllEntries.m_acTImport", "Dictionary is not empty. Sure to import?"},
    {"FrmAllEntries.m_acTImportFinished", "entries added."},
    {"FrmAllEntries.m_acTImportFinishedOne", "entry added."},
    {"FrmAllEntries.m_acTInfo", "Information"},
    {"FrmAllEntries.m_acTSeparatorInside", "Entries holding the separator '%2': %1. CSV has no quoting: read back, the text after the separator lands in the next column. Export anyway?"},
    {"FrmAllEntries.m_acTNotWritten", "The file could not be written:"},
    {"FrmAllEntries.m_acTNotRead", "The file could not be read:"},
    {"FrmAllEntries.m_acTCsvDialog", "CSV file(*.csv)|*.csv||"},

    // Sort dialog of the overview.
    {"FrmSort.Caption", "Sort"},
    {"FrmSort.m_CHKTermAsc", "Term ascending"},
    {"FrmSort.m_CHKTermDesc", "Term descending"},
    {"FrmSort.m_CHKExplAsc", "Explanation ascending"},
    {"FrmSort.m_CHKExplDesc", "Explanation descending"},
    {"FrmSort.m_CHKDateAsc", "Date ascending"},
    {"FrmSort.m_CHKDateDesc", "Date descending"},
    {"FrmSort.m_BTNOk", "OK"},
    {"FrmSort.m_BTNCancel", "Cancel"},

    // Mass data editor; its window title has the bare form name as key.
    {"FrmMass", "Enter mass data"},
    {"FrmMass.m_LBLHint", "Hint: Term and explanation must have a '%c' at the end. E.g: Term1%cThis is the explanation%c ."},
    {"FrmMass.m_LBLHint2",
     "Hint: Term and explanation must have a '%c' at the end. E.g: Term1%cThis is the explanation%cDate%c ."},
    {"FrmMass.m_CHKSingleLines", "Single lines"},
    {"FrmMass.m_BTNGoto", "Goto"},
    {"FrmMass.m_BTNOk", "OK"},
    {"FrmMass.m_BTNCancel", "Cancel"},
    {"FrmMass.ID_MEN_EDIT", "Edit"},
    {"FrmMass.ID_MEN_CUT", "Cut"},
    {"FrmMass.ID_MEN_COPY", "Copy"},
    {"FrmMass.ID_MEN_PASTE", "Paste"},
    {"FrmMass.ID_MEN_SELECTALL", "Select all\tCtrl+A"},
    {"FrmMass.ID_MEN_ERRORCHECK", "Check for errors\tCtrl+E"},
    {"FrmMass.m_acTState", "Reading..."},
    {"FrmMass.m_acMErrorDetected", "Error detected on line %s!"},
    {"FrmMass.m_acMUnwantedChar", "Maybe unwanted char on line %s!"},
    {"FrmMass.m_acMNoErrors", "No errors found."},
    {"FrmMass.m_acMSeparatorInEntries",
     "The text cannot show every entry as it is: in %i of them a field holds the separator '%s' or begins with a "
     "line break (the first: '%s'). Such entries between the first and the last line you change are cut there. "
     "Continue anyway, or cancel and choose another separator in the Options?"},
    {"FrmMass.m_acMApplyAnyway", "Apply the text anyway? (Otherwise the editor goes to that line.)"},

    // Dictionary properties.
    {"FrmProp.Caption", "Dictionary Properties"},
    {"FrmProp.m_LBLFileName", "Dictionary name"},
    {"FrmProp.m_LBLCompleteName", "Complete name"},
    {"FrmProp.m_LBLFileSize", "Filesize [KB]"},
    {"FrmProp.m_LBLFileDate", "Filedate"},
    {"FrmProp.m_LBLWordCount", "Number of terms"},
    {"FrmProp.m_LBLWordLargest", "Largest term"},
    {"FrmProp.m_LBLWordSmallest", "Smallest term"},
    {"FrmProp.m_LBLExplLargest", "Largest explanation"},
    {"FrmProp.m_LBLExplSmallest", "Smallest explanation"},
    {"FrmProp.m_LBLCharset", "Charset"},
    {"FrmProp.m_LBLVoiceTerms", "Voice of the terms"},
    {"FrmProp.m_LBLVoiceExplanations", "Voice of the explanations"},
    {"FrmProp.m_BTNCopy", "Copy"},
    {"FrmProp.m_BTNOk", "OK"},
    {"FrmProp.m_acTFileSize", "%1 (%2 bytes)"},

    // Training set-up.
    {"FrmTrain.m_acMTraining", "Training"},
    {"FrmTrain.m_LBLAllEntries", "Available vocabulary:"},
    {"FrmTrain.m_LISAllEntries0", "Name"},
    {"FrmTrain.m_LBLUsedEntries", "Training vocabulary:"},
    {"FrmTrain.m_LISUsedEntries1", "Solved"},
    {"FrmTrain.m_BTNAdd", "Add selected entries"},
    {"FrmTrain.m_BTNSub", "Remove selected entries"},
    {"FrmTrain.m_BTNAddAll", "Add all entries to training. Filter can be used."},
    {"FrmTrain.m_BTNSubAll", "Remove all entries from training"},
    {"FrmTrain.m_CHKSwap", "Swap columns"},
    {"FrmTrain.m_CHKBoth", "Both directions"},
    {"FrmTrain.m_CHKRandom", "Random order"},
    {"FrmTrain.m_CHKFilter", "Filter"},
    {"FrmTrain.m_BTNOpen", "Open"},
    {"FrmTrain.m_BTNSave", "Save"},
    {"FrmTrain.m_BTNReset", "Reset"},
    {"FrmTrain.m_CHKNoCaseSensitive", "Not case sensitive"},
    {"FrmTrain.m_CHKAllowSubwords", "Count subwords as correct"},
    {"FrmTrain.m_CHKShowExplanation", "Show characters of explanation"},
    {"FrmTrain.m_BTNGo", "Go"},
    {"FrmTrain.m_BTNPlay", "Autoplay"},
    {"FrmTrain.m_BTNCancel", "Cancel"},
    {"FrmTrain.m_acTFileDialog", "Training unit(*.lxt)|*.lxt||"},
    {"FrmTrain.m_acMWrongDictionary",
     "Incompability! The training unit you are trying to load belongs to the dictionary '%s'. This may not work on "
     "your current dictionary. Do you want to load this dictionary now?"},
    {"FrmTrain.m_acMSaveChanges", "Do you want to save the training unit?"},
    {"FrmTrain.m_acMUnitNotSaved", "The training unit could not be saved to"},

    // Quiz.
    {"FrmDoTraining.m_LBLSearchedTerm", "Term to explain:"},
    {"FrmDoTraining.m_LBLExplanation", "Explanation:"},
    {"FrmDoTraining.m_acTWrong", "Wrong"},
    {"FrmDoTraining.m_acTCorrect", "Correct"},
    {"FrmDoTraining.m_acTTotal", "Total"},
    {"FrmDoTraining.m_CHKHint", "Hint ON"},
    {"FrmDoTraining.m_CHKMultipleChoice", "Multiple choice"},
    {"FrmDoTraining.m_BTNHelp", "Help"},
    {"FrmDoTraining.m_BTNBack", "Jump to previous term"},
    {"FrmDoTraining.m_BTNAnswer", "Answer this term"},
    {"FrmDoTraining.m_BTNNext", "Jump to next term"},
    {"FrmDoTraining.m_BTNPlay", "Autoplay"},
    {"FrmDoTraining.m_acTEnd", "Training finished"},
    {"FrmDoTraining.m_acTEndRepeat", "Repeat false answered terms"},
    {"FrmDoTraining.m_acTLastVocab", "Last term: "},

    // Translator; its window title has the bare form name as key.
    {"FrmTrans", "Translator"},
    {"FrmTrans.m_CHKSwap", "Swap columns"},
    {"FrmTrans.m_CHKOrigin", "Show origin words"},
    {"FrmTrans.m_CHKLineFeed", "Linefeed after word"},
    {"FrmTrans.m_CHKMultiple", "Show possible translations"},
    {"FrmTrans.m_LBLTransMode", "Translation level"},
    {"FrmTrans.m_CBBTransMode4", "0 - match case"},
    {"FrmTrans.m_CBBTransMode3", "1 - ignore case"},
    {"FrmTrans.m_CBBTransMode2", "2 - substring word"},
    {"FrmTrans.m_CBBTransMode1", "3 - subword"},
    {"FrmTrans.m_CBBTransMode0", "4 - substring"},
    {"FrmTrans.m_LBLSource", "Text to translate:"},
    {"FrmTrans.m_LBLDest", "Translated text:"},
    {"FrmTrans.m_BTNTranslate", "Translate"},
    {"FrmTrans.m_BTNCancel", "Cancel"},
    {"FrmTrans.m_acTTranslating", "Translating..."},

    // Spaced review: main window, review window, statistics window and options.
    {"FrmMain.ID_MEN_REVIEW", "Review\tF7"},
    {"FrmMain.ID_MEN_STATISTICS", "Statistics"},
    {"FrmMain.m_acTReviewDue", "(%1 due)"},
    {"FrmMain.m_acTTrayDue", "%1 cards are due for review."},
    {"FrmMain.m_acTReviewLogSkipped", "Lines of the review log that could not be read were skipped: %1. The log is left as it is:"},
    {"FrmMain.m_acTReviewLogUnreadable", "The review log could not be read:"},
    {"FrmReview.m_acMReview", "Review"},
    {"FrmReview.m_LBLAnswer", "Your answer:"},
    {"FrmReview.m_BTNShow", "Show answer"},
    {"FrmReview.m_BTNHelp", "Help"},
    {"FrmReview.m_BTNAgain", "Again"},
    {"FrmReview.m_BTNHard", "Hard"},
    {"FrmReview.m_BTNGood", "Good"},
    {"FrmReview.m_BTNEasy", "Easy"},
    {"FrmReview.m_acTInterval", "%1 · %2 d"},
    {"FrmReview.m_acTProgress", "%1 of %2"},
    {"FrmReview.m_acTSummary", "Cards reviewed: %1. Right: %2. Time spent: %3. Due tomorrow: %4."},
    {"FrmReview.m_acTNothingDue", "Nothing to review today."},
    {"FrmReview.m_acTRight", "Right"},
    {"FrmReview.m_acTWrong", "Wrong"},
    {"FrmReview.m_acTUnwritable", "The rating could not be written to the review log:"},
    {"FrmStats.m_acMStatistics", "Statistics"},
    {"FrmStats.m_acTRecall", "You would recall about %1 of your %2 words today"},
    {"FrmStats.m_acTReviewsPerDay", "Reviews per day, last 30 days"},
    {"FrmStats.m_acTDuePerDay", "Cards due per day, next 30 days"},
    {"FrmStats.m_acTRetention", "True retention per week, in percent"},
    {"FrmStats.m_acTCardStates", "Cards by state"},
    {"FrmStats.m_acTNew", "New"},
    {"FrmStats.m_acTLearning", "Learning"},
    {"FrmStats.m_acTKnown", "Known"},
    {"FrmStats.m_acTDaysAgo", "Days ago"},
    {"FrmStats.m_acTDaysAhead", "In days"},
    {"FrmStats.m_acTWeeksAgo", "Weeks ago"},
    {"FrmStats.m_BTNReset", "Reset review history"},
    {"FrmStats.m_acTResetQuestion", "Reset the review history of this dictionary? The log is kept as a dated backup."},
    {"FrmStats.m_acTResetFailed", "The review log could not be renamed:"},
    {"FrmOptions.m_LBLReviewRetention", "Desired retention in percent:"},
    {"FrmOptions.m_LBLReviewMaxInterval", "Maximum interval in days:"},
    {"FrmOptions.m_LBLReviewNewCards", "New cards per day:"},
    {"FrmOptions.m_CHKReviewBoth", "Review in both directions"},
    {"FrmOptions.m_CHKReviewReminder", "Daily reminder in the tray"},
};
// clang-format on

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::span<const DefaultTextEntry> AllDefaultTexts() {
    return kTexts;
}

std::span<const std::string_view> InterfaceForms() {
    return kForms;
}

std::string_view DefaultText(std::string_view key) {
    const auto it = std::find_if(std::begin(kTexts), std::end(kTexts),
                                 [key](const DefaultTextEntry& entry) { return entry.key == key; });
    return it == std::end(kTexts) ? std::string_view() : it->text;
}

bool IsKnownTextKey(std::string_view key) {
    return std::any_of(std::begin(kTexts), std::end(kTexts),
                       [key](const DefaultTextEntry& entry) { return entry.key == key; });
}

std::vector<std::string> UnknownTextKeys(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string> unknown;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find("=\"", pos);
        if (open == std::string_view::npos) {
            break;
        }
        std::size_t begin = pos;
        while (begin < open && IsBlank(text[begin])) {
            ++begin;
        }
        const std::string_view key = text.substr(begin, open - begin);
        if (!IsKnownTextKey(key)) {
            unknown.emplace_back(key);
        }
        // A value runs to the next double quote and may span lines.
        const std::size_t close = text.find('"', open + 2);
        if (close == std::string_view::npos) {
            break;
        }
        pos = close + 1;
    }
    return unknown;
}

} // namespace lexaro
