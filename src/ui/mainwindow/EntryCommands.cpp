#include "ui/mainwindow/EntryCommands.h"

#include "engine/Clipboard.h"
#include "engine/ResultEdit.h"
#include "ui/mainwindow/MainWindowControls.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

namespace lexaro {

namespace {

inline constexpr int kHistoryLimit = 50;

} // namespace

EntryCommands::EntryCommands(QMainWindow& window, MainWindowState& state, MainWindowControls& controls,
                             const MenuTable& menus)
    : m_State(state), m_Engine(state.engine), m_Controls(controls), m_Menus(menus) {
    Connect(window, menus);
}

void EntryCommands::Connect(QMainWindow& window, const MenuTable& menus) {
    QComboBox* termBox = m_Controls.m_CBBTerm;
    CScriptEdit* pane = m_Controls.m_EDTExplanation;
    menus.On("ID_MEN_SELECTALL", &window, [pane] { pane->selectAll(); });
    menus.On("ID_MEN_COPY", &window, [this] { CopyPaneText(); });
    menus.On("ID_MEN_CLEAREXPLANATION", &window, [this] { SetPaneText(QString()); });
    menus.On("ID_MEN_CLEARLIST", &window, [termBox] {
        // Only the history goes; the term being typed stays.
        const QString term = termBox->currentText();
        termBox->clear();
        termBox->setEditText(term);
    });
    menus.On("ID_MEN_CLEARALL", &window, [this, termBox] {
        ClearFields();
        termBox->setFocus();
    });
    menus.On("ID_MEN_SETPRESET", &window, [this] {
        m_PresetTerm = m_Controls.TermText();
        m_PresetExplanation = m_Controls.PaneText();
    });
    menus.On("ID_MEN_GETPRESET", &window, [this, termBox] {
        termBox->setEditText(m_PresetTerm);
        SetPaneText(m_PresetExplanation);
    });
    menus.On("ID_MEN_UNDO", &window, [this] { Undo(); });
    menus.On("ID_MEN_FASTEDIT", &window, [this](bool checked) { SetFastEdit(checked); });
    menus.On("ID_MEN_DATE", &window, [this](bool checked) { SetDateShown(checked); });
    menus.On("ID_MEN_HIGHLIGHTING", &window, [this](bool checked) { SetHighlighting(checked); });
    menus.On("ID_MEN_HYPERLINKS", &window, [this](bool checked) { SetHyperlinks(checked); });
    menus.On("ID_MEN_ADD", &window, [this] { AddEntry(); });
    menus.On("ID_MEN_MODIFY", &window, [this] { ModifyEntry(); });
    menus.On("ID_MEN_DELETE", &window, [this] { DeleteEntry(); });
    menus.On("ID_MEN_CUTENTRY", &window, [this] { CutEntry(); });
    menus.On("ID_MEN_COPYENTRY", &window, [this] { CopyEntry(); });
    menus.On("ID_MEN_PASTEENTRY", &window, [this] { PasteEntry(); });

    QObject::connect(m_Controls.m_BTNSearch, &QPushButton::clicked, &window, [this] { Search(); });
    QObject::connect(m_Controls.m_BTNAdd, &QPushButton::clicked, &window, [this] { AddEntry(); });
    QObject::connect(m_Controls.m_BTNDelete, &QPushButton::clicked, &window, [this] { DeleteEntry(); });
    QObject::connect(m_Controls.m_BTNLast, &QPushButton::clicked, &window, [this] { PreviousEntry(); });
    QObject::connect(m_Controls.m_BTNNext, &QPushButton::clicked, &window, [this] { NextEntry(); });
    // Enter in the term box presses the default button, which fast edit mode disables.
    QObject::connect(termBox->lineEdit(), &QLineEdit::returnPressed, m_Controls.m_BTNSearch, &QPushButton::click);
    QObject::connect(pane, &CScriptEdit::CrossReference, &window, [this, termBox](const QString& term) {
        termBox->setEditText(term);
        Search();
    });
}

void EntryCommands::Search() {
    const int remembered = m_Engine.CurrentRow();
    m_Engine.SetCurrentRow(-1);
    const QString term = m_Controls.TermText();
    if (!term.isEmpty()) {
        std::string result;
        m_Engine.Lookup(Utf8(term), m_Engine.SearchSubstring(), true, m_State.additional.Entries(),
                        Utf8(m_State.Text("FrmMain.m_acTNotFound")), result);
        const QString shown = result.empty() ? m_State.Text("FrmMain.m_acTNotFound") : Wide(result);
        SetPaneText(shown);
        m_PaneOrigin = PaneOrigin{term, true, m_Engine.LastLookup(), result.empty() ? Utf8(shown) : result};
        m_Controls.m_LBLDate->clear();
    }
    if (!term.isEmpty() && m_Engine.ResultCount() != 0) {
        AddToHistory(term);
        if (m_State.lookedUp) {
            m_State.lookedUp(m_Engine.CurrentRow());
        }
        m_State.Changed();
    } else {
        m_Engine.SetCurrentRow(remembered);
    }
    m_Controls.m_CBBTerm->setFocus();
}

void EntryCommands::AddToHistory(const QString& text) {
    QComboBox* termBox = m_Controls.m_CBBTerm;
    for (int i = 0; i < termBox->count(); ++i) {
        if (termBox->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            return;
        }
    }
    if (termBox->count() >= kHistoryLimit) {
        termBox->removeItem(kHistoryLimit - 1);
    }
    const QString keep = termBox->currentText();
    termBox->insertItem(0, text);
    termBox->setEditText(keep);
}

QStringList EntryCommands::SearchHistory() const {
    QStringList items;
    for (int i = 0; i < m_Controls.m_CBBTerm->count(); ++i) {
        items << m_Controls.m_CBBTerm->itemText(i);
    }
    return items;
}

void EntryCommands::AddEntry() {
    const QString term = m_Controls.TermText();
    const QString explanation = m_Controls.PaneText();
    if (term.isEmpty() || explanation.isEmpty()) {
        m_Engine.SetCurrentRow(m_Engine.Entries().RowCount() - 1);
        m_State.Changed();
        return;
    }
    const auto entry = EntryToStore(term, explanation);
    if (!entry) {
        return;
    }
    const int row = m_Engine.StoreEntry(entry->first, entry->second);
    if (row >= 0) {
        m_Engine.SetCurrentRow(row);
    }
    if (m_Menus.Action("ID_MEN_CLEARONENTRYADD")->isChecked()) {
        ClearFields();
    } else if (row != -1) {
        m_Controls.m_LBLDate->setText(Wide(m_Engine.Entries().GetCell(kDateColumn, row)));
    }
    m_State.Changed();
    m_Controls.m_CBBTerm->setFocus();
}

void EntryCommands::ModifyEntry() {
    const QString term = m_Controls.TermText();
    const QString explanation = m_Controls.PaneText();
    if (term.isEmpty() || explanation.isEmpty()) {
        return;
    }
    if (const auto entry = EntryToStore(term, explanation)) {
        const int current = m_Engine.CurrentRow();
        const ClassTable& entries = m_Engine.Entries();
        const std::string before =
            current >= 0 && current < entries.RowCount() ? std::string(entries.CellView(kTermColumn, current)) : "";
        const int row = m_Engine.ModifyEntry(entry->first, entry->second);
        if (row == current && !before.empty() && before != entry->first && m_State.renamed) {
            m_State.renamed(before, entry->first);
        }
    }
}

// After a look-up the pane holds display, not an entry: only a result that shows one entry of the open dictionary
// by its term is taken back to that entry. An entry shown by the arrows or picked in All entries is stored as it
// stands; the user's own text is stored under the term box's text unless that is a search pattern.
std::optional<std::pair<std::string, std::string>> EntryCommands::EntryToStore(const QString& term,
                                                                               const QString& explanation) {
    const bool sameTerm = m_PaneOrigin && m_PaneOrigin->term == term;
    if (sameTerm && m_PaneOrigin->isResult) {
        const int row = m_Engine.CurrentRow();
        const std::string hitTerm =
            row >= 0 && row < m_Engine.Entries().RowCount() ? m_Engine.Entries().GetCell(kTermColumn, row) : "";
        ResultEdit edit = EditOfResult(m_PaneOrigin->shape, m_PaneOrigin->shown, Utf8(explanation), hitTerm);
        if (edit.kind == ResultEditKind::OneEntry) {
            if (edit.explanation.empty()) {
                return std::nullopt;
            }
            return std::make_pair(hitTerm, std::move(edit.explanation));
        }
        if (edit.kind == ResultEditKind::NoSingleEntry) {
            m_State.Tell(m_State.Text("FrmMain.m_acTShowOneEntry"), PromptIcon::Information);
            return std::nullopt;
        }
    }
    const std::string termText = Utf8(term);
    if (!(sameTerm && !m_PaneOrigin->isResult) && m_Engine.IsSearchPattern(termText)) {
        m_State.Tell(m_State.Text("FrmMain.m_acTPatternTerm"), PromptIcon::Information);
        return std::nullopt;
    }
    return std::make_pair(termText, Utf8(explanation));
}

void EntryCommands::DeleteEntry() {
    const QString term = m_Controls.TermText();
    if (!term.isEmpty()) {
        m_Engine.DeleteEntries(Utf8(term));
    } else {
        m_Engine.SetCurrentRow(0);
    }
    m_State.Changed();
    ClearFields();
}

void EntryCommands::PreviousEntry() {
    ShowEntry(m_Engine.PreviousEntry());
}

void EntryCommands::NextEntry() {
    ShowEntry(m_Engine.NextEntry());
}

void EntryCommands::ShowEntry(int row) {
    ClassTable& entries = m_Engine.Entries();
    if (row >= 0 && row < entries.RowCount()) {
        m_Controls.m_CBBTerm->setEditText(Wide(entries.GetCell(kTermColumn, row)));
        SetPaneText(Wide(entries.GetCell(kExplanationColumn, row)));
        m_PaneOrigin = PaneOrigin{m_Controls.m_CBBTerm->currentText(), false, {}, {}};
        m_Controls.m_LBLDate->setText(Wide(entries.GetCell(kDateColumn, row)));
    }
    m_State.Changed();
}

void EntryCommands::ShowCollected(const QString& term, const QString& explanation, int row) {
    m_Controls.m_CBBTerm->setEditText(term);
    SetPaneText(explanation);
    m_PaneOrigin = PaneOrigin{term, false, {}, {}};
    m_Controls.m_LBLDate->setText(Wide(m_Engine.Entries().GetCell(kDateColumn, row)));
    m_State.Changed();
}

void EntryCommands::Undo() {
    m_Engine.UndoChanges(0);
    m_State.Changed();
}

void EntryCommands::CutEntry() {
    if (m_State.services.clipboard && m_Engine.CopyEntry(*m_State.services.clipboard, m_Engine.CurrentRow(), true)) {
        m_State.Changed();
    }
}

void EntryCommands::CopyEntry() {
    if (m_State.services.clipboard) {
        m_Engine.CopyEntry(*m_State.services.clipboard, m_Engine.CurrentRow(), false);
    }
}

void EntryCommands::PasteEntry() {
    if (m_State.services.clipboard && m_Engine.PasteEntry(*m_State.services.clipboard, m_Engine.CurrentRow() + 1)) {
        m_State.Changed();
    }
}

void EntryCommands::CopyPaneText() {
    const bool watching = m_State.settings.clipWatch;
    m_State.settings.clipWatch = false;
    m_Controls.m_EDTExplanation->copy();
    m_State.settings.clipWatch = watching;
}

void EntryCommands::ClearFields() {
    m_Controls.m_CBBTerm->setEditText(QString());
    SetPaneText(QString());
    m_Controls.m_LBLDate->clear();
}

void EntryCommands::SetPaneText(const QString& text) {
    m_PaneOrigin.reset();
    m_Controls.m_EDTExplanation->SetPaneText(text);
}

void EntryCommands::SetDateShown(bool shown) {
    m_DateShown = shown;
    m_Menus.Action("ID_MEN_DATE")->setChecked(shown);
    m_Controls.m_LBLDate->setVisible(shown);
}

void EntryCommands::SetFastEdit(bool on) {
    m_Controls.m_BTNSearch->setEnabled(!on);
    m_Controls.m_BTNDelete->setEnabled(!on);
}

void EntryCommands::SetHighlighting(bool on) {
    m_Menus.Action("ID_MEN_HIGHLIGHTING")->setChecked(on);
    m_Controls.m_EDTExplanation->EnableColouring(on);
}

void EntryCommands::SetHyperlinks(bool on) {
    m_Menus.Action("ID_MEN_HYPERLINKS")->setChecked(on);
    m_Controls.m_EDTExplanation->EnableHyperlinks(on);
}

void EntryCommands::ApplySettings(const Settings& s) {
    SetDateShown(s.showDate);
    m_Menus.Action("ID_MEN_CLEARONENTRYADD")->setChecked(s.clearOnEntryAdd);
    m_Controls.m_EDTExplanation->SetColour1(s.highlightColor, true);
    m_Controls.m_EDTExplanation->SetColour2(s.highlightColor2, true);
    SetHighlighting(s.enableHighlighting);
    SetHyperlinks(s.enableHyperlinks);
    m_PresetTerm = FromUtf8(s.presetTerm);
    m_PresetExplanation = FromUtf8(s.presetExplanation);
    m_Controls.m_CBBTerm->clear();
    for (const std::string& word : s.searchWords) {
        m_Controls.m_CBBTerm->addItem(FromUtf8(word));
    }
    m_Controls.m_CBBTerm->setEditText(QString());
}

void EntryCommands::CollectSettings(Settings& s) const {
    s.showDate = m_DateShown;
    s.clearOnEntryAdd = m_Menus.Action("ID_MEN_CLEARONENTRYADD")->isChecked();
    s.enableHighlighting = m_Menus.Action("ID_MEN_HIGHLIGHTING")->isChecked();
    s.enableHyperlinks = m_Menus.Action("ID_MEN_HYPERLINKS")->isChecked();
    s.presetTerm = m_PresetTerm.toStdString();
    s.presetExplanation = m_PresetExplanation.toStdString();
    s.searchWords.clear();
    for (int i = 0; i < m_Controls.m_CBBTerm->count(); ++i) {
        s.searchWords.push_back(m_Controls.m_CBBTerm->itemText(i).toStdString());
    }
}

} // namespace lexaro
