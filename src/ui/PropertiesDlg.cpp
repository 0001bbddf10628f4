#include "ui/PropertiesDlg.h"

#include "app/EntryListTools.h"
#include "engine/EntryStore.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexaro {

namespace {

QString Wide(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The order of the rows, which is also the order of the copied text.
struct PropertyRow {
    const char* label;
    const char* value;
};
constexpr PropertyRow kBeforeChecksum[] = {{"m_LBLFileName", "m_EDTFileName"},
                                           {"m_LBLCompleteName", "m_EDTCompleteName"},
                                           {"m_LBLFileSize", "m_EDTFileSize"},
                                           {"m_LBLFileDate", "m_EDTFileDate"}};
constexpr PropertyRow kAfterChecksum[] = {
    {"m_LBLWordCount", "m_EDTWordCount"},       {"m_LBLWordLargest", "m_EDTWordLargest"},
    {"m_LBLWordSmallest", "m_EDTWordSmallest"}, {"m_LBLExplLargest", "m_EDTExplLargest"},
    {"m_LBLExplSmallest", "m_EDTExplSmallest"}, {"m_LBLCharset", "m_EDTCharset"}};

} // namespace

CPropertiesDlg::CPropertiesDlg(const ToolWindowContext& context, const QString& path, EntryStore& engine,
                               int& checksumType, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Path(path), m_ChecksumType(checksumType) {
    setObjectName("CPropertiesDlg");
    m_Context.ApplyFont(*this);
    setWindowTitle(m_Context.Text("FrmProp.Caption"));
    auto* grid = new QGridLayout;
    int line = 0;
    auto addRow = [&](QWidget* label, const char* valueName, const QString& value) {
        auto* field = new QLineEdit(value, this);
        field->setObjectName(QString::fromLatin1(valueName));
        field->setReadOnly(true);
        grid->addWidget(label, line, 0);
        grid->addWidget(field, line, 1);
        ++line;
        return field;
    };
    auto label = [&](const char* name) {
        auto* text = new QLabel(m_Context.Text(std::string("FrmProp.") + name), this);
        text->setObjectName(QString::fromLatin1(name));
        return text;
    };

    const std::filesystem::path file(path.toStdString());
    const auto facts = ReadFileFacts(file);
    m_FileExists = facts.has_value();
    QString values[4];
    if (facts) {
        const std::string full = path.toStdString();
        values[0] = Wide(FileNameOf(full));
        values[1] = path;
        values[2] = Wide(FormatFileSize(facts->size));
        values[3] = Wide(FormatDateStamp(facts->modified));
    }
    for (int i = 0; i < 4; ++i) {
        addRow(label(kBeforeChecksum[i].label), kBeforeChecksum[i].value, values[i]);
    }

    m_CBBChecksum = new QComboBox(this);
    m_CBBChecksum->setObjectName("m_CBBChecksum");
    for (const auto& item : ChecksumNames()) {
        m_CBBChecksum->addItem(Wide(item));
    }
    m_EDTChecksum = addRow(m_CBBChecksum, "m_EDTChecksum", QString());

    const QString counts[6] = {QString::number(engine.Entries().RowCount()),
                               Wide(engine.LongestTerm()),
                               Wide(engine.ShortestTerm()),
                               Wide(engine.LongestExplanation()),
                               Wide(engine.ShortestExplanation()),
                               QString::number(engine.Entries().FileCharset())};
    for (int i = 0; i < 6; ++i) {
        addRow(label(kAfterChecksum[i].label), kAfterChecksum[i].value, counts[i]);
    }

    auto* copy = new QPushButton(m_Context.Text("FrmProp.m_BTNCopy"), this);
    copy->setObjectName("m_BTNCopy");
    auto* ok = new QPushButton(m_Context.Text("FrmProp.m_BTNOk"), this);
    ok->setObjectName("m_BTNOk");
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(copy, &QPushButton::clicked, this, [this] { Copy(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    const int stored = CheckedChecksumType(m_ChecksumType);
    m_CBBChecksum->setCurrentIndex(stored);
    ShowChecksum(stored);
    connect(m_CBBChecksum, &QComboBox::currentIndexChanged, this, [this](int type) { ShowChecksum(type); });
}

void CPropertiesDlg::ShowChecksum(int type) {
    m_EDTChecksum->clear();
    m_ChecksumType = type < 0 ? 0 : type;
    if (m_ChecksumType > 0 && m_FileExists) {
        m_EDTChecksum->setText(Wide(ChecksumOfFile(std::filesystem::path(m_Path.toStdString()), m_ChecksumType)));
    }
}

QString CPropertiesDlg::CopyText() const {
    std::vector<std::pair<std::string, std::string>> lines;
    auto add = [&](const PropertyRow& row) {
        lines.emplace_back(findChild<QLabel*>(row.label)->text().toStdString(),
                           findChild<QLineEdit*>(row.value)->text().toStdString());
    };
    for (const auto& row : kBeforeChecksum) {
        add(row);
    }
    if (!m_EDTChecksum->text().isEmpty()) {
        lines.emplace_back(m_CBBChecksum->currentText().toStdString(), m_EDTChecksum->text().toStdString());
    }
    for (const auto& row : kAfterChecksum) {
        add(row);
    }
    return Wide(BuildPropertiesText(lines));
}

void CPropertiesDlg::Copy() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(CopyText());
    }
}

} // namespace lexaro
