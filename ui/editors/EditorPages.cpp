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
    return form.PageControl1->page<AlarmEditorPage>(AlarmTab);
}

PowerActionEditorPage* powerActionPage(TForm1& form) {
    return form.PageControl1->page<PowerActionEditorPage>(ShutTab);
}

BirthdayEditorPage* birthdayPage(TForm1& form) {
    return form.PageControl1->page<BirthdayEditorPage>(BirthTab);
}

DayMonthFilterPage* filterPage(TForm1& form) {
    return form.PageControl1->page<DayMonthFilterPage>(MoreTab);
}

ConfirmationPage* confirmationPage(TForm1& form) {
    return form.PageControl1->page<ConfirmationPage>(ConfirmTab);
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
