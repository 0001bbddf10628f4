#include "app/DictionaryFiles.h"
#include "app/EntryListTools.h"
#include "app/FileChooser.h"
#include "app/PortablePayload.h"
#include "app/Prompter.h"
#include "app/RecentList.h"
#include "app/StorageExit.h"
#include "ui/dialogs/StateDlg.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <cerrno>
#include <cstdio>

namespace lexaro {

namespace {

inline constexpr int kRecentLimit = 15;

QString ExtensionOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}

bool IsBound(const QString& path) {
    return !path.isEmpty() && path != NoName();
}

// Runs a long file operation under the progress window; the window is gone again before any question.
template <typename Operation>
auto WithProgress(QWidget* parent, const QString& title, Operation operation) {
    CStateDlg progress(parent, title);
    progress.show();
    auto result = operation();
    progress.Step();
    return result;
}

} // namespace

bool LexaroDlg::AskToSaveChanges() {
    if (!m_Engine.Entries().IsModified()) {
        return true;
    }
    const auto answer = Prompts().Ask(Text("FrmMain.m_acTQuitWithoutSaving").toStdU16String(), u"",
                                      PromptButtons::YesNoCancel, PromptIcon::Information);
    if (answer == PromptAnswer::Cancel) {
        return false;
    }
    if (answer == PromptAnswer::Yes) {
        SaveDictionary();
        // A cancelled or failed save keeps the changes: the caller stops instead of discarding them.
        return !m_Engine.Entries().IsModified();
    }
    return true;
}

