#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

// Calls back on every event of one type that reaches the watched object, before the object handles it.
class EventProbe final : public QObject {
public:
    EventProbe(QObject* watched, QEvent::Type type, std::function<void()> seen)
        : m_type(type)
        , m_seen(std::move(seen)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == m_type)
            m_seen();
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_seen;
};
