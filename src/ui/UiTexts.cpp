#include "ui/UiTexts.h"

#include <map>
#include <string>

namespace lexaro {

namespace {

// Built-in English texts of the main window until the language documents are wired in.
const std::map<std::string, std::string, std::less<>>& Defaults() {
    static const std::map<std::string, std::string, std::less<>> texts{
        {"FrmMain.ID_MEN_FILE", "File"},
        {"FrmMain.ID_MEN_EDIT", "Edit"},
        {"FrmMain.ID_MEN_VIEW", "View"},
        {"FrmMain.ID_MEN_ENTRY", "Entry"},
        {"FrmMain.ID_MEN_RECENT", "Recent"},
        {"FrmMain.ID_MEN_NEW", "New dictionary\tCtrl+N"},
        {"FrmMain.ID_MEN_OPEN", "Open dictionary\tCtrl+O"},
        {"FrmMain.ID_MEN_SAVE", "Save dictionary\tCtrl+S"},
        {"FrmMain.ID_MEN_SAVEAS", "Save dictionary as..."},
        {"FrmMain.ID_MEN_CREATEBACKUP", "Create backup\tCtrl+K"},
        {"FrmMain.ID_MEN_EXPORTEXE", "Create portable file"},
        {"FrmMain.ID_MEN_HIDE", "Hide in tray\tCtrl+T"},
        {"FrmMain.ID_MEN_CLEAR", "Clear"},
        {"FrmMain.ID_MEN_DEACTIVATE", "Deactivate"},
        {"FrmMain.ID_MEN_PROPERTIES", "Properties\tCtrl+Shift+I"},
        {"FrmMain.ID_MEN_CLOSE", "Quit\tCtrl+Q"},
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
        {"FrmMain.ID_MEN_ALLENTRIES", "All entries\tF2"},
        {"FrmMain.ID_MEN_TRAINING", "Training\tF4"},
        {"FrmMain.ID_MEN_TRANSLATOR", "Translator\tF5"},
        {"FrmMain.ID_MEN_AUTOPLAY", "Auto Play\tF6"},
        {"FrmMain.ID_MEN_DATE", "Date"},
        {"FrmMain.ID_MEN_HIGHLIGHTING", "Highlighting"},
        {"FrmMain.ID_MEN_HYPERLINKS", "Hyperlinks"},
        {"FrmMain.ID_MEN_LANGUAGE", "Language"},
        {"FrmMain.ID_MEN_OPTIONS", "Options"},
        {"FrmMain.ID_MEN_ADD", "Insert\tCtrl+I"},
        {"FrmMain.ID_MEN_MODIFY", "Modify\tCtrl+M"},
        {"FrmMain.ID_MEN_DELETE", "Delete\tCtrl+D"},
        {"FrmMain.ID_MEN_CUTENTRY", "Cut\tCtrl+Shift+X"},
        {"FrmMain.ID_MEN_COPYENTRY", "Copy\tCtrl+Shift+C"},
        {"FrmMain.ID_MEN_PASTEENTRY", "Paste\tCtrl+Shift+V"},
        {"FrmMain.ID_MEN_CLEARONENTRYADD", "Clear fields after adding"},
        {"FrmMain.ID_MEN_COLLECTCLIPBOARD", "Collect from clipboard"},
        {"FrmMain.ID_MEN_HELP", "Help\tF1"},
        {"FrmMain.ID_MEN_LICENSE", "License"},
        {"FrmMain.ID_MEN_README", "ReadMe"},
        {"FrmMain.ID_MEN_CHECKUPDATE", "Check for update"},
        {"FrmMain.ID_MEN_INFO", "Info"},
        {"FrmMain.m_LBLTerm", "Term"},
        {"FrmMain.m_LBLExplanation", "Explanation"},
        {"FrmMain.m_BTNSearch", "Search"},
        {"FrmMain.m_BTNAdd", "Add/modify this entry"},
        {"FrmMain.m_BTNDelete", "Delete this entry"},
        {"FrmMain.m_BTNLast", "Move to previous entry"},
        {"FrmMain.m_BTNNext", "Move to next entry"},
        {"FrmMain.m_acTQuitWithoutSaving", "Current dictionary has been modified. Do you want to save changes?"},
        {"FrmMain.m_acTOpen", "Opening dictionary..."},
        {"FrmMain.m_acTSave", "Saving dictionary..."},
        {"FrmMain.m_acTNotFound", "Term not found."},
        {"FrmMain.m_acTOpenDialog", "Dictionarys(*.lxd)|*.lxd|CSV import(*.csv)|*.csv|Training unit(*.lxt)||"},
        {"FrmMain.m_acTSaveDialog", "Dictionarys(*.lxd)|*.lxd|CSV files(*.csv)|*.csv|HTML files(*.htm)|*.htm||"},
        {"FrmMain.m_acTSaveDialogExe", "Executable files(*.exe)|*.exe||"},
    };
    return texts;
}

} // namespace

QString UiText(std::string_view key) {
    const auto& texts = Defaults();
    const auto found = texts.find(key);
    return found == texts.end() ? QString() : QString::fromStdString(found->second);
}

} // namespace lexaro
