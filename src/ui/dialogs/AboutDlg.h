#pragma once

#include "app/FontSettings.h"
#include "app/TranslatorCredits.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace lexaro {

class CClickLabel;

// The texts of the info box in the interface language.
struct AboutTexts {
    QString caption;
    QString description;
    QString ok;
};

// The info box: product name, version line, the makers' web and mail addresses and the translators of the
// shipped language files. Its links are handed to the opener the main window gives it.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    using LinkOpener = std::function<void(const QString&)>;

    CAboutDlg(const FontSettings& fonts, const AboutTexts& texts, const std::vector<TranslatorCredit>& credits,
              LinkOpener openLink, QWidget* parent = nullptr);

private:
    CClickLabel* AddLink(const QString& name, const QString& text, const QString& target);
    void ApplyFonts(const FontSettings& fonts);

    LinkOpener m_OpenLink;
    QLabel* m_PICIcon;
    QLabel* m_PICPicture;
    QLabel* m_LBLProduct;
    QLabel* m_LBLVersion;
    QLabel* m_LBLDescription;
    CClickLabel* m_LNKWeb;
    CClickLabel* m_LNKMail;
    QPushButton* m_BTNOk;
};

} // namespace lexaro
