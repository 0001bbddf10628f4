#include "ui/mainwindow/FileCommands.h"

#include "app/DictionaryFiles.h"
#include "app/EntryListTools.h"
#include "app/FileChooser.h"
#include "app/PortablePayload.h"
#include "app/Prompter.h"
#include "app/RecentList.h"
#include "app/StorageExit.h"
#include "table/ForeignDictionary.h"
#include "ui/dialogs/StateDlg.h"
#include "ui/mainwindow/EntryCommands.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/MenuTable.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
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

FileCommands::FileCommands(QMainWindow& window, MainWindowState& state, const MenuTable& menus, EntryCommands& entries)
    : QObject(&window), m_Window(window), m_State(state), m_Menus(menus), m_Entries(entries) {
    window.installEventFilter(this);
    menus.On("ID_MEN_NEW", &window, [this] { NewDictionary(); });
    menus.On("ID_MEN_OPEN", &window, [this] { OpenDictionary(); });
    menus.On("ID_MEN_SAVE", &window, [this] { SaveDictionary(); });
    menus.On("ID_MEN_SAVEAS", &window, [this] { SaveDictionaryAs(); });
    menus.On("ID_MEN_CREATEBACKUP", &window, [this] { CreateBackup(); });
    menus.On("ID_MEN_EXPORTEXE", &window, [this] { CreatePortableCopy(); });
    menus.On("ID_MEN_CLEAR", &window, [this] { ClearRecent(); });
    connect(menus.RecentMenu(), &QMenu::triggered, this, [this](QAction* item) { OpenRecent(item); });
}

bool FileCommands::AskToSaveChanges() {
    if (!m_State.engine.Entries().IsModified()) {
        return true;
    }
    const auto answer = m_State.services.prompter->Ask(m_State.Text("FrmMain.m_acTQuitWithoutSaving").toStdU16String(),
                                                       u"", PromptButtons::YesNoCancel, PromptIcon::Information);
    if (answer == PromptAnswer::Cancel) {
        return false;
    }
    if (answer == PromptAnswer::Yes) {
        SaveDictionary();
        // A cancelled or failed save keeps the changes: the caller stops instead of discarding them.
        return !m_State.engine.Entries().IsModified();
    }
    return true;
}

