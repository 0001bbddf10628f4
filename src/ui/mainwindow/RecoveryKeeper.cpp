#include "ui/mainwindow/RecoveryKeeper.h"

#include "app/RecoveryCopy.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/MainWindowState.h"

#include <QTimer>

namespace lexaro {

namespace {

// The copy is always UTF-8, whatever the dictionary's code page, so that no character is lost in it.
class Utf8Scope {
public:
    explicit Utf8Scope(ClassTable& table) : m_Table(table), m_Charset(table.Charset()) {
        table.SetCharset(kUtf8CodePage);
    }
    ~Utf8Scope() { m_Table.SetCharset(m_Charset); }
    Utf8Scope(const Utf8Scope&) = delete;
    Utf8Scope& operator=(const Utf8Scope&) = delete;

private:
    ClassTable& m_Table;
    int m_Charset;
};

} // namespace

RecoveryKeeper::RecoveryKeeper(QObject& owner, MainWindowState& state, FileCommands& files)
    : m_Owner(owner), m_State(state), m_Files(files), m_Schedule(state.services.recoveryInterval) {}

RecoveryKeeper::~RecoveryKeeper() = default;

bool RecoveryKeeper::Start() {
    auto recovery = std::make_unique<RecoveryCopy>();
    if (!recovery->Claim(m_State.storage.applicationFolder)) {
        return false;
    }
    m_Recovery = std::move(recovery);
    m_Timer = new QTimer(&m_Owner);
    m_Timer->setSingleShot(true);
    QObject::connect(m_Timer, &QTimer::timeout, &m_Owner, [this] { Write(); });
    if (!m_Recovery->Exists()) {
        return false;
    }

    const std::optional<std::string> origin = m_Recovery->ReadOrigin();
    const QString name = origin && !origin->empty() ? QString::fromStdString(*origin) : NoName();
    const auto answer = m_State.services.prompter->Ask(
        m_State.Text("FrmMain.m_acTRestoreRecovery").replace("%s", name).toStdU16String(), u"", PromptButtons::YesNo,
        PromptIcon::Question);
    if (answer == PromptAnswer::Yes && Restore(origin)) {
        return true;
    }
    const LocalTime now = m_State.services.clock ? m_State.services.clock->Now() : SystemClock().Now();
    if (m_Recovery->KeepAside(now).empty()) {
        // Writing into this slot would overwrite the only copy of those entries.
        m_State.services.prompter->Ask(m_State.Text("FrmMain.m_acTRecoveryNotKept")
                                           .replace("%s", QString::fromStdString(m_Recovery->Files().document.string()))
                                           .toStdU16String(),
                                       u"", PromptButtons::Ok, PromptIcon::Warning);
        m_Recovery.reset();
    }
    return false;
}

bool RecoveryKeeper::Restore(const std::optional<std::string>& origin) {
    ClassTable& entries = m_State.engine.Entries();
    bool loaded = false;
    {
        Utf8Scope utf8(entries);
        loaded = entries.LoadDocumentFile(m_Recovery->Files().document);
    }
    if (!loaded) {
        entries.Clear(true);
        entries.Resize(kEntryColumns, 0);
        entries.SetModified(false);
        m_State.engine.DictionaryReplaced();
        m_State.services.prompter->Ask(m_State.Text("FrmMain.m_acTRecoveryUnreadable")
                                           .replace("%s", QString::fromStdString(m_Recovery->Files().document.string()))
                                           .toStdU16String(),
                                       u"", PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    const bool bound = origin && !origin->empty();
    entries.Resize(kEntryColumns, entries.RowCount());
    entries.SetFileName(bound ? std::filesystem::path(*origin) : std::filesystem::path());
    entries.SetModified(true);
    m_State.engine.DictionaryReplaced();
    m_State.engine.SetCurrentRow(0);
    m_State.currentPath = bound ? QString::fromStdString(*origin) : NoName();
    m_State.Changed();
    m_Files.AddRecent(m_State.currentPath, true);
    return true;
}

// An unsaved dictionary gets its copy written one interval later; a saved or discarded one needs no copy any more.
void RecoveryKeeper::NoteState() {
    if (!m_Recovery) {
        return;
    }
    if (!m_State.engine.Entries().IsModified()) {
        m_Schedule.Written();
        m_Timer->stop();
        if (m_Recovery->Exists()) {
            m_Recovery->Remove();
        }
        return;
    }
    const SteadyClock steady;
    const MonotonicClock& ticks = m_State.services.ticks ? *m_State.services.ticks : steady;
    m_Schedule.Changed(ticks.Now());
    if (!m_Timer->isActive()) {
        m_Timer->start(*m_Schedule.DueIn(ticks.Now()));
    }
}

void RecoveryKeeper::Write() {
    ClassTable& entries = m_State.engine.Entries();
    if (!m_Recovery || !entries.IsModified()) {
        return;
    }
    const SteadyClock steady;
    const MonotonicClock& ticks = m_State.services.ticks ? *m_State.services.ticks : steady;
    const auto left = m_Schedule.DueIn(ticks.Now());
    if (!left) {
        return;
    }
    if (left->count() > 0) {
        m_Timer->start(*left);
        return;
    }
    std::string document;
    {
        Utf8Scope utf8(entries);
        document = entries.ToXml2Text();
    }
    m_Schedule.Written();
    if (document.empty()) {
        // The table is busy (a tool window works on it): try again one interval later.
        m_Schedule.Changed(ticks.Now());
        m_Timer->start(*m_Schedule.DueIn(ticks.Now()));
        return;
    }
    const bool bound = m_State.currentPath != NoName() && !m_State.currentPath.isEmpty();
    if (!m_Recovery->Write(document, bound ? m_State.currentPath.toStdString() : std::string()) && !m_Warned) {
        m_Warned = true;
        m_State.services.prompter->Ask(m_State.Text("FrmMain.m_acTRecoveryNotWritten")
                                           .replace("%s", QString::fromStdString(m_Recovery->Files().document.string()))
                                           .toStdU16String(),
                                       u"", PromptButtons::Ok, PromptIcon::Warning);
    }
}

void RecoveryKeeper::End() {
    if (m_Recovery) {
        m_Timer->stop();
        m_Recovery->Remove();
        m_Recovery.reset();
    }
}

} // namespace lexaro
