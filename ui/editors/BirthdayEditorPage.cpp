#include "ui/editors/BirthdayEditorPage.h"

#include "context/EditRoute.h"
#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/ConfirmationText.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/SpinKeyFilter.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

namespace K = EventRecord::Key;

} // namespace

BirthdayEditorPage::BirthdayEditorPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("BirthTab"));
    setAccessibleName(tr("Birthday"));

    myaSuperLabel8 = named(new ShadowLabel(tr("New Birthday"), this), "myaSuperLabel8");
    myaSuperLabel4 = named(new QLabel(tr("Type his/her name:"), this), "myaSuperLabel4");
    Edit1 = named(new QLineEdit(this), "Edit1");
    Edit1->setMaxLength(100);
    Edit1->setAccessibleName(tr("Name"));
    myaSuperLabel4->setBuddy(Edit1);

    myaSuperLabel3 = named(new QLabel(tr("Select the Date of his/her Birth:"), this), "myaSuperLabel3");
    MonthCalendar1 = named(new MonthCalendar(this), "MonthCalendar1");
    MonthCalendar1->setAccessibleName(tr("Date of birth calendar"));
    myaSuperLabel3->setBuddy(MonthCalendar1);

    myaSuperLabel18 = named(new QLabel(tr("Selected Date of Birth:"), this), "myaSuperLabel18");
    DateTimePicker6 = named(new DateField(DateField::Kind::Date, this), "DateTimePicker6");
    DateTimePicker6->setDropDown(false);
    DateTimePicker6->setAccessibleName(tr("Date of birth"));
    myaSuperLabel18->setBuddy(DateTimePicker6);

    myaSuperLabel2 = named(new QLabel(tr("Notify me also:"), this), "myaSuperLabel2");
    CSpinEdit7 = named(new SpinEdit(0, MaximumDaysBefore, 0, this), "CSpinEdit7");
    CSpinEdit7->setAccessibleName(tr("Days before the birthday"));
    SpinKeyFilter::install(CSpinEdit7);
    EditorPages::fitToDigits(CSpinEdit7, 2);
    myaSuperLabel17 = named(new QLabel(tr("Days"), this), "myaSuperLabel17");
    myaSuperLabel16 = named(new QLabel(tr("before his/her Birthday"), this), "myaSuperLabel16");

    CheckBox4 = named(new QCheckBox(this), "CheckBox4");
    CheckBox4->setChecked(true);
    myaSuperLabel7 = named(new LabelToggle(tr("Notify me with &Sound"), CheckBox4, this), "myaSuperLabel7");
    // The captions beside the calendar wrap, so the calendar keeps the width its day names need.
    myaSuperLabel7->setWordWrap(true);
    for (QLabel* caption : {myaSuperLabel18, myaSuperLabel2, myaSuperLabel16})
        caption->setWordWrap(true);

    DsFancyButton6 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton6");
    DsFancyButton7 = named(new FancyButton(tr("&Next>>"), this), "DsFancyButton7");
    DsFancyButton7->setDefault(true);

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(myaSuperLabel4);
    left->addWidget(Edit1);
    left->addWidget(myaSuperLabel3);
    left->addWidget(MonthCalendar1, 1);

    auto* before = new QHBoxLayout;
    before->addWidget(CSpinEdit7);
    before->addWidget(myaSuperLabel17);
    before->addStretch();
    auto* sound = new QHBoxLayout;
    sound->setSpacing(2);
    sound->addWidget(CheckBox4);
    sound->addWidget(myaSuperLabel7, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(myaSuperLabel18);
    right->addWidget(DateTimePicker6);
    right->addSpacing(8);
    right->addWidget(myaSuperLabel2);
    right->addLayout(before);
    right->addWidget(myaSuperLabel16);
    right->addSpacing(8);
    right->addLayout(sound);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addLayout(left, 5);
    body->addLayout(right, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton6);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton7);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(2);
    layout->addWidget(myaSuperLabel8);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(MonthCalendar1, &MonthCalendar::daySelected, this, &BirthdayEditorPage::MonthCalendar1DaySelect);
    connect(MonthCalendar1, &MonthCalendar::dayChanged, this, &BirthdayEditorPage::MonthCalendar1DayChange);
    connect(MonthCalendar1, &MonthCalendar::monthChanged, this,
            [this](QDate, QDate newDate) { MonthCalendar1DayChange(newDate); });
    connect(MonthCalendar1, &MonthCalendar::yearChanged, this,
            [this](QDate, QDate newDate) { MonthCalendar1DayChange(newDate); });
    connect(DateTimePicker6, &DateField::dateChanged, this, &BirthdayEditorPage::DateTimePicker6Change);
    connect(DsFancyButton7, &FancyButton::clicked, this, &BirthdayEditorPage::DsFancyButton7Click);
    connect(DsFancyButton6, &FancyButton::clicked, this, &BirthdayEditorPage::DsFancyButton6Click);

    setTabOrder(Edit1, MonthCalendar1);
    setTabOrder(MonthCalendar1, DateTimePicker6);
    setTabOrder(DateTimePicker6, CSpinEdit7);
    setTabOrder(CSpinEdit7, CheckBox4);
    setTabOrder(CheckBox4, DsFancyButton6);
    setTabOrder(DsFancyButton6, DsFancyButton7);
}

