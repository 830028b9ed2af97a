// Texts that come from the user or a file, shown where the program shows them: every hint, tooltip and label
// must show them literally, markup and character references included, never rendered.

#include "ViewsFixture.h"

#include "app/TrayController.h"
#include "support/ShownText.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/personal/DiaryNotes.h"
#include "ui_notify/NotifyFixture.h"
#include "widgets/ClickableLabel.h"
#include "widgets/MonthCalendar.h"

#include <QHelpEvent>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QTableWidget>
#include <QToolTip>
#include <functional>

using namespace Records;

namespace {

// Wednesday 4 March 2026.
const QDateTime clockAt(QDate(2026, 3, 4), QTime(10, 0));
const QDate today = clockAt.date();

// What the tooltip shows when the pointer rests at `at` on `viewport`.
QString toolTipAt(QWidget* viewport, const QPoint& at) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
    QCoreApplication::sendEvent(viewport, &help);
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }))
        return u"(no tooltip)"_s;
    return ShownText::ofToolTip(QToolTip::text());
}

QString dayHint(MonthCalendar* calendar, QDate day) {
    QWidget* viewport = calendar->findChild<QTableView*>()->viewport();
    return toolTipAt(viewport, viewport->mapFrom(calendar, calendar->dayRect(day).center()));
}

QString firstRowHint(QTreeWidget* list) {
    if (list->topLevelItemCount() == 0)
        return u"(no row)"_s;
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    const int x = list->header()->sectionViewportPosition(0) + list->header()->sectionSize(0) / 2;
    return toolTipAt(list->viewport(), QPoint(x, row.center().y()));
}

void writeAlarmToday(TXMLIniFile& events, const QByteArray& text) {
    write(events, "0", {{"altype", "alarm"}, {"date", at(today, QTime(14, 30))}, {"linecount", "1"}, {"0", text}});
}

// Each place: make the text reach it, then read what it shows; the second value is what it must show.
using Place = std::function<QPair<QString, QString>(const QString& text)>;

QPair<QString, QString> diaryMark(const QString& text) {
    ViewsFixture fx(clockAt);
    const QDate day(2026, 3, 10);
    const QByteArray section = DiaryNotes::section(day);
    write(fx.form().diaryStore(), section, {{"linecount", "2"}, {"0", text.toUtf8()}, {"1", "more"}});
    fx.show(CalendarTab);
    return {dayHint(fx.find<MonthCalendar>("MonthCalendar2"), day), u"\""_s + text + u"...\""_s};
}

QPair<QString, QString> calendarAlarmHint(const QString& text) {
    ViewsFixture fx(clockAt);
    writeAlarmToday(fx.events(), text.toUtf8());
    fx.show(EditTab);
    return {dayHint(fx.find<MonthCalendar>("PlannerCalendar1"), today), u"14:30:00 - \""_s + text + u"\""_s};
}

QPair<QString, QString> calendarBirthdayHint(const QString& text) {
    ViewsFixture fx(clockAt);
    const QDate day(2026, 3, 17);
    write(fx.events(), "0", {{"altype", "birth"}, {"date", at(day)}, {"name", text.toUtf8()}, {"before", "0"}});
    fx.show(EditTab);
    return {dayHint(fx.find<MonthCalendar>("PlannerCalendar1"), day), text + u"'s Birthday"_s};
}

QPair<QString, QString> trayHint(const QString& text) {
    ViewsFixture fx(clockAt);
    writeAlarmToday(fx.events(), text.toUtf8());
    TrayController* tray = fx.form().tray;
    emit tray->PopupMenu2->aboutToShow();
    return {ShownText::ofToolTip(tray->TrayIcon()->toolTip()), u"Events for Today:\n14:30:00 - \""_s + text + u"\""_s};
}

QPair<QString, QString> alarmListCell(const QString& text) {
    ViewsFixture fx(clockAt);
    writeAlarmToday(fx.events(), text.toUtf8());
    fx.show(ViewTabAl);
    return {firstRowHint(fx.list("ListView1")), u"\""_s + text + u"\""_s};
}

QPair<QString, QString> birthdayListCell(const QString& text) {
    ViewsFixture fx(clockAt);
    write(fx.events(), "0", {{"altype", "birth"}, {"date", at(QDate(2026, 5, 1))}, {"name", text.toUtf8()}});
    fx.show(ViewTabBirthDay);
    return {firstRowHint(fx.list("ListView3")), text};
}

