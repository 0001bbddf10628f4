#include "ui/qt/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace lexaro {

namespace {

bool IsLocaleName(std::string_view locale) {
    for (const char c : locale) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && c != '_') {
            return false;
        }
    }
    return !locale.empty() && locale.size() <= 16;
}

} // namespace

bool UseQtTranslation(std::string_view locale) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    // The locale comes from a language file: only a plain name may become part of a file name.
    if (!IsLocaleName(locale) || locale == "en") {
        return false;
    }
    auto translator = std::make_unique<QTranslator>();
    const QString name = QStringLiteral("qtbase_") + QString::fromLatin1(locale.data(), qsizetype(locale.size()));
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

} // namespace lexaro
