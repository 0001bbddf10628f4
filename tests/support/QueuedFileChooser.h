#pragma once

#include "app/FileChooser.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace lexaro::test {

// Chooses files from a queue; std::nullopt stands for Cancel. A choice that nobody queued is answered by
// Unscripted, which cancels unless a subclass decides otherwise.
class QueuedFileChooser : public FileChooser {
public:
    void Expect(std::optional<ChosenFile> choice) { m_Choices.push_back(std::move(choice)); }
    bool Done() const { return m_Choices.empty(); }
    const std::u16string& LastFilter() const { return m_LastFilter; }

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

protected:
    virtual std::optional<ChosenFile> Unscripted() { return std::nullopt; }

private:
    std::optional<ChosenFile> Next() {
        if (m_Choices.empty()) {
            return Unscripted();
        }
        auto choice = std::move(m_Choices.front());
        m_Choices.pop_front();
        return choice;
    }

    std::deque<std::optional<ChosenFile>> m_Choices;
    std::u16string m_LastFilter;
};

} // namespace lexaro::test
