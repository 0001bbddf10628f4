#pragma once

#include "app/Settings.h"
#include "table/ForeignDictionary.h"
#include "ui/qt/ToolWindow.h"

#include <QDialog>
#include <filesystem>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QPushButton;
class QSpinBox;

namespace lexaro {

// The Options window: edits a copy of the settings (engine values, the additional dictionaries and the
// font included) and hands it back when OK is pressed. "Run on system startup" writes or removes the
// autostart entry directly.
class COptionsDlg : public QDialog {
    Q_OBJECT

public:
    // settings must carry the engine's current values (ReadEngineSettings) and the additional dictionaries.
    // found: the dictd and StarDict dictionaries on this computer, offered for the additional dictionaries.
    COptionsDlg(const ToolWindowContext& context, const Settings& settings, std::filesystem::path programFile,
                std::filesystem::path autostartFolder, std::vector<InstalledDictionary> found = {},
                QWidget* parent = nullptr);

    // The edited settings; complete after OK. The two highlight colours are taken at once when chosen,
    // so they count after Cancel too.
    const Settings& Result() const { return m_Result; }

    void accept() override;

private:
    void CreateControls();
    void FillControls();
    void ChooseColour(int& colour, QPushButton* button);
    void ChooseFont();
    void ShowFontName();
    void PaintColourButton(QPushButton* button, int colour);

    ToolWindowContext m_Context;
    Settings m_Result;
    FontSettings m_Fonts;
    std::filesystem::path m_ProgramFile;
    std::filesystem::path m_AutostartFolder;
    std::vector<InstalledDictionary> m_Found;
    bool m_AutostartWasOn = false;

    QLineEdit* m_EDTStartDict = nullptr;
    QCheckBox* m_CHKAutoSave = nullptr;
    QTreeWidget* m_LISAddDict = nullptr;
    QComboBox* m_CBBFoundDict = nullptr;
    QCheckBox* m_CHKNoSubstring = nullptr;
    QCheckBox* m_CHKNoViceVersa = nullptr;
    QPushButton* m_BTNColor = nullptr;
    QPushButton* m_BTNColor2 = nullptr;
    QCheckBox* m_CHKNoMultiTerms = nullptr;
    QCheckBox* m_CHKAutoAdd = nullptr;
    QLineEdit* m_EDTAutoAddSeparator = nullptr;
    QCheckBox* m_CHKMultiDelete = nullptr;
    QCheckBox* m_CHKMaxResults = nullptr;
    QLineEdit* m_EDTMaxResults = nullptr;
    QCheckBox* m_CHKForeground = nullptr;
    QCheckBox* m_CHKRememberPos = nullptr;
    QCheckBox* m_CHKClipboard = nullptr;
    QCheckBox* m_CHKClipboardFront = nullptr;
    QCheckBox* m_CHKTrayIcon = nullptr;
    QLineEdit* m_EDTTermLengthMin = nullptr;
    QLineEdit* m_EDTTermLengthMax = nullptr;
    QCheckBox* m_CHKAutoStart = nullptr;
    QLineEdit* m_EDTSeparator = nullptr;
    QLineEdit* m_EDTWildcard = nullptr;
    QLineEdit* m_EDTTrainInterval = nullptr;
    QLineEdit* m_EDTTranslator = nullptr;
    QCheckBox* m_CHKTrainMultiChoice = nullptr;
    QSpinBox* m_EDTReviewRetention = nullptr;
    QSpinBox* m_EDTReviewMaxInterval = nullptr;
    QSpinBox* m_EDTReviewNewCards = nullptr;
    QCheckBox* m_CHKReviewBoth = nullptr;
    QCheckBox* m_CHKReviewReminder = nullptr;
    QCheckBox* m_CHKSpeakReviewQuestion = nullptr;
    QCheckBox* m_CHKSpeakReviewAnswer = nullptr;
    QLineEdit* m_EDTTrainMultiChoices = nullptr;
    QComboBox* m_CBBCharset = nullptr;
    QPushButton* m_BTNFont = nullptr;
    QPushButton* m_BTNFontReset = nullptr;
};

} // namespace lexaro
