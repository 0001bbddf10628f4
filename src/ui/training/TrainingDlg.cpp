#include "ui/training/TrainingDlg.h"

#include "app/FileChooser.h"
#include "app/Prompter.h"
#include "app/SpeechLanguages.h"
#include "training/RandomSource.h"
#include "training/TrainingLists.h"
#include "ui/qt/QtText.h"
#include "ui/training/DoTrainingDlg.h"
#include "ui/training/TrainingModels.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>

namespace lexaro {

namespace {

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QTableView* CreateList(const char* name) {
    QTableView* list = Named(new QTableView, name);
    // Rows of one height let the view place any row without measuring the others.
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(false);
    list->setWordWrap(false);
    return list;
}

std::vector<int> SelectedPositions(const QTableView& list) {
    std::vector<int> positions;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
        positions.push_back(index.row());
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

} // namespace

CTrainingDlg::CTrainingDlg(ToolWindowContext context, ClassTable& entries, Settings& settings, TrainingStart start,
                           QWidget* parent)
    : QDialog(parent), m_Context(context), m_Settings(settings), m_Start(std::move(start)),
      m_Dictionary(entries, m_Start.dictionaryPath) {
    setObjectName("CTrainingDlg");
    m_Context.ApplyFont(*this);
    setWindowTitle(m_Context.Text("FrmTrain.m_acMTraining"));
    setAcceptDrops(true);
    m_AvailableModel = new AvailableEntriesModel(m_Dictionary, m_Context.Text("FrmTrain.m_LISAllEntries0"), this);
    m_TrainingModel = new TrainingEntriesModel(m_Unit, m_Dictionary, m_Context.Text("FrmTrain.m_LISAllEntries0"),
                                               m_Context.Text("FrmTrain.m_LISUsedEntries1"), this);
    m_TrainingModel->SetCut(m_Settings.trainCutAddExpls);
    CreateControls();
    ConnectControls();

    if (!m_Start.unitPath.empty()) {
        LoadUnitFile(m_Start.unitPath, true);
    } else {
        m_CHKRandom->setChecked(m_Settings.trainingRandom);
        if (m_Settings.trainingBoth) {
            m_CHKBoth->setChecked(true);
            BothToggled();
        } else if (m_Settings.trainingSwap) {
            m_CHKSwap->setChecked(true);
            AddAllEntries();
        } else {
            AddAllEntries();
        }
    }
    m_Unit.SetModified(false);
    resize(620, 480);
}

CTrainingDlg::~CTrainingDlg() = default;

void CTrainingDlg::CreateControls() {
    auto text = [this](std::string_view key) { return m_Context.Text(key); };
    auto button = [](const char* name, const QString& caption) {
        QPushButton* created = Named(new QPushButton(caption), name);
        created->setAutoDefault(false);
        return created;
    };
    auto check = [&](const char* name, std::string_view key) { return Named(new QCheckBox(text(key)), name); };

    m_LBLAllEntries = Named(new QLabel(text("FrmTrain.m_LBLAllEntries")), "m_LBLAllEntries");
    m_LBLAllCount = Named(new QLabel(QStringLiteral("0")), "m_LBLAllCount");
    m_LISAllEntries = CreateList("m_LISAllEntries");
    m_LISAllEntries->setModel(m_AvailableModel);
    m_LISAllEntries->installEventFilter(this);
    m_LISAllEntries->viewport()->installEventFilter(this);
    m_LBLUsedEntries = Named(new QLabel(text("FrmTrain.m_LBLUsedEntries")), "m_LBLUsedEntries");
    m_LBLUsedCount = Named(new QLabel(QStringLiteral("0")), "m_LBLUsedCount");
    m_LISUsedEntries = CreateList("m_LISUsedEntries");
    m_LISUsedEntries->setModel(m_TrainingModel);

    m_BTNAdd = button("m_BTNAdd", QStringLiteral(">"));
    m_BTNAdd->setToolTip(text("FrmTrain.m_BTNAdd"));
    m_BTNSub = button("m_BTNSub", QStringLiteral("<"));
    m_BTNSub->setToolTip(text("FrmTrain.m_BTNSub"));
    m_BTNAddAll = button("m_BTNAddAll", QStringLiteral(">>"));
    m_BTNAddAll->setToolTip(text("FrmTrain.m_BTNAddAll"));
    m_BTNSubAll = button("m_BTNSubAll", QStringLiteral("<<"));
    m_BTNSubAll->setToolTip(text("FrmTrain.m_BTNSubAll"));

    m_CHKSwap = check("m_CHKSwap", "FrmTrain.m_CHKSwap");
    m_CHKBoth = check("m_CHKBoth", "FrmTrain.m_CHKBoth");
    m_CHKRandom = check("m_CHKRandom", "FrmTrain.m_CHKRandom");
    m_CHKFilter = check("m_CHKFilter", "FrmTrain.m_CHKFilter");
    m_EDTFilter = Named(new QLineEdit, "m_EDTFilter");
    m_EDTFilter->setEnabled(false);
    m_BTNOpen = button("m_BTNOpen", text("FrmTrain.m_BTNOpen"));
    m_BTNSave = button("m_BTNSave", text("FrmTrain.m_BTNSave"));
    m_BTNReset = button("m_BTNReset", text("FrmTrain.m_BTNReset"));
    m_CHKNoCaseSensitive = check("m_CHKNoCaseSensitive", "FrmTrain.m_CHKNoCaseSensitive");
    m_CHKAllowSubwords = check("m_CHKAllowSubwords", "FrmTrain.m_CHKAllowSubwords");
    m_CHKShowExplanation = check("m_CHKShowExplanation", "FrmTrain.m_CHKShowExplanation");
    m_EDTShowExplanation = Named(new QLineEdit, "m_EDTShowExplanation");
    m_EDTShowExplanation->setMaxLength(10);
    m_EDTShowExplanation->setMaximumWidth(60);
    m_EDTShowExplanation->setEnabled(false);
    m_BTNGo = button("m_BTNGo", text("FrmTrain.m_BTNGo"));
    m_BTNGo->setDefault(true);
    m_BTNPlay = button("m_BTNPlay", QString());
    m_BTNPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_BTNPlay->setToolTip(text("FrmTrain.m_BTNPlay"));
    m_BTNCancel = button("m_BTNCancel", text("FrmTrain.m_BTNCancel"));

    auto* lists = new QGridLayout;
    auto* availableHead = new QHBoxLayout;
    availableHead->addWidget(m_LBLAllEntries);
    availableHead->addWidget(m_LBLAllCount, 1);
    auto* usedHead = new QHBoxLayout;
    usedHead->addWidget(m_LBLUsedEntries);
    usedHead->addWidget(m_LBLUsedCount, 1);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* move : {m_BTNAdd, m_BTNSub, m_BTNAddAll, m_BTNSubAll}) {
        move->setMaximumWidth(40);
        moves->addWidget(move);
    }
    moves->addStretch();
    lists->addLayout(availableHead, 0, 0);
    lists->addLayout(usedHead, 0, 2);
    lists->addWidget(m_LISAllEntries, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_LISUsedEntries, 1, 2);

