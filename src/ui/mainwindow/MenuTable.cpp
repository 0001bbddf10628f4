#include "ui/mainwindow/MenuTable.h"

#include "app/HelpFiles.h"
#include "app/MenuMnemonics.h"
#include "ui/mainwindow/MainWindowState.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <string>
#include <system_error>
#include <vector>

namespace lexaro {

namespace {

// A menu bar title that no language file holds, kept as it was created.
constexpr const char* kPlainTitle = "plainTitle";

} // namespace

MenuTable::MenuTable(QMainWindow& window) : m_Window(window) {
    CreateMenus();
}

QAction* MenuTable::Action(const char* id) const {
    QAction* action = m_Window.findChild<QAction*>(QString::fromLatin1(id));
    Q_ASSERT(action);
    return action;
}

void MenuTable::ApplyTexts(const MainWindowState& state) {
    for (QAction* action : m_Window.findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (name.startsWith(QLatin1String("ID_MEN_"))) {
            const QString text = state.Text(("FrmMain." + name).toStdString());
            if (!text.isEmpty()) {
                action->setText(text);
            }
        }
    }
    for (QMenu* menu : m_Window.findChildren<QMenu*>()) {
        const QString text = state.Text(("FrmMain." + menu->objectName()).toStdString());
        if (!text.isEmpty()) {
            menu->setTitle(text);
        }
    }
    MarkMenuTitles(state);
}

QAction* MenuTable::AddCommand(QMenu* menu, const char* name, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromLatin1(name));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

void MenuTable::CreateMenus() {
    QMenuBar* bar = m_Window.menuBar();
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
    AddCommand(view, "ID_MEN_REVIEW", Qt::Key_F7);
    AddCommand(view, "ID_MEN_STATISTICS");
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
    entry->addSeparator();
    AddCommand(entry, "ID_MEN_SPEAK", Qt::Key_F9);
    AddCommand(entry, "ID_MEN_SPEAKEXPLANATION", Qt::SHIFT | Qt::Key_F9);

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
void MenuTable::MarkMenuTitles(const MainWindowState& state) {
    std::vector<QMenu*> menus;
    std::vector<std::u16string> titles;
    for (QAction* item : m_Window.menuBar()->actions()) {
        if (QMenu* menu = item->menu()) {
            QString title = state.Text(("FrmMain." + menu->objectName()).toStdString());
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

void MenuTable::RemoveMissingHelpItems(const std::filesystem::path& dataFolder) {
    auto missing = [&dataFolder](std::string_view name) {
        std::error_code error;
        return !std::filesystem::is_regular_file(dataFolder / name, error);
    };
    auto remove = [this](const char* name) {
        if (QAction* action = m_Window.findChild<QAction*>(QString::fromLatin1(name))) {
            if (auto* menu = m_Window.findChild<QMenu*>(QStringLiteral("ID_MEN_HELPMENU"))) {
                menu->removeAction(action);
            }
            action->setVisible(false);
        }
    };
    if (missing(kLicenseFile)) {
        remove("ID_MEN_LICENSE");
    }
    if (missing(kReadMeFile)) {
        remove("ID_MEN_README");
        remove("ID_MEN_CHECKUPDATE");
    }
}

} // namespace lexaro
