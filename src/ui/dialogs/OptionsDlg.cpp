#include "ui/dialogs/OptionsDlg.h"

#include "app/Autostart.h"
#include "app/FileChooser.h"
#include "app/OptionRules.h"
#include "app/Prompter.h"
#include "ui/qt/ColourRef.h"
#include "ui/qt/FontConvert.h"
#include "ui/qt/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace lexaro {

COptionsDlg::COptionsDlg(const ToolWindowContext& context, const Settings& settings, std::filesystem::path programFile,
                         std::filesystem::path autostartFolder, std::vector<InstalledDictionary> found, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Result(settings), m_Fonts(settings.fonts),
      m_ProgramFile(std::move(programFile)), m_AutostartFolder(std::move(autostartFolder)), m_Found(std::move(found)) {
    setObjectName(QStringLiteral("COptionsDlg"));
    setWindowTitle(context.Text("FrmOptions.Caption"));
    CreateControls();
    FillControls();
}

void COptionsDlg::CreateControls() {
    auto check = [this](const char* name) {
        auto* box = new QCheckBox(m_Context.Text(std::string("FrmOptions.") + name), this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    auto label = [this](const char* name) {
        auto* text = new QLabel(m_Context.Text(std::string("FrmOptions.") + name), this);
        text->setObjectName(QString::fromLatin1(name));
        return text;
    };
    auto edit = [this](const char* name, int maxLength = 32767) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QString::fromLatin1(name));
        line->setMaxLength(maxLength);
        return line;
    };
    auto button = [this](const char* name, const QString& text, const char* tipKey = nullptr) {
        auto* push = new QPushButton(text, this);
        push->setObjectName(QString::fromLatin1(name));
        push->setAutoDefault(false);
        if (tipKey != nullptr) {
            push->setToolTip(m_Context.Text(tipKey));
        }
        return push;
    };

    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(label("m_LBLStartDict"), row++, 0, 1, 4);
    m_EDTStartDict = edit("m_EDTStartDict");
    auto* browse = button("m_BTNStartDict", QStringLiteral("..."), "FrmOptions.m_BTNStartDict");
    grid->addWidget(m_EDTStartDict, row, 0, 1, 3);
    grid->addWidget(browse, row++, 3);
    m_CHKAutoSave = check("m_CHKAutoSave");
    grid->addWidget(m_CHKAutoSave, row++, 0, 1, 4);

    grid->addWidget(label("m_LBLAddDict"), row++, 0, 1, 4);
    m_LISAddDict = new QTreeWidget(this);
    m_LISAddDict->setObjectName(QStringLiteral("m_LISAddDict"));
    m_LISAddDict->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_LISAddDict->setRootIsDecorated(false);
    m_LISAddDict->setHeaderLabels({m_Context.Text("FrmOptions.m_LISAddDictName")});
    auto* addDict = button("m_BTNAddDict", QStringLiteral("+"), "FrmOptions.m_BTNAddDict");
    auto* subDict = button("m_BTNSubDict", QStringLiteral("-"), "FrmOptions.m_BTNSubDict");
    auto* clearDict = button("m_BTNClearDict", QStringLiteral("X"), "FrmOptions.m_BTNClearDict");
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(addDict);
    listButtons->addWidget(subDict);
    listButtons->addWidget(clearDict);
    listButtons->addStretch();
    grid->addWidget(m_LISAddDict, row, 0, 1, 3);
    grid->addLayout(listButtons, row++, 3);
    // Choosing a dictionary found on this computer adds it at once; the first item only says what the list is for.
    m_CBBFoundDict = new QComboBox(this);
    m_CBBFoundDict->setObjectName(QStringLiteral("m_CBBFoundDict"));
    m_CBBFoundDict->addItem(m_Context.Text("FrmOptions.m_CBBFoundDict"));
    for (const InstalledDictionary& dictionary : m_Found) {
        const QString path = FromUtf8(dictionary.file.string());
        m_CBBFoundDict->addItem(FromUtf8(dictionary.name), path);
        m_CBBFoundDict->setItemData(m_CBBFoundDict->count() - 1, path, Qt::ToolTipRole);
    }
    m_CBBFoundDict->setEnabled(!m_Found.empty());
    grid->addWidget(m_CBBFoundDict, row++, 0, 1, 3);

    m_CHKNoSubstring = check("m_CHKNoSubstring");
    m_BTNColor = button("m_BTNColor", QString());
    grid->addWidget(m_CHKNoSubstring, row, 0, 1, 3);
    grid->addWidget(m_BTNColor, row++, 3);
    m_CHKNoViceVersa = check("m_CHKNoViceVersa");
    m_BTNColor2 = button("m_BTNColor2", QString());
    grid->addWidget(m_CHKNoViceVersa, row, 0, 1, 3);
    grid->addWidget(m_BTNColor2, row++, 3);
    m_CHKNoMultiTerms = check("m_CHKNoMultiTerms");
    grid->addWidget(m_CHKNoMultiTerms, row++, 0, 1, 4);
    m_CHKAutoAdd = check("m_CHKAutoAdd");
    m_EDTAutoAddSeparator = edit("m_EDTAutoAddSeparator");
    grid->addWidget(m_CHKAutoAdd, row, 0, 1, 3);
    grid->addWidget(m_EDTAutoAddSeparator, row++, 3);
    m_CHKMultiDelete = check("m_CHKMultiDelete");
    grid->addWidget(m_CHKMultiDelete, row++, 0, 1, 4);
    m_CHKMaxResults = check("m_CHKMaxResults");
    m_EDTMaxResults = edit("m_EDTMaxResults");
    grid->addWidget(m_CHKMaxResults, row, 0, 1, 3);
    grid->addWidget(m_EDTMaxResults, row++, 3);

    m_CHKForeground = check("m_CHKForeground");
    m_CHKRememberPos = check("m_CHKRememberPos");
    grid->addWidget(m_CHKForeground, row, 0, 1, 2);
    grid->addWidget(m_CHKRememberPos, row++, 2, 1, 2);
    m_CHKClipboard = check("m_CHKClipboard");
    m_CHKClipboardFront = check("m_CHKClipboardFront");
    grid->addWidget(m_CHKClipboard, row, 0, 1, 2);
    grid->addWidget(m_CHKClipboardFront, row++, 2, 1, 2);
    m_CHKTrayIcon = check("m_CHKTrayIcon");
    m_CHKAutoStart = check("m_CHKAutoStart");
    grid->addWidget(m_CHKTrayIcon, row, 0, 1, 2);
    grid->addWidget(m_CHKAutoStart, row++, 2, 1, 2);

    m_EDTTermLengthMin = edit("m_EDTTermLengthMin");
    m_EDTTermLengthMax = edit("m_EDTTermLengthMax");
    grid->addWidget(label("m_LBLTermLength"), row, 0);
    grid->addWidget(m_EDTTermLengthMin, row, 1);
    grid->addWidget(m_EDTTermLengthMax, row++, 2);
    m_EDTSeparator = edit("m_EDTSeparator", 1);
    m_EDTWildcard = edit("m_EDTWildcard", 1);
    grid->addWidget(label("m_LBLSeparator"), row, 0);
    grid->addWidget(m_EDTSeparator, row, 1);
    grid->addWidget(label("m_LBLWildcard"), row, 2);
    grid->addWidget(m_EDTWildcard, row++, 3);
    m_EDTTrainInterval = edit("m_EDTTrainInterval");
    m_EDTTranslator = edit("m_EDTTranslator", 1);
    grid->addWidget(label("m_LBLTrainInterval"), row, 0);
    grid->addWidget(m_EDTTrainInterval, row, 1);
    grid->addWidget(label("m_LBLTranslator"), row, 2);
    grid->addWidget(m_EDTTranslator, row++, 3);
    m_CHKTrainMultiChoice = check("m_CHKTrainMultiChoice");
    grid->addWidget(m_CHKTrainMultiChoice, row++, 0, 1, 4);
    m_EDTTrainMultiChoices = edit("m_EDTTrainMultiChoices", 1);
    grid->addWidget(label("m_LBLTrainMultiChoices"), row, 0);
    grid->addWidget(m_EDTTrainMultiChoices, row++, 1);
    auto spin = [this](const char* name, int minimum, int maximum) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(minimum, maximum);
        return box;
    };
    m_EDTReviewRetention = spin("m_EDTReviewRetention", kReviewRetentionMin, kReviewRetentionMax);
    m_EDTReviewMaxInterval = spin("m_EDTReviewMaxInterval", 1, kReviewMaxIntervalMax);
    m_EDTReviewNewCards = spin("m_EDTReviewNewCards", 0, kReviewNewCardsMax);
    grid->addWidget(label("m_LBLReviewRetention"), row, 0);
    grid->addWidget(m_EDTReviewRetention, row, 1);
    grid->addWidget(label("m_LBLReviewMaxInterval"), row, 2);
    grid->addWidget(m_EDTReviewMaxInterval, row++, 3);
    grid->addWidget(label("m_LBLReviewNewCards"), row, 0);
    grid->addWidget(m_EDTReviewNewCards, row++, 1);
    m_CHKReviewBoth = check("m_CHKReviewBoth");
    m_CHKReviewReminder = check("m_CHKReviewReminder");
    grid->addWidget(m_CHKReviewBoth, row, 0, 1, 2);
    grid->addWidget(m_CHKReviewReminder, row++, 2, 1, 2);
    m_CHKSpeakReviewQuestion = check("m_CHKSpeakReviewQuestion");
    m_CHKSpeakReviewAnswer = check("m_CHKSpeakReviewAnswer");
    grid->addWidget(m_CHKSpeakReviewQuestion, row, 0, 1, 2);
    grid->addWidget(m_CHKSpeakReviewAnswer, row++, 2, 1, 2);
    m_CBBCharset = new QComboBox(this);
    m_CBBCharset->setObjectName(QStringLiteral("m_CBBCharset"));
    m_CBBCharset->setEditable(true);
    m_CBBCharset->setInsertPolicy(QComboBox::NoInsert);
    grid->addWidget(label("m_LBLCharset"), row, 0);
    grid->addWidget(m_CBBCharset, row++, 1);
    m_BTNFont = button("m_BTNFont", QString());
    m_BTNFontReset = button("m_BTNFontReset", QStringLiteral("<"), "FrmOptions.m_BTNFontReset");
    grid->addWidget(label("m_LBLFont"), row, 0);
    grid->addWidget(m_BTNFont, row, 1, 1, 2);
    grid->addWidget(m_BTNFontReset, row++, 3);

    auto* ok = button("m_BTNOk", m_Context.Text("FrmOptions.m_BTNOk"));
    auto* cancel = button("m_BTNCancel", m_Context.Text("FrmOptions.m_BTNCancel"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row++, 0, 1, 4);

    const std::u16string filter = m_Context.texts.GetWideText("FrmOptions.m_acTOpenDialog");
    auto chooseDictionary = [this, filter]() -> QString {
        const auto chosen = m_Context.chooser.ChooseOpen(u"", filter, {});
        return chosen ? QString::fromStdString(chosen->path.string()) : QString();
    };
    connect(browse, &QPushButton::clicked, this, [this, chooseDictionary] {
        const QString path = chooseDictionary();
        if (!path.isEmpty()) {
            m_EDTStartDict->setText(path);
        }
    });
    connect(addDict, &QPushButton::clicked, this, [this, chooseDictionary] {
        const QString path = chooseDictionary();
        if (!path.isEmpty()) {
            new QTreeWidgetItem(m_LISAddDict, {path});
        }
    });
    connect(m_CBBFoundDict, &QComboBox::activated, this, [this](int index) {
        if (index > 0) {
            new QTreeWidgetItem(m_LISAddDict, {m_CBBFoundDict->itemData(index).toString()});
            m_CBBFoundDict->setCurrentIndex(0);
        }
    });
    connect(subDict, &QPushButton::clicked, this, [this] { qDeleteAll(m_LISAddDict->selectedItems()); });
    connect(clearDict, &QPushButton::clicked, m_LISAddDict, &QTreeWidget::clear);
    connect(m_CHKClipboard, &QCheckBox::toggled, this, [this](bool on) {
        m_CHKClipboardFront->setEnabled(on);
        if (!on) {
            m_CHKClipboardFront->setChecked(false);
        }
    });
    connect(m_BTNColor, &QPushButton::clicked, this, [this] { ChooseColour(m_Result.highlightColor, m_BTNColor); });
    connect(m_BTNColor2, &QPushButton::clicked, this, [this] { ChooseColour(m_Result.highlightColor2, m_BTNColor2); });
    connect(m_BTNFont, &QPushButton::clicked, this, [this] { ChooseFont(); });
    connect(m_BTNFontReset, &QPushButton::clicked, this, [this] {
        m_Fonts.SetUseFontHeight(false);
        m_Fonts.ResetToBuiltIn();
        ShowFontName();
    });
    connect(ok, &QPushButton::clicked, this, &COptionsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);
}

void COptionsDlg::FillControls() {
    const Settings& s = m_Result;
    m_AutostartWasOn = IsAutostartOn(m_AutostartFolder);
    m_CHKAutoStart->setChecked(m_AutostartWasOn);
    m_EDTStartDict->setText(FromUtf8(s.startDictionary));
    m_CHKAutoSave->setChecked(s.autoSafe);
    m_CHKForeground->setChecked(s.alwaysOnTop);
    m_CHKRememberPos->setChecked(s.rememberPos);
    m_CHKClipboard->setChecked(s.clipWatch);
    m_CHKClipboardFront->setChecked(s.clipFront);
    m_CHKTrayIcon->setChecked(s.trayIcon);
    m_EDTTermLengthMin->setText(QString::number(s.termLengthMin));
    m_EDTTermLengthMax->setText(QString::number(s.termLengthMax));
    m_EDTTrainInterval->setText(QString::number(s.trainInterval));
    m_EDTTrainMultiChoices->setText(QString::number(s.trainMultiChoices));
    m_CHKTrainMultiChoice->setChecked(s.trainMultiChoice);
    m_EDTReviewRetention->setValue(CheckedReviewRetention(s.reviewRetention));
    m_EDTReviewMaxInterval->setValue(CheckedReviewMaxInterval(s.reviewMaxInterval));
    m_EDTReviewNewCards->setValue(CheckedReviewNewCards(s.reviewNewCards));
    m_CHKReviewBoth->setChecked(s.reviewBoth);
    m_CHKReviewReminder->setChecked(s.reviewReminder);
    m_CHKSpeakReviewQuestion->setChecked(s.speakReviewQuestion);
    m_CHKSpeakReviewAnswer->setChecked(s.speakReviewAnswer);
    m_EDTSeparator->setText(FromUtf8(s.separator));
    m_CBBCharset->setEditText(FromUtf8(CharsetText(s.charset)));

    m_CHKNoSubstring->setChecked(!s.searchSubstring);
    m_CHKNoViceVersa->setChecked(!s.searchViceVersa);
    m_CHKMultiDelete->setChecked(s.multiDelete);
    m_CHKAutoAdd->setChecked(s.doAutoAdd);
    m_EDTAutoAddSeparator->setText(FromUtf8(s.autoAddSeparator));
    m_CHKNoMultiTerms->setChecked(s.noMultiTerms);
    m_EDTTranslator->setText(FromUtf8(s.translator));
    m_CHKMaxResults->setChecked(s.limitMaxResults);
    m_EDTMaxResults->setText(QString::number(s.numMaxResults));
    m_EDTWildcard->setText(FromUtf8(s.wildcard));

    for (const std::string& path : s.addDictionaries) {
        new QTreeWidgetItem(m_LISAddDict, {FromUtf8(path)});
    }
    m_CHKClipboardFront->setEnabled(s.clipWatch);
    if (!s.clipWatch) {
        m_CHKClipboardFront->setChecked(false);
    }
    PaintColourButton(m_BTNColor, s.highlightColor);
    PaintColourButton(m_BTNColor2, s.highlightColor2);
    ShowFontName();
}

void COptionsDlg::accept() {
    // A charset the converter cannot handle would turn every saved text into question marks or empty
    // cells, so it is refused here instead of being stored.
    const int charset = CharsetFromText(ToUtf8(m_CBBCharset->currentText()));
    if (!IsUsableCharset(charset)) {
        m_Context.prompter.Ask(
            m_Context.Text("FrmOptions.m_acTCharsetUnusable").arg(m_CBBCharset->currentText()).toStdU16String(), u"",
            PromptButtons::Ok, PromptIcon::Warning);
        m_CBBCharset->setFocus();
        return;
    }

    Settings& s = m_Result;
    s.startDictionary = ToUtf8(m_EDTStartDict->text());
    s.autoSafe = m_CHKAutoSave->isChecked();
    s.alwaysOnTop = m_CHKForeground->isChecked();
    s.rememberPos = m_CHKRememberPos->isChecked();
    s.clipWatch = m_CHKClipboard->isChecked();
    s.clipFront = m_CHKClipboardFront->isChecked();
    s.trayIcon = m_CHKTrayIcon->isChecked();
    s.termLengthMin = ReadDecimal(ToUtf8(m_EDTTermLengthMin->text()));
    s.termLengthMax = ReadDecimal(ToUtf8(m_EDTTermLengthMax->text()));
    s.trainInterval = CheckedTrainInterval(ReadDecimal(ToUtf8(m_EDTTrainInterval->text())));
    s.trainMultiChoices = CheckedTrainMultiChoices(ReadDecimal(ToUtf8(m_EDTTrainMultiChoices->text())));
    s.trainMultiChoice = m_CHKTrainMultiChoice->isChecked();
    s.reviewRetention = m_EDTReviewRetention->value();
    s.reviewMaxInterval = m_EDTReviewMaxInterval->value();
    s.reviewNewCards = m_EDTReviewNewCards->value();
    s.reviewBoth = m_CHKReviewBoth->isChecked();
    s.reviewReminder = m_CHKReviewReminder->isChecked();
    s.speakReviewQuestion = m_CHKSpeakReviewQuestion->isChecked();
    s.speakReviewAnswer = m_CHKSpeakReviewAnswer->isChecked();
    s.separator = ToUtf8(m_EDTSeparator->text());
    s.charset = charset;

    s.searchSubstring = !m_CHKNoSubstring->isChecked();
    s.searchViceVersa = !m_CHKNoViceVersa->isChecked();
    s.multiDelete = m_CHKMultiDelete->isChecked();
    s.doAutoAdd = m_CHKAutoAdd->isChecked();
    s.autoAddSeparator = ToUtf8(m_EDTAutoAddSeparator->text());
    s.noMultiTerms = m_CHKNoMultiTerms->isChecked();
    s.translator = ToUtf8(m_EDTTranslator->text());
    s.limitMaxResults = m_CHKMaxResults->isChecked();
    s.numMaxResults = ReadDecimal(ToUtf8(m_EDTMaxResults->text()));
    s.wildcard = ToUtf8(m_EDTWildcard->text());

    s.addDictionaries.clear();
    for (int i = 0; i < m_LISAddDict->topLevelItemCount(); ++i) {
        s.addDictionaries.push_back(ToUtf8(m_LISAddDict->topLevelItem(i)->text(0)));
    }
    s.fonts = m_Fonts;
    QDialog::accept();
    // Only a change the user asked for is reported; an entry that could not be touched anyway stays quiet.
    const bool wanted = m_CHKAutoStart->isChecked();
    if (!SetAutostart(m_AutostartFolder, m_ProgramFile, wanted) && wanted != m_AutostartWasOn) {
        const QString entry = QString::fromStdString((m_AutostartFolder / kAutostartFileName).string());
        m_Context.prompter.Ask(
            (m_Context.Text("FrmOptions.m_acTAutostartFailed") + QLatin1Char('\n') + entry).toStdU16String(), u"",
            PromptButtons::Ok, PromptIcon::Warning);
    }
}

void COptionsDlg::ChooseColour(int& colour, QPushButton* button) {
    const QColor chosen = QColorDialog::getColor(ColourFromRef(colour), this);
    if (chosen.isValid()) {
        colour = RefFromColour(chosen);
        PaintColourButton(button, colour);
    }
}

void COptionsDlg::PaintColourButton(QPushButton* button, int colour) {
    button->setStyleSheet(QStringLiteral("background-color: %1;").arg(ColourFromRef(colour).name()));
}

void COptionsDlg::ChooseFont() {
    bool ok = false;
    const QFont current = ToQFont(m_Fonts.Working(), font());
    const QFont chosen = QFontDialog::getFont(&ok, current, this);
    if (!ok) {
        return;
    }
    const FontValues values = ToFontValues(chosen, m_Fonts.Working());
    m_Fonts.SetWorkingFont(values);
    m_Fonts.SetUseFontHeight(values.height != m_Fonts.BaseFont().height);
    ShowFontName();
}

void COptionsDlg::ShowFontName() {
    const std::string& face = m_Fonts.Working().faceName;
    m_BTNFont->setText(face.empty() ? font().family() : FromUtf8(face));
    // Redrawn in the chosen font, and back in the application's font after a reset.
    setFont(ToQFont(m_Fonts.Working(), QApplication::font()));
}

} // namespace lexaro