QPair<QString, QString> pastAlarmListCell(const QString& text) {
    ViewsFixture fx(clockAt);
    write(fx.past(), "0",
          {{"altype", "alarm"}, {"date", at(QDate(2026, 1, 2))}, {"linecount", "1"}, {"0", text.toUtf8()}});
    fx.show(ViewTabPast);
    return {firstRowHint(fx.list("ListView4")), u"\""_s + text + u"\""_s};
}

QPair<QString, QString> dayListCell(const QString& text) {
    ViewsFixture fx(clockAt);
    writeAlarmToday(fx.events(), text.toUtf8());
    fx.show(EditTab);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton54"), Qt::LeftButton);
    return {firstRowHint(fx.list("ListView6")), u"\""_s + text + u"\""_s};
}

QPair<QString, QString> addressBookCell(const QString& text) {
    ViewsFixture fx(clockAt);
    write(fx.form().addressBookStore(), "0",
          {{"name", text.toUtf8()}, {"address", ""}, {"phone", ""}, {"email", ""}, {"other", ""}});
    fx.show(AddressTab);
    auto* table = fx.find<QTableWidget>("ListView5");
    return {toolTipAt(table->viewport(), table->visualItemRect(table->item(0, 0)).center()), text};
}

QPair<QString, QString> alarmWindow(const QString& text) {
    NotifyFixture f;
    NotificationWindows windows(f.services);
    AlarmNotice notice;
    notice.header = u"This Alarm scheduled for:\n"_s + text;
    notice.lines = {text};
    windows.showAlarm(notice);
    QPointer<TForm2> window;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* alarm = qobject_cast<TForm2*>(widget))
            window = alarm;
    if (!window)
        return {};
    const QString shown = ShownText::ofLabel(window->ProgLabel) + u'|' + ShownText::ofLabel(window->Label);
    window->close();
    return {shown, notice.header + u'|' + text + u'\n'};
}

QPair<QString, QString> birthdayWindow(const QString& text) {
    NotifyFixture f;
    NotificationWindows windows(f.services);
    BirthdayNotice notice;
    notice.greeting = text + u" is now\n26 Years Old."_s;
    notice.sound = false;
    notice.showStopSound = false;
    windows.showBirthday(notice);
    QPointer<TForm4> window;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* birthday = qobject_cast<TForm4*>(widget))
            window = birthday;
    if (!window)
        return {};
    const QString shown = ShownText::ofLabel(window->BirthLabel);
    window->close();
    return {shown, notice.greeting};
}

QPair<QString, QString> countdownWindow(const QString& text) {
    NotifyFixture f;
    TForm3 window(f.services);
    window.actionName = text;
    window.show();
    return {ShownText::ofLabel(window.Shut), u"System will "_s + text + u"\nAutomatically in 30 sec"_s};
}

QPair<QString, QString> messageWindow(const QString& text) {
    TMsgfrm::setAutoAnswer(true);
    TMsgfrm message;
    message.ShowMsg(text);
    TMsgfrm::setAutoAnswer(false);
    return {ShownText::ofLabel(message.Message), u"\n"_s + text};
}

const QMap<QString, Place>& places() {
    static const QMap<QString, Place> all{
        {u"diary mark"_s, diaryMark},
        {u"calendar view, alarm hint"_s, calendarAlarmHint},
        {u"calendar view, birthday hint"_s, calendarBirthdayHint},
        {u"tray hint"_s, trayHint},
        {u"alarm list cell"_s, alarmListCell},
        {u"birthday list cell"_s, birthdayListCell},
        {u"past alarm list cell"_s, pastAlarmListCell},
        {u"day list cell"_s, dayListCell},
        {u"address book cell"_s, addressBookCell},
        {u"alarm window"_s, alarmWindow},
        {u"birthday window"_s, birthdayWindow},
        {u"countdown window"_s, countdownWindow},
        {u"message window"_s, messageWindow},
    };
    return all;
}

} // namespace

class tst_ShownTexts : public QObject {
    Q_OBJECT

private slots:
    void userTextShowsLiterally_data();
    void userTextShowsLiterally();
};

void tst_ShownTexts::userTextShowsLiterally_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("text");
    const QStringList texts{u"<b>bold</b> &amp; <img src=x>"_s, u"<b>bold</b> & <i>it"_s, u"a &lt;tag&gt; typed"_s};
    for (auto place = places().cbegin(); place != places().cend(); ++place)
        for (const QString& text : texts)
            QTest::addRow("%s: %s", qPrintable(place.key()), qPrintable(text)) << place.key() << text;
}

void tst_ShownTexts::userTextShowsLiterally() {
    QFETCH(QString, place);
    QFETCH(QString, text);
    const auto [shown, expected] = places().value(place)(text);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(tst_ShownTexts)
#include "tst_ShownTexts.moc"
