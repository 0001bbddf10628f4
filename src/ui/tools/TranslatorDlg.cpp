#include "ui/tools/TranslatorDlg.h"

#include "engine/PhraseTranslator.h"
#include "table/ClassTable.h"
#include "ui/dialogs/StateDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

namespace lexaro {

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

constexpr int kMargin = 5;
constexpr int kButtonWidth = 90;
constexpr int kRowHeight = 24;

} // namespace

CTranslatorDlg::CTranslatorDlg(const ToolWindowContext& context, ClassTable& dictionary, const Rect& windowRect,
                               QWidget* parent)
    : QDialog(parent), m_Context(context), m_Dictionary(dictionary), m_WindowRect(windowRect),
      m_CHKSwap(Named(new QCheckBox(context.Text("FrmTrans.m_CHKSwap"), this), "m_CHKSwap")),
      m_CHKOrigin(Named(new QCheckBox(context.Text("FrmTrans.m_CHKOrigin"), this), "m_CHKOrigin")),
      m_CHKLineFeed(Named(new QCheckBox(context.Text("FrmTrans.m_CHKLineFeed"), this), "m_CHKLineFeed")),
      m_CHKMultiple(Named(new QCheckBox(context.Text("FrmTrans.m_CHKMultiple"), this), "m_CHKMultiple")),
      m_LBLTransMode(Named(new QLabel(context.Text("FrmTrans.m_LBLTransMode"), this), "m_LBLTransMode")),
      m_CBBTransMode(Named(new QComboBox(this), "m_CBBTransMode")),
      m_LBLSource(Named(new QLabel(context.Text("FrmTrans.m_LBLSource"), this), "m_LBLSource")),
      m_EDTSource(Named(new QPlainTextEdit(this), "m_EDTSource")),
      m_LBLDest(Named(new QLabel(context.Text("FrmTrans.m_LBLDest"), this), "m_LBLDest")),
      m_EDTDest(Named(new QPlainTextEdit(this), "m_EDTDest")),
      m_BTNTranslate(Named(new QPushButton(context.Text("FrmTrans.m_BTNTranslate"), this), "m_BTNTranslate")),
      m_BTNCancel(Named(new QPushButton(context.Text("FrmTrans.m_BTNCancel"), this), "m_BTNCancel")) {
    setObjectName(QStringLiteral("CTranslatorDlg"));
    context.ApplyFont(*this);
    setWindowTitle(context.Text("FrmTrans"));
    setSizeGripEnabled(true);
    setMinimumSize(2 * kButtonWidth + 4 * kMargin, 8 * kRowHeight);

    // The levels are inserted at the top one after another, the last first, so the list reads 0 to 4 and an
    // item's index is its level.
    for (const char* key : {"FrmTrans.m_CBBTransMode0", "FrmTrans.m_CBBTransMode1", "FrmTrans.m_CBBTransMode2",
                            "FrmTrans.m_CBBTransMode3", "FrmTrans.m_CBBTransMode4"}) {
        m_CBBTransMode->insertItem(0, context.Text(key));
    }
    m_CBBTransMode->setCurrentIndex(3);
    m_EDTDest->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    connect(m_BTNTranslate, &QPushButton::clicked, this, [this] { Translate(); });
    connect(m_BTNCancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(460, 400);
    ApplyDialogRect(*this, windowRect);
}

void CTranslatorDlg::Translate() {
    PhraseTranslator translator(m_Dictionary);
    CStateDlg progress(this, m_Context.Text("FrmTrans.m_acTTranslating"));
    progress.show();

    translator.SetText(m_EDTSource->toPlainText().toStdString());
    translator.SetSwapColumns(m_CHKSwap->isChecked());
    translator.SetShowOriginWords(m_CHKOrigin->isChecked());
    translator.SetLineFeedAfterWord(m_CHKLineFeed->isChecked());
    translator.SetShowPossibleTranslations(m_CHKMultiple->isChecked());
    translator.SetLevel(std::max(m_CBBTransMode->currentIndex(), 0));

    progress.SetRange(translator.TokenCount());
    translator.TranslateAll([&progress](int done, int) { progress.SetValue(done); });

    m_EDTDest->setPlainText(QString::fromStdString(translator.Output()));
    progress.close();
}

void CTranslatorDlg::done(int result) {
    m_WindowRect = DialogRectOf(*this);
    QDialog::done(result);
}

void CTranslatorDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (width() >= 1 && height() >= 1) {
        ArrangeControls();
    }
}

// Options and level at the top; the two text boxes share the height down to the buttons, which stand side
// by side at the bottom, either side of the centre line.
void CTranslatorDlg::ArrangeControls() {
    const int w = width();
    const int h = height();
    const int half = (w - 2 * kMargin) / 2;
    m_CHKSwap->setGeometry(kMargin, kMargin, half, kRowHeight);
    m_CHKOrigin->setGeometry(kMargin + half, kMargin, half, kRowHeight);
    m_CHKLineFeed->setGeometry(kMargin, kMargin + kRowHeight, half, kRowHeight);
    m_CHKMultiple->setGeometry(kMargin + half, kMargin + kRowHeight, half, kRowHeight);
    const int levelTop = kMargin + 2 * kRowHeight + kMargin;
    m_LBLTransMode->setGeometry(kMargin, levelTop, half, kRowHeight);
    m_CBBTransMode->setGeometry(kMargin + half, levelTop, half, kRowHeight);
    const int sourceLabelTop = levelTop + kRowHeight + kMargin;
    m_LBLSource->setGeometry(kMargin, sourceLabelTop, w - 2 * kMargin, kRowHeight);

    const int buttonHeight = std::max(m_BTNTranslate->sizeHint().height(), kRowHeight);
    const int buttonTop = h - kMargin - buttonHeight;
    m_BTNTranslate->setGeometry(w / 2 - kMargin - kButtonWidth, buttonTop, kButtonWidth, buttonHeight);
    m_BTNCancel->setGeometry(w / 2 + kMargin, buttonTop, kButtonWidth, buttonHeight);

    const int sourceTop = sourceLabelTop + kRowHeight;
    const int editWidth = std::max(w - kMargin - 2, 1);
    const int shared = buttonTop - kMargin - sourceTop - kMargin - kRowHeight - kMargin;
    const int editHeight = std::max(shared / 2, 1);
    m_EDTSource->setGeometry(kMargin, sourceTop, editWidth, editHeight);
    const int destLabelTop = sourceTop + editHeight + kMargin;
    m_LBLDest->setGeometry(kMargin, destLabelTop, editWidth, kRowHeight);
    m_EDTDest->setGeometry(kMargin, destLabelTop + kRowHeight + kMargin, editWidth, editHeight);
}

} // namespace lexaro
