#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

namespace {

// The catalogue for the first of the user's languages that has one; English, the language the texts are written
// in, ends the search, so "LANGUAGE=en:de" stays English.
bool loadOwn(QTranslator& own, const QStringList& languages) {
    for (QString language : languages) {
        language.replace(u'-', u'_');
        if (language == QLatin1String("C") || language.startsWith(QLatin1String("en")))
            return false;
        for (;;) {
            if (own.load(QStringLiteral("zentick_") + language, QStringLiteral(":/i18n")))
                return true;
            const qsizetype cut = language.lastIndexOf(u'_');
            if (cut < 0)
                break;
            language.truncate(cut);
        }
    }
    return false;
}

} // namespace

QString install(QCoreApplication& app, const QStringList& languages) {
    auto* own = new QTranslator(&app);
    if (!loadOwn(*own, languages)) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts in the language the program's catalogue was found for, so one window never mixes two.
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(own->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return own->language();
}

bool installFile(QCoreApplication& app, const QString& qmFile) {
    auto* file = new QTranslator(&app);
    if (!file->load(qmFile)) {
        delete file;
        return false;
    }
    QCoreApplication::installTranslator(file);
    return true;
}

} // namespace Translations
