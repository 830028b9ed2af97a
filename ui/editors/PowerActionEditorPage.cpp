#include "ui/editors/PowerActionEditorPage.h"

#include "context/EditRoute.h"
#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/ConfirmationText.h"
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/MomentChoice.h"
#include "ui/editors/SpinKeyFilter.h"
#include "widgets/ChoiceGroup.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"
#include "widgets/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

namespace K = EventRecord::Key;

constexpr const char* actionNames[5] = {
    QT_TRANSLATE_NOOP("PowerAction", "Shut Down"), QT_TRANSLATE_NOOP("PowerAction", "Restart"),
    QT_TRANSLATE_NOOP("PowerAction", "Log Off"), QT_TRANSLATE_NOOP("PowerAction", "Hibernate"),
    QT_TRANSLATE_NOOP("PowerAction", "Stand By")};

// The same actions as the captions of the choice, each with its Alt key.
constexpr const char* actionCaptions[5] = {
    QT_TRANSLATE_NOOP("PowerActionEditorPage", "&Shut Down"), QT_TRANSLATE_NOOP("PowerActionEditorPage", "&Restart"),
    QT_TRANSLATE_NOOP("PowerActionEditorPage", "&Log Off"), QT_TRANSLATE_NOOP("PowerActionEditorPage", "&Hibernate"),
    QT_TRANSLATE_NOOP("PowerActionEditorPage", "Stand B&y")};

} // namespace

QString PowerActionEditorPage::actionName(int action) {
    return action >= 0 && action < 5 ? QCoreApplication::translate("PowerAction", actionNames[action]) : QString();
}

