#include "ui/tools/MassDataDlg.h"

#include "app/Prompter.h"
#include "engine/EntryStore.h"
#include "ui/dialogs/StateDlg.h"
#include "widgets/LargeTextEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexaro {

namespace {

// The field keeps each line's own line end; the text it is filled with ends its lines so.
constexpr std::string_view kShownLineEnd = "\n";

} // namespace

CMassDataDlg::CMassDataDlg(const ToolWindowContext& context, EntryStore& engine, bool addMode, const QString& separator,
                           bool withDates, QWidget* parent)
    : QDialog(parent), m_Context(context), m_Engine(engine), m_AddMode(addMode), m_Separator(separator),
      m_WithDates(withDates) {
    setObjectName("CMassDataDlg");
    m_Context.ApplyFont(*this);
    setWindowTitle(m_Context.Text("FrmMass"));
    setMinimumSize(600, 200);
    auto* layout = new QVBoxLayout(this);
    CreateMenu(layout);

    QString hint = m_Context.Text(withDates ? "FrmMass.m_LBLHint2" : "FrmMass.m_LBLHint");
    const QString first = m_Separator.isEmpty() ? QStringLiteral(";") : m_Separator.left(1);
    hint.replace(QStringLiteral("%c"), first);
    m_LBLHint = new QLabel(hint, this);
    m_LBLHint->setObjectName("m_LBLHint");
    m_CHKSingleLines = new QCheckBox(m_Context.Text("FrmMass.m_CHKSingleLines"), this);
    m_CHKSingleLines->setObjectName("m_CHKSingleLines");
    auto* top = new QHBoxLayout;
    top->addWidget(m_LBLHint, 1);
    top->addWidget(m_CHKSingleLines);
    layout->addLayout(top);

    m_EDTText = new CLargeTextEdit(this);
    m_EDTText->setObjectName("m_EDTText");
    m_EDTText->setAccessibleName(windowTitle());
    m_EDTText->setAccessibleDescription(hint);
    layout->addWidget(m_EDTText, 1);

    m_LBLLines = new QLabel(this);
    m_LBLLines->setObjectName("m_LBLLines");
    auto* gotoButton = new QPushButton(m_Context.Text("FrmMass.m_BTNGoto"), this);
    gotoButton->setObjectName("m_BTNGoto");
    gotoButton->setAutoDefault(false);
    m_EDTGoto = new QLineEdit(this);
    m_EDTGoto->setObjectName("m_EDTGoto");
    auto* ok = new QPushButton(m_Context.Text("FrmMass.m_BTNOk"), this);
    ok->setObjectName("m_BTNOk");
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(m_Context.Text("FrmMass.m_BTNCancel"), this);
    cancel->setObjectName("m_BTNCancel");
    cancel->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_LBLLines);
    bottom->addWidget(gotoButton);
    bottom->addWidget(m_EDTGoto);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    connect(gotoButton, &QPushButton::clicked, this, [this] { GoTo(); });
    connect(ok, &QPushButton::clicked, this, &CMassDataDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_EDTText, &CLargeTextEdit::textChanged, this, [this] { UpdateLineCount(); });

    if (!m_AddMode) {
        CStateDlg state(this, m_Context.Text("FrmMass.m_acTState"));
        state.SetRange(100);
        state.show();
        m_EDTText->SetText(BuildMassDataText(m_Engine.Entries(), m_Separator.toStdString(), m_WithDates, kShownLineEnd,
                                             [&state](int percent) { state.Advance(percent); }));
    }
    UpdateLineCount();
    m_EDTText->MoveCursorToEnd();
    m_EDTText->setFocus();
}

