#include "ui/editors/ConfirmationText.h"

#include "ui/editors/LocaleFormats.h"

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
    QString text =
        QStringLiteral("The Alarm has been Scheduled for:\n") + quoted(LocaleFormats::longDateTime(moment)) + u'\n';
    if (!lines.isEmpty()) {
        text += QStringLiteral("\nWith the following notification text:\n\n");
        for (qsizetype i = 0; i < lines.size() && i < shownLines; ++i)
            text += lines.at(i) + u'\n';
        if (lines.size() > shownLines)
            text += QStringLiteral("...\n");
    }
    if (repetition.enabled)
        text += QStringLiteral("\nThe Alarm will be shown every ") + repetition.count + u' ' + repetition.unit;
    if (sound)
        text += QStringLiteral("\nYou will be notified with sound as well");
    if (bypass)
        text +=
            QStringLiteral("\nThe Alarm will be bypassed if the system\nis turned off at the specified Date and Time");
    return text;
}

QString powerAction(const QString& actionName, const QDateTime& moment, const Repetition& repetition) {
    QString text = QStringLiteral("The System will ") + actionName + QStringLiteral(" at:\n") +
                   quoted(LocaleFormats::longDateTime(moment)) + u'\n';
    if (repetition.enabled)
        text +=
            QStringLiteral("\nThis Action will take place every ") + repetition.count + u' ' + repetition.unit + u'\n';
    return text;
}

QString birthday(const QString& name, const QDate& birth, const QDate& firstNotification, bool sound) {
    QString text = quoted(name) + QStringLiteral(" was borne at:\n") + quoted(LocaleFormats::longDate(birth)) +
                   QStringLiteral("\n\nYou will be notified for the first time at:\n") +
                   quoted(LocaleFormats::longDate(firstNotification));
    if (sound)
        text += QStringLiteral("\n\nYou will be notified with sound as well.\n");
    return text;
}

} // namespace ConfirmationText
