#include "ui/tools/PropertiesDlg.h"

#include "app/EntryListTools.h"
#include "engine/EntryStore.h"
#include "ui/qt/QtText.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace lexaro {

namespace {

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
    m_Grid = grid;
    int line = 0;
    auto addRow = [&](QWidget* label, const char* valueName, const QString& value) {
        auto* field = new QLineEdit(value, this);
        field->setObjectName(QString::fromLatin1(valueName));
        field->setReadOnly(true);
        grid->addWidget(label, line, 0);
        grid->addWidget(field, line, 1);
        m_Values.push_back(field);
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
        values[0] = FromUtf8(FileNameOf(full));
        values[1] = path;
        values[2] = m_Context.Text("FrmProp.m_acTFileSize")
                        .arg(FromUtf8(FormatKilobytes(facts->size)))
                        .arg(static_cast<qulonglong>(facts->size));
        values[3] = FromUtf8(FormatDateStamp(facts->modified));
    }
    for (int i = 0; i < 4; ++i) {
        addRow(label(kBeforeChecksum[i].label), kBeforeChecksum[i].value, values[i]);
    }

    m_CBBChecksum = new QComboBox(this);
    m_CBBChecksum->setObjectName("m_CBBChecksum");
    for (const auto& item : ChecksumNames()) {
        m_CBBChecksum->addItem(FromUtf8(item));
    }
    m_EDTChecksum = addRow(m_CBBChecksum, "m_EDTChecksum", QString());

    const EntryStore::Extremes extremes = engine.FindExtremes();
    const QString counts[6] = {QString::number(engine.Entries().RowCount()),
                               FromUtf8(extremes.longestTerm),
                               FromUtf8(extremes.shortestTerm),
                               FromUtf8(extremes.longestExplanation),
                               FromUtf8(extremes.shortestExplanation),
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
    grid->setColumnStretch(1, 1);
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

void CPropertiesDlg::OfferVoices(const std::vector<SpeechVoice>& voices, VoicePair& chosen) {
    std::vector<SpeechVoice> byName = voices;
    std::stable_sort(byName.begin(), byName.end(),
                     [](const SpeechVoice& a, const SpeechVoice& b) { return a.name < b.name; });
    const auto addChoice = [&](const char* labelName, const char* boxName, std::string& language) {
        auto* label = new QLabel(m_Context.Text(std::string("FrmProp.") + labelName), this);
        label->setObjectName(QString::fromLatin1(labelName));
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(boxName));
        for (const SpeechVoice& voice : byName) {
            box->addItem(FromUtf8(voice.name), FromUtf8(voice.language));
        }
        box->setCurrentIndex(VoiceIndexFor(byName, language));
        box->setEnabled(!byName.empty());
        label->setBuddy(box);
        const int row = m_Grid->rowCount();
        m_Grid->addWidget(label, row, 0);
        m_Grid->addWidget(box, row, 1);
        connect(box, &QComboBox::currentIndexChanged, this,
                [box, &language] { language = ToUtf8(box->currentData().toString()); });
    };
    addChoice("m_LBLVoiceTerms", "m_CBBVoiceTerms", chosen.terms);
    addChoice("m_LBLVoiceExplanations", "m_CBBVoiceExplanations", chosen.explanations);
}

CPropertiesDlg::~CPropertiesDlg() {
    // Before any member goes: the job's thread reports to this window.
    m_ChecksumJob.Stop();
}

void CPropertiesDlg::ShowChecksum(int type) {
    m_ChecksumJob.Stop();
    const quint64 request = ++m_ChecksumRequest;
    m_EDTChecksum->clear();
    m_ChecksumType = type < 0 ? 0 : type;
    const bool computing = m_ChecksumType > 0 && m_FileExists;
    ShowBusy(computing);
    if (computing) {
        m_ChecksumJob.Start(
            std::filesystem::path(m_Path.toStdString()), m_ChecksumType, [this, request](const std::string& checksum) {
                QMetaObject::invokeMethod(
                    this, [this, request, text = FromUtf8(checksum)] { ChecksumFinished(request, text); },
                    Qt::QueuedConnection);
            });
    }
    FitValues();
}

void CPropertiesDlg::ChecksumFinished(quint64 request, const QString& checksum) {
    if (request != m_ChecksumRequest) {
        return;
    }
    ShowBusy(false);
    m_EDTChecksum->setText(checksum);
    FitValues();
}

// The field stays empty while the checksum is computed, so that Copy leaves it out; an ellipsis and the busy
// cursor over the field say that it is coming.
void CPropertiesDlg::ShowBusy(bool busy) {
    m_EDTChecksum->setPlaceholderText(busy ? QStringLiteral("\u2026") : QString());
    if (busy) {
        m_EDTChecksum->setCursor(Qt::BusyCursor);
    } else {
        m_EDTChecksum->unsetCursor();
    }
}

// Paths, checksums and long terms do not fit a field of the default width: the value column is made as wide
// as the longest value, but the dialog no wider than most of the screen. A value that still does not fit
// shows its beginning and carries its full text as tooltip. The window only grows here (a longer checksum
// widens it), it never shrinks under the user's hands.
void CPropertiesDlg::FitValues() {
    int widest = 0;
    for (QLineEdit* field : m_Values) {
        field->setToolTip(field->text());
        field->setCursorPosition(0);
        widest = std::max(widest, field->fontMetrics().horizontalAdvance(field->text()));
    }
    // A field's size hint is room for 17 'x' plus its frame and margins; the cursor needs one pixel more.
    const QLineEdit& sample = *m_Values.front();
    const int chrome = sample.sizeHint().width() - 17 * sample.fontMetrics().horizontalAdvance(QLatin1Char('x')) + 1;
    int labels = 0;
    for (int row = 0; row < m_Grid->rowCount(); ++row) {
        if (QLayoutItem* item = m_Grid->itemAtPosition(row, 0)) {
            labels = std::max(labels, item->sizeHint().width());
        }
    }
    const QMargins margins = layout()->contentsMargins();
    const int frame = labels + std::max(0, m_Grid->horizontalSpacing()) + margins.left() + margins.right();
    const QScreen* shown = screen();
    const int screenWidth = shown != nullptr ? shown->availableGeometry().width() : 800;
    const int room = std::max(sample.sizeHint().width(), screenWidth * 9 / 10 - frame);
    m_Grid->setColumnMinimumWidth(1, std::min(widest + chrome, room));
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
    return FromUtf8(BuildPropertiesText(lines));
}

void CPropertiesDlg::Copy() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(CopyText());
    }
}

} // namespace lexaro