void LexaroDlg::OpenFile(const QString& path) {
    const FileKind kind = KindOfFile(path.toStdString());
    const bool exists = IsBound(path) && QFileInfo(path).isFile();
    if (exists && kind == FileKind::Other) {
        Prompts().Ask((Text("FrmMain.m_acTCannotOpenKind") + QLatin1Char('\n') + path).toStdU16String(), u"",
                      PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    if (exists && kind == FileKind::TrainingUnit) {
        // A unit trains in the training window; the open dictionary stays as it is.
        StartTraining(path);
        return;
    }
    ClassTable& entries = m_Engine.Entries();
    // The file is read aside before anything else: one that is no dictionary is refused, and the open
    // dictionary is neither asked about nor touched.
    ClassTable loaded;
    DictionaryRead read = DictionaryRead::Complete;
    if (exists) {
        loaded.SetCharset(entries.Charset());
        loaded.SetSeparator(CsvSeparator());
        read = WithProgress(this, Text("FrmMain.m_acTOpen"),
                            [&] { return ReadDictionaryFile(loaded, ToPath(path), kind); });
        if (read == DictionaryRead::NotADictionary) {
            Prompts().Ask(Text("FrmMain.m_acTNotADictionary").arg(path).toStdU16String(), u"", PromptButtons::Ok,
                          PromptIcon::Warning);
            return;
        }
    }
    if (!AskToSaveChanges()) {
        return;
    }
    QString boundPath = path;
    if (exists) {
        if (read == DictionaryRead::Partial) {
            // Never bind a partly read dictionary to its file: saving it would overwrite the whole file.
            Prompts().Ask(
                Text("FrmMain.m_acTReadIncomplete").arg(path, QString::number(loaded.RowCount())).toStdU16String(), u"",
                PromptButtons::Ok, PromptIcon::Warning);
            boundPath = NoName();
        }
        entries = std::move(loaded);
    } else {
        entries.Clear(true);
        boundPath = NoName();
    }
    entries.Resize(kEntryColumns, entries.RowCount());
    entries.SetModified(exists && boundPath != path);
    m_Engine.DictionaryReplaced();
    m_Engine.SetCurrentRow(0);
    m_CurrentPath = boundPath;
    UpdateTitle();
    AddRecent(boundPath, true);
}

bool LexaroDlg::SaveFile(const QString& path) {
    ClassTable& entries = m_Engine.Entries();
    entries.Resize(kEntryColumns, entries.RowCount());
    const QString extension = ExtensionOf(path);
    if (extension == QLatin1String(".csv")) {
        entries.SetSeparator(CsvSeparator());
    }
    int error = 0;
    const bool saved = WithProgress(this, Text("FrmMain.m_acTSave"), [&] {
        errno = 0;
        bool written = false;
        if (extension == QLatin1String(".lxd")) {
            written = entries.SaveDocumentFile(ToPath(path));
        } else if (extension == QLatin1String(".csv")) {
            written = entries.SaveSeparatedText(ToPath(path));
        } else if (extension == QLatin1String(".htm") || extension == QLatin1String(".html")) {
            written = entries.SaveHtml(ToPath(path));
        }
        error = errno;
        return written;
    });
    if (!saved) {
        Prompts().Ask(FileReportText(Text("FrmMain.m_acTNotWritten"), path, error).toStdU16String(), u"",
                      PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    entries.SetModified(false);
    m_CurrentPath = path;
    UpdateTitle();
    AddRecent(path, true);
    return true;
}

void LexaroDlg::NewDictionary() {
    if (!AskToSaveChanges()) {
        return;
    }
    m_Engine.Entries().SetModified(false);
    OpenFile(NoName());
    m_Engine.SetCurrentRow(0);
    ClearFields();
    UpdateTitle();
}

void LexaroDlg::OpenDictionary() {
    const auto chosen = m_Services.chooser->ChooseOpen(u"", Text("FrmMain.m_acTOpenDialog").toStdU16String(), {});
    if (chosen) {
        OpenFile(QString::fromStdString(chosen->path.string()));
    }
}

void LexaroDlg::SaveDictionary() {
    if (!IsBound(m_CurrentPath)) {
        SaveDictionaryAs();
        return;
    }
    SaveFile(m_CurrentPath);
}

void LexaroDlg::SaveDictionaryAs() {
    const QString suggested = IsBound(m_CurrentPath) ? m_CurrentPath : QString();
    const auto chosen = m_Services.chooser->ChooseSave(u"", Text("FrmMain.m_acTSaveDialog").toStdU16String(),
                                                       ToPath(suggested), u"lxd");
    if (!chosen || !SeparatedTextAgreed(QString::fromStdString(chosen->path.string()))) {
        m_ExitAfterSaveAs = false;
        return;
    }
    const bool saved = SaveFile(QString::fromStdString(chosen->path.string()));
    if (saved && m_ExitAfterSaveAs) {
        m_ExitAfterSaveAs = false;
        close();
    }
}

// Opening and saving separated text use the separator of the Options, as the overview's import and export do.
std::string LexaroDlg::CsvSeparator() const {
    return m_Settings.separator.empty() ? m_Engine.Entries().Separator() : m_Settings.separator;
}

// Separated text has no quoting: entries that hold the separator do not read back as they were written.
bool LexaroDlg::SeparatedTextAgreed(const QString& path) {
    const ClassTable& entries = m_Engine.Entries();
    if (ExtensionOf(path) != QLatin1String(".csv")) {
        return true;
    }
    const int holding = CountRowsHoldingSeparator(entries, {}, kEntryColumns, CsvSeparator(), false);
    return holding == 0 || Prompts().Ask(Text("FrmMain.m_acTSeparatorInside")
                                             .arg(holding)
                                             .arg(QString::fromStdString(CsvSeparator()))
                                             .toStdU16String(),
                                         u"", PromptButtons::OkCancel, PromptIcon::Warning) == PromptAnswer::Ok;
}

void LexaroDlg::CreateBackup() {
    if (ExtensionOf(m_CurrentPath) != QLatin1String(".lxd") || !QFileInfo(m_CurrentPath).isFile()) {
        return;
    }
    const LocalTime now = m_Services.clock ? m_Services.clock->Now() : SystemClock().Now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04i%02i%02i-%02i%02i%02i", now.year, now.month, now.day, now.hour, now.minute,
                  now.second);
    const QString base = m_CurrentPath.left(m_CurrentPath.size() - 4);
    const QString target = base + QLatin1Char('_') + QString::fromLatin1(stamp) + QStringLiteral(".lxd");
    QFile::remove(target);
    QFile::copy(m_CurrentPath, target);
}

// A copy of the program that carries the dictionary and the interface texts in use.
void LexaroDlg::CreatePortableCopy() {
    const auto chosen =
        m_Services.chooser->ChooseSave(u"", Text("FrmMain.m_acTSaveDialogExe").toStdU16String(), {}, u"");
    if (!chosen) {
        return;
    }
    const std::string dictionary = m_Engine.Entries().ToXml2Text();
    const bool written = !dictionary.empty() && WritePortableCopy(m_Storage.programFile, chosen->path, dictionary,
                                                                  m_Texts.Document().ComposeText());
    if (!written) {
        Prompts().Ask((Text("FrmMain.m_acTPortableNotWritten") + QLatin1Char('\n') +
                       QString::fromStdString(chosen->path.string()))
                          .toStdU16String(),
                      u"", PromptButtons::Ok, PromptIcon::Error);
    }
}

QList<QAction*> LexaroDlg::RecentItems() const {
    QList<QAction*> items;
    for (QAction* action : m_MENRecent->actions()) {
        if (action == m_ACTRecentSeparator) {
            break;
        }
        items << action;
    }
    return items;
}

void LexaroDlg::AddRecent(const QString& path, bool atTop) {
    if (findChild<QAction*>("ID_MEN_DEACTIVATE")->isChecked() || !IsBound(path) ||
        !BelongsInRecentList(path.toStdString()) || !QFileInfo(path).isFile()) {
        return;
    }
    for (QAction* item : RecentItems()) {
        if (item->text() == path) {
            m_MENRecent->removeAction(item);
            delete item;
            break;
        }
    }
    auto items = RecentItems();
    if (items.size() >= kRecentLimit) {
        m_MENRecent->removeAction(items.back());
        delete items.back();
        items.removeLast();
    }
    auto* item = new QAction(path, m_MENRecent);
    item->setProperty("recentPath", true);
    m_MENRecent->insertAction(atTop && !items.isEmpty() ? items.front() : m_ACTRecentSeparator, item);
    int id = 0;
    for (QAction* recent : RecentItems()) {
        recent->setObjectName(QStringLiteral("ID_RECENT_%1").arg(id++));
    }
}

void LexaroDlg::OpenRecent(QAction* item) {
    if (!item->property("recentPath").toBool()) {
        return;
    }
    const QString path = item->text();
    if (QFileInfo(path).isFile()) {
        OpenFile(path);
    }
}

void LexaroDlg::ClearRecent() {
    for (QAction* item : RecentItems()) {
        m_MENRecent->removeAction(item);
        delete item;
    }
}

void LexaroDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void LexaroDlg::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) {
        return;
    }
    const QString path = urls.front().toLocalFile();
    const QString extension = ExtensionOf(path);
    if (extension == QLatin1String(".lxd") || extension == QLatin1String(".lxt") ||
        extension == QLatin1String(".csv")) {
        OpenFile(path);
        event->acceptProposedAction();
    }
}

bool LexaroDlg::PrepareExit() {
    ClassTable& entries = m_Engine.Entries();
    const std::string path = m_CurrentPath.toStdString();
    const ExitState state{m_AutoSafe, entries.IsModified(), entries.RowCount(), path, m_InTray};
    ExitStep step = lexaro::PrepareExit(state);
    if (step == ExitStep::RestoreAndAsk) {
        RestoreFromTray();
    }
    if (step == ExitStep::Ask || step == ExitStep::RestoreAndAsk) {
        const auto answer = Prompts().Ask(Text("FrmMain.m_acTQuitWithoutSaving").toStdU16String(), u"",
                                          PromptButtons::YesNoCancel, PromptIcon::Information);
        step = AnswerExitQuestion(state, answer);
    }
    switch (step) {
    case ExitStep::Save:
        step = AfterExitSave(SaveFile(m_CurrentPath));
        break;
    case ExitStep::SaveAs:
        // A successful "Save as" ends the program itself.
        m_ExitAfterSaveAs = true;
        SaveDictionaryAs();
        return false;
    default:
        break;
    }
    if (step != ExitStep::Exit) {
        return false;
    }
    m_ExitConfirmed = true;
    ExitCleanup();
    return true;
}

} // namespace lexaro
