#pragma once

#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/tools/TForm7.h"
#include "ui/tools/TForm8.h"

#include <QApplication>
#include <QList>
#include <QStringList>

#include <functional>
#include <utility>

// The windows outside the main window's pages, opened the way the program opens them, for the walks that go over
// every page and window. Each opener hands the window over; the walk closes it again.
namespace WindowOpeners {

using Opener = std::function<QWidget*(TForm1&)>;

template <class Window> Window* newestShown() {
    Window* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            found = window;
    }
    return found;
}

// What the sounding windows show: the alarm's lines and whether the alarm and birthday windows play a sound.
struct Samples {
    QStringList alarmLines;
    bool sound = true;
};

// By row name: the alarm, birthday and countdown windows, the message window, the clock warning, the stopwatch
// and the update window.
inline QList<std::pair<const char*, Opener>> all(const Samples& samples) {
    return {
        {"alarm window",
         [samples](TForm1& form) -> QWidget* {
             AlarmNotice notice;
             notice.section = "0";
             notice.header = QStringLiteral("This Alarm scheduled for:\n05/03/2024 10:30:00");
             notice.lines = samples.alarmLines;
             notice.sound = samples.sound;
             notice.showStopSound = true;
             notice.showDisableRepetition = true;
             form.schedulerHost().notificationWindows().showAlarm(notice);
             return newestShown<TForm2>();
         }},
        {"birthday window",
         [samples](TForm1& form) -> QWidget* {
             BirthdayNotice notice;
             notice.section = "1";
             notice.greeting = QStringLiteral("Ann is now\n26 Years Old.");
             notice.sound = samples.sound;
             notice.showStopSound = true;
             form.schedulerHost().notificationWindows().showBirthday(notice);
             return newestShown<TForm4>();
         }},
        {"countdown window",
         [](TForm1& form) -> QWidget* {
             PowerNotice notice;
             notice.section = "2";
             notice.action = 1;
             notice.actionName = QStringLiteral("Restart");
             notice.buttonCaption = QStringLiteral("Restart Now");
             form.schedulerHost().notificationWindows().startPowerCountdown(notice);
             return newestShown<TForm3>();
         }},
        {"message window",
         [](TForm1& form) -> QWidget* {
             TMsgfrm& window = form.schedulerHost().messageWindow();
             window.show();
             return &window;
         }},
        {"clock warning",
         [](TForm1& form) -> QWidget* {
             TForm6& window = form.schedulerHost().clockWarning();
             window.show();
             return &window;
         }},
        {"stopwatch",
         [](TForm1&) -> QWidget* {
             auto* window = new TForm7(StopwatchServices{});
             window->setAttribute(Qt::WA_DeleteOnClose);
             window->show();
             return window;
         }},
        {"update window",
         [](TForm1& form) -> QWidget* {
             auto* window = new TForm8([] { return UpdateCheck::Config{}; }, &form);
             window->show();
             return window;
         }},
    };
}

} // namespace WindowOpeners