PowerActionEditorPage::PowerActionEditorPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("ShutTab"));
    setAccessibleName(tr("Scheduled Shut Down"));

    myaSuperLabel49 = named(new ShadowLabel(tr("Scheduled Shut Down"), this), "myaSuperLabel49");
    myLabel3d12 = named(new QLabel(tr("Choose Action:"), this), "myLabel3d12");

    RadioGroup1 = named(new ChoiceGroup(this), "RadioGroup1");
    ChoiceLabel** actions[5] = {&myLabel3d11, &myLabel3d10, &myLabel3d9, &myLabel3d32, &myLabel3d33};
    const char* actionObjects[5] = {"myLabel3d11", "myLabel3d10", "myLabel3d9", "myLabel3d32", "myLabel3d33"};
    for (int i = 0; i < 5; ++i) {
        *actions[i] = named(new ChoiceLabel(tr(actionCaptions[i]), this), actionObjects[i]);
        RadioGroup1->addChoice(*actions[i], i);
    }

    // Until the first fill the mode captions keep their neutral texts.
    m_moment = new MomentChoice({"myLabel3d8", "myLabel3d7", "RadioButton8", "RadioButton7", "DateTimePicker3",
                                 "DateTimePicker4", "CSpinEdit5", "Label5", "CSpinEdit4", "Label2"},
                                tr("Alarm &at:"), tr("or A&fter:"), tr("Action date"), tr("Action time"),
                                MomentChoice::Arrangement::Stacked, this);
    myLabel3d8 = m_moment->atCaption;
    myLabel3d7 = m_moment->afterCaption;
    RadioButton8 = m_moment->atMode;
    RadioButton7 = m_moment->afterMode;
    DateTimePicker3 = m_moment->date;
    DatePicker2 = m_moment->calendar;
    DateTimePicker4 = m_moment->time;
    CSpinEdit5 = m_moment->hours;
    Label5 = m_moment->hoursCaption;
    CSpinEdit4 = m_moment->minutes;
    Label2 = m_moment->minutesCaption;

    CheckBox3 = named(new QCheckBox(this), "CheckBox3");
    myaSuperLabel15 = named(new LabelToggle(tr("Enable Re&petition every:"), CheckBox3, this), "myaSuperLabel15");
    CSpinEdit6 = named(new SpinEdit(1, MaximumCount, 1, this), "CSpinEdit6");
    CSpinEdit6->setAccessibleName(tr("Repetition count"));
    ComboBox3 = named(new QComboBox(this), "ComboBox3");
    ComboBox3->addItems({tr("Days"), tr("Weeks")});
    ComboBox3->setAccessibleName(tr("Repetition unit"));
    myaSuperLabel47 = named(new LinkLabel(tr("A&dvanced"), this), "myaSuperLabel47");
    myaSuperLabel47->setAccessibleName(tr("Advanced: days of the week and months"));
    myaSuperLabel47->setColour(Theme::filterOffColour());

    DsFancyButton4 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton4");
    DsFancyButton5 = named(new FancyButton(tr("&Next>>"), this), "DsFancyButton5");
    DsFancyButton5->setDefault(true);

    SpinKeyFilter::install(CSpinEdit6);
    EditorPages::fitToDigits(CSpinEdit6, 2);
    for (QWidget* off :
         {static_cast<QWidget*>(CSpinEdit6), static_cast<QWidget*>(ComboBox3), static_cast<QWidget*>(myaSuperLabel47)})
        off->setEnabled(false);

    // On screen Stand By stands above Hibernate.
    auto* actionColumn = new QVBoxLayout;
    actionColumn->setSpacing(0);
    for (QWidget* widget :
         {static_cast<QWidget*>(myLabel3d12), static_cast<QWidget*>(myLabel3d11), static_cast<QWidget*>(myLabel3d10),
          static_cast<QWidget*>(myLabel3d9), static_cast<QWidget*>(myLabel3d33), static_cast<QWidget*>(myLabel3d32)})
        actionColumn->addWidget(widget);
    actionColumn->addStretch();

    auto* momentColumn = new QVBoxLayout;
    momentColumn->setSpacing(2);
    momentColumn->addWidget(m_moment);
    momentColumn->addSpacing(10);
    momentColumn->addLayout(EditorPages::row({CheckBox3, myaSuperLabel15}));
    momentColumn->addLayout(EditorPages::row({CSpinEdit6, ComboBox3, myaSuperLabel47}));
    momentColumn->addStretch();

    auto* body = new QHBoxLayout;
    body->setSpacing(12);
    body->addLayout(actionColumn);
    body->addLayout(momentColumn, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton4);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton5);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel49);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(myLabel3d11, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d11Click);
    connect(myLabel3d10, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d10Click);
    connect(myLabel3d9, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d9Click);
    connect(myLabel3d32, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d32Click);
    connect(myLabel3d33, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d33Click);
    connect(myLabel3d8, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d8Click);
    connect(myLabel3d7, &ChoiceLabel::clicked, this, &PowerActionEditorPage::myLabel3d7Click);
    connect(RadioButton8, &QRadioButton::clicked, this, &PowerActionEditorPage::RadioButton8Click);
    connect(RadioButton7, &QRadioButton::clicked, this, &PowerActionEditorPage::RadioButton7Click);
    connect(DateTimePicker4, &DateField::timeChanged, this, &PowerActionEditorPage::DateTimePicker4Change);
    connect(CheckBox3, &QCheckBox::clicked, this, &PowerActionEditorPage::CheckBox3Click);
    connect(myaSuperLabel47, &LinkLabel::clicked, this, &PowerActionEditorPage::myaSuperLabel46Click);
    connect(DsFancyButton5, &FancyButton::clicked, this, &PowerActionEditorPage::DsFancyButton5Click);
    connect(DsFancyButton4, &FancyButton::clicked, this, &PowerActionEditorPage::Button2Click);

    RadioGroup1->setChosen(0);

    setTabOrder(myLabel3d11, myLabel3d10);
    setTabOrder(myLabel3d10, myLabel3d9);
    setTabOrder(myLabel3d9, myLabel3d33);
    setTabOrder(myLabel3d33, myLabel3d32);
    setTabOrder(myLabel3d32, myLabel3d8);
    setTabOrder(myLabel3d8, DateTimePicker3);
    setTabOrder(DateTimePicker3, DateTimePicker4);
    setTabOrder(DateTimePicker4, myLabel3d7);
    setTabOrder(myLabel3d7, CSpinEdit5);
    setTabOrder(CSpinEdit5, CSpinEdit4);
    setTabOrder(CSpinEdit4, CheckBox3);
    setTabOrder(CheckBox3, CSpinEdit6);
    setTabOrder(CSpinEdit6, ComboBox3);
    setTabOrder(ComboBox3, myaSuperLabel47);
    setTabOrder(myaSuperLabel47, DsFancyButton4);
    setTabOrder(DsFancyButton4, DsFancyButton5);
}

void PowerActionEditorPage::ShutTabShow() {
    if (m_context.edit.returnToEditor)
        m_context.edit.returnToEditor = false;
    else if (m_context.edit.editFromList || m_context.edit.editFromCalendar)
        fillForEdit();
    else
        fillForNew();
    myaSuperLabel47->setColour(m_context.edit.allDays && m_context.edit.allMonths ? Theme::filterOffColour()
                                                                                  : Theme::filterOnColour());
    CheckBox3Click();
    // A field, not a caption, takes the focus: there Enter means "Next>>".
    if (DateTimePicker3->isEnabled())
        DateTimePicker3->setFocus();
    else
        CSpinEdit5->setFocus();
}

