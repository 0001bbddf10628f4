// Takes the README's pictures: the real main window and tool windows on the sample dictionary, driven
// the way a user would drive them, each window saved as a PNG file.
//
//   lexaro-screenshots [--every-window] OUTPUT_FOLDER [LANGUAGE]
//
// With a language name ("Deutsch") every picture shows that language, to check its texts fit; without,
// the pictures are English and one more shows the main window in German. --every-window adds a picture
// of each remaining tool window (sort, mass data, properties, small quiz, language, info box), to check
// that no control is clipped; those pictures are not part of the README.
// Meant to run on a real X display (scripts/screenshots starts one with xvfb-run). The user's settings
// are neither read nor written: the program starts with its defaults, the shipped language files and the
// English-French sample as additional dictionary.

#include "app/Storage.h"
#include "training/ReviewDeck.h"
#include "ui/mainwindow/FileCommands.h"
#include "ui/mainwindow/LexaroDlg.h"
#include "ui/qt/AppIdentity.h"
#include "ui/qt/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using lexaro::LexaroDlg;

// Answers every question the way that leaves things as they are, and says what was asked.
class DecliningPrompter : public lexaro::Prompter {
public:
    lexaro::PromptAnswer Ask(const std::u16string& text, const std::u16string&, lexaro::PromptButtons buttons,
                             lexaro::PromptIcon) override {
        std::fprintf(stderr, "lexaro-screenshots: answered a question: %s\n",
                     QString::fromStdU16String(text).toLocal8Bit().constData());
        switch (buttons) {
        case lexaro::PromptButtons::Ok:
        case lexaro::PromptButtons::OkCancel:
            return lexaro::PromptAnswer::Ok;
        default:
            return lexaro::PromptAnswer::No;
        }
    }
};

class NoFileChooser : public lexaro::FileChooser {
public:
    std::optional<lexaro::ChosenFile> ChooseOpen(const std::u16string&, const std::u16string&,
                                                 const std::filesystem::path&) override {
        return std::nullopt;
    }
    std::optional<lexaro::ChosenFile> ChooseSave(const std::u16string&, const std::u16string&,
                                                 const std::filesystem::path&, const std::u16string&) override {
        return std::nullopt;
    }
};

class Photographer {
public:
    explicit Photographer(QString folder) : m_Folder(std::move(folder)) {}

    int Failures() const { return m_Failures; }

    // Lets the window system map and paint a window before it is grabbed.
    static void Settle(int milliseconds = 300) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    void Save(QWidget& widget, const QString& name) {
        Settle();
        const QString path = QDir(m_Folder).filePath(name);
        if (widget.grab().save(path)) {
            std::printf("%s (%dx%d)\n", path.toLocal8Bit().constData(), widget.width(), widget.height());
        } else {
            std::fprintf(stderr, "lexaro-screenshots: cannot write %s\n", path.toLocal8Bit().constData());
            ++m_Failures;
        }
    }

    // Runs action on the next visible modal window with that object name, from inside its own event loop;
    // the action must close the window. Gives up (and counts a failure) when none shows within a time.
    void WhenShown(const QString& objectName, std::function<void(QDialog&)> action) {
        auto* timer = new QTimer;
        auto waited = std::make_shared<int>(0);
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [this, timer, waited, objectName, action] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(widget);
                if (dialog != nullptr && dialog->isVisible() && dialog->objectName() == objectName) {
                    timer->stop();
                    timer->deleteLater();
                    action(*dialog);
                    return;
                }
            }
            if (++*waited > 500) {
                std::fprintf(stderr, "lexaro-screenshots: %s never showed\n", objectName.toLocal8Bit().constData());
                ++m_Failures;
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start();
    }

private:
    QString m_Folder;
    int m_Failures = 0;
};

template <typename Widget>
Widget& Find(QWidget& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        std::fprintf(stderr, "lexaro-screenshots: no %s in %s\n", name, parent.objectName().toLocal8Bit().constData());
        std::exit(2);
    }
    return *widget;
}

void LookUp(LexaroDlg& window, const QString& text) {
    Find<QComboBox>(window, "m_CBBTerm").setEditText(text);
    Find<QAbstractButton>(window, "m_BTNSearch").click();
}

void Trigger(LexaroDlg& window, const char* command) {
    Find<QAction>(window, command).trigger();
}

