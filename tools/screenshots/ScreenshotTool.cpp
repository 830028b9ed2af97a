// Renders every page of the main window and the program's other windows to PNG files, offscreen, for the
// documentation and for a look at the whole program at once. The scale comes from QT_SCALE_FACTOR.
//
//   zentick_screenshots <folder> [suffix]   write <folder>/<name><suffix>.png for every picture
//   zentick_screenshots --check             render into a temporary folder; fail when a picture is blank
//   zentick_screenshots --pseudo-check <qm> the same with the pseudo catalogue (build target
//                                           zentick_pseudo_catalogue); fail on a text left untranslated or cut off
// The pictures are in the user's language (LANGUAGE=de for German).

#include "PersonalData.h"
#include "PseudoCheck.h"
#include "SampleEvents.h"
#include "ToolWindows.h"
#include "app/AboutPage.h"
#include "app/MainMenuPage.h"
#include "app/PageControl.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "app/Translations.h"
#include "app/TrayController.h"
#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/TextPreview.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/views/CalendarViewPage.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/MonthCalendar.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {

// A fixed moment, so that the pictures do not change from run to run.
class PictureClock final : public SchedulerClock {
public:
    double now() const override { return DayCount::fromDateTime(QDateTime(QDate(2024, 3, 5), QTime(10, 30))); }
    qint64 monotonicMs() const override { return 0; }
};

// A text as the program builds it, in the language of the pictures.
QString programText(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

struct Shot {
    QString name;
    std::function<QPixmap()> render;
};

const char* const pageNames[PageCount] = {
    "MainTab",     "AlarmTab",        "ShutTab",  "BirthTab", "ViewTabAl",   "ViewTabShut", "ViewTabBirthDay",
    "ViewTabPast", "ConfirmTab",      "AboutTab", "MoreTab",  "CategoryTab", "AddressTab",  "AddAddressTab",
    "CalendarTab", "EditCalendarTab", "SetTab",   "TimerTab", "EditTab",     "EditViewTab"};

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

QPixmap grabPage(TForm1& form, int index) {
    form.showPage(index);
    settle();
    return form.grab();
}

// The pointer resting on an entry, without moving a real pointer.
void hover(QWidget* widget, bool on) {
    if (on) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }
}

// The newest visible top-level window of a class, as the notification code has just shown it.
template <class Window> Window* shownWindow() {
    Window* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            found = window;
    return found;
}

template <class Window> QPixmap grabAndClose() {
    settle();
    auto* window = shownWindow<Window>();
    if (!window)
        return {};
    QPixmap picture = window->grab();
    window->hide();
    window->deleteLater();
    settle();
    return picture;
}

QList<Shot> mainWindowShots(TForm1& form) {
    QList<Shot> shots;
    for (int index = 0; index < PageCount; ++index)
        shots.append(
            {QStringLiteral("page-%1-%2").arg(index, 2, 10, QLatin1Char('0')).arg(QLatin1String(pageNames[index])),
             [&form, index] {
                 return grabPage(form, index);
             }});
    shots.append({QStringLiteral("main-menu-hover"), [&form] {
                      form.showPage(MainTab);
                      ChoiceLabel* entry = form.mainMenu->caption(6);
                      hover(entry, true);
                      QPixmap picture = grabPage(form, MainTab);
                      hover(entry, false);
                      return picture;
                  }});
    shots.append({QStringLiteral("main-menu-diary-chosen"), [&form] {
                      form.mainMenu->selectEntry(7);
                      QPixmap picture = grabPage(form, MainTab);
                      form.mainMenu->selectEntry(1);
                      return picture;
                  }});
    shots.append({QStringLiteral("confirm-alarm"), [&form] {
                      // The confirmation page as a user meets it: an alarm typed in and "Next>>" pressed.
                      form.mainMenu->selectEntry(1);
                      form.mainMenu->DsFancyButton1Click();
                      auto* editor = qobject_cast<AlarmEditorPage*>(form.PageControl1->widget(AlarmTab));
                      editor->Memo1->setPlainText(QStringLiteral("Call the dentist\nAsk about Thursday\n"));
                      editor->DateTimePicker1->setDate(editor->DateTimePicker1->date().addDays(1));
                      editor->DsFancyButton2->click();
                      QPixmap picture = grabPage(form, form.currentPage());
                      form.showPage(MainTab);
                      return picture;
                  }});
    shots.append({QStringLiteral("confirm-alarm-long"), [&form] {
                      // A long description: the confirmation scrolls instead of running under the buttons.
                      form.mainMenu->selectEntry(1);
                      form.mainMenu->DsFancyButton1Click();
                      auto* editor = qobject_cast<AlarmEditorPage*>(form.PageControl1->widget(AlarmTab));
                      QStringList lines;
                      for (int i = 1; i <= 20; ++i)
                          lines << QStringLiteral("Line %1 of a long description").arg(i);
                      lines << QStringLiteral("https://example.org/") + QString(120, QLatin1Char('x'));
                      editor->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
                      editor->DateTimePicker1->setDate(editor->DateTimePicker1->date().addDays(1));
                      editor->DsFancyButton2->click();
                      QPixmap picture = grabPage(form, form.currentPage());
                      editor->Memo1->clear();
                      form.showPage(MainTab);
                      return picture;
                  }});
    shots.append({QStringLiteral("calendar-day-list"), [&form] {
                      // The day list as "Show>>" fills it: today, with an alarm, a power action and a birthday.
                      form.showPage(EditTab);
                      auto* calendar = qobject_cast<CalendarViewPage*>(form.PageControl1->widget(EditTab));
                      calendar->DsFancyButton54Click();
                      QPixmap picture = grabPage(form, form.currentPage());
                      form.showPage(MainTab);
                      return picture;
                  }});
    shots.append({QStringLiteral("tray-menu"), [&form] {
                      QMenu* menu = form.tray->PopupMenu2;
                      menu->ensurePolished();
                      menu->adjustSize();
                      return menu->grab();
                  }});
    return shots;
}

