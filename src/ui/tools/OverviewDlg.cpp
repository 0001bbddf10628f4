#include "ui/tools/OverviewDlg.h"

#include "app/CountedTexts.h"
#include "app/DictionaryFiles.h"
#include "app/EntryListTools.h"
#include "app/FileChooser.h"
#include "app/Prompter.h"
#include "engine/EntryStore.h"
#include "ui/qt/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cerrno>

namespace lexaro {

namespace {

// The list of the overview: a turn of the mouse wheel moves it by a page, up when the wheel is turned away
// from the user, down when it is turned towards the user.
class EntryListView : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void wheelEvent(QWheelEvent* event) override {
        // One notch is 120; finer wheels and touch pads send parts of it.
        m_Turned += event->angleDelta().y();
        while (m_Turned >= kNotch) {
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
            m_Turned -= kNotch;
        }
        while (m_Turned <= -kNotch) {
            verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
            m_Turned += kNotch;
        }
        event->accept();
    }

private:
    static constexpr int kNotch = 120;
    int m_Turned = 0;
};

} // namespace

EntryTableModel::EntryTableModel(ClassTable& entries, QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), m_Entries(entries), m_Headers(std::move(headers)) {}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_Entries.RowCount();
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kEntryColumns;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    QString text = FromUtf8(m_Entries.PeekCell(index.column(), index.row()));
    // One line per entry: line breaks inside an explanation would only be cut off.
    text.replace(u'\n', u' ').remove(u'\r');
    return text;
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section >= 0 && section < m_Headers.size()) {
        return m_Headers[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void EntryTableModel::Reload() {
    beginResetModel();
    endResetModel();
}

CSortDlg::CSortDlg(const ToolWindowContext& context, QWidget* parent) : QDialog(parent) {
    setObjectName("CSortDlg");
    context.ApplyFont(*this);
    setWindowTitle(context.Text("FrmSort.Caption"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    int choice = 1;
    for (const char* name :
         {"m_CHKTermAsc", "m_CHKTermDesc", "m_CHKExplAsc", "m_CHKExplDesc", "m_CHKDateAsc", "m_CHKDateDesc"}) {
        auto* box = new QCheckBox(context.Text(std::string("FrmSort.") + name), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(choice == 1);
        group->addButton(box, choice++);
        layout->addWidget(box);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { m_Choice = id; });
    auto* ok = new QPushButton(context.Text("FrmSort.m_BTNOk"), this);
    ok->setObjectName("m_BTNOk");
    ok->setDefault(true);
    auto* cancel = new QPushButton(context.Text("FrmSort.m_BTNCancel"), this);
    cancel->setObjectName("m_BTNCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

COverviewDlg::COverviewDlg(const ToolWindowContext& context, EntryStore& engine, const QString& path,
                           const QString& separator, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Engine(engine), m_Path(path), m_Separator(separator) {
    setObjectName("COverviewDlg");
    m_Context.ApplyFont(*this);
    setMinimumSize(680, 500);
    ClassTable& entries = m_Engine.Entries();
    if (entries.ColumnCount() < kEntryColumns) {
        entries.Resize(kEntryColumns, entries.RowCount());
    }
    m_Model = new EntryTableModel(
        entries,
        {Text("FrmAllEntries.m_LISWords0"), Text("FrmAllEntries.m_LISWords1"), Text("FrmAllEntries.m_LISWords2")},
        this);
    m_LISWords = new EntryListView(this);
    m_LISWords->setObjectName("m_LISWords");
    // The row header learns its size and mode before it meets the rows: changed afterwards, it would walk
    // every row of a big table once more.
    m_LISWords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_LISWords->verticalHeader()->setDefaultSectionSize(m_LISWords->fontMetrics().height() + 4);
    m_LISWords->verticalHeader()->hide();
    m_LISWords->setModel(m_Model);
    m_LISWords->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_LISWords->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_LISWords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_LISWords->setWordWrap(false);
    // The date column is as wide as a date and the explanation takes what is left, so that all three
    // columns show at every width of the window; widths come from the font, not from the rows, which a
    // large table would make slow.
    QHeaderView* header = m_LISWords->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    const int padding = 2 * m_LISWords->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, m_LISWords) + 8;
    m_LISWords->setColumnWidth(0, 160);
    m_LISWords->setColumnWidth(
        2, std::max(m_LISWords->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")),
                    header->fontMetrics().horizontalAdvance(
                        m_Model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString())) +
               padding);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, void (COverviewDlg::*command)()) {
        auto* b = new QPushButton(Text((std::string("FrmAllEntries.") + name).c_str()), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, command);
        buttons->addWidget(b);
    };
    auto check = [&](const char* name) {
        auto* box = new QCheckBox(Text((std::string("FrmAllEntries.") + name).c_str()), this);
        box->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(box);
        return box;
    };
    button("m_BTNDeleteAll", &COverviewDlg::DeleteAll);
    button("m_BTNDeleteSelected", &COverviewDlg::DeleteSelected);
    button("m_BTNSwap", &COverviewDlg::SwapColumns);
    button("m_BTNSort", &COverviewDlg::Sort);
    button("m_BTNDateSet", &COverviewDlg::SetDates);
    button("m_BTNDateRemove", &COverviewDlg::RemoveDates);
    buttons->addSpacing(12);
    button("m_BTNCSVExport", &COverviewDlg::ExportCsv);
    m_CHKCutAddExpls = check("m_CHKCutAddExpls");
    button("m_BTNCSVImport", &COverviewDlg::ImportCsv);
    button("m_BTNCSVAppend", &COverviewDlg::AppendCsv);
    m_CHKRenameDuplicates = check("m_CHKRenameDuplicates");
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_LISWords, 1);

    connect(m_LISWords, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            m_PickedRow = index.row();
            accept();
        }
    });
    ShowTitle();
}

QString COverviewDlg::Text(const char* key) const {
    return m_Context.Text(key);
}

void COverviewDlg::Refresh() {
    m_Model->Reload();
    ShowTitle();
}

void COverviewDlg::ShowTitle() {
    setWindowTitle(QStringLiteral("%1 [%2]").arg(m_Path).arg(m_Engine.Entries().RowCount()));
}

std::vector<std::pair<int, int>> COverviewDlg::SelectedRanges() const {
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : m_LISWords->selectionModel()->selection()) {
        ranges.emplace_back(range.top(), range.bottom());
    }
    std::sort(ranges.begin(), ranges.end());
    // Ranges of one selection may touch or overlap; join them so that no row counts twice.
    std::vector<std::pair<int, int>> joined;
    for (const auto& range : ranges) {
        if (!joined.empty() && range.first <= joined.back().second + 1) {
            joined.back().second = std::max(joined.back().second, range.second);
        } else {
            joined.push_back(range);
        }
    }
    return joined;
}

void COverviewDlg::DeleteAll() {
    ClassTable& entries = m_Engine.Entries();
    if (entries.RowCount() == 0) {
        return;
    }
    if (m_Context.prompter.Ask(Text("FrmAllEntries.m_acTDeleteAll").toStdU16String(),
                               Text("FrmAllEntries.m_acTWarning").toStdU16String(), PromptButtons::OkCancel,
                               PromptIcon::Warning) != PromptAnswer::Ok) {
        return;
    }
    entries.Clear(false);
    entries.Resize(kEntryColumns, 0);
    m_Engine.DictionaryReplaced();
    Refresh();
}

void COverviewDlg::DeleteSelected() {
    ClassTable& entries = m_Engine.Entries();
    const auto ranges = SelectedRanges();
    if (entries.RowCount() == 0 || ranges.empty()) {
        return;
    }
    if (m_Context.prompter.Ask(Text("FrmAllEntries.m_acTDeleteSelected").toStdU16String(),
                               Text("FrmAllEntries.m_acTWarning").toStdU16String(), PromptButtons::OkCancel,
                               PromptIcon::Warning) != PromptAnswer::Ok) {
        return;
    }
    m_LISWords->clearSelection();
    // From the bottom up, so that the rows still to go keep their numbers.
    for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
        entries.DeleteRows(range->first, range->second - range->first + 1);
    }
    entries.SetModified(true);
    // Logged changes name rows by number; after the removal they would hit other entries.
    m_Engine.DictionaryReplaced();
    Refresh();
}

void COverviewDlg::SwapColumns() {
    m_Engine.SwapColumns();
    Refresh();
}

void COverviewDlg::Sort() {
    CSortDlg dialog(m_Context, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int choice = dialog.Choice();
    const int column = choice >= 1 && choice <= 6 ? (choice - 1) / 2 : 0;
    const bool ascending = choice < 1 || choice > 6 || choice % 2 == 1;
    m_Engine.SortEntries(column, ascending);
    m_Engine.ClearUndoLog();
    Refresh();
}

void COverviewDlg::SetDates() {
    StampMissingDates(m_Engine.Entries(), m_Engine.DateStamp());
    Refresh();
}

void COverviewDlg::RemoveDates() {
    ClassTable& entries = m_Engine.Entries();
    for (int r = 0; r < entries.RowCount(); ++r) {
        entries.SetCell(kDateColumn, r, "");
    }
    entries.SetModified(true);
    Refresh();
}

std::u16string COverviewDlg::CsvFilter() const {
    return Text("FrmAllEntries.m_acTCsvDialog").toStdU16String();
}

void COverviewDlg::ReportFile(const char* key, const std::filesystem::path& path, int error) {
    m_Context.prompter.Ask(FileReportText(Text(key), QString::fromStdString(path.string()), error).toStdU16String(),
                           Text("FrmAllEntries.m_acTWarning").toStdU16String(), PromptButtons::Ok, PromptIcon::Warning);
}

void COverviewDlg::ExportCsv() {
    // Every selected row goes, also those of a selection that reaches beyond the visible part of the list.
    std::vector<int> rows;
    for (const auto& [first, last] : SelectedRanges()) {
        for (int row = first; row <= last; ++row) {
            rows.push_back(row);
        }
    }
    const std::string separator = m_Separator.toStdString();
    const bool plain = m_CHKCutAddExpls->isChecked();
    const int holding = CountRowsHoldingSeparator(m_Engine.Entries(), rows, kExplanationColumn + 1, separator, plain);
    if (holding > 0 && m_Context.prompter.Ask(
                           Text("FrmAllEntries.m_acTSeparatorInside").arg(holding).arg(m_Separator).toStdU16String(),
                           Text("FrmAllEntries.m_acTWarning").toStdU16String(), PromptButtons::OkCancel,
                           PromptIcon::Warning) != PromptAnswer::Ok) {
        return;
    }
    const auto chosen = m_Context.chooser.ChooseSave(u"", CsvFilter(), {}, u"csv");
    if (!chosen) {
        return;
    }
    errno = 0;
    if (!ExportEntryRows(m_Engine.Entries(), rows, chosen->path, separator, plain)) {
        ReportFile("FrmAllEntries.m_acTNotWritten", chosen->path, errno);
    }
}

void COverviewDlg::ImportCsv() {
    ClassTable& entries = m_Engine.Entries();
    const std::string stamp = m_Engine.DateStamp();
    if (entries.RowCount() > 0 &&
        m_Context.prompter.Ask(Text("FrmAllEntries.m_acTImport").toStdU16String(),
                               Text("FrmAllEntries.m_acTWarning").toStdU16String(), PromptButtons::OkCancel,
                               PromptIcon::Warning) != PromptAnswer::Ok) {
        return;
    }
    const auto chosen = m_Context.chooser.ChooseOpen(u"", CsvFilter(), {});
    if (!chosen) {
        return;
    }
    entries.SetSeparator(m_Separator.toStdString());
    // Read aside: a file without entries (no separator in it) must not replace the dictionary.
    ClassTable file;
    file.SetCharset(entries.Charset());
    file.SetSeparator(entries.Separator());
    if (ReadDictionaryFile(file, chosen->path, FileKind::SeparatedText) != DictionaryRead::Complete) {
        // The dictionary stays as it was.
        ReportFile("FrmAllEntries.m_acTNotRead", chosen->path);
        return;
    }
    entries = std::move(file);
    entries.Resize(kEntryColumns, entries.RowCount());
    StampMissingDates(entries, stamp);
    entries.SetModified(true);
    m_LISWords->clearSelection();
    m_Engine.DictionaryReplaced();
    Refresh();
}

void COverviewDlg::AppendCsv() {
    const std::string stamp = m_Engine.DateStamp();
    const auto chosen = m_Context.chooser.ChooseOpen(u"", CsvFilter(), {});
    if (!chosen) {
        return;
    }
    ClassTable file;
    file.SetCharset(m_Engine.Entries().Charset());
    file.SetSeparator(m_Separator.toStdString());
    if (ReadDictionaryFile(file, chosen->path, FileKind::SeparatedText) != DictionaryRead::Complete) {
        ReportFile("FrmAllEntries.m_acTNotRead", chosen->path);
        return;
    }
    const int added = AppendImportedRows(m_Engine.Entries(), file, m_CHKRenameDuplicates->isChecked(), stamp);
    Refresh();
    if (added > 0) {
        m_Context.prompter.Ask(QString::fromStdString(EntriesAddedText(m_Context.texts, added)).toStdU16String(),
                               Text("FrmAllEntries.m_acTInfo").toStdU16String(), PromptButtons::Ok,
                               PromptIcon::Information);
    }
}

} // namespace lexaro