void PowerActionEditorPage::fillForEdit() {
    const TXMLIniFile& events = m_context.stores.eventStore();
    const QByteArray section = EditorPages::editedSection(m_context);
    // The record is due when the countdown starts; the user sees the moment the countdown ends.
    const double due = events.ReadDouble(section, K::Date, EditorPages::now(m_context));
    const QDateTime moment = DayCount::toDateTime(DayCount::addSeconds(due, EventCommit::powerCountdownSeconds));
    m_moment->setMoment(moment);
    CheckBox3->setChecked(events.ReadFlag(section, K::Repeat, false));
    const int action = events.ReadInt(section, K::ShutType, 0);
    if (action >= 0 && action < 5)
        chooseAction(action);
    m_filter->loadFromRecord(events, section);
    if (CheckBox3->isChecked()) {
        CSpinEdit6->setValue(events.ReadInt(section, K::RepVal, 1));
        const int unit = events.ReadInt(section, K::RepType, 0);
        ComboBox3->setCurrentIndex(unit == 1 ? 1 : 0);
    } else {
        CSpinEdit6->setValue(1);
        ComboBox3->setCurrentIndex(0);
    }
    myLabel3d8Click();
}

void PowerActionEditorPage::fillForNew() {
    m_moment->proposeNextMinute(DayCount::toDateTime(EditorPages::now(m_context)));
    CheckBox3->setChecked(false);
    CSpinEdit6->setValue(1);
    ComboBox3->setCurrentIndex(0);
    myLabel3d8Click();
    chooseAction(0);
    m_filter->resetToAll();
}

void PowerActionEditorPage::chooseAction(int action) {
    RadioGroup1->setChosen(action);
    myLabel3d8->setText(tr("%1 system &at:").arg(actionName(action)));
    myLabel3d7->setText(tr("%1 system a&fter:").arg(actionName(action)));
}

void PowerActionEditorPage::myLabel3d11Click() {
    chooseAction(0);
}

void PowerActionEditorPage::myLabel3d10Click() {
    chooseAction(1);
}

void PowerActionEditorPage::myLabel3d9Click() {
    chooseAction(2);
}

void PowerActionEditorPage::myLabel3d32Click() {
    chooseAction(3);
}

void PowerActionEditorPage::myLabel3d33Click() {
    chooseAction(4);
}

void PowerActionEditorPage::myLabel3d8Click() {
    m_moment->chooseAt();
}

void PowerActionEditorPage::myLabel3d7Click() {
    m_moment->chooseAfter();
}

void PowerActionEditorPage::RadioButton8Click() {
    m_moment->enableAt();
}

void PowerActionEditorPage::RadioButton7Click() {
    m_moment->enableAfter();
}

void PowerActionEditorPage::DateTimePicker4Change() {
    m_moment->takeTime();
}

void PowerActionEditorPage::CheckBox3Click() {
    const bool repeating = CheckBox3->isChecked();
    CSpinEdit6->setEnabled(repeating);
    ComboBox3->setEnabled(repeating);
    myaSuperLabel47->setEnabled(repeating);
}

void PowerActionEditorPage::myaSuperLabel46Click() {
    m_context.edit.editorKind = 1;
    m_context.navigation.showPage(MoreTab);
}

void PowerActionEditorPage::DsFancyButton5Click() {
    const double actionMoment = m_moment->moment(EditorPages::now(m_context));
    if (!(actionMoment > EditorPages::now(m_context))) {
        EditorPages::refuse(m_context, tr("Invalid Date or Time."));
        return;
    }
    const ConfirmationText::Repetition repetition{CheckBox3->isChecked(), CSpinEdit6->text(), ComboBox3->currentText()};
    m_context.edit.editorKind = 1;
    emit confirmRequested(
        ConfirmationText::powerAction(actionName(RadioGroup1->chosen()), DayCount::toDateTime(actionMoment),
                                      repetition),
        {EditRoute::Editor::PowerAction, [this](TXMLIniFile& events, const QByteArray& section, double now) {
             const EventCommit::PowerActionRecord written = record(now);
             EventCommit::writePowerAction(events, section, written);
             // The calendar shows the day the countdown starts, which is the record's date.
             return DayCount::addSeconds(written.moment, -EventCommit::powerCountdownSeconds);
         }});
}

void PowerActionEditorPage::Button2Click() {
    for (const int page : EditRoute::leave(m_context.edit, EditRoute::Editor::PowerAction, EditRoute::Action::Back))
        m_context.navigation.showPage(page);
}

EventCommit::PowerActionRecord PowerActionEditorPage::record(double now) const {
    EventCommit::PowerActionRecord result;
    result.moment = m_moment->moment(now);
    result.repetition.enabled = CheckBox3->isChecked();
    result.repetition.count = CSpinEdit6->entryValue();
    result.repetition.unit = ComboBox3->currentIndex();
    result.repetition.filter = m_filter->filter();
    result.action = RadioGroup1->chosen();
    return result;
}

void PowerActionEditorPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        DsFancyButton5Click();
        return;
    case Qt::Key_Escape:
        Button2Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