void CMassDataDlg::CreateMenu(QVBoxLayout* layout) {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("m_MENMass");
    QMenu* edit = bar->addMenu(m_Context.Text("FrmMass.ID_MEN_EDIT"));
    edit->setObjectName("ID_MEN_EDIT");
    auto add = [&](const char* name, auto handler, const QKeySequence& shortcut = {}) {
        QAction* action = edit->addAction(m_Context.Text(std::string("FrmMass.") + name).section(u'\t', 0, 0));
        action->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty()) {
            action->setShortcut(shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    add("ID_MEN_CUT", [this] { m_EDTText->Cut(); });
    add("ID_MEN_COPY", [this] { m_EDTText->Copy(); });
    add("ID_MEN_PASTE", [this] { m_EDTText->Paste(); });
    add(
        "ID_MEN_SELECTALL", [this] { m_EDTText->SelectAll(); }, QKeySequence(Qt::CTRL | Qt::Key_A));
    add(
        "ID_MEN_ERRORCHECK", [this] { CheckForErrors(); }, QKeySequence(Qt::CTRL | Qt::Key_E));
    layout->setMenuBar(bar);
}

void CMassDataDlg::UpdateLineCount() {
    m_LBLLines->setText(QString::number(m_EDTText->LineCount()));
}

void CMassDataDlg::ScrollToLine(int line) {
    m_EDTText->SetCursor(TextPos{line, 0});
    m_EDTText->ScrollToLine(line);
}

LineSource CMassDataDlg::Lines() const {
    return LineSource{m_EDTText->LineCount(), [this](int line) { return m_EDTText->Line(line); }};
}

MassDataFormat CMassDataDlg::Format() const {
    return MassDataFormat{m_Separator.toStdString(), m_WithDates, m_CHKSingleLines->isChecked(),
                          std::string(kShownLineEnd)};
}

QString CMassDataDlg::IssueText(const LineSource& lines, std::pair<int, MassLineCheck> issue) const {
    const auto [line, verdict] = issue;
    const std::string_view shown = lines.at(line).substr(0, 4095);
    const QString where = QStringLiteral("%1 ('%2')")
                              .arg(line + 1)
                              .arg(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    QString text =
        m_Context.Text(verdict == MassLineCheck::Error ? "FrmMass.m_acMErrorDetected" : "FrmMass.m_acMUnwantedChar");
    return text.replace(QStringLiteral("%s"), where);
}

bool CMassDataDlg::CheckForErrors() {
    const LineSource lines = Lines();
    const MassDataFormat format = Format();
    bool reported = false;
    int start = 0;
    while (auto issue = FindMassDataIssue(lines, start, format.separator, format.singleLines, format.withDates)) {
        ScrollToLine(issue->first);
        reported = true;
        const bool error = issue->second == MassLineCheck::Error;
        const auto answer =
            m_Context.prompter.Ask(IssueText(lines, *issue).toStdU16String(), u"", PromptButtons::OkCancel,
                                   error ? PromptIcon::Error : PromptIcon::Warning);
        if (answer == PromptAnswer::Cancel) {
            return false;
        }
        start = issue->first + 1;
    }
    if (!reported) {
        m_Context.prompter.Ask(m_Context.Text("FrmMass.m_acMNoErrors").toStdU16String(), u"", PromptButtons::Ok,
                               PromptIcon::Information);
    }
    return true;
}

bool CMassDataDlg::ConfirmApplying() {
    const LineSource lines = Lines();
    const MassDataFormat format = Format();
    const auto issue = FindMassDataIssue(lines, 0, format.separator, format.singleLines, format.withDates);
    if (!issue) {
        return true;
    }
    const QString question = IssueText(lines, *issue) + QLatin1Char('\n') + m_Context.Text("FrmMass.m_acMApplyAnyway");
    if (m_Context.prompter.Ask(question.toStdU16String(), u"", PromptButtons::YesNo, PromptIcon::Warning) ==
        PromptAnswer::Yes) {
        return true;
    }
    ScrollToLine(issue->first);
    m_EDTText->setFocus();
    return false;
}

int CMassDataDlg::exec() {
    if (!ConfirmOpening()) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

bool CMassDataDlg::ConfirmOpening() {
    if (m_AddMode) {
        return true;
    }
    const ClassTable& entries = m_Engine.Entries();
    const UnfaithfulEntries found = FindUnfaithfulEntries(entries, m_Separator.toStdString(), m_WithDates);
    if (found.count == 0) {
        return true;
    }
    const std::string_view term = entries.CellView(kTermColumn, found.firstRow);
    // The placeholders are filled in order: the number of entries, the separator, the first entry's term.
    QString text = m_Context.Text("FrmMass.m_acMSeparatorInEntries");
    const std::pair<QString, QString> values[] = {
        {QStringLiteral("%i"), QString::number(found.count)},
        {QStringLiteral("%s"), m_Separator.isEmpty() ? QStringLiteral(";") : m_Separator.left(1)},
        {QStringLiteral("%s"), QString::fromUtf8(term.data(), static_cast<qsizetype>(term.size()))}};
    qsizetype from = 0;
    for (const auto& [placeholder, value] : values) {
        const qsizetype at = text.indexOf(placeholder, from);
        if (at < 0) {
            break;
        }
        text.replace(at, placeholder.size(), value);
        from = at + value.size();
    }
    return m_Context.prompter.Ask(text.toStdU16String(), u"", PromptButtons::OkCancel, PromptIcon::Warning) ==
           PromptAnswer::Ok;
}

void CMassDataDlg::GoTo() {
    const LineSource lines = Lines();
    const int line = m_Finder.Next(lines, m_EDTGoto->text().toStdString());
    if (m_EDTGoto->text().isEmpty()) {
        m_EDTText->MoveCursorToEnd();
    } else if (line >= 0) {
        // The caret goes to the first place in the text where the found line's text stands.
        const std::string_view wanted = lines.at(line);
        for (int i = 0; i <= line; ++i) {
            const std::size_t at = lines.at(i).find(wanted);
            if (at != std::string_view::npos) {
                m_EDTText->SetCursor(TextPos{i, at});
                break;
            }
        }
    }
    m_EDTText->EnsureCursorVisible();
    m_EDTText->setFocus();
}

void CMassDataDlg::accept() {
    const std::string text = m_EDTText->Text();
    // Untouched, the text changes nothing, not even the entries it cannot show as they are.
    if (!m_AddMode && IsMassDataTextOf(m_Engine.Entries(), text, Format())) {
        QDialog::accept();
        return;
    }
    if (!ConfirmApplying()) {
        return;
    }
    // A language file names both states with one text; without one the window says what it does.
    CStateDlg state(this, QString::fromStdU16String(m_Context.texts.GetWideText("FrmMass.m_acTState", "Writing...")));
    state.SetRange(100);
    state.show();
    ApplyMassDataEdit(m_Engine, text, Format(), m_AddMode, m_Engine.DateStamp(),
                      [&state](int percent) { state.Advance(percent); });
    QDialog::accept();
}

} // namespace lexaro
