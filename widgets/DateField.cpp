#include "widgets/DateField.h"

#include "widgets/MonthCalendar.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyleOptionComboBox>

DateField::DateField(QWidget* parent)
    : DateField(Kind::Date, parent) {}

DateField::DateField(Kind kind, QWidget* parent)
    : QDateTimeEdit(QDateTime::currentDateTime(), parent)
    , m_kind(kind) {
    const QLocale here = locale();
    const QString time = here.timeFormat(QLocale::ShortFormat);
    switch (kind) {
    case Kind::Date:
        setDisplayFormat(shortDateFormat(here));
        break;
    case Kind::DateTime:
        setDisplayFormat(shortDateFormat(here) + u' ' + time);
        break;
    case Kind::Time:
        setDisplayFormat(time);
        break;
    }
    setFocusPolicy(Qt::StrongFocus);
    setDropDown(kind != Kind::Time);
}

QString DateField::shortDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // A lone "yy" would make the field read 25 as 1925.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

void DateField::setDropDown(bool on) {
    if (m_kind == Kind::Time)
        on = false;
    if (on == calendarPopup() && (!on || dropCalendar()))
        return;
    setCalendarPopup(on);
    if (on) {
        // The popup takes the calendar over and deletes it with itself.
        auto* calendar = new MonthCalendar(this);
        calendar->setObjectName(QStringLiteral("dropCalendar"));
        calendar->setFramed(true);
        // The popup is sized from the calendar's hint, which leaves the six weeks cramped; give them room.
        const int line = fontMetrics().height();
        calendar->setMinimumSize(line * 17, line * 14);
        setCalendarWidget(calendar);
        // The popup now holds the calendar; it is watched for how it closes.
        calendar->window()->installEventFilter(this);
    }
}

MonthCalendar* DateField::dropCalendar() const {
    return calendarPopup() ? qobject_cast<MonthCalendar*>(calendarWidget()) : nullptr;
}

void DateField::showDropDown() {
    if (!calendarPopup() || !isEnabled() || isReadOnly())
        return;
    // QDateTimeEdit opens its drop-down only from a press on its arrow; that press is what we send.
    QStyleOptionComboBox combo;
    combo.initFrom(this);
    combo.editable = true;
    combo.frame = hasFrame();
    combo.subControls = QStyle::SC_ComboBoxArrow;
    QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxArrow, this);
    if (!arrow.isValid())
        arrow = QRect(width() - height(), 0, height(), height());
    const QPointF at = arrow.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    mousePressEvent(&press);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier);
    if (calendarPopup() && (event->key() == Qt::Key_F4 || altDown)) {
        event->accept();
        showDropDown();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

bool DateField::eventFilter(QObject* watched, QEvent* event) {
    const MonthCalendar* calendar = dropCalendar();
    if (calendar && watched == calendar->window()) {
        auto* popup = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Show:
            m_valueAtOpen = dateTime();
            m_cancelled = false;
            break;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel))
                m_cancelled = true;
            break;
        case QEvent::MouseButtonPress:
            if (!popup->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                m_cancelled = true;
            break;
        case QEvent::Hide:
            // The calendar writes every day it passes into the field; a close without a choice undoes that.
            if (m_cancelled && m_valueAtOpen.isValid())
                setDateTime(m_valueAtOpen);
            m_cancelled = false;
            break;
        default:
            break;
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}
