#pragma once

#include <QDateTimeEdit>

class MonthCalendar;

// A date, date-and-time or time field in the locale's short formats (a two-digit year is widened to four).
// The date kinds drop down our own MonthCalendar, preset to the field's date; the day chosen there (click, or
// arrows and Enter) lands in the field with the field's time of day unchanged, so a date field can carry the
// time of a moment while showing only its date. F4 and Alt+Down open the drop-down from the keyboard. While it is
// open the field follows the day under the keyboard; Escape or a click outside closes it and puts the field back
// as it was. setDropDown(false) shows up / down buttons instead (the diary's date fields).
//
//   DateField(kind)              Kind::Date, Kind::DateTime or Kind::Time (a time field has up / down buttons)
//   dateTime() / setDateTime()   the full value, whatever the kind shows
//   dropCalendar()               the drop-down calendar (nullptr for a time field or without drop-down)
//   showDropDown()               open the drop-down by program
class DateField : public QDateTimeEdit {
    Q_OBJECT
public:
    enum class Kind { Date, DateTime, Time };

    explicit DateField(QWidget* parent = nullptr);
    explicit DateField(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }

    void setDropDown(bool on);
    bool hasDropDown() const { return calendarPopup(); }
    MonthCalendar* dropCalendar() const;
    void showDropDown();

    // The locale's short date format with a four-digit year: "dd/MM/yyyy" for en_GB.
    static QString shortDateFormat(const QLocale& locale);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Kind m_kind;
    QDateTime m_valueAtOpen;
    bool m_cancelled = false;
};
