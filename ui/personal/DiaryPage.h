#pragma once

#include "widgets/SecondClick.h"
#include <QDate>

#include <QWidget>

class DateField;
class FancyButton;
class MonthCalendar;
class ShadowLabel;
struct PageContext;
class QAction;
class QLabel;
class QMenu;

// "Diary": a month calendar that marks every date holding a note, with the note's first line as the day's
// hint. The calendar's date is the diary's selected date for the whole process; the note page belongs to it.
// Enter opens the note, Delete erases it at once.
class DiaryPage final : public QWidget {
    Q_OBJECT
public:
    explicit DiaryPage(PageContext& context, QWidget* parent = nullptr);

    ShadowLabel* lab = nullptr;             // "Diary"
    FancyButton* DsFancyButton43 = nullptr; // "<<Back"
    FancyButton* DsFancyButton44 = nullptr; // "Edit>>"
    QLabel* myaSuperLabel67 = nullptr;      // "Select a Date to Add Your Notes"
    DateField* DateTimePicker7 = nullptr;   // mirrors the calendar
    MonthCalendar* MonthCalendar2 = nullptr;
    QMenu* PopupMenu5 = nullptr; // never opened: its items are there for their keys
    QAction* EditDate1 = nullptr;
    QAction* DeleteEvent1 = nullptr;

    void CalendarTabShow();
    void MonthCalendar2MonthChange(QDate date);
    void MonthCalendar2YearChange(QDate date);
    void MonthCalendar2DayChange(QDate date);
    void MonthCalendar2DaySelect(QDate date);
    void DateTimePicker7Change();
    void DsFancyButton44Click();
    void EditDate1Click();
    void DeleteEvent1Click();
    void DsFancyButton43Click();

    // The selected diary date; the note page writes its note for it and moves it (through the main window).
    QDate calendarDate() const;
    void setCalendarDate(QDate date);

signals:
    // "Edit>>": the note page is to open the note of date.
    void dayRequested(QDate date);

private:
    void rebuildMarks(QDate date);
    void setPickerDate(QDate date);

    PageContext& m_context;
    // When a day was last clicked (clock.monotonicMs()): a second click soon after opens the day.
    SecondClick m_daySelect;
    // The day of the last selection: the date field already follows the calendar when the click arrives, so it
    // cannot tell a second click on the same day from a first one.
    QDate m_lastSelected;
};