void TakeTrainingPictures(Photographer& camera, LexaroDlg& window) {
    camera.WhenShown("CTrainingDlg", [&camera](QDialog& setup) {
        setup.resize(660, 480);
        Find<QAbstractButton>(setup, "m_BTNSubAll").click();
        auto& available = Find<QTableView>(setup, "m_LISAllEntries");
        for (int row = 0; row < 8; ++row) {
            available.selectionModel()->select(available.model()->index(row, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        Find<QAbstractButton>(setup, "m_BTNAdd").click();
        camera.Save(setup, "training.png");

        camera.WhenShown("CDoTrainingDlg", [&camera](QDialog& quiz) {
            Find<QAbstractButton>(quiz, "m_CHKMultipleChoice").click();
            camera.Save(quiz, "training-quiz.png");
            Find<QAbstractButton>(quiz, "m_BTNClose").click();
        });
        Find<QAbstractButton>(setup, "m_BTNGo").click();
        setup.reject();
    });
    Trigger(window, "ID_MEN_TRAINING");
}

// The windows the README does not show, each at the size it opens with.
void TakeToolWindowPictures(Photographer& camera, LexaroDlg& window) {
    camera.WhenShown("COverviewDlg", [&camera](QDialog& overview) {
        camera.WhenShown("CSortDlg", [&camera](QDialog& sort) {
            camera.Save(sort, "sort.png");
            sort.reject();
        });
        Find<QAbstractButton>(overview, "m_BTNSort").click();
        overview.reject();
    });
    Trigger(window, "ID_MEN_ALLENTRIES");

    camera.WhenShown("CMassDataDlg", [&camera](QDialog& mass) {
        camera.Save(mass, "massdata.png");
        mass.reject();
    });
    Trigger(window, "ID_MEN_MASSEDIT");

    camera.WhenShown("CTrainingDlg", [&camera](QDialog& setup) {
        camera.WhenShown("CDoTrainingDlg", [&camera](QDialog& quiz) {
            Find<QAbstractButton>(quiz, "m_BTNPlay").click();
            Find<QAbstractButton>(quiz, "m_BTNMode").click();
            camera.Save(quiz, "training-small.png");
            Find<QAbstractButton>(quiz, "m_BTNClose").click();
        });
        Find<QAbstractButton>(setup, "m_BTNGo").click();
        setup.reject();
    });
    Trigger(window, "ID_MEN_TRAINING");

    camera.WhenShown("CLanguageDlg", [&camera](QDialog& language) {
        camera.Save(language, "language.png");
        language.reject();
    });
    Trigger(window, "ID_MEN_LANGUAGE");

    camera.WhenShown("CAboutDlg", [&camera](QDialog& about) {
        camera.Save(about, "about.png");
        about.reject();
    });
    Trigger(window, "ID_MEN_INFO");
}

void ChooseLanguage(Photographer& camera, LexaroDlg& window, const QString& name) {
    camera.WhenShown("CLanguageDlg", [&camera, name](QDialog& dialog) {
        auto& list = Find<QComboBox>(dialog, "m_CBBLanguage");
        const int index = list.findText(name);
        if (index < 0) {
            std::fprintf(stderr, "lexaro-screenshots: no language %s\n", name.toLocal8Bit().constData());
            std::exit(2);
        }
        list.setCurrentIndex(index);
        dialog.accept();
    });
    Trigger(window, "ID_MEN_LANGUAGE");
}

// A copy of the sample in the scratch folder, with a log of a few weeks of reviews beside it (so that nothing is
// written beside the shipped sample): the review window on its first card and the statistics window.
void TakeReviewPictures(Photographer& camera, LexaroDlg& window, const QString& sample, const QString& scratch) {
    const QString copy = QDir(scratch).filePath(QStringLiteral("words.lxd"));
    QFile::remove(copy);
    QFile::copy(sample, copy);
    lexaro::ClassTable entries;
    entries.LoadDocumentFile(copy.toStdString());
    lexaro::ReviewDeck deck(QDir(scratch).filePath(QStringLiteral("words.lxr")).toStdString(), {});
    const int today = lexaro::ReviewDay(lexaro::SystemClock().Now());
    for (int row = 0; row < entries.RowCount() && row < 60; ++row) {
        // Each card first seen on a day of the last four weeks and asked again at its due days since.
        int day = today - 28 + row % 25;
        for (int step = 0; day <= today; ++step) {
            const auto rating = static_cast<lexaro::Rating>((row + step) % 7 == 0 ? 1 : (row + step) % 5 == 0 ? 4 : 3);
            const auto local = lexaro::ParseLocalTime(lexaro::ReviewDayDate(day) + " 19:30:00");
            deck.Rate(entries.CellView(0, row), false, rating, lexaro::WithSystemOffset(*local));
            day = deck.History().Find(entries.CellView(0, row), false)->schedule.dueDay;
        }
    }
    window.Files().OpenFile(copy);

    camera.WhenShown("CReviewDlg", [&camera](QDialog& review) {
        review.resize(560, 430);
        Photographer::Settle();
        Find<QLineEdit>(review, "m_EDTAnswer").setText(QStringLiteral("wrong guess"));
        Find<QAbstractButton>(review, "m_BTNShow").click();
        camera.Save(review, "review.png");
        review.reject();
    });
    Trigger(window, "ID_MEN_REVIEW");

    camera.WhenShown("CStatisticsDlg", [&camera](QDialog& statistics) {
        statistics.resize(900, 660);
        camera.Save(statistics, "statistics.png");
        statistics.reject();
    });
    Trigger(window, "ID_MEN_STATISTICS");
    window.Files().OpenFile(sample);
}

void TakePictures(Photographer& camera, LexaroDlg& window, const QString& sample, const QString& language,
                  bool everyWindow, const QString& scratch) {
    if (!language.isEmpty()) {
        ChooseLanguage(camera, window, language);
    }
    window.resize(620, 430);
    window.show();
    window.Files().OpenFile(sample);
    LookUp(window, QStringLiteral("ho*"));
    camera.Save(window, "lookup.png");

    camera.WhenShown("COverviewDlg", [&camera](QDialog& overview) {
        overview.resize(700, 460);
        camera.Save(overview, "overview.png");
        overview.reject();
    });
    Trigger(window, "ID_MEN_ALLENTRIES");

    camera.WhenShown("CTranslatorDlg", [&camera](QDialog& translator) {
        translator.resize(560, 420);
        Find<QPlainTextEdit>(translator, "m_EDTSource").setPlainText(QStringLiteral("The big dog eats bread."));
        Find<QAbstractButton>(translator, "m_BTNTranslate").click();
        camera.Save(translator, "translator.png");
        translator.reject();
    });
    Trigger(window, "ID_MEN_TRANSLATOR");

    camera.WhenShown("COptionsDlg", [&camera](QDialog& options) {
        camera.Save(options, "options.png");
        options.reject();
    });
    Trigger(window, "ID_MEN_OPTIONS");

    camera.WhenShown("CPropertiesDlg", [&camera](QDialog& properties) {
        Find<QComboBox>(properties, "m_CBBChecksum").setCurrentIndex(6);
        camera.Save(properties, "properties.png");
        properties.reject();
    });
    Trigger(window, "ID_MEN_PROPERTIES");

    TakeTrainingPictures(camera, window);
    TakeReviewPictures(camera, window, sample, scratch);
    if (everyWindow) {
        TakeToolWindowPictures(camera, window);
    }

    if (language.isEmpty()) {
        ChooseLanguage(camera, window, QStringLiteral("Deutsch"));
        LookUp(window, QStringLiteral("ho*"));
        camera.Save(window, "lookup-de.png");
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lexaro");
    QApplication::setOrganizationName("Corvane");
    lexaro::ApplyApplicationIdentity();
    const bool everyWindow = argc > 1 && std::strcmp(argv[1], "--every-window") == 0;
    if (everyWindow) {
        --argc;
        ++argv;
    }
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: lexaro-screenshots [--every-window] OUTPUT_FOLDER [LANGUAGE]\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "lexaro-screenshots: cannot create %s\n", argv[1]);
        return 2;
    }

    const std::filesystem::path resources = LEXARO_RESOURCES_DIR;
    QTemporaryDir scratch;
    lexaro::StartupStorage storage;
    storage.decision.programFolder = resources;
    storage.decision.baseFolder = resources;
    storage.programFile = resources / "lexaro";
    storage.dataFolder = resources;
    // Settings of its own in a scratch folder: the defaults plus a second sample searched besides the first.
    storage.applicationFolder = scratch.path().toStdString();
    storage.settingsPath = storage.applicationFolder / "Lexaro.ini";
    // Named relative to the resources folder, so that no folder of this machine shows in the pictures.
    QDir::setCurrent(QString::fromStdString(resources.string()));
    const std::filesystem::path additional = std::filesystem::path("samples") / "sample-en-fr.lxd";
    QFile settings(QString::fromStdString(storage.settingsPath.string()));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <AddDictionary>" +
                       QByteArray::fromStdString(additional.string()) + "</AddDictionary>\r\n</InitFile>\r\n") < 0) {
        std::fprintf(stderr, "lexaro-screenshots: cannot write %s\n", storage.settingsPath.c_str());
        return 2;
    }
    settings.close();

    DecliningPrompter prompter;
    NoFileChooser chooser;
    lexaro::QtClipboard clipboard;
    LexaroDlg window({&prompter, &chooser, std::make_shared<lexaro::SystemClock>(), &clipboard, [](const QString& url) {
                          std::fprintf(stderr, "not opened: %s\n", qPrintable(url));
                          return false;
                      }});
    window.Start(storage, {}, storage.applicationFolder);

    Photographer camera(folder);
    const QString language = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    TakePictures(camera, window, QString::fromStdString((resources / "samples" / "sample-en-de.lxd").string()),
                 language, everyWindow, scratch.path());
    return camera.Failures() == 0 ? 0 : 1;
}
