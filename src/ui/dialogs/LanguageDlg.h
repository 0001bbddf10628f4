#pragma once

#include "app/InterfaceTexts.h"
#include "app/LanguageSelection.h"

#include <QDialog>
#include <filesystem>

class QComboBox;
class QLabel;
class QPushButton;

namespace lexaro {

// Chooses the interface language from "Languages.ini". The window shows itself in the language that is
// chosen in its list at once; the main window takes the choice only after OK.
class CLanguageDlg : public QDialog {
    Q_OBJECT

public:
    CLanguageDlg(const std::filesystem::path& languagesFile, const std::filesystem::path& programFolder,
                 const std::filesystem::path& currentLanguageFile, QWidget* parent = nullptr);

    // The chosen language: its name and its file (empty for the built-in texts).
    const LanguageItem& Chosen() const;

private:
    void Choose(int index);
    void ApplyOwnTexts();

    LanguageChoices m_Choices;
    InterfaceTexts m_Texts;
    QLabel* m_LBLCurrentLanguage;
    QComboBox* m_CBBLanguage;
    QPushButton* m_BTNOk;
    QPushButton* m_BTNCancel;
};

} // namespace lexaro
