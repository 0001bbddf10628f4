#include "app/Prompter.h"
#include "app/RecoveryCopy.h"
#include "ui/mainwindow/LexaroDlg.h"

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

// Claims this program's recovery slot and offers a copy left there by a run that did not end in order.
// True when the copy was restored as the open dictionary.
bool LexaroDlg::StartRecovery() {
    auto recovery = std::make_unique<RecoveryCopy>();
    if (!recovery->Claim(m_Storage.applicationFolder)) {
        return false;
    }
    m_Recovery = std::move(recovery);
    m_RecoveryTimer = new QTimer(this);
    m_RecoveryTimer->setSingleShot(true);
    connect(m_RecoveryTimer, &QTimer::timeout, this, &LexaroDlg::WriteRecoveryCopy);
    if (!m_Recovery->Exists()) {
        return false;
    }

    const std::optional<std::string> origin = m_Recovery->ReadOrigin();
    const QString name = origin && !origin->empty() ? QString::fromStdString(*origin) : NoName();
    const auto answer = Prompts().Ask(Text("FrmMain.m_acTRestoreRecovery").replace("%s", name).toStdU16String(), u"",
                                      PromptButtons::YesNo, PromptIcon::Question);
    if (answer == PromptAnswer::Yes && RestoreRecoveryCopy(origin)) {
        return true;
    }
    const LocalTime now = m_Services.clock ? m_Services.clock->Now() : SystemClock().Now();
    if (m_Recovery->KeepAside(now).empty()) {
        // Writing into this slot would overwrite the only copy of those entries.
        Prompts().Ask(Text("FrmMain.m_acTRecoveryNotKept")
                          .replace("%s", QString::fromStdString(m_Recovery->Files().document.string()))
                          .toStdU16String(),
                      u"", PromptButtons::Ok, PromptIcon::Warning);
        m_Recovery.reset();
    }
    return false;
}

bool LexaroDlg::RestoreRecoveryCopy(const std::optional<std::string>& origin) {
    ClassTable& entries = m_Engine.Entries();
    bool loaded = false;
    {
        Utf8Scope utf8(entries);
        loaded = entries.LoadDocumentFile(m_Recovery->Files().document);
    }
    if (!loaded) {
        entries.Clear(true);
        entries.Resize(kEntryColumns, 0);
        entries.SetModified(false);
        m_Engine.DictionaryReplaced();
        Prompts().Ask(Text("FrmMain.m_acTRecoveryUnreadable")
                          .replace("%s", QString::fromStdString(m_Recovery->Files().document.string()))
                          .toStdU16String(),
                      u"", PromptButtons::Ok, PromptIcon::Warning);
        return false;
    }
    const bool bound = origin && !origin->empty();
    entries.Resize(kEntryColumns, entries.RowCount());
    entries.SetFileName(bound ? std::filesystem::path(*origin) : std::filesystem::path());
    entries.SetModified(true);
    m_Engine.DictionaryReplaced();
    m_Engine.SetCurrentRow(0);
    m_CurrentPath = bound ? QString::fromStdString(*origin) : NoName();
    UpdateTitle();
    AddRecent(m_CurrentPath, true);
    return true;
}

// Called whenever the window shows a new state: an unsaved dictionary gets its copy written one interval
// later; a saved or discarded one needs no copy any more.
void LexaroDlg::NoteRecoveryState() {
    if (!m_Recovery) {
        return;
    }
    if (!m_Engine.Entries().IsModified()) {
        m_RecoverySchedule.Written();
        m_RecoveryTimer->stop();
        if (m_Recovery->Exists()) {
            m_Recovery->Remove();
        }
        return;
    }
    const SteadyClock steady;
    const MonotonicClock& ticks = m_Services.ticks ? *m_Services.ticks : steady;
    m_RecoverySchedule.Changed(ticks.Now());
    if (!m_RecoveryTimer->isActive()) {
        m_RecoveryTimer->start(*m_RecoverySchedule.DueIn(ticks.Now()));
    }
}

void LexaroDlg::WriteRecoveryCopy() {
    ClassTable& entries = m_Engine.Entries();
    if (!m_Recovery || !entries.IsModified()) {
        return;
    }
    const SteadyClock steady;
    const MonotonicClock& ticks = m_Services.ticks ? *m_Services.ticks : steady;
    const auto left = m_RecoverySchedule.DueIn(ticks.Now());
    if (!left) {
        return;
    }
    if (left->count() > 0) {
        m_RecoveryTimer->start(*left);
        return;
    }
    std::string document;
    {
        Utf8Scope utf8(entries);
        document = entries.ToXml2Text();
    }
    m_RecoverySchedule.Written();
    if (document.empty()) {
        // The table is busy (a tool window works on it): try again one interval later.
        m_RecoverySchedule.Changed(ticks.Now());
        m_RecoveryTimer->start(*m_RecoverySchedule.DueIn(ticks.Now()));
        return;
    }
    const bool bound = m_CurrentPath != NoName() && !m_CurrentPath.isEmpty();
    if (!m_Recovery->Write(document, bound ? m_CurrentPath.toStdString() : std::string()) && !m_RecoveryWarned) {
        m_RecoveryWarned = true;
        Prompts().Ask(Text("FrmMain.m_acTRecoveryNotWritten")
                          .replace("%s", QString::fromStdString(m_Recovery->Files().document.string()))
                          .toStdU16String(),
                      u"", PromptButtons::Ok, PromptIcon::Warning);
    }
}

// An orderly end: the user saved or chose to discard the changes, so no copy is kept.
void LexaroDlg::EndRecovery() {
    if (m_Recovery) {
        m_RecoveryTimer->stop();
        m_Recovery->Remove();
        m_Recovery.reset();
    }
}

} // namespace lexaro
