#include "widgets/FirstPaint.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace FirstPaint {
namespace {

// The paint, the next turn and the latest moment may each come first; the work runs at the first of them only.
class Once {
public:
    explicit Once(std::function<void()> work)
        : m_work(std::move(work)) {}

    void run() {
        if (!m_work)
            return;
        const std::function<void()> work = std::move(m_work);
        m_work = nullptr;
        work();
    }

private:
    std::function<void()> m_work;
};

class PaintWatch final : public QObject {
public:
    PaintWatch(QWidget* window, std::shared_ptr<Once> once)
        : QObject(window)
        , m_once(std::move(once)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [once = m_once] { once->run(); });
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::shared_ptr<Once> m_once;
};

} // namespace

void runAfter(QWidget* window, std::function<void()> work, int latestMs) {
    auto once = std::make_shared<Once>(std::move(work));
    if (window != nullptr && window->isVisible() && !window->isMinimized()) {
        new PaintWatch(window, once); // owned by the window
        QTimer::singleShot(latestMs, qApp, [once] { once->run(); });
    } else {
        QTimer::singleShot(0, qApp, [once] { once->run(); });
    }
}

} // namespace FirstPaint
