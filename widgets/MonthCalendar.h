#pragma once

#include <QCalendarWidget>
#include <QColor>
#include <QDate>
#include <QList>
#include <QPointer>

class QTableView;

// A month grid that marks chosen days and shows a hint per day: the calendar view of events and the diary, and
// the drop-down of DateField. Days of the neighbouring months are left blank and cannot be clicked; day and month
// names follow the locale. A marked day is drawn bold in its mark's colour with a dot of that colour under it;
// resting the pointer on it shows its hint as a tooltip.
//
//   date() / setDate(d)          the current (selected) date; setDate() moves there without any notification
//   day()                        the current day of the month
//   addMark(d, colour, hint)     mark a day; returns the mark's index
//   deleteMark(i), clearMarks()  remove marks; markCount(), mark(i), indexOfMark(d) (-1 when unmarked)
//   hint(d)                      the hint of a day, empty for an unmarked day
//   beginUpdate() / endUpdate()  batch many mark changes into one repaint (nestable)
//   dateAt(pos), dayRect(d)      hit test and cell rectangle in this widget's coordinates
//   setFramed(bool)              a thin frame around it (used for the drop-down)
// Notifications, for the user's actions only (never for setDate()):
//   daySelected(d)               a day was pressed with the left button: once for each press of a double click
//   dayChanged(d)                the current day moved within the shown month (click or arrow keys)
//   monthChanged(old, new)       the shown month changed within a year; the current date moves along with it
//   yearChanged(old, new)        the shown year changed (sent instead of monthChanged)
class MonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    struct Mark {
        QDate date;
        QColor colour;
        QString hint;
    };

    explicit MonthCalendar(QWidget* parent = nullptr);

    QDate date() const { return selectedDate(); }
    void setDate(QDate date);
    int day() const { return selectedDate().day(); }

    // A thin frame around the whole calendar, for when it floats over a page as a drop-down.
    void setFramed(bool framed);

    int addMark(QDate date, const QColor& colour, const QString& hint = QString());
    void deleteMark(int index);
    void clearMarks();
    int markCount() const { return int(m_marks.size()); }
    Mark mark(int index) const { return m_marks.value(index); }
    int indexOfMark(QDate date) const;
    QString hint(QDate date) const;

    void beginUpdate();
    void endUpdate();

    QDate dateAt(const QPoint& pos) const;
    QRect dayRect(QDate date) const;

signals:
    void daySelected(QDate date);
    void dayChanged(QDate date);
    void monthChanged(QDate oldDate, QDate newDate);
    void yearChanged(QDate oldDate, QDate newDate);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isShown(QDate date) const;
    QDate dateOfIndex(int row, int column) const;
    void pageChanged(int year, int month);
    void selectionMoved();
    void pressed(QDate date, bool doubleClick);
    void announce(QDate oldDate, QDate newDate);
    void marksChanged();

    QList<Mark> m_marks;
    QPointer<QTableView> m_view;
    QDate m_current;
    QDate m_hovered;
    int m_batch = 0;
    bool m_silent = false;
    bool m_pressHeld = false; // a press on a day whose release has not come yet
    bool m_framed = false;
};
