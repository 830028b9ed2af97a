#include "ui/views/CalendarViewPage.h"

#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "widgets/FancyButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QColor markColour(255, 255, 0);

} // namespace

CalendarViewPage::CalendarViewPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("EditTab"));
    setAccessibleName(tr("View Events"));

    myaSuperLabel77 = named(new ShadowLabel(tr("View Events"), this), "myaSuperLabel77");
    PlannerCalendar1 = named(new MonthCalendar(this), "PlannerCalendar1");
    PlannerCalendar1->setAccessibleName(tr("Events calendar"));
    // The grid inside the calendar has the keyboard focus.
    if (auto* grid = PlannerCalendar1->findChild<QTableView*>())
        grid->installEventFilter(this);
    DsFancyButton54 = named(new FancyButton(tr("&Show>>"), this), "DsFancyButton54");
    DsFancyButton54->setAccessibleName(tr("Show the events of the day"));
    DsFancyButton54->setDefault(true);
    DsFancyButton54->setEnabled(false);
    myLabel3d31 = named(new LinkLabel(tr("Switch to C&lassic View"), this), "myLabel3d31");
    DsFancyButton53 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton53");
    DsFancyButton53->setAccessibleName(tr("Back to the main menu"));
    DsFancyButton53->addShortcut(QKeySequence(Qt::Key_Escape));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton53);
    buttons->addWidget(myLabel3d31);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton54);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel77);
    layout->addWidget(PlannerCalendar1, 1);
    layout->addLayout(buttons);

    connect(PlannerCalendar1, &MonthCalendar::monthChanged, this, &CalendarViewPage::PlannerCalendar1MonthChange);
    connect(PlannerCalendar1, &MonthCalendar::yearChanged, this, &CalendarViewPage::PlannerCalendar1YearChange);
    connect(PlannerCalendar1, &MonthCalendar::daySelected, this, &CalendarViewPage::PlannerCalendar1DaySelect);
    connect(PlannerCalendar1, &MonthCalendar::dayChanged, this, &CalendarViewPage::PlannerCalendar1DayChange);
    connect(DsFancyButton54, &FancyButton::clicked, this, &CalendarViewPage::DsFancyButton54Click);
    connect(myLabel3d31, &LinkLabel::clicked, this, &CalendarViewPage::myLabel3d31Click);
    connect(DsFancyButton53, &FancyButton::clicked, this, &CalendarViewPage::DsFancyButton43Click);

    setTabOrder(PlannerCalendar1, DsFancyButton53);
    setTabOrder(DsFancyButton53, myLabel3d31);
    setTabOrder(myLabel3d31, DsFancyButton54);
}

void CalendarViewPage::EditTabShow() {
    if (m_context.edit.returnToEditor) {
        // Back from the day list: the same month and day, with what was deleted there gone.
        m_context.edit.returnToEditor = false;
        refresh(PlannerCalendar1->date());
        PlannerCalendar1->setFocus();
        return;
    }
    if (m_context.edit.editFromCalendar) {
        // The commit of an edit made here has already shown the record's month.
        m_context.edit.editFromCalendar = false;
    } else {
        const QDate today = DayCount::toDate(m_context.clock.now());
        PlannerCalendar1->setDate(today);
        refresh(today);
    }
    PlannerCalendar1->setFocus();
    m_context.stores.settingsStore().WriteFlag(SettingsKey::Section, SettingsKey::Classic, false);
    enableShow();
}

void CalendarViewPage::refresh(QDate date) {
    m_dayEvents = CalendarMonth::collect(m_table, m_context.stores.eventStore(), date);
    PlannerCalendar1->beginUpdate();
    PlannerCalendar1->clearMarks();
    for (const CalendarMonth::DayEvents& day : m_dayEvents)
        PlannerCalendar1->addMark(QDate(date.year(), date.month(), day.day), markColour, day.hint);
    PlannerCalendar1->endUpdate();
    enableShow();
}

void CalendarViewPage::enableShow() {
    DsFancyButton54->setEnabled(PlannerCalendar1->markCount() > 0 &&
                                PlannerCalendar1->indexOfMark(PlannerCalendar1->date()) >= 0);
}

void CalendarViewPage::showMonthOf(QDate day) {
    const QDate previous = PlannerCalendar1->date();
    PlannerCalendar1->setDate(day);
    emit PlannerCalendar1->monthChanged(previous, day);
}

void CalendarViewPage::PlannerCalendar1MonthChange(QDate /*oldDate*/, QDate newDate) {
    refresh(newDate);
}

void CalendarViewPage::PlannerCalendar1YearChange(QDate /*oldDate*/, QDate newDate) {
    refresh(newDate);
}

void CalendarViewPage::PlannerCalendar1DayChange() {
    enableShow();
}

void CalendarViewPage::PlannerCalendar1DaySelect(QDate date) {
    const bool again = m_daySelect.choose(m_context.clock.monotonicMs());
    if (date.month() == PlannerCalendar1->date().month() && again)
        DsFancyButton54Click();
}

void CalendarViewPage::DsFancyButton54Click() {
    const int day = PlannerCalendar1->day();
    const auto found = std::find_if(m_dayEvents.cbegin(), m_dayEvents.cend(),
                                    [day](const CalendarMonth::DayEvents& events) { return events.day == day; });
    // A day without events empties the day list and stays here.
    if (found == m_dayEvents.cend()) {
        emit dayRequested(PlannerCalendar1->date(), {});
        return;
    }
    emit dayRequested(PlannerCalendar1->date(), found->sections);
    m_context.navigation.showPage(EditViewTab);
}

void CalendarViewPage::myLabel3d31Click() {
    m_context.navigation.showPage(m_context.edit.listPage + 3);
    m_context.stores.settingsStore().WriteFlag(SettingsKey::Section, SettingsKey::Classic, true);
}

void CalendarViewPage::DsFancyButton43Click() {
    m_context.navigation.showPage(MainTab);
}

bool CalendarViewPage::eventFilter(QObject* watched, QEvent* event) {
    // Enter on the calendar opens the day, as "Show>>" does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && DsFancyButton54->isEnabled()) {
            DsFancyButton54Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
