#include "widgets/MenuKeys.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool opensMenu(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
           (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

class MenuKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* control = qobject_cast<QWidget*>(watched);
        if (!control || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (!opensMenu(key))
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::ShortcutOverride) {
            // A shortcut on the same key elsewhere in the window must not take it from the focused control.
            key->accept();
            return true;
        }
        // A list's position is in its viewport's coordinates, as a click's is, but the event goes to the list.
        QPoint at = control->rect().center();
        QPoint global = control->mapToGlobal(at);
        if (auto* view = qobject_cast<QAbstractItemView*>(control)) {
            const QRect row = view->visualRect(view->currentIndex());
            const QRect area = view->viewport()->rect();
            at = row.isValid() && area.intersects(row) ? row.center() : area.center();
            global = view->viewport()->mapToGlobal(at);
        }
        key->accept();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, global, key->modifiers());
        QCoreApplication::sendEvent(control, &menu);
        return true;
    }
};

} // namespace

namespace MenuKeys {

void install(QWidget* control) {
    control->installEventFilter(new MenuKeyFilter(control));
}

} // namespace MenuKeys
