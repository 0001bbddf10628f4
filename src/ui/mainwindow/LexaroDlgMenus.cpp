#include "app/HelpFiles.h"
#include "app/MenuMnemonics.h"
#include "app/Prompter.h"
#include "ui/mainwindow/AcceleratorsFirst.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/mainwindow/ScriptEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>
#include <string>
#include <vector>

namespace lexaro {

namespace {

// A menu bar title that no language file holds, kept as it was created.
constexpr const char* kPlainTitle = "plainTitle";

} // namespace

QAction* LexaroDlg::AddCommand(QMenu* menu, const char* name, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromLatin1(name));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

void LexaroDlg::CreateMenus() {
    QMenuBar* bar = menuBar();
    auto popup = [&](const char* name) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(name));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto checkable = [](QAction* action) {
        action->setCheckable(true);
        return action;
    };

    QMenu* file = popup("ID_MEN_FILE");
    AddCommand(file, "ID_MEN_NEW", Qt::CTRL | Qt::Key_N);
    AddCommand(file, "ID_MEN_OPEN", Qt::CTRL | Qt::Key_O);
    AddCommand(file, "ID_MEN_SAVE", Qt::CTRL | Qt::Key_S);
    AddCommand(file, "ID_MEN_SAVEAS");
    file->addSeparator();
    AddCommand(file, "ID_MEN_CREATEBACKUP", Qt::CTRL | Qt::Key_K);
    AddCommand(file, "ID_MEN_EXPORTEXE");
    AddCommand(file, "ID_MEN_HIDE", Qt::CTRL | Qt::Key_T);
    m_MENRecent = file->addMenu(QStringLiteral("ID_MEN_RECENT"));
    m_MENRecent->setObjectName("ID_MEN_RECENT");
    m_ACTRecentSeparator = m_MENRecent->addSeparator();
    AddCommand(m_MENRecent, "ID_MEN_CLEAR");
    checkable(AddCommand(m_MENRecent, "ID_MEN_DEACTIVATE"));
    file->addSeparator();
    AddCommand(file, "ID_MEN_PROPERTIES", Qt::CTRL | Qt::SHIFT | Qt::Key_I);
    file->addSeparator();
    AddCommand(file, "ID_MEN_CLOSE", Qt::CTRL | Qt::Key_Q);

    QMenu* edit = popup("ID_MEN_EDIT");
    AddCommand(edit, "ID_MEN_SELECTALL", Qt::CTRL | Qt::Key_A);
    AddCommand(edit, "ID_MEN_COPY");
    AddCommand(edit, "ID_MEN_CLEAREXPLANATION", Qt::CTRL | Qt::Key_Delete);
    AddCommand(edit, "ID_MEN_CLEARLIST", Qt::SHIFT | Qt::Key_Delete);
    AddCommand(edit, "ID_MEN_CLEARALL", Qt::CTRL | Qt::Key_G);
    edit->addSeparator();
    AddCommand(edit, "ID_MEN_SETPRESET", Qt::CTRL | Qt::SHIFT | Qt::Key_B);
    AddCommand(edit, "ID_MEN_GETPRESET", Qt::CTRL | Qt::Key_B);
    edit->addSeparator();
    AddCommand(edit, "ID_MEN_UNDO");
    checkable(AddCommand(edit, "ID_MEN_FASTEDIT", Qt::Key_F3));
    edit->addSeparator();
    AddCommand(edit, "ID_MEN_MASSEDIT", Qt::CTRL | Qt::Key_L);
    AddCommand(edit, "ID_MEN_MASSDATA", Qt::CTRL | Qt::Key_E);

    QMenu* view = popup("ID_MEN_VIEW");
    AddCommand(view, "ID_MEN_ALLENTRIES", Qt::Key_F2);
    AddCommand(view, "ID_MEN_TRAINING", Qt::Key_F4);
    AddCommand(view, "ID_MEN_TRANSLATOR", Qt::Key_F5);
    AddCommand(view, "ID_MEN_AUTOPLAY", Qt::Key_F6);
    view->addSeparator();
    checkable(AddCommand(view, "ID_MEN_DATE"));
    checkable(AddCommand(view, "ID_MEN_HIGHLIGHTING"))->setChecked(true);
    checkable(AddCommand(view, "ID_MEN_HYPERLINKS"))->setChecked(true);
    view->addSeparator();
    AddCommand(view, "ID_MEN_LANGUAGE");
    AddCommand(view, "ID_MEN_OPTIONS");

