#include "ui/editors/ConfirmationPage.h"

#include "app/PageIndex.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/TextPreview.h"
#include "store/XMLIniFile.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/BirthdayEditorPage.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/PowerActionEditorPage.h"
#include "widgets/FancyButton.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

ConfirmationPage::ConfirmationPage(TForm1& form, QWidget* parent)
    : QWidget(parent)
    , m_form(form) {
    setObjectName(QStringLiteral("ConfirmTab"));
    setAccessibleName(QStringLiteral("Confirmation"));

    myaSuperLabel14 = new ShadowLabel(QStringLiteral("Confirmation"), this);
    myaSuperLabel14->setObjectName(QStringLiteral("myaSuperLabel14"));

    Conf2 = new ShadowLabel(this);
    Conf2->setObjectName(QStringLiteral("Conf2"));
    Conf2->setScale(1.0);
    Conf2->setColour(QColor(192, 220, 192));
    Conf2->setShadowColour(Qt::gray);
    Conf2->setAlignment(Qt::AlignCenter);
    Conf2->setWordWrap(true);

    DsFancyButton29 = new FancyButton(QStringLiteral("<<Back"), this);
    DsFancyButton29->setObjectName(QStringLiteral("DsFancyButton29"));
    DsFancyButton29->setAccessibleName(QStringLiteral("Back to the editor"));
    DsFancyButton28 = new FancyButton(QStringLiteral("OK"), this);
    DsFancyButton28->setObjectName(QStringLiteral("DsFancyButton28"));
    DsFancyButton28->setAccessibleName(QStringLiteral("Schedule it"));
    DsFancyButton28->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton29);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton28);

    // A long description, or many bypass lines, scrolls within the page instead of running under the buttons.
    ConfScroll = new QScrollArea(this);
    ConfScroll->setObjectName(QStringLiteral("ConfScroll"));
    ConfScroll->setFrameShape(QFrame::NoFrame);
    ConfScroll->setWidgetResizable(true);
    ConfScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConfScroll->setWidget(Conf2);
    ConfScroll->viewport()->setAutoFillBackground(false);
    Conf2->setAutoFillBackground(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 8);
    layout->addWidget(myaSuperLabel14);
    layout->addWidget(ConfScroll, 1);
    layout->addLayout(buttons);

    connect(DsFancyButton29, &FancyButton::clicked, this, &ConfirmationPage::DsFancyButton29Click);
    connect(DsFancyButton28, &FancyButton::clicked, this, &ConfirmationPage::DsFancyButton28Click);
}

void ConfirmationPage::setText(const QString& text) {
    Conf2->setText(TextPreview::breakable(text));
    ConfScroll->verticalScrollBar()->setValue(0);
    Conf2->setAccessibleDescription(text);
    DsFancyButton28->setFocus();
}

QString ConfirmationPage::text() const {
    return Conf2->accessibleDescription();
}

void ConfirmationPage::DsFancyButton29Click() {
    static constexpr int editors[3] = {AlarmTab, ShutTab, BirthTab};
    m_form.returnToEditor = true;
    m_form.showPage(editors[qBound(0, m_form.editorKind, 2)]);
}

void ConfirmationPage::DsFancyButton28Click() {
    switch (m_form.editorKind) {
    case 0:
        commitAlarm();
        break;
    case 1:
        commitPowerAction();
        break;
    case 2:
        commitBirthday();
        break;
    default:
        return;
    }
    // The next tick comes at once and finds the new or changed record.
    m_form.schedulerHost().scheduler().setInterval(50);
}

QByteArray ConfirmationPage::chosenSection() const {
    if (m_form.editFromList || m_form.editFromCalendar)
        return EditorPages::editedSection(m_form);
    return EventRecord::firstFreeSection(m_form.eventStore());
}

void ConfirmationPage::commitAlarm() {
    if (m_form.editPastAlarm)
        m_form.pastAlarmStore().EraseSection(EditorPages::editedSection(m_form));
    const QByteArray section = chosenSection();
    const EventCommit::AlarmRecord record = EditorPages::alarmPage(m_form)->record(EditorPages::now(m_form));
    EventCommit::writeAlarm(m_form.eventStore(), section, record);
    if (m_form.editFromList || m_form.editPastAlarm || m_form.menuChoice == 4) {
        m_form.editFromList = false;
        m_form.editPastAlarm = false;
        m_form.showPage(ViewTabAl);
    } else if (!m_form.editFromCalendar) {
        m_form.showPage(MainTab);
    }
    if (m_form.editFromCalendar)
        showCalendarAt(record.date);
}

void ConfirmationPage::commitPowerAction() {
    const QByteArray section = chosenSection();
    const EventCommit::PowerActionRecord record =
        EditorPages::powerActionPage(m_form)->record(EditorPages::now(m_form));
    EventCommit::writePowerAction(m_form.eventStore(), section, record);
    if (m_form.editFromList || m_form.menuChoice == 4) {
        m_form.editFromList = false;
        m_form.showPage(ViewTabShut);
    } else if (!m_form.editFromCalendar) {
        m_form.showPage(MainTab);
    }
    if (m_form.editFromCalendar)
        showCalendarAt(DayCount::addSeconds(record.moment, -EventCommit::powerCountdownSeconds));
}

void ConfirmationPage::commitBirthday() {
    const QByteArray section = chosenSection();
    const EventCommit::BirthdayRecord record = EditorPages::birthdayPage(m_form)->record(EditorPages::now(m_form));
    EventCommit::writeBirthday(m_form.eventStore(), section, record);
    if (m_form.editFromList || m_form.menuChoice == 4) {
        m_form.editFromList = false;
        m_form.showPage(ViewTabBirthDay);
    } else if (!m_form.editFromCalendar) {
        m_form.showPage(MainTab);
    }
    if (m_form.editFromCalendar)
        showCalendarAt(record.date);
}

// The calendar view refreshes its marks from its own month-change handler, which is bound to the month
// calendar's notice; the notice is given here as the user's paging would give it. editFromCalendar stays
// set: it tells the view's show handler that the date was chosen here and must not go back to today.
void ConfirmationPage::showCalendarAt(double date) {
    QWidget* view = m_form.PageControl1->widget(EditTab);
    if (auto* calendar = view ? view->findChild<MonthCalendar*>(QStringLiteral("PlannerCalendar1")) : nullptr) {
        const QDate previous = calendar->date();
        const QDate day = DayCount::toDate(date);
        calendar->setDate(day);
        emit calendar->monthChanged(previous, day);
    }
    m_form.showPage(EditTab);
}

void ConfirmationPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DsFancyButton28Click();
        return;
    case Qt::Key_Escape:
        DsFancyButton29Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