// The program's other windows. Add a window here when it is written.
QList<Shot> notificationWindowShots(TForm1& form) {
    SchedulerHost& host = form.schedulerHost();
    QList<Shot> shots;
    shots.append(
        {QStringLiteral("alarm-window"), [&host] {
             AlarmNotice notice;
             notice.section = "0";
             notice.header =
                 programText("Firing", "This Alarm scheduled for:\n%1").arg(QStringLiteral("05/03/2024 10:30:00"));
             notice.lines = {QStringLiteral("Call the dentist about Thursday's appointment."),
                             QStringLiteral("Number is on the fridge.")};
             notice.sound = false;
             notice.showStopSound = false;
             notice.showDisableRepetition = true;
             host.notificationWindows().showAlarm(notice);
             return grabAndClose<TForm2>();
         }});
    shots.append(
        {QStringLiteral("alarm-window-huge"), [&host] {
             // A description of a 1 MB line and a thousand more: a bounded part is shown.
             QStringList text{QString(1 << 20, QLatin1Char('x'))};
             for (int i = 1; i <= 1000; ++i)
                 text << QStringLiteral("Line %1").arg(i);
             AlarmNotice notice;
             notice.section = "0";
             notice.header =
                 programText("Firing", "This Alarm scheduled for:\n%1").arg(QStringLiteral("05/03/2024 10:30:00"));
             notice.lines = TextPreview::lines(text);
             notice.sound = false;
             notice.showStopSound = false;
             host.notificationWindows().showAlarm(notice);
             return grabAndClose<TForm2>();
         }});
    shots.append(
        {QStringLiteral("birthday-window"), [&host] {
             BirthdayNotice notice;
             notice.section = "1";
             notice.greeting =
                 programText("Firing", "%1 is now\n%2 Years Old.").arg(QStringLiteral("Ann"), QStringLiteral("26"));
             notice.sound = false;
             notice.showStopSound = false;
             host.notificationWindows().showBirthday(notice);
             return grabAndClose<TForm4>();
         }});
    shots.append({QStringLiteral("countdown-window"), [&host] {
                      PowerNotice notice;
                      notice.section = "2";
                      notice.action = 1;
                      notice.actionName = programText("PowerAction", "Restart");
                      notice.buttonCaption = programText("PowerAction", "Restart Now");
                      host.notificationWindows().startPowerCountdown(notice);
                      return grabAndClose<TForm3>();
                  }});
    shots.append({QStringLiteral("message-window"), [&host] {
                      TMsgfrm& window = host.messageWindow();
                      window.Message->setText(QStringLiteral("\nThe date you entered has already passed."));
                      window.show();
                      settle();
                      QPixmap picture = window.grab();
                      window.hide();
                      return picture;
                  }});
    shots.append({QStringLiteral("clock-warning"), [&host] {
                      TForm6& window = host.clockWarning();
                      window.show();
                      settle();
                      QPixmap picture = window.grab();
                      window.hide();
                      return picture;
                  }});
    shots.append({QStringLiteral("stopwatch-running"), [] {
                      return ToolWindows::runningStopwatch();
                  }});
    shots.append({QStringLiteral("countdown-expired"), [] {
                      return ToolWindows::expiredCountdown();
                  }});
    using ToolWindows::UpdateState;
    const QList<std::pair<QString, UpdateState>> updateStates{{QStringLiteral("checking"), UpdateState::Checking},
                                                              {QStringLiteral("up-to-date"), UpdateState::UpToDate},
                                                              {QStringLiteral("new-version"), UpdateState::NewVersion},
                                                              {QStringLiteral("error"), UpdateState::Failed}};
    for (const auto& [name, state] : updateStates)
        shots.append({QStringLiteral("update-") + name, [&form, state = state] {
                          return ToolWindows::updateWindow(state, &form);
                      }});
    return shots;
}

