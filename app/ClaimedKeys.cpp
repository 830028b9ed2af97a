#include "app/ClaimedKeys.h"

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {

class KeyClaim final : public QObject {
public:
    KeyClaim(const QList<int>& keys, QObject* parent)
        : QObject(parent)
        , m_keys(keys) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && m_keys.contains(key->key())) {
                key->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<int> m_keys;
};

} // namespace

namespace ClaimedKeys {

void claim(QWidget* control, const QList<int>& keys) {
    control->installEventFilter(new KeyClaim(keys, control));
}

void claimActivation(QWidget* control) {
    claim(control, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space});
}

} // namespace ClaimedKeys
