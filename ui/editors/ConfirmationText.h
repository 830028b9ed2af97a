#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The texts the confirmation page shows for each kind of event. Counts and units are passed as the
// controls show them, because the user confirms what he sees.
namespace ConfirmationText {

struct Repetition {
    bool enabled = false;
    QString count; // as shown in the spin edit
    QString unit;  // as shown in the unit list
};

QString alarm(const QDateTime& moment, const QStringList& lines, const Repetition& repetition, bool sound, bool bypass);
QString powerAction(const QString& actionName, const QDateTime& moment, const Repetition& repetition);
QString birthday(const QString& name, const QDate& birth, const QDate& firstNotification, bool sound);

} // namespace ConfirmationText
