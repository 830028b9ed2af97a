#include "ui/notify/NotificationWindows.h"

#include "scheduler/TextPreview.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "widgets/FancyButton.h"

#include <QLabel>

NotificationWindows::NotificationWindows(NotifyServices services)
    : m_services(std::move(services)) {}

void NotificationWindows::showAlarm(const AlarmNotice& notice) {
    auto* window = new TForm2(m_services);
    window->ProgLabel->setText(notice.header);
    window->lines = notice.lines;
    window->sound = notice.sound;
    if (!notice.showStopSound)
        window->DsFancyButton1->hide();
    if (!notice.showDisableRepetition)
        window->Button2->hide();
    window->section = notice.section;
    window->scheduled = notice.scheduled;
    window->show();
}

void NotificationWindows::startPowerCountdown(const PowerNotice& notice) {
    auto* window = new TForm3(m_services);
    window->action = notice.action;
    window->actionName = notice.actionName;
    window->DsFancyButton4->setText(notice.buttonCaption);
    window->section = notice.section;
    window->scheduled = notice.scheduled;
    window->show();
}

void NotificationWindows::showBirthday(const BirthdayNotice& notice) {
    auto* window = new TForm4(m_services);
    window->sound = notice.sound;
    if (!notice.showStopSound)
        window->DsFancyButton1->hide();
    window->BirthLabel->setText(TextPreview::text(notice.greeting));
    window->section = notice.section;
    window->scheduled = notice.scheduled;
    window->show();
}

void NotificationWindows::rehideMainWindowIfHidden() {
    // The windows above have no parent, so showing them cannot bring the main window back; this only
    // makes sure that nothing else did in the meantime.
    if (m_mainWindow && !m_mainWindow->isVisible())
        m_mainWindow->hide();
}
