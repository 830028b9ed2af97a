#include "ToolWindows.h"

#include "ui_tools/LoopbackHttpServer.h"

#include "context/NetModuleLoader.h"
#include "platform/ElapsedClock.h"
#include "ui/tools/TForm7.h"
#include "ui/tools/TForm8.h"
#include "widgets/FancyButton.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>

#include <functional>

namespace ToolWindows {

namespace {

class PictureElapsedClock final : public ElapsedClock {
public:
    qint64 nowMs() const override { return ms; }
    qint64 ms = 1'000'000;
};

void settleUntil(const std::function<bool()>& done, int limitMs) {
    const QDeadlineTimer deadline(limitMs);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

QPixmap stopwatchAfter(qint64 lengthMs, qint64 elapsedMs) {
    PictureElapsedClock clock;
    StopwatchServices services;
    services.clock = &clock;
    services.alert = [](QWidget*) {
    };
    TForm7 window(services);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    if (lengthMs > 0)
        window.setCountdown(lengthMs, false);
    window.show();
    window.DsFancyButton1->click();
    clock.ms += elapsedMs;
    const QString before = window.Edit2->text();
    settleUntil([&] { return window.Edit2->text() != before; }, 2000);
    return window.grab();
}

} // namespace

QPixmap runningStopwatch() {
    return stopwatchAfter(0, ((1 * 60 + 23) * 60 + 45) * 1000 + 678);
}

QPixmap expiredCountdown() {
    return stopwatchAfter(5 * 60 * 1000, 5 * 60 * 1000 + 250);
}

QPixmap updateWindow(UpdateState state, QWidget* parent) {
    NetModuleLoader::setExecutableFolder(QStringLiteral(ZENTICK_NET_MODULE_DIR));
    LoopbackHttpServer server;
    switch (state) {
    case UpdateState::Checking:
        server.keepSilent();
        break;
    case UpdateState::UpToDate:
        server.answerWith("2\n\n");
        break;
    case UpdateState::NewVersion:
        server.answerWith("1\n\n3.4.0\n");
        break;
    case UpdateState::Failed:
        server.answerWith("0\n");
        break;
    }
    UpdateCheck::Config config;
    config.site = QUrl(server.site());
    TForm8 window([config] { return config; }, parent);
    bool finished = false;
    QObject::connect(&window, &TForm8::checkFinished, [&finished] { finished = true; });
    window.Image11Click();
    if (state == UpdateState::Checking) // the progress bar a little way along
        settleUntil([] { return false; }, 2300);
    else
        settleUntil([&] { return finished; }, 10'000);
    QPixmap picture = window.grab();
    window.hide();
    return picture;
}

} // namespace ToolWindows
