#pragma once

#include "app/FileChooser.h"
#include "app/Prompter.h"

class QWidget;

namespace lexaro {

// Message boxes shown with QMessageBox over the given parent window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_Parent(parent) {}
    void SetParent(QWidget* parent) { m_Parent = parent; }
    PromptAnswer Ask(const std::u16string& text, const std::u16string& caption, PromptButtons buttons,
                     PromptIcon icon) override;

private:
    QWidget* m_Parent;
};

// File choosers shown with QFileDialog.
class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : m_Parent(parent) {}
    void SetParent(QWidget* parent) { m_Parent = parent; }
    std::optional<ChosenFile> ChooseOpen(const std::u16string& caption, const std::u16string& filter,
                                         const std::filesystem::path& folder) override;
    std::optional<ChosenFile> ChooseSave(const std::u16string& caption, const std::u16string& filter,
                                         const std::filesystem::path& suggested,
                                         const std::u16string& defaultExtension) override;

private:
    QWidget* m_Parent;
};

} // namespace lexaro
