#include "ui/mainwindow/ToolWindows.h"

#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"
#include "ui/qt/SpeechPlayer.h"
#include "ui/tools/MassDataDlg.h"
#include "ui/tools/OverviewDlg.h"
#include "ui/tools/PropertiesDlg.h"
#include "ui/tools/TranslatorDlg.h"
#include "ui/training/TrainingDlg.h"

#include <QFileInfo>
#include <QMainWindow>

namespace lexaro {

ToolWindows::ToolWindows(QMainWindow& window, MainWindowState& state, const MenuTable& menus, EntryCommands& entries)
    : m_Window(window), m_State(state), m_Entries(entries) {
    menus.On("ID_MEN_PROPERTIES", &window, [this] { ShowProperties(); });
    menus.On("ID_MEN_MASSEDIT", &window, [this] { EditMassData(false); });
    menus.On("ID_MEN_MASSDATA", &window, [this] { EditMassData(true); });
    menus.On("ID_MEN_TRAINING", &window, [this] { StartTraining(); });
    menus.On("ID_MEN_AUTOPLAY", &window, [this] { StartTraining(QString(), true); });
    menus.On("ID_MEN_ALLENTRIES", &window, [this] { ShowAllEntries(); });
    menus.On("ID_MEN_TRANSLATOR", &window, [this] { OpenTranslator(); });
}

void ToolWindows::ShowProperties() {
    CPropertiesDlg dialog(m_State.ToolContext(), m_State.currentPath, m_State.engine, m_State.settings.checksumType,
                          &m_Window);
    const std::string path = m_State.currentPath.toStdString();
    VoicePair voices = VoicesForDictionary(m_State.settings, path);
    const VoicePair offered = voices;
    dialog.OfferVoices(m_State.speech->Engine().Voices(), voices);
    m_State.RunToolWindow(dialog);
    // A dictionary without a file has no path to keep them by.
    if (voices != offered && m_State.currentPath != NoName()) {
        StoreVoicesForDictionary(m_State.settings, path, voices);
    }
}

void ToolWindows::EditMassData(bool addMode) {
    Settings& settings = m_State.settings;
    EntryStore& engine = m_State.engine;
    CMassDataDlg dialog(m_State.ToolContext(), engine, addMode, QString::fromStdString(settings.separator),
                        m_Entries.IsDateShown(), &m_Window);
    ApplyDialogRect(dialog, settings.winPosMassData);
    m_State.RunToolWindow(dialog);
    settings.winPosMassData = DialogRectOf(dialog);
    // The entries may all be new: show the current one, or nothing when it is gone.
    const int row = engine.CurrentRow();
    if (row >= 0 && row < engine.Entries().RowCount()) {
        m_Entries.ShowEntry(row);
    }
}

void ToolWindows::ShowAllEntries() {
    Settings& settings = m_State.settings;
    EntryStore& engine = m_State.engine;
    COverviewDlg dialog(m_State.ToolContext(), engine, m_State.currentPath, QString::fromStdString(settings.separator),
                        &m_Window);
    ApplyDialogRect(dialog, settings.winPosOverView);
    m_State.RunToolWindow(dialog);
    settings.winPosOverView = DialogRectOf(dialog);
    const int picked = dialog.PickedRow();
    if (picked >= 0 && picked < engine.Entries().RowCount()) {
        engine.SetCurrentRow(picked - 1);
        m_Entries.NextEntry();
    }
}

void ToolWindows::OpenTranslator() {
    CTranslatorDlg dialog(m_State.ToolContext(), m_State.engine.Entries(), m_State.settings.winPosTranslator,
                          &m_Window);
    m_State.RunToolWindow(dialog);
    m_State.settings.winPosTranslator = dialog.WindowRect();
}

// The training works on the open dictionary without changing it; the main window steps aside meanwhile
// (into the tray when it has one, else minimised) and comes back as it was.
void ToolWindows::StartTraining(const QString& unitPath, bool autoPlay) {
    TrainingStart start;
    if (m_State.currentPath != NoName() && QFileInfo(m_State.currentPath).isFile()) {
        start.dictionaryPath = std::filesystem::path(m_State.currentPath.toStdString());
    }
    if (!unitPath.isEmpty()) {
        start.unitPath = std::filesystem::path(unitPath.toStdString());
    }
    start.autoPlay = autoPlay;
    start.speech = m_State.speech.get();

    const bool wasVisible = m_Window.isVisible();
    const Qt::WindowStates state = m_Window.windowState();
    if (m_State.settings.trayIcon) {
        m_Window.hide();
    } else if (wasVisible) {
        m_Window.showMinimized();
    }
    {
        CTrainingDlg dialog(m_State.ToolContext(), m_State.engine.Entries(), m_State.settings, start);
        dialog.SetRandomSource(m_TrainingRandom);
        m_State.RunToolWindow(dialog);
    }
    if (wasVisible) {
        m_Window.setWindowState(state);
        m_Window.show();
    }
}

} // namespace lexaro
