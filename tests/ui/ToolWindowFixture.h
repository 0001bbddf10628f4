#pragma once

#include "MainWindowFixture.h"
#include "app/InterfaceTexts.h"
#include "engine/EntryStore.h"
#include "ui/qt/ToolWindow.h"

#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

namespace lexaro::testing {

// A dictionary engine with a fixed clock, the built-in texts and scripted prompts and file choices, for running
// one tool window on its own.
struct ToolWindowFixture {
    InterfaceTexts texts;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    std::shared_ptr<FixedClock> clock = std::make_shared<FixedClock>();
    EntryStore engine{clock};
    QTemporaryDir folder;

    ToolWindowFixture() { engine.Entries().Resize(3, 0); }

    ToolWindowContext Context() { return ToolWindowContext{texts, prompter, chooser}; }

    void Add(const std::string& term, const std::string& explanation, const std::string& date = {}) {
        ClassTable& entries = engine.Entries();
        const int row = entries.RowCount();
        entries.SetCell(0, row, term);
        entries.SetCell(1, row, explanation);
        entries.SetCell(2, row, date);
        entries.AddRows(1);
    }
    std::string Cell(int column, int row) const { return engine.Entries().PeekCell(column, row); }
    int Rows() const { return engine.Entries().RowCount(); }

    std::filesystem::path File(const QString& name) const { return folder.filePath(name).toStdString(); }
    void Write(const QString& name, const std::string& bytes) const {
        std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string Read(const QString& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

} // namespace lexaro::testing
