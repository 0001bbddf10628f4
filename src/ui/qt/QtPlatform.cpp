#include "ui/qt/QtPlatform.h"

#include "app/FileFilter.h"
#include "ui/qt/QtText.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QStringList>

namespace lexaro {

namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// "Name(*.a)|*.a|..." becomes the Qt list "Name(*.a) (*.a)", one per entry.
QStringList ToQtFilters(const std::u16string& filter) {
    QStringList filters;
    for (const auto& entry : ParseFileFilter(filter)) {
        QStringList patterns;
        for (const auto& pattern : entry.patterns) {
            patterns << Q(pattern);
        }
        filters << QStringLiteral("%1 (%2)").arg(Q(entry.name), patterns.join(u' '));
    }
    return filters;
}

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

} // namespace

PromptAnswer QtPrompter::Ask(const std::u16string& text, const std::u16string& caption, PromptButtons buttons,
                             PromptIcon icon) {
    QMessageBox box(ToQtIcon(icon), caption.empty() ? QStringLiteral("Lexaro") : Q(caption), Q(text),
                    ToQtButtons(buttons), m_Parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
}

std::optional<ChosenFile> QtFileChooser::ChooseOpen(const std::u16string& caption, const std::u16string& filter,
                                                    const std::filesystem::path& folder) {
    const QStringList filters = ToQtFilters(filter);
    QString selected = filters.isEmpty() ? QString() : filters.front();
    const QString file = QFileDialog::getOpenFileName(m_Parent, Q(caption), QString::fromStdString(folder.string()),
                                                      filters.join(QStringLiteral(";;")), &selected);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return ChosenFile{ToPath(file), static_cast<int>(std::max<qsizetype>(0, filters.indexOf(selected)))};
}

std::optional<ChosenFile> QtFileChooser::ChooseSave(const std::u16string& caption, const std::u16string& filter,
                                                    const std::filesystem::path& suggested,
                                                    const std::u16string& defaultExtension) {
    const QStringList filters = ToQtFilters(filter);
    QString selected = filters.isEmpty() ? QString() : filters.front();
    QFileDialog dialog(m_Parent, Q(caption), QString::fromStdString(suggested.string()),
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Q(defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const int index = static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
    return ChosenFile{ToPath(dialog.selectedFiles().front()), index};
}

} // namespace lexaro

namespace lexaro {

bool QtClipboard::PutBytes(std::string_view format, std::string_view bytes) {
    auto* data = new QMimeData;
    data->setData(QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size())),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

std::optional<std::string> QtClipboard::GetBytes(std::string_view format) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString name = QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size()));
    if (!data || !data->hasFormat(name)) {
        return std::nullopt;
    }
    const QByteArray bytes = data->data(name);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool QtClipboard::PutText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
    return true;
}

std::optional<std::u16string> QtClipboard::GetText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) {
        return std::nullopt;
    }
    return data->text().toStdU16String();
}

} // namespace lexaro
