#include "ui/dialogs/AboutDlg.h"

#include "app/HelpFiles.h"
#include "ui/qt/AppIdentity.h"
#include "ui/qt/ColourRef.h"
#include "ui/qt/FontConvert.h"
#include "ui/qt/QtText.h"
#include "widgets/ClickLabel.h"

#include <QApplication>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace lexaro {

namespace {

// Colours of the box as 0x00BBGGRR: blue links, grey description.
constexpr int kLinkColour = 16711680;
constexpr int kDescriptionColour = 10197915;
constexpr int kIconSize = 64;

void SetTextColour(QWidget& widget, int colourRef) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ColourFromRef(colourRef));
    widget.setPalette(palette);
}

} // namespace

CAboutDlg::CAboutDlg(const FontSettings& fonts, const AboutTexts& texts, const std::vector<TranslatorCredit>& credits,
                     LinkOpener openLink, QWidget* parent)
    : QDialog(parent), m_OpenLink(std::move(openLink)), m_PICIcon(new QLabel(this)), m_PICPicture(new QLabel(this)),
      m_LBLProduct(new QLabel(QStringLiteral("Lexaro"), this)), m_LBLVersion(new QLabel(FromUtf8(kVersionLine), this)),
      m_LBLDescription(new QLabel(texts.description, this)),
      m_LNKWeb(AddLink(QStringLiteral("m_LNKWeb"), FromUtf8(kWebSite), FromUtf8(kWebSite))),
      m_LNKMail(AddLink(QStringLiteral("m_LNKMail"), FromUtf8(kMailAddress),
                        QStringLiteral("mailto:") + FromUtf8(kMailAddress))),
      m_BTNOk(new QPushButton(texts.ok, this)) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(texts.caption);
    m_PICIcon->setObjectName(QStringLiteral("m_PICIcon"));
    m_LBLProduct->setObjectName(QStringLiteral("m_LBLProduct"));
    m_LBLVersion->setObjectName(QStringLiteral("m_LBLVersion"));
    m_LBLDescription->setObjectName(QStringLiteral("m_LBLDescription"));
    m_BTNOk->setObjectName(QStringLiteral("m_BTNOk"));
    m_BTNOk->setDefault(true);
    // Enter closes the box; a link opens from the keyboard only when the user moves to it.
    m_BTNOk->setFocus();

    // The whole box is white; labels draw no background of their own, so they stand on it.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);
    SetTextColour(*m_LBLDescription, kDescriptionColour);

    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                                                           : QApplication::windowIcon();
    m_PICIcon->setPixmap(icon.pixmap(kIconSize, kIconSize));
    m_PICIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_PICPicture->setObjectName(QStringLiteral("m_PICPicture"));
    m_PICPicture->setPixmap(AboutPicture().pixmap(QSize(kAboutPictureWidth, kAboutPictureHeight)));
    m_PICPicture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* text = new QVBoxLayout;
    text->addWidget(m_LBLProduct);
    text->addWidget(m_LBLVersion);
    text->addWidget(m_LBLDescription);
    text->addSpacing(8);
    text->addWidget(m_LNKWeb);
    text->addWidget(m_LNKMail);

    if (!credits.empty()) {
        text->addSpacing(8);
        auto* translators = new QGridLayout;
        int row = 0;
        for (const TranslatorCredit& credit : credits) {
            auto* label = new QLabel(FromUtf8(credit.language) + QStringLiteral(" by:"), this);
            label->setObjectName(QStringLiteral("m_LBLTranslator%1").arg(row));
            CClickLabel* field = AddLink(QStringLiteral("m_LNKTranslator%1").arg(row), FromUtf8(CreditText(credit)),
                                         FromUtf8(ContactLink(credit.contact)));
            translators->addWidget(label, row, 0);
            translators->addWidget(field, row, 1);
            ++row;
        }
        translators->setColumnStretch(1, 1);
        text->addLayout(translators);
    }
    // The pictures are taller than a short text; the text keeps its spacing and stays at the top.
    text->addStretch();

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(m_PICIcon);
    pictures->addSpacing(8);
    pictures->addWidget(m_PICPicture);
    pictures->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(pictures);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_BTNOk);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(buttons);

    ApplyFonts(fonts);
    setMinimumWidth(520);
    connect(m_BTNOk, &QPushButton::clicked, this, &QDialog::accept);
}

CClickLabel* CAboutDlg::AddLink(const QString& name, const QString& text, const QString& target) {
    auto* link = new CClickLabel(text, target, this);
    link->setObjectName(name);
    if (!target.isEmpty()) {
        SetTextColour(*link, kLinkColour);
    }
    connect(link, &CClickLabel::Clicked, this, [this](const QString& url) {
        if (m_OpenLink) {
            m_OpenLink(url);
        }
    });
    return link;
}

// The chosen face without its height, so the box keeps its proportions; the product name is the same face,
// bold and twice as large.
void CAboutDlg::ApplyFonts(const FontSettings& fonts) {
    FontValues face = fonts.Working();
    face.height = 0;
    setFont(ToQFont(face, font()));
    QFont product = font();
    product.setBold(true);
    product.setPixelSize(2 * QFontInfo(font()).pixelSize());
    m_LBLProduct->setFont(product);
}

} // namespace lexaro