void BirthdayEditorPage::BirthTabShow() {
    if (m_context.edit.returnToEditor) {
        m_context.edit.returnToEditor = false;
    } else if (m_context.edit.editFromList || m_context.edit.editFromCalendar) {
        const TXMLIniFile& events = m_context.stores.eventStore();
        const QByteArray section = EditorPages::editedSection(m_context);
        const double today = DayCount::fromDate(DayCount::toDate(EditorPages::now(m_context)));
        showBirthDate(DayCount::toDate(events.ReadDouble(section, K::BirthDate, today)));
        CheckBox4->setChecked(events.ReadFlag(section, K::Sound, true));
        const QByteArray name = events.ReadString(section, K::Name, QByteArray());
        Edit1->setText(storedTextToDisplay(name));
        m_name.read(name, Edit1->text());
        CSpinEdit7->setValue(events.ReadInt(section, K::Before, 0));
        myaSuperLabel8->setText(tr("Edit Birthday"));
    } else {
        myaSuperLabel8->setText(tr("New Birthday"));
        showBirthDate(DayCount::toDate(EditorPages::now(m_context)));
        CheckBox4->setChecked(true);
        Edit1->clear();
        m_name.forget();
        CSpinEdit7->setValue(0);
    }
    Edit1->setFocus();
}

void BirthdayEditorPage::showBirthDate(QDate date) {
    MonthCalendar1->setDate(date);
    DateTimePicker6->setDate(MonthCalendar1->date());
}

void BirthdayEditorPage::MonthCalendar1DaySelect() {
    DateTimePicker6->setDate(MonthCalendar1->date());
}

void BirthdayEditorPage::MonthCalendar1DayChange(QDate date) {
    MonthCalendar1->setDate(date);
    DateTimePicker6->setDate(MonthCalendar1->date());
}

void BirthdayEditorPage::DateTimePicker6Change() {
    MonthCalendar1->setDate(DateTimePicker6->date());
}

void BirthdayEditorPage::DsFancyButton7Click() {
    if (Edit1->text().isEmpty()) {
        EditorPages::refuse(m_context, tr("Please enter his/her name."));
        return;
    }
    const QDate birth = DateTimePicker6->date();
    const double now = EditorPages::now(m_context);
    if (DayCount::fromDate(birth) > now) {
        EditorPages::refuse(m_context, tr("Invalid Date of Birth."));
        return;
    }
    const EventCommit::BirthdayRecord planned = record(now);
    m_context.edit.editorKind = 2;
    emit confirmRequested(
        ConfirmationText::birthday(Edit1->text(), birth, DayCount::toDate(planned.date), CheckBox4->isChecked()),
        {EditRoute::Editor::Birthday, [this](TXMLIniFile& events, const QByteArray& section, double now) {
             const EventCommit::BirthdayRecord written = record(now);
             EventCommit::writeBirthday(events, section, written);
             return written.date;
         }});
}

void BirthdayEditorPage::DsFancyButton6Click() {
    for (const int page : EditRoute::leave(m_context.edit, EditRoute::Editor::Birthday, EditRoute::Action::Back))
        m_context.navigation.showPage(page);
}

EventCommit::BirthdayRecord BirthdayEditorPage::record(double now) const {
    EventCommit::BirthdayRecord result;
    result.birthDate = DayCount::fromDate(DateTimePicker6->date());
    result.before = CSpinEdit7->entryValue();
    result.date = EventCommit::firstBirthdayNotification(result.birthDate, now, result.before);
    result.name = m_name.toStore(Edit1->text());
    result.sound = CheckBox4->isChecked();
    return result;
}

void BirthdayEditorPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DsFancyButton7Click();
        return;
    case Qt::Key_Escape:
        DsFancyButton6Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
