// Renders every page of the main window and the program's other windows to PNG files, offscreen, for the
// documentation and for a look at the whole program at once. The scale comes from QT_SCALE_FACTOR.
//
//   zentick_screenshots <folder> [suffix]   write <folder>/<name><suffix>.png for every picture
//   zentick_screenshots --check             render into a temporary folder; fail when a picture is blank
//   zentick_screenshots --compare <golden>  render the pages without focus and without the run's folder, and fail
//                                           when one differs from <golden>/<name>.png or its visible controls differ
//                                           from <golden>/controls.txt; the pictures that differ are kept
//   zentick_screenshots --golden <golden>   write those pictures and controls.txt for --compare
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
#include "app/SyncController.h"
#include "app/TForm1.h"
#include "app/Translations.h"
#include "app/TrayController.h"
#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/TextPreview.h"
#include "store/XMLIniFile.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/settings/CalendarsPage.h"
#include "ui/views/CalendarViewPage.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/MonthCalendar.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdlib>
#include <functional>

namespace {

// A fixed moment, so that the pictures do not change from run to run.
class PictureClock final : public SchedulerClock {
public:
    double now() const override { return DayCount::fromDateTime(QDateTime(QDate(2024, 3, 5), QTime(10, 30))); }
    qint64 monotonicMs() const override { return 0; }
};

// A sync that ends at once, as a good one does, for the calendars page's picture.
class PictureSyncRunner final : public SyncRunner {
public:
    void start(const SyncAccount&) override {
        m_running = true;
        QTimer::singleShot(0, this, [this] {
            m_running = false;
            SyncOutcome outcome;
            outcome.ok = true;
            outcome.status = QStringLiteral("3 records sent, 2 received, none in conflict.");
            outcome.finishedAt = QDateTime(QDate(2024, 3, 5), QTime(10, 29, 40));
            emit finished(outcome);
        });
    }
    bool isRunning() const override { return m_running; }
    void cancel() override {}

private:
    bool m_running = false;
};
// A text as the program builds it, in the language of the pictures.
QString programText(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

struct Shot {
    QString name;
    std::function<QPixmap()> render;
};

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// For pictures compared from run to run: what depends on the moment a window became active (the focus frame, a
// selected field) or on the temporary folder of the run is taken out.
struct Steady {
    bool on = false;
    QString folder;
};
Steady g_steady;

void steady(QWidget* window) {
    if (!g_steady.on)
        return;
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (!g_steady.folder.isEmpty() && edit->text().startsWith(g_steady.folder))
            edit->setText(QStringLiteral("/data") + edit->text().mid(g_steady.folder.size()));
        edit->deselect();
    }
    settle();
}

// The controls of the page a person sees: its named visible children, each with its place, in creation order.
QStringList visibleControls(const QWidget* page) {
    QStringList controls;
    for (const QWidget* child : page->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !child->isVisibleTo(page))
            continue;
        const QRect place(child->mapTo(page, QPoint(0, 0)), child->size());
        const bool inside = page->rect().contains(place) && !place.isEmpty();
        controls << name + (inside ? QString() : QStringLiteral("(outside)"));
    }
    return controls;
}

QMap<QString, QStringList> g_controls; // page shot -> its controls

