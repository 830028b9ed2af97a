#pragma once

#include "scheduler/EventTable.h"
#include "ui/views/CalendarMonth.h"

#include "widgets/SecondClick.h"

#include <QWidget>

class FancyButton;
class LinkLabel;
class MonthCalendar;
class ShadowLabel;
struct PageContext;

// "View Events": a month calendar marking every day that holds an event of the event store, the day's events as
// the day's hint. "Show>>", Enter on the calendar or a double click on a marked day opens the day's list.
class CalendarViewPage final : public QWidget {
    Q_OBJECT
public:
    explicit CalendarViewPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* myaSuperLabel77 = nullptr; // "View Events"
    MonthCalendar* PlannerCalendar1 = nullptr;
    FancyButton* DsFancyButton54 = nullptr; // "Show>>"
    LinkLabel* myLabel3d31 = nullptr;       // "Switch to Classic View"
    FancyButton* DsFancyButton53 = nullptr; // "<<Back"

    // The marked days of the month shown.
    const QList<CalendarMonth::DayEvents>& dayEvents() const { return m_dayEvents; }

    void EditTabShow();
    // The commit of an edit made from here shows the record's month. The marks are refreshed from the month-change
    // handler, which is bound to the month calendar's notice; the notice is given here as the user's paging would
    // give it.
    void showMonthOf(QDate day);
    // Refresh the marks for the month of newDate; the commit of an edit made here calls it too.
    void PlannerCalendar1MonthChange(QDate oldDate, QDate newDate);
    void PlannerCalendar1YearChange(QDate oldDate, QDate newDate);
    void PlannerCalendar1DaySelect(QDate date);
    void PlannerCalendar1DayChange();
    void DsFancyButton54Click();
    void myLabel3d31Click();
    void DsFancyButton43Click();

signals:
    // "Show>>" on a day: the day list is to show the records of sections, or to be emptied when there are none.
    void dayRequested(QDate date, const QByteArrayList& sections);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh(QDate date);
    void enableShow();

    PageContext& m_context;
    // When a day was last clicked (clock.monotonicMs()): a second click soon after opens the day.
    SecondClick m_daySelect;
    QList<CalendarMonth::DayEvents> m_dayEvents;
    EventTable m_table; // the event store's dates, read again after a change
};
