#pragma once

#include "app/AppOnly.h"

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

// The program's texts in the user's language: its own catalogue (linked in under ":/i18n") and Qt's, for the
// texts of Qt's own dialogs and menus. The language is the first of the user's interface languages (LANGUAGE,
// then LC_ALL / LC_MESSAGES / LANG) that has a catalogue; none means the English the sources are written in.
// Stored texts never pass through here: the catalogues change only what is shown.
namespace Translations {

// Installs the catalogues for the user's interface languages, in the order of preference ("de-DE", "de", as
// QLocale::uiLanguages() gives them) on app; the translators are children of app. Returns the language of the
// program's catalogue that was found (for example "de_DE"), empty when the texts stay English.
QString install(QCoreApplication& app, const QStringList& languages = QLocale::system().uiLanguages());

// Installs one more catalogue file in front of the others (the pseudo-translation check); false when it cannot be
// read.
bool installFile(QCoreApplication& app, const QString& qmFile);

} // namespace Translations
