#pragma once

#include "app/PageControl.h"
#include "app/PageIndex.h"
#include "app/TForm1.h"

#include <QByteArray>
#include <QString>

class AlarmEditorPage;
class PowerActionEditorPage;
class BirthdayEditorPage;
class DayMonthFilterPage;
class ConfirmationPage;
class QAbstractSpinBox;

// The editor pages reach each other through the main window's page control, at their fixed indices, so
// none of them needs to be told about the others when it is built.
namespace EditorPages {

AlarmEditorPage* alarmPage(TForm1& form);
PowerActionEditorPage* powerActionPage(TForm1& form);
BirthdayEditorPage* birthdayPage(TForm1& form);
DayMonthFilterPage* filterPage(TForm1& form);
ConfirmationPage* confirmationPage(TForm1& form);

// Section name of the record opened for editing.
inline QByteArray editedSection(const TForm1& form) {
    return QByteArray::number(form.editSection);
}

// The way every editor refuses input: one sentence in the message window.
void refuse(TForm1& form, const QString& message);

// Narrows a spin edit to what its numbers need, so a row of fields fits the page.
void fitToDigits(QAbstractSpinBox* spinEdit, int digits);

// The current date-time of the main window's clock, as a day count and as a local date-time.
double now(const TForm1& form);

} // namespace EditorPages