// A page that failed to draw comes out as one flat colour.
bool looksBlank(const QPixmap& picture) {
    const QImage image = picture.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
            if (colours.size() >= 8)
                return false;
        }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Theme::apply(app);
    QTextStream err(stderr);

    const QStringList args = QApplication::arguments().mid(1);
    const bool pseudo = args.value(0) == QLatin1String("--pseudo-check");
    const bool check = pseudo || args.value(0) == QLatin1String("--check");
    if (args.isEmpty() || (pseudo && args.size() < 2)) {
        err << "usage: zentick_screenshots <folder> [suffix] | --check | --pseudo-check <catalogue.qm>\n";
        return 2;
    }
    if (!pseudo) {
        Translations::install(app);
    } else if (!Translations::installFile(app, args.value(1))) {
        err << "cannot read the catalogue " << args.value(1) << "\n";
        return 2;
    }
    QTemporaryDir scratch;
    const QString folder = check ? scratch.path() : args.value(0);
    const QString suffix = check ? QString() : args.value(1);
    if (!QDir().mkpath(folder)) {
        err << "cannot create " << folder << "\n";
        return 2;
    }

    QTemporaryDir exeFolder;
    const PictureClock clock;
    AppContext context{exeFolder.path(), &clock, false};
    context.autostartFolder = exeFolder.filePath(QStringLiteral("autostart"));
    TForm1 form(context);
    fillPersonalData(form);
    SampleEvents::fill(form.eventStore(), form.pastAlarmStore(), form.settingsStore(),
                       DayCount::toDateTime(clock.now()));
    form.show();
    settle();

    PseudoCheck pseudoCheck;
    if (pseudo) {
        for (const TXMLIniFile* store : {&form.eventStore(), &form.pastAlarmStore(), &form.settingsStore(),
                                         &form.addressBookStore(), &form.diaryStore()})
            pseudoCheck.addData(*store);
        // What the pictures type in or show as the user's own, and the product's names.
        for (const char* data : {"Call the dentist\nAsk about Thursday", "Line", "of a long description",
                                 "https://example.org/", "Call the dentist about Thursday's appointment.",
                                 "Number is on the fridge.", "The date you entered has already passed.", "Ann",
                                 "Zentick®", "Morvi Software", "Morvi© Zentick®", "Zentick"})
            pseudoCheck.addData(QString::fromUtf8(data));
        pseudoCheck.addData(AboutPage::websiteUrl().toString());
        pseudoCheck.addData(QString(40, QLatin1Char('x'))); // the huge alarm text, broken into pieces for display
        app.installEventFilter(&pseudoCheck);
    }

    int failures = 0;
    const QList<Shot> shots = mainWindowShots(form) + notificationWindowShots(form);
    for (const Shot& shot : shots) {
        pseudoCheck.setShot(shot.name);
        const QPixmap picture = shot.render();
        const QString file = folder + QLatin1Char('/') + shot.name + suffix + QStringLiteral(".png");
        if (picture.isNull() || looksBlank(picture)) {
            err << "blank: " << shot.name << "\n";
            ++failures;
            continue;
        }
        if (!picture.save(file)) {
            err << "cannot write " << file << "\n";
            ++failures;
        }
    }
    err << shots.size() - failures << " of " << shots.size() << " pictures written to " << folder << "\n";
    if (pseudo) {
        pseudoCheck.setShot(QStringLiteral("menus"));
        pseudoCheck.checkMenus();
        for (const QString& fault : pseudoCheck.faults())
            err << fault << "\n";
        err << pseudoCheck.faults().size() << " texts untranslated or cut off\n";
        if (!pseudoCheck.faults().isEmpty())
            return 1;
    }
    return failures == 0 ? 0 : 1;
}
