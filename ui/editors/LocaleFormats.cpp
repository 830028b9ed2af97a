#include "ui/editors/LocaleFormats.h"

#include <QDateTime>

namespace LocaleFormats {

QString longTimeFormat(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    bool dropSpaceAfter = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't') {
            if (!(dropSpaceAfter && c.isSpace()))
                out += c;
            dropSpaceAfter = dropSpaceAfter && c.isSpace();
            continue;
        }
        while (i + 1 < format.size() && format.at(i + 1) == u't')
            ++i;
        // The zone in brackets, "(t)", goes with its brackets.
        const bool bracketed = out.endsWith(u'(') && i + 1 < format.size() && format.at(i + 1) == u')';
        if (bracketed) {
            out.chop(1);
            ++i;
        }
        while (!out.isEmpty() && out.back().isSpace())
            out.chop(1);
        dropSpaceAfter = out.isEmpty();
    }
    return out;
}

QString longDateTime(const QDateTime& moment, const QLocale& locale) {
    return locale.toString(moment.date(), QLocale::LongFormat) + u' ' +
           locale.toString(moment.time(), longTimeFormat(locale));
}

QString longDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, QLocale::LongFormat);
}

} // namespace LocaleFormats
