#pragma once

#include <QLocale>
#include <QString>

class QDate;
class QDateTime;

// Date and time texts of the confirmation page, in the user's locale.
namespace LocaleFormats {

// The locale's long time format without its time-zone name: Qt's long format carries a "t" (and
// sometimes brackets or blanks around it) that the confirmation texts must not show. The one way of
// dropping it is LocaleDateTimeText's.
QString longTimeFormat(const QLocale& locale);

// Long date followed by one blank and the long time.
QString longDateTime(const QDateTime& moment, const QLocale& locale = QLocale::system());
QString longDate(const QDate& date, const QLocale& locale = QLocale::system());

} // namespace LocaleFormats
