#include "ui/editors/EditorPages.h"

#include "widgets/SpinEdit.h"

#include "scheduler/SchedulerClock.h"

#include <QAbstractSpinBox>
#include <QHBoxLayout>

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

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch) {
    auto* layout = new QHBoxLayout;
    layout->setSpacing(4);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    if (stretch)
        layout->addStretch();
    return layout;
}

double now(const PageContext& context) {
    return context.clock.now();
}

} // namespace EditorPages
