#include "app/Prompter.h"
#include "engine/ResultEdit.h"
#include "table/TextEncoding.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lexaro {

namespace {

inline constexpr int kHistoryLimit = 50;

} // namespace

void LexaroDlg::Search() {
    const int remembered = m_Engine.CurrentRow();
    m_Engine.SetCurrentRow(-1);
    const QString term = TermText();
    if (!term.isEmpty()) {
        std::string result;
        m_Engine.Lookup(Utf8(term), m_Engine.SearchSubstring(), true, m_AddDictionaries.Entries(),
                        Utf8(Text("FrmMain.m_acTNotFound")), result);
        const QString shown = result.empty() ? Text("FrmMain.m_acTNotFound") : Wide(result);
        SetPaneText(shown);
        m_PaneOrigin = PaneOrigin{term, true, m_Engine.LastLookup(), result.empty() ? Utf8(shown) : result};
        m_LBLDate->clear();
    }
    if (!term.isEmpty() && m_Engine.ResultCount() != 0) {
        AddToHistory(term);
        UpdateTitle();
    } else {
        m_Engine.SetCurrentRow(remembered);
    }
    m_CBBTerm->setFocus();
}

void LexaroDlg::AddToHistory(const QString& text) {
    for (int i = 0; i < m_CBBTerm->count(); ++i) {
        if (m_CBBTerm->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            return;
        }
    }
    if (m_CBBTerm->count() >= kHistoryLimit) {
        m_CBBTerm->removeItem(kHistoryLimit - 1);
    }
    const QString keep = m_CBBTerm->currentText();
    m_CBBTerm->insertItem(0, text);
    m_CBBTerm->setEditText(keep);
}

QStringList LexaroDlg::SearchHistory() const {
    QStringList items;
    for (int i = 0; i < m_CBBTerm->count(); ++i) {
        items << m_CBBTerm->itemText(i);
    }
    return items;
}

void LexaroDlg::AddEntry() {
    const QString term = TermText();
    const QString explanation = PaneText();
    if (term.isEmpty() || explanation.isEmpty()) {
        m_Engine.SetCurrentRow(m_Engine.Entries().RowCount() - 1);
        UpdateTitle();
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
    if (findChild<QAction*>("ID_MEN_CLEARONENTRYADD")->isChecked()) {
        ClearFields();
    } else if (row != -1) {
        m_LBLDate->setText(Wide(m_Engine.Entries().GetCell(kDateColumn, row)));
    }
    UpdateTitle();
    m_CBBTerm->setFocus();
}

void LexaroDlg::ModifyEntry() {
    const QString term = TermText();
    const QString explanation = PaneText();
    if (term.isEmpty() || explanation.isEmpty()) {
        return;
    }
    if (const auto entry = EntryToStore(term, explanation)) {
        m_Engine.ModifyEntry(entry->first, entry->second);
    }
}

// After a look-up the pane holds display, not an entry: only a result that shows one entry of the open dictionary
// by its term is taken back to that entry. An entry shown by the arrows or picked in All entries is stored as it
// stands; the user's own text is stored under the term box's text unless that is a search pattern.
std::optional<std::pair<std::string, std::string>> LexaroDlg::EntryToStore(const QString& term,
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
            Prompts().Ask(Text("FrmMain.m_acTShowOneEntry").toStdU16String(), u"", PromptButtons::Ok,
                          PromptIcon::Information);
            return std::nullopt;
        }
    }
    const std::string termText = Utf8(term);
    if (!(sameTerm && !m_PaneOrigin->isResult) && m_Engine.IsSearchPattern(termText)) {
        Prompts().Ask(Text("FrmMain.m_acTPatternTerm").toStdU16String(), u"", PromptButtons::Ok,
                      PromptIcon::Information);
        return std::nullopt;
    }
    return std::make_pair(termText, Utf8(explanation));
}

void LexaroDlg::DeleteEntry() {
    const QString term = TermText();
    if (!term.isEmpty()) {
        m_Engine.DeleteEntries(Utf8(term));
    } else {
        m_Engine.SetCurrentRow(0);
    }
    UpdateTitle();
    ClearFields();
}

void LexaroDlg::PreviousEntry() {
    ShowEntry(m_Engine.PreviousEntry());
}

void LexaroDlg::NextEntry() {
    ShowEntry(m_Engine.NextEntry());
}

void LexaroDlg::ShowEntry(int row) {
    ClassTable& entries = m_Engine.Entries();
    if (row >= 0 && row < entries.RowCount()) {
        m_CBBTerm->setEditText(Wide(entries.GetCell(kTermColumn, row)));
        SetPaneText(Wide(entries.GetCell(kExplanationColumn, row)));
        m_PaneOrigin = PaneOrigin{m_CBBTerm->currentText(), false, {}, {}};
        m_LBLDate->setText(Wide(entries.GetCell(kDateColumn, row)));
    }
    UpdateTitle();
}

void LexaroDlg::Undo() {
    m_Engine.UndoChanges(0);
    UpdateTitle();
}

void LexaroDlg::ClearFields() {
    m_CBBTerm->setEditText(QString());
    SetPaneText(QString());
    m_LBLDate->clear();
}

void LexaroDlg::SetDateShown(bool shown) {
    m_DateShown = shown;
    findChild<QAction*>("ID_MEN_DATE")->setChecked(shown);
    m_LBLDate->setVisible(shown);
}

} // namespace lexaro
