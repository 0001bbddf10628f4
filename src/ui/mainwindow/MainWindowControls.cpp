#include "ui/mainwindow/MainWindowControls.h"

#include "app/FontSettings.h"
#include "ui/mainwindow/MainWindowState.h"
#include "ui/mainwindow/ScriptEdit.h"
#include "ui/qt/FontConvert.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <utility>

namespace lexaro {

QFont MainWindowControls::SignFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(20);
    return font;
}

MainWindowControls::MainWindowControls(QMainWindow& window) {
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);

    m_LBLTerm = new QLabel(central);
    m_LBLTerm->setObjectName("m_LBLTerm");
    m_CBBTerm = new QComboBox(central);
    m_CBBTerm->setObjectName("m_CBBTerm");
    m_CBBTerm->setEditable(true);
    m_CBBTerm->setInsertPolicy(QComboBox::NoInsert);
    m_CBBTerm->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Sized by a fixed number of characters, not by the history: a long term looked up once would
    // otherwise widen the window beyond the screen at the next start.
    m_CBBTerm->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_CBBTerm->setMinimumContentsLength(20);
    m_LBLTerm->setBuddy(m_CBBTerm);
    m_BTNSpeak = new QPushButton(central);
    m_BTNSpeak->setObjectName("m_BTNSpeak");
    m_BTNSpeak->setFixedWidth(32);
    m_BTNSpeak->setFocusPolicy(Qt::TabFocus);

    m_BTNSearch = new QPushButton(central);
    m_BTNSearch->setObjectName("m_BTNSearch");
    m_BTNSearch->setDefault(true);

    const QFont signFont = SignFont();
    m_BTNAdd = new QPushButton(QStringLiteral("+"), central);
    m_BTNAdd->setObjectName("m_BTNAdd");
    m_BTNDelete = new QPushButton(QStringLiteral("-"), central);
    m_BTNDelete->setObjectName("m_BTNDelete");
    for (QPushButton* sign : {m_BTNAdd, m_BTNDelete}) {
        sign->setFont(signFont);
        sign->setFixedWidth(32);
    }

    m_BTNLast = new QPushButton(central);
    m_BTNLast->setObjectName("m_BTNLast");
    m_BTNLast->setIcon(window.style()->standardIcon(QStyle::SP_ArrowBack));
    m_BTNNext = new QPushButton(central);
    m_BTNNext->setObjectName("m_BTNNext");
    m_BTNNext->setIcon(window.style()->standardIcon(QStyle::SP_ArrowForward));
    for (QPushButton* arrow : {m_BTNLast, m_BTNNext}) {
        arrow->setFixedWidth(32);
        arrow->setFocusPolicy(Qt::TabFocus);
    }

    m_LBLExplanation = new QLabel(central);
    m_LBLExplanation->setObjectName("m_LBLExplanation");
    m_EDTExplanation = new CScriptEdit(central);
    m_EDTExplanation->setObjectName("m_EDTExplanation");
    m_LBLExplanation->setBuddy(m_EDTExplanation);

    m_LBLDate = new QLabel(central);
    m_LBLDate->setObjectName("m_LBLDate");
    m_LBLDate->hide();

    m_BTNMinimize = new QPushButton(QStringLiteral("-"), central);
    m_BTNMinimize->setObjectName("m_BTNMinimize");
    m_BTNClose = new QPushButton(QStringLiteral("x"), central);
    m_BTNClose->setObjectName("m_BTNClose");
    for (QPushButton* small : {m_BTNMinimize, m_BTNClose}) {
        small->setFixedSize(18, 18);
        small->setFocusPolicy(Qt::NoFocus);
        small->hide();
    }
    QObject::connect(m_BTNMinimize, &QPushButton::clicked, &window, &QWidget::showMinimized);
    QObject::connect(m_BTNClose, &QPushButton::clicked, &window, &QWidget::close);

    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(4, 4, 2, 2);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(3);
    grid->addWidget(m_LBLTerm, 0, 0);
    auto* frameButtons = new QHBoxLayout();
    frameButtons->setSpacing(5);
    frameButtons->addStretch(1);
    frameButtons->addWidget(m_BTNMinimize);
    frameButtons->addWidget(m_BTNClose);
    grid->addLayout(frameButtons, 0, 1, 1, 3);
    auto* termRow = new QHBoxLayout();
    termRow->setSpacing(2);
    termRow->addWidget(m_CBBTerm, 1);
    termRow->addWidget(m_BTNSpeak);
    grid->addLayout(termRow, 1, 0);
    grid->addWidget(m_BTNSearch, 1, 1);
    grid->addWidget(m_BTNAdd, 1, 2);
    grid->addWidget(m_BTNDelete, 1, 3);
    grid->addWidget(m_LBLExplanation, 2, 0, Qt::AlignBottom);
    auto* arrows = new QHBoxLayout();
    arrows->setSpacing(0);
    arrows->addWidget(m_BTNLast);
    arrows->addStretch(1);
    arrows->addWidget(m_BTNNext);
    grid->addLayout(arrows, 2, 1);
    grid->addWidget(m_EDTExplanation, 3, 0, 1, 4);
    grid->addWidget(m_LBLDate, 4, 0, 1, 4);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);

    QWidget::setTabOrder(m_CBBTerm, m_BTNSearch);
    QWidget::setTabOrder(m_BTNSearch, m_BTNAdd);
    QWidget::setTabOrder(m_BTNAdd, m_BTNDelete);
    QWidget::setTabOrder(m_BTNDelete, m_EDTExplanation);
}

void MainWindowControls::ApplyTexts(const MainWindowState& state) {
    auto Text = [&state](std::string_view key) { return state.Text(key); };
    m_LBLTerm->setText(Text("FrmMain.m_LBLTerm") + QLatin1Char(':'));
    m_LBLExplanation->setText(Text("FrmMain.m_LBLExplanation") + QLatin1Char(':'));
    m_BTNSearch->setText(Text("FrmMain.m_BTNSearch"));
    // The buttons show only a sign or an arrow: a screen reader says what their tooltip says.
    const std::pair<QPushButton*, const char*> described[] = {{m_BTNAdd, "FrmMain.m_BTNAdd"},
                                                              {m_BTNDelete, "FrmMain.m_BTNDelete"},
                                                              {m_BTNLast, "FrmMain.m_BTNLast"},
                                                              {m_BTNNext, "FrmMain.m_BTNNext"},
                                                              {m_BTNSpeak, "FrmMain.m_BTNSpeak"}};
    for (const auto& [button, key] : described) {
        button->setToolTip(Text(key));
        button->setAccessibleName(Text(key));
    }
    // The "x" is the Quit command; the "-" has no text of its own and takes Qt's, in the language just chosen.
    const QString quit = Text("FrmMain.ID_MEN_CLOSE").section(u'\t', 0, 0).remove(QLatin1Char('&'));
    const QString minimise = QCoreApplication::translate("QMdiSubWindow", "Minimize");
    for (const auto& [button, name] : {std::pair{m_BTNClose, quit}, std::pair{m_BTNMinimize, minimise}}) {
        button->setToolTip(name);
        button->setAccessibleName(name);
    }
}

void MainWindowControls::ApplyFonts(QMainWindow& window, const FontSettings& fonts) {
    ApplyUserFont(window, fonts, true);
    m_BTNAdd->setFont(SignFont());
    m_BTNDelete->setFont(SignFont());
}

QString MainWindowControls::TermText() const {
    return m_CBBTerm->currentText();
}

QString MainWindowControls::PaneText() const {
    return m_EDTExplanation->PaneText();
}

} // namespace lexaro
