#include "ui/notify/NotificationWindows.h"

#include "context/SettingsKeys.h"
#include "scheduler/TextPreview.h"
#include "store/XMLIniFile.h"
#include "ui/notify/NoticeWindow.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "widgets/FancyButton.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

#include <utility>

namespace {

// Holds a window's notice and closes it when the window goes: closed, or only hidden (a countdown after "OK").
// A hide by the window system (the window minimised) leaves the notice, which is then all the user sees.
class NoticeKeeper final : public QObject {
public:
    NoticeKeeper(std::unique_ptr<DesktopNotice> notice, QWidget* window)
        : QObject(window)
        , m_notice(std::move(notice)) {
        window->installEventFilter(this);
    }
    DesktopNotice* notice() const { return m_notice.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            m_notice->close();
        return QObject::eventFilter(watched, event);
    }

private:
    std::unique_ptr<DesktopNotice> m_notice;
};

void bringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

NotificationWindows::NotificationWindows(NotifyServices services)
    : m_services(std::move(services)) {}

TForm2* NotificationWindows::makeAlarmWindow(const AlarmNotice& notice) {
    auto* window = new TForm2(m_services);
    window->ProgLabel->setText(notice.header);
    window->lines = notice.lines;
    window->sound = notice.sound;
    window->offerStopSound(notice.showStopSound);
    if (!notice.showDisableRepetition)
        window->Button2->hide();
    window->section = notice.section;
    window->scheduled = notice.scheduled;
    return window;
}

void NotificationWindows::prepareAlarm(const AlarmNotice& notice) {
    if (m_prepared && m_preparedNotice == notice)
        return;
    dropPrepared();
    m_prepared = makeAlarmWindow(notice);
    m_preparedNotice = notice;
    m_prepared->prepare();
}

void NotificationWindows::dropPrepared() {
    // Never shown, so nothing refers to it: no notice, no registry entry, no sound.
    delete m_prepared.data();
    m_prepared = nullptr;
}

bool NotificationWindows::showPrepared(const AlarmNotice& notice) {
    if (!m_prepared || m_preparedNotice != notice)
        return false;
    showAlarm(notice);
    return true;
}

NoticeWindow* NotificationWindows::preparedWindow() const {
    return m_prepared.data();
}

void NotificationWindows::showAlarm(const AlarmNotice& notice) {
    TForm2* window = nullptr;
    if (m_prepared && m_preparedNotice == notice)
        window = std::exchange(m_prepared, nullptr);
    else
        dropPrepared();
    if (!window)
        window = makeAlarmWindow(notice);
    window->show();

    const QString firstLine = notice.lines.value(0).trimmed();
    announce(window, firstLine.isEmpty() ? QCoreApplication::translate("NotificationWindows", "Alarm") : firstLine,
             notice.header);
}

void NotificationWindows::startPowerCountdown(const PowerNotice& notice) {
    auto* window = new TForm3(m_services);
    window->action = notice.action;
    window->actionName = notice.actionName;
    // The action's caption comes without an Alt key: it takes the first letter "OK" and "Cancel" leave.
    window->DsFancyButton4->setText(FancyButton::withKey(
        notice.buttonCaption, {window->DsFancyButton1->shortcut(), window->DsFancyButton2->shortcut()}));
    window->section = notice.section;
    window->scheduled = notice.scheduled;
    window->show();

    // The window's own words: "System will <action>", then the time left.
    const QString text = window->Shut->text();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    announce(window, text.left(lineEnd), lineEnd < 0 ? QString() : text.mid(lineEnd + 1));
}

void NotificationWindows::showBirthday(const BirthdayNotice& notice) {
    auto* window = new TForm4(m_services);
    window->sound = notice.sound;
    window->offerStopSound(notice.showStopSound);
    window->greeting = notice.greeting;
    window->BirthLabel->setText(TextPreview::text(notice.greeting));
    window->section = notice.section;
    window->scheduled = notice.scheduled;
    window->show();

    // The greeting reads as one sentence over its lines ("Ann is now" / "26 Years Old.").
    announce(window, notice.greeting.simplified(), QString());
}

void NotificationWindows::announce(NoticeWindow* window, const QString& summary, const QString& body) {
    if (!m_services.notifier ||
        !m_services.settings().ReadFlag(SettingsKey::Section, SettingsKey::DesktopNotices, true))
        return;
    const QList<DesktopNotifier::Action> actions =
        QList<DesktopNotifier::Action>{
            {NoticeWindow::DefaultKey, QCoreApplication::translate("NotificationWindows", "Show")}} +
        window->noticeActions();
    auto* keeper = new NoticeKeeper(m_services.notifier->notify(summary, body, actions), window);
    QObject::connect(keeper->notice(), &DesktopNotice::actionInvoked, window, [window](const QString& key) {
        if (key == NoticeWindow::DefaultKey)
            bringForward(window);
        else
            window->answerNotice(key);
    });
}

void NotificationWindows::rehideMainWindowIfHidden() {
    // The windows above have no parent, so showing them cannot bring the main window back; this only
    // makes sure that nothing else did in the meantime.
    if (m_mainWindow && !m_mainWindow->isVisible())
        m_mainWindow->hide();
}
