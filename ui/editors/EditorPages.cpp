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

AlarmEditorPage* alarmPage(PageContext& context) {
    return context.navigation.page<AlarmEditorPage>(AlarmTab);
}

PowerActionEditorPage* powerActionPage(PageContext& context) {
    return context.navigation.page<PowerActionEditorPage>(ShutTab);
}

BirthdayEditorPage* birthdayPage(PageContext& context) {
    return context.navigation.page<BirthdayEditorPage>(BirthTab);
}

DayMonthFilterPage* filterPage(PageContext& context) {
    return context.navigation.page<DayMonthFilterPage>(MoreTab);
}

ConfirmationPage* confirmationPage(PageContext& context) {
    return context.navigation.page<ConfirmationPage>(ConfirmTab);
}

void refuse(PageContext& context, const QString& message) {
    context.showMessage(message);
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

double now(const PageContext& context) {
    return context.clock.now();
}

} // namespace EditorPages
