#include "ui/editors/ConfirmationText.h"

#include "ui/editors/LocaleFormats.h"

#include <QCoreApplication>

namespace ConfirmationText {

namespace {
// More lines than this are cut and marked with "...", so the text fits on the page.
constexpr int shownLines = 5;

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}
} // namespace

QString alarm(const QDateTime& moment, const QStringList& lines, const Repetition& repetition, bool sound,
              bool bypass) {
    QString text = QCoreApplication::translate("ConfirmationText", "The Alarm has been Scheduled for:\n") +
                   quoted(LocaleFormats::longDateTime(moment)) + u'\n';
    if (!lines.isEmpty()) {
        text += QCoreApplication::translate("ConfirmationText", "\nWith the following notification text:\n\n");
        for (qsizetype i = 0; i < lines.size() && i < shownLines; ++i)
            text += lines.at(i) + u'\n';
        if (lines.size() > shownLines)
            text += QStringLiteral("...\n");
    }
    if (repetition.enabled)
        text += QCoreApplication::translate("ConfirmationText", "\nThe Alarm will be shown every %1 %2")
                    .arg(repetition.count, repetition.unit);
    if (sound)
        text += QCoreApplication::translate("ConfirmationText", "\nYou will be notified with sound as well");
    if (bypass)
        text += QCoreApplication::translate(
            "ConfirmationText",
            "\nThe Alarm will be bypassed if the system\nis turned off at the specified Date and Time");
    return text;
}

QString powerAction(const QString& actionName, const QDateTime& moment, const Repetition& repetition) {
    QString text = QCoreApplication::translate("ConfirmationText", "The System will %1 at:\n").arg(actionName) +
                   quoted(LocaleFormats::longDateTime(moment)) + u'\n';
    if (repetition.enabled)
        text += QCoreApplication::translate("ConfirmationText", "\nThis Action will take place every %1 %2\n")
                    .arg(repetition.count, repetition.unit);
    return text;
}

QString birthday(const QString& name, const QDate& birth, const QDate& firstNotification, bool sound) {
    QString text = QCoreApplication::translate(
                       "ConfirmationText", "%1 was borne at:\n%2\n\nYou will be notified for the first time at:\n%3")
                       .arg(quoted(name), quoted(LocaleFormats::longDate(birth)),
                            quoted(LocaleFormats::longDate(firstNotification)));
    if (sound)
        text += QCoreApplication::translate("ConfirmationText", "\n\nYou will be notified with sound as well.\n");
    return text;
}

} // namespace ConfirmationText
