#pragma once

#include "app/FileChooser.h"
#include "app/Prompter.h"
#include "engine/Clipboard.h"

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

// The desktop clipboard. Private formats are offered under their bare name, which other programs on the
// same display see too, so entries cross between two running copies of Lexaro.
class QtClipboard : public Clipboard {
public:
    bool PutBytes(std::string_view format, std::string_view bytes) override;
    std::optional<std::string> GetBytes(std::string_view format) override;
    bool PutText(const std::u16string& text) override;
    std::optional<std::u16string> GetText() override;
};

} // namespace lexaro
