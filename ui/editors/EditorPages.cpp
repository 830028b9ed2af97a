#include "ui/editors/EditorPages.h"

#include "widgets/SpinEdit.h"

#include "scheduler/SchedulerClock.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/BirthdayEditorPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/PowerActionEditorPage.h"

#include <QAbstractSpinBox>

namespace EditorPages {

AlarmEditorPage* alarmPage(TForm1& form) {
    return at<AlarmEditorPage>(form, AlarmTab);
}

PowerActionEditorPage* powerActionPage(TForm1& form) {
    return at<PowerActionEditorPage>(form, ShutTab);
}

BirthdayEditorPage* birthdayPage(TForm1& form) {
    return at<BirthdayEditorPage>(form, BirthTab);
}

DayMonthFilterPage* filterPage(TForm1& form) {
    return at<DayMonthFilterPage>(form, MoreTab);
}

ConfirmationPage* confirmationPage(TForm1& form) {
    return at<ConfirmationPage>(form, ConfirmTab);
}

void refuse(TForm1& form, const QString& message) {
    form.ShowMsg(message);
}

void fitToDigits(QAbstractSpinBox* spinEdit, int digits) {
    if (auto* spin = qobject_cast<SpinEdit*>(spinEdit)) {
        spin->setFixedWidth(spin->widthForDigits(digits));
        return;
    }
    // The up / down buttons and the frame take about two more digits' worth of room.
    const int digit = spinEdit->fontMetrics().horizontalAdvance(u'0');
    spinEdit->setMaximumWidth(digit * digits + spinEdit->sizeHint().height() + digit * 3);
}

double now(const TForm1& form) {
    return form.clock().now();
}

} // namespace EditorPages