    auto* options = new QGridLayout;
    options->addWidget(m_CHKSwap, 0, 0);
    options->addWidget(m_CHKBoth, 1, 0);
    options->addWidget(m_CHKRandom, 2, 0);
    auto* filter = new QHBoxLayout;
    filter->addWidget(m_CHKFilter);
    filter->addWidget(m_EDTFilter, 1);
    options->addLayout(filter, 3, 0);
    options->addWidget(m_CHKNoCaseSensitive, 0, 1);
    options->addWidget(m_CHKAllowSubwords, 1, 1);
    auto* shown = new QHBoxLayout;
    shown->addWidget(m_CHKShowExplanation);
    shown->addWidget(m_EDTShowExplanation);
    shown->addStretch();
    options->addLayout(shown, 2, 1);
    auto* files = new QHBoxLayout;
    files->addWidget(m_BTNOpen);
    files->addWidget(m_BTNSave);
    files->addWidget(m_BTNReset);
    options->addLayout(files, 3, 1);

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(m_BTNGo);
    commands->addWidget(m_BTNPlay);
    commands->addWidget(m_BTNCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(options);
    layout->addLayout(commands);
}

void CTrainingDlg::ConnectControls() {
    connect(m_BTNAddAll, &QPushButton::clicked, this, [this] { AddAllEntries(); });
    connect(m_BTNAdd, &QPushButton::clicked, this, [this] { AddSelectedEntries(); });
    connect(m_BTNSub, &QPushButton::clicked, this, [this] { RemoveSelectedEntries(); });
    connect(m_BTNSubAll, &QPushButton::clicked, this, [this] { RemoveAllEntries(); });
    // Only the user's clicks rebuild the unit; a loaded unit sets the boxes without that.
    connect(m_CHKSwap, &QCheckBox::clicked, this, [this] { AddAllEntries(); });
    connect(m_CHKBoth, &QCheckBox::clicked, this, [this] { BothToggled(); });
    connect(m_CHKFilter, &QCheckBox::toggled, m_EDTFilter, &QLineEdit::setEnabled);
    connect(m_CHKShowExplanation, &QCheckBox::toggled, m_EDTShowExplanation, &QLineEdit::setEnabled);
    connect(m_BTNOpen, &QPushButton::clicked, this, [this] { OpenUnit(); });
    connect(m_BTNSave, &QPushButton::clicked, this, [this] { SaveUnit(); });
    connect(m_BTNReset, &QPushButton::clicked, this, [this] {
        m_Unit.ResetAll();
        m_TrainingModel->Redraw();
    });
    connect(m_BTNGo, &QPushButton::clicked, this, [this] { StartQuiz(false); });
    connect(m_BTNPlay, &QPushButton::clicked, this, [this] { StartQuiz(true); });
    connect(m_BTNCancel, &QPushButton::clicked, this, [this] { reject(); });
}

// Both lists from their top, with the counts.
void CTrainingDlg::Redraw() {
    const bool both = m_CHKBoth->isChecked();
    m_CHKSwap->setEnabled(!both);
    m_AvailableModel->SetView(both, m_CHKSwap->isChecked(), m_Settings.trainCutAddExpls);
    m_TrainingModel->Redraw();
    m_LISAllEntries->scrollToTop();
    m_LISUsedEntries->scrollToTop();
    m_LBLAllCount->setText(QString::number(AvailableCount(m_Dictionary.Entries().RowCount(), both)));
    m_LBLUsedCount->setText(QString::number(m_Unit.QuestionCount()));
}

void CTrainingDlg::AddAllEntries() {
    m_Unit.SetBothDirections(m_CHKBoth->isChecked());
    m_Unit.SetSwapColumns(m_CHKSwap->isChecked());
    std::optional<std::string> filter;
    if (m_CHKFilter->isChecked()) {
        filter = m_EDTFilter->text().toStdString();
    }
    AddAll(m_Unit, m_Dictionary.Entries(), filter, m_CHKSwap->isChecked());
    Redraw();
}

void CTrainingDlg::BothToggled() {
    if (m_CHKBoth->isChecked()) {
        m_CHKSwap->setChecked(false);
    }
    AddAllEntries();
}

bool CTrainingDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == m_LISAllEntries) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            m_ShiftRange = key->modifiers().testFlag(Qt::ShiftModifier);
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == m_LISAllEntries->viewport()) {
        m_ShiftRange = false;
    }
    return QDialog::eventFilter(watched, event);
}

