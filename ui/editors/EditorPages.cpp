#include "ui/editors/EditorPages.h"

#include "widgets/SpinEdit.h"

#include "scheduler/SchedulerClock.h"

#include <QAbstractSpinBox>

namespace EditorPages {

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
