#include "ui/editors/SpinKeyFilter.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>

#include <algorithm>

void SpinKeyFilter::install(QAbstractSpinBox* spinEdit) {
    // One filter per field, owned by it, so it goes when the field goes.
    spinEdit->installEventFilter(new SpinKeyFilter(spinEdit));
}

bool SpinKeyFilter::CSpinEdit3KeyPress(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace)
        return true;
    const QString typed = event->text();
    if (typed.isEmpty() || event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // Enter, Tab and Escape arrive with a control character as text; they are left to the field and the page.
    if (typed.size() == 1 && typed.at(0).category() == QChar::Other_Control)
        return false;
    return std::any_of(typed.begin(), typed.end(), [](QChar c) { return c < u'0' || c > u'9'; });
}

bool SpinKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && CSpinEdit3KeyPress(static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}
