#pragma once

#include "app/FileChooser.h"
#include "app/Prompter.h"

#include <QString>
#include <QTest>
#include <deque>
#include <optional>

namespace lexaro::testing {

// Answers prompts from a queue; a prompt that nobody scripted fails the running test.
class ScriptedPrompter : public Prompter {
public:
    void Expect(PromptAnswer answer) { m_Answers.push_back(answer); }
    bool Done() const { return m_Answers.empty(); }
    const QString& LastText() const { return m_LastText; }
    int Asked() const { return m_Asked; }

    PromptAnswer Ask(const std::u16string& text, const std::u16string&, PromptButtons, PromptIcon) override {
        ++m_Asked;
        m_LastText = QString::fromStdU16String(text);
        if (m_Answers.empty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected prompt: ") + m_LastText), __FILE__, __LINE__);
            return PromptAnswer::Cancel;
        }
        const PromptAnswer answer = m_Answers.front();
        m_Answers.pop_front();
        return answer;
    }

private:
    std::deque<PromptAnswer> m_Answers;
    QString m_LastText;
    int m_Asked = 0;
};

// Chooses files from a queue; std::nullopt stands for Cancel. An unscripted choice fails the test.
class ScriptedFileChooser : public FileChooser {
public:
    void Expect(std::optional<ChosenFile> choice) { m_Choices.push_back(std::move(choice)); }
    bool Done() const { return m_Choices.empty(); }
    QString LastFilter() const { return QString::fromStdU16String(m_LastFilter); }

    std::optional<ChosenFile> ChooseOpen(const std::u16string&, const std::u16string& filter,
                                         const std::filesystem::path&) override {
        m_LastFilter = filter;
        return Next();
    }
    std::optional<ChosenFile> ChooseSave(const std::u16string&, const std::u16string& filter,
                                         const std::filesystem::path&, const std::u16string&) override {
        m_LastFilter = filter;
        return Next();
    }

private:
    std::optional<ChosenFile> Next() {
        if (m_Choices.empty()) {
            QTest::qFail("unexpected file chooser", __FILE__, __LINE__);
            return std::nullopt;
        }
        auto choice = m_Choices.front();
        m_Choices.pop_front();
        return choice;
    }

    std::deque<std::optional<ChosenFile>> m_Choices;
    std::u16string m_LastFilter;
};

} // namespace lexaro::testing
