#include "ui/dialogs/StateDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace lexaro {

CStateDlg::CStateDlg(QWidget* parent, const QString& text)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_LBLTitle(new QLabel(text, this)),
      m_Progress(new QProgressBar(this)) {
    setObjectName(QStringLiteral("CStateDlg"));
    m_LBLTitle->setObjectName(QStringLiteral("m_LBLTitle"));
    m_Progress->setObjectName(QStringLiteral("m_Progress"));
    m_Progress->setRange(0, 1);
    m_Progress->setValue(0);
    m_Progress->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_LBLTitle);
    layout->addWidget(m_Progress);
    setFixedWidth(320);
    setWindowModality(Qt::ApplicationModal);
}

void CStateDlg::SetRange(int maximum) {
    m_Progress->setRange(0, std::max(maximum, 1));
}

void CStateDlg::Step() {
    SetValue(m_Progress->value() + 1);
}

void CStateDlg::SetValue(int value) {
    m_Progress->setValue(std::clamp(value, m_Progress->minimum(), m_Progress->maximum()));
    if (isVisible()) {
        m_Progress->repaint();
    }
}

void CStateDlg::Advance(int value) {
    SetValue(value);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CStateDlg::setVisible(bool visible) {
    QDialog::setVisible(visible);
    if (visible) {
        QCoreApplication::processEvents();
        repaint();
    }
}

} // namespace lexaro