    QMenu* entry = popup("ID_MEN_ENTRY");
    AddCommand(entry, "ID_MEN_ADD", Qt::CTRL | Qt::Key_I);
    AddCommand(entry, "ID_MEN_MODIFY", Qt::CTRL | Qt::Key_M);
    AddCommand(entry, "ID_MEN_DELETE", Qt::CTRL | Qt::Key_D);
    entry->addSeparator();
    AddCommand(entry, "ID_MEN_CUTENTRY", Qt::CTRL | Qt::SHIFT | Qt::Key_X);
    AddCommand(entry, "ID_MEN_COPYENTRY", Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    AddCommand(entry, "ID_MEN_PASTEENTRY", Qt::CTRL | Qt::SHIFT | Qt::Key_V);
    entry->addSeparator();
    checkable(AddCommand(entry, "ID_MEN_CLEARONENTRYADD"))->setChecked(true);
    checkable(AddCommand(entry, "ID_MEN_COLLECTCLIPBOARD"));

    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->setObjectName("ID_MEN_HELPMENU");
    help->setProperty(kPlainTitle, QStringLiteral("?"));
    AddCommand(help, "ID_MEN_HELP", Qt::Key_F1);
    AddCommand(help, "ID_MEN_LICENSE");
    AddCommand(help, "ID_MEN_README");
    AddCommand(help, "ID_MEN_CHECKUPDATE");
    AddCommand(help, "ID_MEN_INFO");
}

// The language files hold the titles without mnemonics; the menu bar marks one free letter in each.
void LexaroDlg::MarkMenuTitles() {
    std::vector<QMenu*> menus;
    std::vector<std::u16string> titles;
    for (QAction* item : menuBar()->actions()) {
        if (QMenu* menu = item->menu()) {
            QString title = Text(("FrmMain." + menu->objectName()).toStdString());
            if (title.isEmpty()) {
                title = menu->property(kPlainTitle).toString();
            }
            menus.push_back(menu);
            titles.push_back(title.toStdU16String());
        }
    }
    const std::vector<std::u16string> marked = MarkMnemonics(titles);
    for (std::size_t i = 0; i < menus.size(); ++i) {
        menus[i]->setTitle(QString::fromStdU16String(marked[i]));
    }
}

void LexaroDlg::ConnectCommands() {
    auto on = [this](const char* name, auto handler) {
        QAction* action = findChild<QAction*>(QString::fromLatin1(name));
        Q_ASSERT(action);
        connect(action, &QAction::triggered, this, handler);
    };
    on("ID_MEN_NEW", [this] { NewDictionary(); });
    on("ID_MEN_OPEN", [this] { OpenDictionary(); });
    on("ID_MEN_SAVE", [this] { SaveDictionary(); });
    on("ID_MEN_SAVEAS", [this] { SaveDictionaryAs(); });
    on("ID_MEN_CREATEBACKUP", [this] { CreateBackup(); });
    on("ID_MEN_CLEAR", [this] { ClearRecent(); });
    on("ID_MEN_CLOSE", [this] { close(); });
    on("ID_MEN_SELECTALL", [this] { m_EDTExplanation->selectAll(); });
    on("ID_MEN_COPY", [this] { CopyPaneText(); });
    on("ID_MEN_CLEAREXPLANATION", [this] { SetPaneText(QString()); });
    on("ID_MEN_CLEARLIST", [this] {
        // Only the history goes; the term being typed stays.
        const QString term = m_CBBTerm->currentText();
        m_CBBTerm->clear();
        m_CBBTerm->setEditText(term);
    });
    on("ID_MEN_CLEARALL", [this] {
        ClearFields();
        m_CBBTerm->setFocus();
    });
    on("ID_MEN_SETPRESET", [this] {
        m_PresetTerm = TermText();
        m_PresetExplanation = PaneText();
    });
    on("ID_MEN_GETPRESET", [this] {
        m_CBBTerm->setEditText(m_PresetTerm);
        SetPaneText(m_PresetExplanation);
    });
    on("ID_MEN_UNDO", [this] { Undo(); });
    on("ID_MEN_FASTEDIT", [this](bool checked) { SetFastEdit(checked); });
    on("ID_MEN_DATE", [this](bool checked) { SetDateShown(checked); });
    on("ID_MEN_HIGHLIGHTING", [this](bool checked) { SetHighlighting(checked); });
    on("ID_MEN_HYPERLINKS", [this](bool checked) { SetHyperlinks(checked); });
    on("ID_MEN_ADD", [this] { AddEntry(); });
    on("ID_MEN_MODIFY", [this] { ModifyEntry(); });
    on("ID_MEN_DELETE", [this] { DeleteEntry(); });
    on("ID_MEN_CUTENTRY", [this] { CutEntry(); });
    on("ID_MEN_COPYENTRY", [this] { CopyEntry(); });
    on("ID_MEN_PASTEENTRY", [this] { PasteEntry(); });
    on("ID_MEN_HIDE", [this] { HideInTray(); });
    on("ID_MEN_EXPORTEXE", [this] { CreatePortableCopy(); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ClipboardChanged(); });
    on("ID_MEN_PROPERTIES", [this] { ShowProperties(); });
    on("ID_MEN_MASSEDIT", [this] { EditMassData(false); });
    on("ID_MEN_MASSDATA", [this] { EditMassData(true); });
    on("ID_MEN_TRAINING", [this] { StartTraining(); });
    on("ID_MEN_AUTOPLAY", [this] { StartTraining(QString(), true); });
    on("ID_MEN_ALLENTRIES", [this] { ShowAllEntries(); });
    on("ID_MEN_TRANSLATOR", [this] { OpenTranslator(); });
    on("ID_MEN_OPTIONS", [this] { OpenOptions(); });
    on("ID_MEN_LANGUAGE", [this] { OpenLanguageDialog(); });
    on("ID_MEN_HELP", [this] { OpenHelp(); });
    on("ID_MEN_LICENSE", [this] { OpenDataFile(kLicenseFile); });
    on("ID_MEN_README", [this] { OpenDataFile(kReadMeFile); });
    on("ID_MEN_CHECKUPDATE", [this] { OpenWithDefaultHandler(QString::fromStdString(UpdateAddress())); });
    on("ID_MEN_INFO", [this] { ShowInfo(); });

    connect(m_BTNSearch, &QPushButton::clicked, this, [this] { Search(); });
    connect(m_BTNAdd, &QPushButton::clicked, this, [this] { AddEntry(); });
    connect(m_BTNDelete, &QPushButton::clicked, this, [this] { DeleteEntry(); });
    connect(m_BTNLast, &QPushButton::clicked, this, [this] { PreviousEntry(); });
    connect(m_BTNNext, &QPushButton::clicked, this, [this] { NextEntry(); });
    // Enter in the term box presses the default button, which fast edit mode disables.
    connect(m_CBBTerm->lineEdit(), &QLineEdit::returnPressed, m_BTNSearch, &QPushButton::click);
    connect(m_EDTExplanation, &CScriptEdit::CrossReference, this, [this](const QString& term) {
        m_CBBTerm->setEditText(term);
        Search();
    });
    connect(m_EDTExplanation, &CScriptEdit::OpenLink, this, [this](const QString& url) { OpenLink(url); });
    connect(m_MENRecent, &QMenu::triggered, this, [this](QAction* item) { OpenRecent(item); });
    new AcceleratorsFirst(*this);
}

void LexaroDlg::SetFastEdit(bool on) {
    m_BTNSearch->setEnabled(!on);
    m_BTNDelete->setEnabled(!on);
}

void LexaroDlg::SetHighlighting(bool on) {
    findChild<QAction*>("ID_MEN_HIGHLIGHTING")->setChecked(on);
    m_EDTExplanation->EnableColouring(on);
}

void LexaroDlg::SetHyperlinks(bool on) {
    findChild<QAction*>("ID_MEN_HYPERLINKS")->setChecked(on);
    m_EDTExplanation->EnableHyperlinks(on);
}

// Web and mail links open at once; anything else (a file or a program) only after the user agreed.
void LexaroDlg::OpenLink(const QString& url) {
    const QString scheme = QUrl(url).scheme().toLower();
    const bool harmless = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                          scheme == QLatin1String("ftp") || scheme == QLatin1String("mailto");
    if (!harmless) {
        const auto answer = Prompts().Ask((Text("FrmMain.m_acTOpenLink") + QLatin1Char('\n') + url).toStdU16String(),
                                          u"", PromptButtons::YesNo, PromptIcon::Question);
        if (answer != PromptAnswer::Yes) {
            return;
        }
    }
    OpenWithDefaultHandler(url);
}

} // namespace lexaro
