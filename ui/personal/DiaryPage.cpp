#include "ui/personal/DiaryPage.h"

#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryNotes.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QColor noteMark(255, 0, 0);

} // namespace

DiaryPage::DiaryPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("CalendarTab"));
    setAccessibleName(tr("Diary"));

    lab = named(new ShadowLabel(tr("Diary"), this), "lab");
    myaSuperLabel67 = named(new QLabel(tr("Select a Date to Add Your Notes"), this), "myaSuperLabel67");
    DateTimePicker7 = named(new DateField(DateField::Kind::Date, this), "DateTimePicker7");
    DateTimePicker7->setDropDown(false);
    DateTimePicker7->setAccessibleName(tr("Diary date"));
    MonthCalendar2 = named(new MonthCalendar(this), "MonthCalendar2");
    MonthCalendar2->setAccessibleName(tr("Diary calendar"));
    myaSuperLabel67->setBuddy(DateTimePicker7);
    DsFancyButton43 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton43");
    DsFancyButton43->setAccessibleName(tr("Back to the main menu"));
    DsFancyButton43->addShortcut(QKeySequence(Qt::Key_Escape));
    DsFancyButton44 = named(new FancyButton(tr("&Edit>>"), this), "DsFancyButton44");
    DsFancyButton44->setAccessibleName(tr("Open the note of the date"));
    DsFancyButton44->setDefault(true);

    // The keys act anywhere on the page; a text field that wants Delete for itself keeps it.
    PopupMenu5 = named(new QMenu(this), "PopupMenu5");
    EditDate1 = named(PopupMenu5->addAction(tr("Edit Date")), "EditDate1");
    EditDate1->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    DeleteEvent1 = named(PopupMenu5->addAction(tr("Delete Entry")), "DeleteEvent1");
    DeleteEvent1->setShortcut(QKeySequence(Qt::Key_Delete));
    for (QAction* action : {EditDate1, DeleteEvent1}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(myaSuperLabel67);
    dateRow->addStretch();
    dateRow->addWidget(DateTimePicker7);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton43);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton44);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(lab);
    layout->addLayout(dateRow);
    layout->addWidget(MonthCalendar2, 1);
    layout->addLayout(buttons);
    setFocusProxy(MonthCalendar2);

    connect(MonthCalendar2, &MonthCalendar::monthChanged, this,
            [this](QDate, QDate date) { MonthCalendar2MonthChange(date); });
    connect(MonthCalendar2, &MonthCalendar::yearChanged, this,
            [this](QDate, QDate date) { MonthCalendar2YearChange(date); });
    connect(MonthCalendar2, &MonthCalendar::dayChanged, this, &DiaryPage::MonthCalendar2DayChange);
    connect(MonthCalendar2, &MonthCalendar::daySelected, this, &DiaryPage::MonthCalendar2DaySelect);
    connect(DateTimePicker7, &DateField::dateChanged, this, &DiaryPage::DateTimePicker7Change);
    connect(DsFancyButton43, &FancyButton::clicked, this, &DiaryPage::DsFancyButton43Click);
    connect(DsFancyButton44, &FancyButton::clicked, this, &DiaryPage::DsFancyButton44Click);
    connect(EditDate1, &QAction::triggered, this, &DiaryPage::EditDate1Click);
    connect(DeleteEvent1, &QAction::triggered, this, &DiaryPage::DeleteEvent1Click);
}

QDate DiaryPage::calendarDate() const {
    return MonthCalendar2->date();
}

void DiaryPage::setCalendarDate(QDate date) {
    MonthCalendar2->setDate(date);
}

void DiaryPage::setPickerDate(QDate date) {
    const QSignalBlocker quiet(DateTimePicker7);
    DateTimePicker7->setDate(date);
}

void DiaryPage::CalendarTabShow() {
    if (m_context.edit.returnToEditor)
        m_context.edit.returnToEditor = false;
    else
        setCalendarDate(DayCount::toDate(m_context.clock.now()));
    rebuildMarks(calendarDate());
    // The page's own selection of its date counts as a first click, never as a second one: showing the page
    // twice in quick succession must not open a note.
    m_lastSelected = calendarDate();
    m_daySelect.restart(m_context.clock.monotonicMs());
    MonthCalendar2->setFocus();
}

void DiaryPage::rebuildMarks(QDate date) {
    MonthCalendar2->beginUpdate();
    MonthCalendar2->clearMarks();
    setCalendarDate(date);
    setPickerDate(date);
    const TXMLIniFile& diary = m_context.stores.diaryStore();
    for (int d = 1; d <= date.daysInMonth(); ++d) {
        const QDate day(date.year(), date.month(), d);
        const QByteArray section = DiaryNotes::section(day);
        if (diary.HasSection(section))
            MonthCalendar2->addMark(day, noteMark, DiaryNotes::hint(diary, section));
    }
    MonthCalendar2->endUpdate();
}

void DiaryPage::MonthCalendar2MonthChange(QDate date) {
    rebuildMarks(date);
}

void DiaryPage::MonthCalendar2YearChange(QDate date) {
    rebuildMarks(date);
}

void DiaryPage::MonthCalendar2DayChange(QDate date) {
    setCalendarDate(date);
    setPickerDate(date);
}

// A quick second click on the day already selected opens its note; the first click only selects.
void DiaryPage::MonthCalendar2DaySelect(QDate date) {
    const bool quick = m_daySelect.choose(m_context.clock.monotonicMs());
    if (date.year() != calendarDate().year() || date.month() != calendarDate().month())
        return;
    const QDate old = m_lastSelected;
    m_lastSelected = calendarDate();
    setPickerDate(calendarDate());
    if (old != calendarDate())
        return;
    if (quick)
        DsFancyButton44Click();
}

// The marks stay as they were: a date in another month shows that month unmarked until it is rebuilt.
void DiaryPage::DateTimePicker7Change() {
    setCalendarDate(DateTimePicker7->date());
}

void DiaryPage::DsFancyButton44Click() {
    emit dayRequested(calendarDate());
    m_context.navigation.showPage(EditCalendarTab);
}

void DiaryPage::EditDate1Click() {
    DsFancyButton44Click();
}

void DiaryPage::DeleteEvent1Click() {
    const int index = MonthCalendar2->indexOfMark(calendarDate());
    if (index < 0)
        return;
    MonthCalendar2->beginUpdate();
    MonthCalendar2->deleteMark(index);
    MonthCalendar2->endUpdate();
    m_context.stores.diaryStore().EraseSection(DiaryNotes::section(calendarDate()));
}

void DiaryPage::DsFancyButton43Click() {
    m_context.navigation.showPage(MainTab);
}
