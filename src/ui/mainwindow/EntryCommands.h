#pragma once

#include "engine/EntryStore.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <utility>

class QMainWindow;

namespace lexaro {

class MenuTable;
struct MainWindowControls;
struct MainWindowState;
struct Settings;

// Looking up, showing and storing entries through the term box and the explanation pane: search and its
// history, add, modify, delete, the arrows, undo, entries through the clipboard, the pane's own commands and
// the view switches of the pane (date, highlighting, hyperlinks, fast edit).
class EntryCommands {
public:
    EntryCommands(QMainWindow& window, MainWindowState& state, MainWindowControls& controls, const MenuTable& menus);

    // Searches the term box text and shows the result.
    void Search();
    void AddEntry();
    void ModifyEntry();
    void DeleteEntry();
    void PreviousEntry();
    void NextEntry();
    void Undo();
    void CutEntry();
    void CopyEntry();
    void PasteEntry();
    // Copies the pane's selection without looking it up again.
    void CopyPaneText();

    // Shows the entry in row (and nothing when there is none) with its date; the title follows.
    void ShowEntry(int row);
    // Shows a term just collected from the clipboard with its explanation, as an entry.
    void ShowCollected(const QString& term, const QString& explanation, int row);
    void ClearFields();
    void SetPaneText(const QString& text);

    // The history of the term box, newest first.
    QStringList SearchHistory() const;
    void AddToHistory(const QString& text);

    bool IsDateShown() const { return m_DateShown; }
    void ApplySettings(const Settings& settings);
    void CollectSettings(Settings& settings) const;

private:
    void Connect(QMainWindow& window, const MenuTable& menus);
    // The term and explanation that Modify and "+" store, or nothing after telling the user why not.
    std::optional<std::pair<std::string, std::string>> EntryToStore(const QString& term, const QString& explanation);
    void SetDateShown(bool shown);
    void SetFastEdit(bool on);
    void SetHighlighting(bool on);
    void SetHyperlinks(bool on);

    MainWindowState& m_State;
    EntryStore& m_Engine;
    MainWindowControls& m_Controls;
    const MenuTable& m_Menus;
    // What the pane shows when it was last filled: a look-up's result or an entry, with the term box text then.
    // Empty once the pane was filled with anything else.
    struct PaneOrigin {
        QString term;
        bool isResult = false;
        LookupShape shape;
        std::string shown;
    };
    std::optional<PaneOrigin> m_PaneOrigin;
    QString m_PresetTerm;
    QString m_PresetExplanation;
    bool m_DateShown = false;
};

} // namespace lexaro
