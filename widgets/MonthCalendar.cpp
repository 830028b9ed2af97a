#include "widgets/MonthCalendar.h"

#include "widgets/PlainTip.h"
#include "widgets/Theme.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QTableView>
#include <QTextCharFormat>
#include <QToolTip>

MonthCalendar::MonthCalendar(QWidget* parent)
    : QCalendarWidget(parent) {
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);

    // Weekends are not special in a reminder: every day name is drawn alike (the day cells are painted here).
    QTextCharFormat header;
    header.setForeground(palette().color(QPalette::PlaceholderText));
    header.setFontWeight(QFont::DemiBold);
    setHeaderTextFormat(header);
    for (int d = Qt::Monday; d <= Qt::Sunday; ++d)
        setWeekdayTextFormat(Qt::DayOfWeek(d), header);

    m_view = findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    if (m_view) {
        // The item margins would cut the widest day name to "W..." although the name itself fits.
        m_view->setTextElideMode(Qt::ElideNone);
        m_view->viewport()->installEventFilter(this);
        m_view->viewport()->setMouseTracking(true);
        m_view->installEventFilter(this);
    }
    // Qt's arrow buttons show only a picture, so a screen reader would have nothing to call them.
    for (const auto& [name, spoken] : {std::pair{"qt_calendar_prevmonth", QT_TR_NOOP("Previous month")},
                                       std::pair{"qt_calendar_nextmonth", QT_TR_NOOP("Next month")}}) {
        if (auto* arrow = findChild<QWidget*>(QLatin1String(name)))
            arrow->setAccessibleName(tr(spoken));
    }
    m_current = selectedDate();
    connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendar::pageChanged);
    connect(this, &QCalendarWidget::selectionChanged, this, &MonthCalendar::selectionMoved);
}

void MonthCalendar::setFramed(bool framed) {
    if (m_framed == framed)
        return;
    m_framed = framed;
    if (layout())
        layout()->setContentsMargins(framed ? QMargins(1, 1, 1, 1) : QMargins());
    update();
}

void MonthCalendar::paintEvent(QPaintEvent* event) {
    if (!m_framed) {
        QCalendarWidget::paintEvent(event);
        return;
    }
    // The children cover all but the one-pixel margin, which is left in the frame colour.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Light));
}

void MonthCalendar::setDate(QDate date) {
    if (!date.isValid())
        return;
    m_silent = true;
    setSelectedDate(date);
    setCurrentPage(selectedDate().year(), selectedDate().month());
    m_silent = false;
    m_current = selectedDate();
}

int MonthCalendar::addMark(QDate date, const QColor& colour, const QString& hint) {
    m_marks.append(Mark{date, colour, hint});
    marksChanged();
    return int(m_marks.size()) - 1;
}

void MonthCalendar::deleteMark(int index) {
    if (index < 0 || index >= m_marks.size())
        return;
    m_marks.removeAt(index);
    marksChanged();
}

void MonthCalendar::clearMarks() {
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    marksChanged();
}

int MonthCalendar::indexOfMark(QDate date) const {
    for (int i = 0; i < m_marks.size(); ++i) {
        if (m_marks.at(i).date == date)
            return i;
    }
    return -1;
}

QString MonthCalendar::hint(QDate date) const {
    const int index = indexOfMark(date);
    return index < 0 ? QString() : m_marks.at(index).hint;
}

void MonthCalendar::beginUpdate() {
    ++m_batch;
}

void MonthCalendar::endUpdate() {
    if (m_batch == 0)
        return;
    if (--m_batch == 0)
        marksChanged();
}

void MonthCalendar::marksChanged() {
    if (m_batch == 0)
        updateCells();
}

bool MonthCalendar::isShown(QDate date) const {
    return date.isValid() && date.year() == yearShown() && date.month() == monthShown();
}

QDate MonthCalendar::dateOfIndex(int row, int column) const {
    if (!m_view || !m_view->model())
        return {};
    // The grid holds a header row, then six weeks; a cell shows only its day number, so which month it belongs
    // to follows from where it stands: high numbers in the first week are last month's, low ones in the last
    // two weeks next month's.
    const QModelIndex index = m_view->model()->index(row, column);
    bool ok = false;
    const int dayNumber = index.data(Qt::DisplayRole).toInt(&ok);
    if (!ok || dayNumber < 1)
        return {};
    const int rows = m_view->model()->rowCount();
    const int week = row - (rows - 6);
    if (week < 0)
        return {};
    const QDate first(yearShown(), monthShown(), 1);
    if (week == 0 && dayNumber > 7)
        return first.addMonths(-1).addDays(dayNumber - 1);
    if (week >= 4 && dayNumber <= 14)
        return first.addMonths(1).addDays(dayNumber - 1);
    return first.addDays(dayNumber - 1);
}

QDate MonthCalendar::dateAt(const QPoint& pos) const {
    if (!m_view)
        return {};
    const QPoint inViewport = m_view->viewport()->mapFrom(this, pos);
    const QModelIndex index = m_view->indexAt(inViewport);
    if (!index.isValid())
        return {};
    const QDate date = dateOfIndex(index.row(), index.column());
    return isShown(date) ? date : QDate();
}

QRect MonthCalendar::dayRect(QDate date) const {
    if (!m_view || !m_view->model() || !isShown(date))
        return {};
    const QAbstractItemModel* model = m_view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (dateOfIndex(row, column) == date) {
                const QRect inViewport = m_view->visualRect(model->index(row, column));
                return QRect(m_view->viewport()->mapTo(this, inViewport.topLeft()), inViewport.size());
            }
        }
    }
    return {};
}

void MonthCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
    if (!isShown(date))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const int index = indexOfMark(date);
    const bool marked = index >= 0;
    const bool selected = date == selectedDate();
    const QColor accent = pal.color(QPalette::Active, QPalette::Highlight);
    const QRectF cell = QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = qMin(cell.width(), cell.height()) * 0.28;

    if (selected) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(accent);
        painter->drawRoundedRect(cell, radius, radius);
        if (m_view && m_view->hasFocus()) {
            painter->setPen(QPen(pal.color(QPalette::Active, QPalette::HighlightedText), 1.2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(cell.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
        }
    } else if (date == m_hovered && isEnabled()) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(pal.color(QPalette::Active, QPalette::Button).lighter(115));
        painter->drawRoundedRect(cell, radius, radius);
    } else if (marked) {
        QColor wash = m_marks.at(index).colour;
        wash.setAlpha(38);
        painter->setPen(Qt::NoPen);
        painter->setBrush(wash);
        painter->drawRoundedRect(cell, radius, radius);
    }
    if (date == QDate::currentDate()) {
        painter->setPen(QPen(Theme::chosenColour(), 1.4));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(cell.adjusted(0.7, 0.7, -0.7, -0.7), radius, radius);
    }

    QFont number = font();
    QColor ink = pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    if (marked) {
        number.setBold(true);
        ink = m_marks.at(index).colour;
    }
    if (selected)
        ink = marked ? ink.lighter(110) : pal.color(QPalette::Active, QPalette::HighlightedText);
    painter->setFont(number);
    painter->setPen(ink);
    painter->drawText(cell, Qt::AlignCenter, QString::number(date.day()));

    if (marked) {
        const qreal dot = qMax(1.5, cell.height() / 11.0);
        const QPointF centre(cell.center().x(), cell.bottom() - dot * 1.8);
        painter->setPen(selected ? QPen(pal.color(QPalette::Active, QPalette::HighlightedText), 0.8) : Qt::NoPen);
        painter->setBrush(m_marks.at(index).colour);
        painter->drawEllipse(centre, dot, dot);
    }
    painter->restore();
}

// The year field settles its year on Enter and then passes the key on, for a dialog's default button; on a page
// it would press the page's "Next>>" instead.
void MonthCalendar::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QSpinBox*>(focusWidget()) && isAncestorOf(focusWidget())) {
        event->accept();
        return;
    }
    QCalendarWidget::keyPressEvent(event);
}

bool MonthCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (m_view && watched == m_view->viewport()) {
        switch (event->type()) {
        case QEvent::ToolTip: {
            auto* help = static_cast<QHelpEvent*>(event);
            const QPoint here = m_view->viewport()->mapTo(this, help->pos());
            const QDate date = dateAt(here);
            const QString text = hint(date);
            if (text.isEmpty()) {
                QToolTip::hideText();
                event->ignore();
            } else {
                const QRect cell = dayRect(date);
                QToolTip::showText(help->globalPos(), PlainTip::text(text), this, cell);
            }
            return true;
        }
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            const QDate date = dateAt(m_view->viewport()->mapTo(this, move->position().toPoint()));
            if (date != m_hovered) {
                m_hovered = date;
                m_view->viewport()->update();
            }
            break;
        }
        case QEvent::Leave:
            if (m_hovered.isValid()) {
                m_hovered = QDate();
                m_view->viewport()->update();
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            // Blank cells of the neighbouring months are not there to be clicked.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint here = m_view->viewport()->mapTo(this, mouse->position().toPoint());
            const QDate date = dateAt(here);
            if (m_view->indexAt(mouse->position().toPoint()).isValid() && !date.isValid())
                return true;
            if (event->type() == QEvent::MouseButtonRelease)
                m_pressHeld = false;
            else if (mouse->button() == Qt::LeftButton && date.isValid())
                pressed(date, event->type() == QEvent::MouseButtonDblClick);
            break;
        }
        default:
            break;
        }
    } else if (m_view && watched == m_view && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        m_view->viewport()->update();
    }
    return QCalendarWidget::eventFilter(watched, event);
}

// Qt delivers the second press of a double click as a double-click event only, and the grid reports no click for
// it: fed from its release, a day selection would never see the second click. So every press selects its day at
// once, the double click included; a platform that sends both the press and the double-click event for the same
// press has it counted once.
void MonthCalendar::pressed(QDate date, bool doubleClick) {
    if (doubleClick && m_pressHeld)
        return;
    m_pressHeld = !doubleClick;
    if (date != selectedDate())
        setSelectedDate(date); // tells dayChanged as a release would
    emit daySelected(date);
}

void MonthCalendar::pageChanged(int year, int month) {
    if (m_silent)
        return;
    QDate moved = selectedDate();
    if (moved.year() != year || moved.month() != month) {
        // The month was turned with the arrows or the menu: the current day goes along, kept within the month.
        const QDate first(year, month, 1);
        moved = first.addDays(qMin(m_current.day(), first.daysInMonth()) - 1);
        m_silent = true;
        setSelectedDate(moved);
        m_silent = false;
    }
    announce(m_current, selectedDate());
}

void MonthCalendar::selectionMoved() {
    if (m_silent)
        return;
    const QDate now = selectedDate();
    if (now == m_current)
        return;
    if (now.year() != m_current.year() || now.month() != m_current.month()) {
        announce(m_current, now);
        return;
    }
    m_current = now;
    emit dayChanged(now);
}

void MonthCalendar::announce(QDate oldDate, QDate newDate) {
    m_current = newDate;
    if (oldDate.year() != newDate.year())
        emit yearChanged(oldDate, newDate);
    else if (oldDate.month() != newDate.month())
        emit monthChanged(oldDate, newDate);
}
