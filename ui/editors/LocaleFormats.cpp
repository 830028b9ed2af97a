#include "ui/editors/LocaleFormats.h"

#include "ui/LocaleDateTimeText.h"

#include <QDateTime>

namespace LocaleFormats {

QString longTimeFormat(const QLocale& locale) {
    return LocaleDateTimeText::longTimeFormatWithoutZone(locale);
}

QString longDateTime(const QDateTime& moment, const QLocale& locale) {
    return locale.toString(moment.date(), QLocale::LongFormat) + u' ' +
           locale.toString(moment.time(), longTimeFormat(locale));
}

QString longDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QLocale::LongFormat);
}

} // namespace LocaleFormats