QPixmap grabPage(TForm1& form, int index) {
    form.showPage(index);
    settle();
    steady(&form);
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
            {QStringLiteral("page-%1-%2").arg(index, 2, 10, QLatin1Char('0')).arg(QLatin1String(PageNames[index])),
             [&form, index] {
                 QPixmap picture = grabPage(form, index);
                 g_controls.insert(QStringLiteral("page-%1-%2")
                                       .arg(index, 2, 10, QLatin1Char('0'))
                                       .arg(QLatin1String(PageNames[index])),
                                   visibleControls(form.PageControl1->widget(index)));
                 return picture;
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
    // The keyboard's focus mark on the kit's captions: the chosen menu entry, a choice, a link and a tick box's
    // text of the alarm editor, the settings page's tray switch.
    const QList<std::pair<const char*, std::pair<int, const char*>>> focused{
        {"focus-main-menu-entry", {MainTab, "myLabel3d1"}},
        {"focus-alarm-choice", {AlarmTab, "myLabel3d6"}},
        {"focus-alarm-link", {AlarmTab, "myaSuperLabel51"}},
        {"focus-alarm-tick", {AlarmTab, "CheckBox1"}},
        {"focus-settings-tray", {SetTab, "myLabel3d13"}}};
    for (const auto& [name, where] : focused)
        shots.append(
            {QLatin1String(name), [&form, where = where] {
                 form.showPage(where.first);
                 form.activateWindow();
                 if (auto* control =
                         form.PageControl1->widget(where.first)->findChild<QWidget*>(QLatin1String(where.second)))
                     control->setFocus(Qt::TabFocusReason);
                 settle();
                 QPixmap picture = form.grab();
                 form.showPage(MainTab);
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
    shots.append({QStringLiteral("alarm-date-drop-down"), [&form] {
                      // The styled calendar that drops down from the alarm's date.
                      form.mainMenu->selectEntry(1);
                      form.mainMenu->DsFancyButton1Click();
                      auto* editor = qobject_cast<AlarmEditorPage*>(form.PageControl1->widget(AlarmTab));
                      editor->DateTimePicker1->showDropDown();
                      settle();
                      QWidget* popup = editor->DatePicker1->window();
                      QPixmap picture = popup->isVisible() ? popup->grab() : QPixmap();
                      popup->hide();
                      form.showPage(MainTab);
                      return picture;
                  }});
    shots.append({QStringLiteral("calendars-sync-account"), [&form] {
                      // An account typed in and a sync just ended.
                      TXMLIniFile& settings = form.settingsStore();
                      settings.WriteString(SettingsKey::Section, SettingsKey::SyncUrl,
                                           "https://dav.example.org/remote.php/dav/");
                      settings.WriteString(SettingsKey::Section, SettingsKey::SyncUser, "ann");
                      form.showPage(CalendarsTab);
                      auto* page = qobject_cast<CalendarsPage*>(form.PageControl1->widget(CalendarsTab));
                      page->passwordEdit->setText(QStringLiteral("password"));
                      form.syncController().syncNow();
                      settle();
                      QPixmap picture = form.grab();
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
        {QStringLiteral("alarm-window-snooze-until"), [&host] {
             // Snooze "until" a moment the user types: the field for it beside the list.
             AlarmNotice notice;
             notice.section = "0";
             notice.header =
                 programText("Firing", "This Alarm scheduled for:\n%1").arg(QStringLiteral("05/03/2024 10:30:00"));
             notice.lines = {QStringLiteral("Take the bread out of the oven.")};
             notice.sound = false;
             notice.showStopSound = false;
             host.notificationWindows().showAlarm(notice);
             settle();
             if (auto* window = shownWindow<TForm2>())
                 window->SnoozeLength->setCurrentIndex(window->SnoozeLength->count() - 1);
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

// Pixels that differ in some channel by more than a trace of antialiasing; marked red in marks.
int differingPixels(const QImage& actual, const QImage& golden, QImage& marks) {
    constexpr int Trace = 16;
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage b = golden.convertToFormat(QImage::Format_ARGB32);
    marks = a;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > Trace || std::abs(qGreen(p) - qGreen(q)) > Trace ||
                std::abs(qBlue(p) - qBlue(q)) > Trace || std::abs(qAlpha(p) - qAlpha(q)) > Trace) {
                marks.setPixel(x, y, qRgb(255, 0, 0));
                ++count;
            }
        }
    }
    return count;
}

QStringList controlLines() {
    QStringList lines;
    for (auto it = g_controls.cbegin(); it != g_controls.cend(); ++it)
        lines << it.key() + QStringLiteral(": ") + it.value().join(QLatin1Char(' '));
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // As the program starts: the stylesheet after the main window's first frame, so the pictures are what it shows.
    Theme::apply(app, Theme::WindowIcon::Now, Theme::StyleSheet::Later);
    QTextStream err(stderr);

    const QStringList args = QApplication::arguments().mid(1);
    const QString mode = args.value(0);
    const bool pseudo = mode == QLatin1String("--pseudo-check");
    const bool check = pseudo || mode == QLatin1String("--check");
    const bool compare = mode == QLatin1String("--compare");
    const bool golden = mode == QLatin1String("--golden");
    if (args.isEmpty() || ((compare || golden || pseudo) && args.size() < 2)) {
        err << "usage: zentick_screenshots <folder> [suffix] | --check | --compare <golden> | --golden <golden> | "
               "--pseudo-check <catalogue.qm>\n";
        return 2;
    }
    if (!pseudo) {
        Translations::install(app);
    } else if (!Translations::installFile(app, args.value(1))) {
        err << "cannot read the catalogue " << args.value(1) << "\n";
        return 2;
    }
    QTemporaryDir scratch;
    scratch.setAutoRemove(!compare); // what differs is kept for a look
    const QString goldenFolder = compare || golden ? args.value(1) : QString();
    const QString folder = check || compare ? scratch.path() : golden ? goldenFolder : args.value(0);
    const QString suffix = check || compare || golden ? QString() : args.value(1);
    if (!QDir().mkpath(folder)) {
        err << "cannot create " << folder << "\n";
        return 2;
    }

    QTemporaryDir exeFolder;
    g_steady.on = compare || golden;
    g_steady.folder = exeFolder.path();
    const PictureClock clock;
    AppContext context{exeFolder.path(), &clock, false};
    context.autostartFolder = exeFolder.filePath(QStringLiteral("autostart"));
    context.makeSyncRunner = [](DataStores&) {
        return std::unique_ptr<SyncRunner>(std::make_unique<PictureSyncRunner>());
    };
    TForm1 form(context);
    fillPersonalData(form);
    SampleEvents::fill(form.eventStore(), form.pastAlarmStore(), form.settingsStore(),
                       DayCount::toDateTime(clock.now()));
    Theme::holdStyleSheetFor(&form);
    form.show();
    Theme::applyStyleSheetAfterFirstPaint(&form);
    settle();
    if (!Theme::hasStyleSheet()) {
        err << "the stylesheet did not follow the main window's first frame\n";
        return 1;
    }

    PseudoCheck pseudoCheck;
    if (pseudo) {
        for (const TXMLIniFile* store : {&form.eventStore(), &form.pastAlarmStore(), &form.settingsStore(),
                                         &form.addressBookStore(), &form.diaryStore()})
            pseudoCheck.addData(*store);
        // What the pictures type in or show as the user's own, and the product's names.
        for (const char* data :
             {"Call the dentist\nAsk about Thursday", "Line", "of a long description", "https://example.org/",
              "Call the dentist about Thursday's appointment.", "Number is on the fridge.",
              "The date you entered has already passed.", "Ann", "Zentick®", "Morvi Software", "Morvi© Zentick®",
              "Zentick", "Take the bread out of the oven.", "https://dav.example.org/remote.php/dav/", "ann",
              "3 records sent, 2 received, none in conflict."})
            pseudoCheck.addData(QString::fromUtf8(data));
        pseudoCheck.addData(AboutPage::websiteUrl().toString());
        pseudoCheck.addData(QString(40, QLatin1Char('x'))); // the huge alarm text, broken into pieces for display
        app.installEventFilter(&pseudoCheck);
    }

    int failures = 0;
    // The notification and tool windows change with the moment they are drawn (a running stopwatch, a spinner):
    // a comparison looks at the main window's pages only.
    // The focus pictures show what the comparison takes away (the focus mark), so they are left out of it too.
    QList<Shot> shots =
        compare || golden ? mainWindowShots(form) : mainWindowShots(form) + notificationWindowShots(form);
    if (compare || golden)
        shots.removeIf([](const Shot& shot) { return shot.name.startsWith(QLatin1String("focus-")); });
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
            continue;
        }
        if (!compare)
            continue;
        const QImage expected(goldenFolder + QLatin1Char('/') + shot.name + QStringLiteral(".png"));
        const QImage actual = picture.toImage();
        if (expected.isNull() || expected.size() != actual.size()) {
            err << "differs: " << shot.name << " is " << actual.width() << "x" << actual.height() << ", golden "
                << expected.width() << "x" << expected.height() << " (" << file << ")\n";
            ++failures;
            continue;
        }
        QImage marks;
        const int differing = differingPixels(actual, expected, marks);
        // A changed caption or a control moved by a pixel is well above this; noise of the rasteriser below it.
        if (differing > actual.width() * actual.height() / 1000) {
            const QString marked = folder + QLatin1Char('/') + shot.name + QStringLiteral("-differs.png");
            marks.save(marked);
            err << "differs: " << shot.name << " in " << differing << " pixels (" << marked << ")\n";
            ++failures;
        } else {
            QFile::remove(file);
        }
    }

    const QString controlsFile = goldenFolder + QStringLiteral("/controls.txt");
    if (golden) {
        QFile out(controlsFile);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write((controlLines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0) {
            err << "cannot write " << controlsFile << "\n";
            ++failures;
        }
    }
    if (compare) {
        QFile in(controlsFile);
        const QStringList expected = in.open(QIODevice::ReadOnly)
                                         ? QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                         : QStringList();
        const QStringList actual = controlLines();
        for (const QString& line : actual) {
            if (!expected.contains(line)) {
                err << "controls differ: " << line << "\n";
                ++failures;
            }
        }
        if (expected.size() != actual.size()) {
            err << "controls differ: " << actual.size() << " pages, " << expected.size() << " expected\n";
            ++failures;
        }
        if (failures == 0)
            scratch.setAutoRemove(true);
    }
    err << shots.size() << " pictures, " << failures << " failures, in " << folder << "\n";
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