// A Shift range that reaches beyond the rows on show is one block the user walked through page by page:
// it is appended whole, wherever the training list's selection stands.
bool CTrainingDlg::ShiftRangeBeyondPage(const std::vector<int>& positions) const {
    if (!m_ShiftRange || positions.size() < 2) {
        return false;
    }
    const QWidget* viewport = m_LISAllEntries->viewport();
    const int firstShown = m_LISAllEntries->rowAt(0);
    const int lastShown = m_LISAllEntries->rowAt(viewport->height() - 1);
    return positions.front() < firstShown || (lastShown >= 0 && positions.back() > lastShown);
}

void CTrainingDlg::AddSelectedEntries() {
    const std::vector<int> positions = SelectedPositions(*m_LISAllEntries);
    if (positions.empty()) {
        return;
    }
    int insertBefore = -1;
    const std::vector<int> target = SelectedPositions(*m_LISUsedEntries);
    if (!target.empty() && !ShiftRangeBeyondPage(positions)) {
        insertBefore = PositionRow(target.front(), m_Unit.RowCount());
    }
    AddSelected(m_Unit, positions, m_Dictionary.Entries().RowCount(), insertBefore);
    m_TrainingModel->Redraw();
    m_LBLUsedCount->setText(QString::number(m_Unit.QuestionCount()));
}

