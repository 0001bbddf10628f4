#include "ui/dialogs/LanguageDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexaro {

CLanguageDlg::CLanguageDlg(const std::filesystem::path& languagesFile, const std::filesystem::path& programFolder,
                           const std::filesystem::path& currentLanguageFile, QWidget* parent)
    : QDialog(parent), m_Choices(ReadLanguageChoices(languagesFile, programFolder, currentLanguageFile)),
      m_LBLCurrentLanguage(new QLabel(this)), m_CBBLanguage(new QComboBox(this)), m_BTNOk(new QPushButton(this)),
      m_BTNCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("CLanguageDlg"));
    m_LBLCurrentLanguage->setObjectName(QStringLiteral("m_LBLCurrentLanguage"));
    m_CBBLanguage->setObjectName(QStringLiteral("m_CBBLanguage"));
    m_BTNOk->setObjectName(QStringLiteral("m_BTNOk"));
    m_BTNCancel->setObjectName(QStringLiteral("m_BTNCancel"));
    m_BTNOk->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_LBLCurrentLanguage);
    layout->addWidget(m_CBBLanguage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_BTNOk);
    buttons->addWidget(m_BTNCancel);
    layout->addLayout(buttons);

    for (const LanguageItem& item : m_Choices.items) {
        m_CBBLanguage->addItem(QString::fromStdString(item.name));
    }
    m_CBBLanguage->setCurrentIndex(static_cast<int>(m_Choices.selected));
    Choose(m_CBBLanguage->currentIndex());

    connect(m_CBBLanguage, &QComboBox::currentIndexChanged, this, [this](int index) { Choose(index); });
    connect(m_BTNOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_BTNCancel, &QPushButton::clicked, this, &QDialog::reject);
}

const LanguageItem& CLanguageDlg::Chosen() const {
    return m_Choices.items[m_Choices.selected];
}

void CLanguageDlg::Choose(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_Choices.items.size()) {
        return;
    }
    m_Choices.selected = static_cast<std::size_t>(index);
    m_Texts.LoadLanguageFile(Chosen().file);
    ApplyOwnTexts();
}

void CLanguageDlg::ApplyOwnTexts() {
    auto text = [this](std::string_view key) { return QString::fromStdU16String(m_Texts.GetWideText(key)); };
    setWindowTitle(text("FrmLanguage.Caption"));
    m_LBLCurrentLanguage->setText(text("FrmLanguage.m_LBLCurrentLanguage"));
    m_BTNOk->setText(text("FrmLanguage.m_BTNOk"));
    m_BTNCancel->setText(text("FrmLanguage.m_BTNCancel"));
}

} // namespace lexaro