void FileCommands::OpenFile(const QString& path) {
    const FileKind kind = KindOfFile(path.toStdString());
    const bool exists = IsBound(path) && QFileInfo(path).isFile();
    if (exists && kind == FileKind::Other) {
        m_State.services.prompter->Ask(
            (m_State.Text("FrmMain.m_acTCannotOpenKind") + QLatin1Char('\n') + path).toStdU16String(), u"",
            PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    if (exists && kind == FileKind::TrainingUnit) {
        // A unit trains in the training window; the open dictionary stays as it is.
        m_OpenUnit(path);
        return;
    }
    ClassTable& entries = m_State.engine.Entries();
    // The file is read aside before anything else: one that is no dictionary is refused, and the open
    // dictionary is neither asked about nor touched.
    ClassTable loaded;
    DictionaryRead read = DictionaryRead::Complete;
    std::string why;
    // The dictionary's review log is read meanwhile; what the dictionary shown did not take is thrown away
    // once this opening ends, however it ends.
    struct OpeningEnds {
        const MainWindowState& state;
        ~OpeningEnds() {
            if (state.opening) {
                state.opening(QString());
            }
        }
    } openingEnds{m_State};
    if (exists && kind == FileKind::Dictionary && m_State.opening) {
        m_State.opening(path);
    }
    if (exists) {
        loaded.SetCharset(entries.Charset());
        loaded.SetSeparator(CsvSeparator());
        read = WithProgress(&m_Window, m_State.Text("FrmMain.m_acTOpen"),
                            [&] { return ReadDictionaryFile(loaded, ToPath(path), kind, &why); });
        if (read == DictionaryRead::NotADictionary) {
            const QString reason = why.empty() ? QString() : QLatin1Char('\n') + QString::fromStdString(why);
            m_State.services.prompter->Ask(
                (m_State.Text("FrmMain.m_acTNotADictionary").arg(path) + reason).toStdU16String(), u"",
                PromptButtons::Ok, PromptIcon::Warning);
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
            m_State.services.prompter->Ask(m_State.Text("FrmMain.m_acTReadIncomplete")
                                               .arg(path, QString::number(loaded.RowCount()))
                                               .toStdU16String(),
                                           u"", PromptButtons::Ok, PromptIcon::Warning);
            boundPath = NoName();
        }
        if (kind == FileKind::Foreign) {
            // Another program's files are read, never written over: the entries become a new dictionary.
            boundPath = NoName();
        }
        entries = std::move(loaded);
    } else {
        entries.Clear(true);
        boundPath = NoName();
    }
    entries.Resize(kEntryColumns, entries.RowCount());
    entries.SetModified(exists && boundPath != path);
    m_State.engine.DictionaryReplaced();
    m_State.engine.SetCurrentRow(0);
    m_State.currentPath = boundPath;
    m_State.Changed();
    AddRecent(boundPath, true);
}

bool FileCommands::SaveFile(const QString& path) {
    ClassTable& entries = m_State.engine.Entries();
    entries.Resize(kEntryColumns, entries.RowCount());
    const QString extension = ExtensionOf(path);
    if (extension == QLatin1String(".csv")) {
        entries.SetSeparator(CsvSeparator());
    }
    int error = 0;
    std::string writeError;
    const ForeignForm foreign = extension == QLatin1String(".ifo")     ? ForeignForm::StarDict
                                : extension == QLatin1String(".index") ? ForeignForm::Dictd
                                                                       : ForeignForm::None;
    const bool saved = WithProgress(&m_Window, m_State.Text("FrmMain.m_acTSave"), [&] {
        errno = 0;
        bool written = false;
        if (extension == QLatin1String(".lxd")) {
            written = entries.SaveDocumentFile(ToPath(path));
        } else if (extension == QLatin1String(".csv")) {
            written = entries.SaveSeparatedText(ToPath(path));
        } else if (extension == QLatin1String(".htm") || extension == QLatin1String(".html")) {
            written = entries.SaveHtml(ToPath(path));
        } else if (foreign != ForeignForm::None) {
            written =
                WriteForeignDictionary(foreign, ToPath(path), entries, QFileInfo(path).completeBaseName().toStdString(),
                                       &EntryStore::ExplanationLines, writeError);
        }
        error = errno;
        return written;
    });
    if (!saved) {
        m_State.services.prompter->Ask(
            FileReportText(m_State.Text("FrmMain.m_acTNotWritten"), path, error).toStdU16String(), u"",
            PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    if (foreign != ForeignForm::None) {
        // A copy for other programs: the dictionary stays bound to its own file, with its changes still to save.
        return true;
    }
    entries.SetModified(false);
    m_State.currentPath = path;
    m_State.Changed();
    AddRecent(path, true);
    return true;
}

void FileCommands::NewDictionary() {
    if (!AskToSaveChanges()) {
        return;
    }
    m_State.engine.Entries().SetModified(false);
    OpenFile(NoName());
    m_State.engine.SetCurrentRow(0);
    m_Entries.ClearFields();
    m_State.Changed();
}

void FileCommands::OpenDictionary() {
    const auto chosen =
        m_State.services.chooser->ChooseOpen(u"", m_State.Text("FrmMain.m_acTOpenDialog").toStdU16String(), {});
    if (chosen) {
        OpenFile(QString::fromStdString(chosen->path.string()));
    }
}

void FileCommands::SaveDictionary() {
    if (!IsBound(m_State.currentPath)) {
        SaveDictionaryAs();
        return;
    }
    SaveFile(m_State.currentPath);
}

void FileCommands::SaveDictionaryAs() {
    const QString suggested = IsBound(m_State.currentPath) ? m_State.currentPath : QString();
    const auto chosen = m_State.services.chooser->ChooseSave(
        u"", m_State.Text("FrmMain.m_acTSaveDialog").toStdU16String(), ToPath(suggested), u"lxd");
    if (!chosen || !SeparatedTextAgreed(QString::fromStdString(chosen->path.string()))) {
        m_CloseAfterSaveAs = false;
        return;
    }
    const bool saved = SaveFile(QString::fromStdString(chosen->path.string()));
    if (saved && m_CloseAfterSaveAs) {
        m_CloseAfterSaveAs = false;
        m_Window.close();
    }
}

// Opening and saving separated text use the separator of the Options, as the overview's import and export do.
std::string FileCommands::CsvSeparator() const {
    return m_State.settings.separator.empty() ? m_State.engine.Entries().Separator() : m_State.settings.separator;
}

// Separated text has no quoting: entries that hold the separator do not read back as they were written.
bool FileCommands::SeparatedTextAgreed(const QString& path) {
    const ClassTable& entries = m_State.engine.Entries();
    if (ExtensionOf(path) != QLatin1String(".csv")) {
        return true;
    }
    const int holding = CountRowsHoldingSeparator(entries, {}, kEntryColumns, CsvSeparator(), false);
    return holding == 0 ||
           m_State.services.prompter->Ask(m_State.Text("FrmMain.m_acTSeparatorInside")
                                              .arg(holding)
                                              .arg(QString::fromStdString(CsvSeparator()))
                                              .toStdU16String(),
                                          u"", PromptButtons::OkCancel, PromptIcon::Warning) == PromptAnswer::Ok;
}

void FileCommands::CreateBackup() {
    if (ExtensionOf(m_State.currentPath) != QLatin1String(".lxd") || !QFileInfo(m_State.currentPath).isFile()) {
        return;
    }
    const LocalTime now = m_State.services.clock ? m_State.services.clock->Now() : SystemClock().Now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04i%02i%02i-%02i%02i%02i", now.year, now.month, now.day, now.hour, now.minute,
                  now.second);
    const QString base = m_State.currentPath.left(m_State.currentPath.size() - 4);
    const QString target = base + QLatin1Char('_') + QString::fromLatin1(stamp) + QStringLiteral(".lxd");
    QFile::remove(target);
    QFile::copy(m_State.currentPath, target);
}

// A copy of the program that carries the dictionary and the interface texts in use.
void FileCommands::CreatePortableCopy() {
    const auto chosen =
        m_State.services.chooser->ChooseSave(u"", m_State.Text("FrmMain.m_acTSaveDialogExe").toStdU16String(), {}, u"");
    if (!chosen) {
        return;
    }
    const std::string dictionary = m_State.engine.Entries().ToXml2Text();
    const bool written = !dictionary.empty() && WritePortableCopy(m_State.storage.programFile, chosen->path, dictionary,
                                                                  m_State.texts.Document().ComposeText());
    if (!written) {
        m_State.services.prompter->Ask((m_State.Text("FrmMain.m_acTPortableNotWritten") + QLatin1Char('\n') +
                                        QString::fromStdString(chosen->path.string()))
                                           .toStdU16String(),
                                       u"", PromptButtons::Ok, PromptIcon::Error);
    }
}

QList<QAction*> FileCommands::RecentItems() const {
    QList<QAction*> items;
    for (QAction* action : m_Menus.RecentMenu()->actions()) {
        if (action == m_Menus.RecentSeparator()) {
            break;
        }
        items << action;
    }
    return items;
}

void FileCommands::AddRecent(const QString& path, bool atTop) {
    if (m_Menus.Action("ID_MEN_DEACTIVATE")->isChecked() || !IsBound(path) ||
        !BelongsInRecentList(path.toStdString()) || !QFileInfo(path).isFile()) {
        return;
    }
    for (QAction* item : RecentItems()) {
        if (item->text() == path) {
            m_Menus.RecentMenu()->removeAction(item);
            delete item;
            break;
        }
    }
    auto items = RecentItems();
    if (items.size() >= kRecentLimit) {
        m_Menus.RecentMenu()->removeAction(items.back());
        delete items.back();
        items.removeLast();
    }
    auto* item = new QAction(path, m_Menus.RecentMenu());
    item->setProperty("recentPath", true);
    m_Menus.RecentMenu()->insertAction(atTop && !items.isEmpty() ? items.front() : m_Menus.RecentSeparator(), item);
    int id = 0;
    for (QAction* recent : RecentItems()) {
        recent->setObjectName(QStringLiteral("ID_RECENT_%1").arg(id++));
    }
}

void FileCommands::OpenRecent(QAction* item) {
    if (!item->property("recentPath").toBool()) {
        return;
    }
    const QString path = item->text();
    if (QFileInfo(path).isFile()) {
        OpenFile(path);
    }
}

void FileCommands::ClearRecent() {
    for (QAction* item : RecentItems()) {
        m_Menus.RecentMenu()->removeAction(item);
        delete item;
    }
}

void FileCommands::SaveDictionaryAsThenClose() {
    m_CloseAfterSaveAs = true;
    SaveDictionaryAs();
}

void FileCommands::ApplySettings(const Settings& s) {
    m_Menus.Action("ID_MEN_DEACTIVATE")->setChecked(false);
    for (const std::string& path : s.recent) {
        AddRecent(QString::fromStdString(path), false);
    }
    m_Menus.Action("ID_MEN_DEACTIVATE")->setChecked(s.deactivate);
}

void FileCommands::CollectSettings(Settings& s) const {
    s.recent.clear();
    for (QAction* item : RecentItems()) {
        s.recent.push_back(item->text().toStdString());
    }
    s.deactivate = m_Menus.Action("ID_MEN_DEACTIVATE")->isChecked();
}

// Dropping a dictionary, a unit or separated text on the window opens it; the window sees no drag event itself.
bool FileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_Window) {
        return false;
    }
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (enter->mimeData()->hasUrls()) {
            enter->acceptProposedAction();
        }
        return true;
    }
    if (event->type() != QEvent::Drop) {
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const auto urls = drop->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) {
        return true;
    }
    const QString path = urls.front().toLocalFile();
    if (KindOfFile(path.toStdString()) != FileKind::Other) {
        OpenFile(path);
        drop->acceptProposedAction();
    }
    return true;
}

} // namespace lexaro