void CTrainingDlg::RemoveSelectedEntries() {
    const std::vector<int> positions = SelectedPositions(*m_LISUsedEntries);
    if (positions.empty()) {
        return;
    }
    RemoveSelected(m_Unit, positions);
    m_TrainingModel->Redraw();
    m_LBLUsedCount->setText(QString::number(m_Unit.QuestionCount()));
}

void CTrainingDlg::RemoveAllEntries() {
    m_Unit.ClearUnit();
    m_TrainingModel->Redraw();
    m_LISUsedEntries->scrollToTop();
    m_LBLUsedCount->setText(QStringLiteral("0"));
}

void CTrainingDlg::LoadUnitFile(const std::filesystem::path& file, bool handedOverAtStart) {
    const UnitLoadResult loaded = m_Unit.LoadUnit(file);
    m_UnitPath = file;
    if (!loaded.dictionary.empty()) {
        m_CHKSwap->setChecked(m_Unit.SwapColumns());
        m_CHKBoth->setChecked(m_Unit.BothDirections());
        m_CHKRandom->setChecked(m_Unit.RandomOrder());
        switch (CheckDictionary(loaded, m_Dictionary.Path(), handedOverAtStart)) {
        case DictionaryAction::Load:
            if (!m_Dictionary.Load(loaded.dictionary)) {
                m_Unit.ClearUnit();
            }
            break;
        case DictionaryAction::Ask: {
            QString question = m_Context.Text("FrmTrain.m_acMWrongDictionary");
            question.replace(QStringLiteral("%s"), PathText(loaded.dictionary));
            const PromptAnswer answer =
                m_Context.prompter.Ask(question.toStdU16String(), u"Lexaro", PromptButtons::YesNo, PromptIcon::Warning);
            if (answer == PromptAnswer::Yes) {
                m_Dictionary.Load(loaded.dictionary);
            } else {
                m_Unit.ClearUnit();
            }
            break;
        }
        case DictionaryAction::Keep:
            break;
        }
    }
    setWindowTitle(QString::fromStdString(LoadedUnitTitle(m_Context.Text("FrmTrain.m_acMTraining").toStdString(),
                                                          file.string(), m_Dictionary.Path().string())));
    Redraw();
}

void CTrainingDlg::OpenUnit() {
    const auto chosen = m_Context.chooser.ChooseOpen(u"", m_Context.Text("FrmTrain.m_acTFileDialog").toStdU16String(),
                                                     m_UnitPath.parent_path());
    if (chosen) {
        LoadUnitFile(chosen->path, false);
    }
}

CTrainingDlg::SaveOutcome CTrainingDlg::SaveUnit() {
    const auto chosen = m_Context.chooser.ChooseSave(u"", m_Context.Text("FrmTrain.m_acTFileDialog").toStdU16String(),
                                                     m_UnitPath, u"lxt");
    if (!chosen) {
        return SaveOutcome::Cancelled;
    }
    if (!m_Unit.SaveUnit(chosen->path, m_Dictionary.Path())) {
        // The unit stays as it is, still marked as changed.
        m_Context.prompter.Ask(
            (m_Context.Text("FrmTrain.m_acMUnitNotSaved") + QLatin1Char('\n') + PathText(chosen->path))
                .toStdU16String(),
            u"Lexaro", PromptButtons::Ok, PromptIcon::Error);
        return SaveOutcome::Failed;
    }
    m_UnitPath = chosen->path;
    setWindowTitle(QString::fromStdString(
        UnitTitle(m_Context.Text("FrmTrain.m_acMTraining").toStdString(), chosen->path.string())));
    return SaveOutcome::Saved;
}

