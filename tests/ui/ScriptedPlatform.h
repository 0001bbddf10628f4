#pragma once

#include "app/Prompter.h"
#include "support/QueuedFileChooser.h"

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
class ScriptedFileChooser : public test::QueuedFileChooser {
public:
    QString LastFilter() const { return QString::fromStdU16String(QueuedFileChooser::LastFilter()); }

protected:
    std::optional<ChosenFile> Unscripted() override {
        QTest::qFail("unexpected file chooser", __FILE__, __LINE__);
        return std::nullopt;
    }
};

} // namespace lexaro::testing