void CTrainingDlg::StartQuiz(bool autoPlay) {
    m_Unit.SetRandomOrder(m_CHKRandom->isChecked());
    m_Unit.SetBothDirections(m_CHKBoth->isChecked());
    m_Unit.SetSwapColumns(m_CHKSwap->isChecked() && !m_CHKBoth->isChecked());
    m_Unit.SetIgnoreCase(m_CHKNoCaseSensitive->isChecked());
    m_Unit.SetCountSubwords(m_CHKAllowSubwords->isChecked());
    if (!autoPlay && m_Unit.IsComplete()) {
        m_Unit.ResetAll();
    }
    if (m_Unit.RowCount() == 0) {
        return;
    }

    QuizStart start;
    start.options.shownCharacters =
        ShownCharactersSetting(m_CHKShowExplanation->isChecked(), m_EDTShowExplanation->text().toStdString());
    start.options.choiceCount = m_Settings.trainMultiChoices;
    start.options.interval = m_Settings.trainInterval;
    start.options.multipleChoice = m_Settings.trainMultiChoice;
    start.options.cutAdditions = m_Settings.trainCutAddExpls;
    start.autoPlay = autoPlay;
    start.fullRect = m_Settings.winPosTraining;
    start.compactRect = m_Settings.winPosTrainingSmall;
    start.showTitle = m_Settings.trainShowTitle;
    start.infoColour = m_Settings.highlightColor;
    start.dictionaryName = QString::fromStdString(FileNamePart(m_Dictionary.Path().string()));
    start.speech = m_Start.speech;
    start.voices = VoicesForDictionary(m_Settings, m_Dictionary.Path().string());

    std::optional<SeededRandom> seeded;
    RandomSource* random = m_Random;
    if (!random) {
        seeded.emplace(SeededRandom::FromTime());
        random = &*seeded;
    }
    // Hidden rather than minimised, so that the set-up window does not sit in the task bar during the quiz.
    // QDialog's own hiding would also end the set-up window's modal run.
    QWidget::setVisible(false);
    {
        // The quiz's "Multiple choice" box is for this quiz only; the stored setting stays.
        CDoTrainingDlg quiz(m_Context, m_Unit, m_Dictionary.Entries(), *random, start);
        quiz.exec();
    }
    m_Settings.winPosTraining = start.fullRect;
    m_Settings.winPosTrainingSmall = start.compactRect;
    m_Settings.trainShowTitle = start.showTitle;
    show();
    m_TrainingModel->Redraw();
    m_LBLUsedCount->setText(QString::number(m_Unit.QuestionCount()));

    if (start.closedWithX) {
        // "X" leaves the training altogether, without questions and without keeping the boxes.
        m_Unit.SetModified(false);
        m_Closing = true;
        done(1);
    }
}

bool CTrainingDlg::CloseTraining() {
    m_Settings.trainingRandom = m_CHKRandom->isChecked();
    m_Settings.trainingSwap = m_CHKSwap->isChecked();
    m_Settings.trainingBoth = m_CHKBoth->isChecked();
    if (m_Unit.IsModified()) {
        const PromptAnswer answer =
            m_Context.prompter.Ask(m_Context.Text("FrmTrain.m_acMSaveChanges").toStdU16String(), u"Lexaro",
                                   PromptButtons::YesNoCancel, PromptIcon::Information);
        if (answer == PromptAnswer::Cancel) {
            return false;
        }
        // A unit that could not be written is not thrown away unasked: the window stays open. A cancelled
        // file choice closes, as the user chose not to save after all.
        if (answer == PromptAnswer::Yes && SaveUnit() == SaveOutcome::Failed) {
            return false;
        }
    }
    return true;
}

void CTrainingDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_Opened) {
        m_Opened = true;
        if (m_Start.autoPlay) {
            QTimer::singleShot(0, this, [this] { StartQuiz(true); });
        }
    }
}

void CTrainingDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}

void CTrainingDlg::reject() {
    if (m_Closing || CloseTraining()) {
        m_Closing = true;
        done(1);
    }
}

void CTrainingDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CTrainingDlg::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty()) {
        return;
    }
    const QString file = urls.front().toLocalFile();
    if (QFileInfo(file).suffix().compare(QStringLiteral("lxt"), Qt::CaseInsensitive) == 0) {
        LoadUnitFile(std::filesystem::path(file.toStdString()), false);
        event->acceptProposedAction();
    }
}

} // namespace lexaro
