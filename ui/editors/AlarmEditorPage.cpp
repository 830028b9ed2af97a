#include "ui/editors/AlarmEditorPage.h"

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
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/MomentChoice.h"
#include "ui/editors/SpinKeyFilter.h"
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
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

namespace K = EventRecord::Key;

constexpr int unitMaxima[6] = {1440, 168, 365, 52, 120, 10};

constexpr int CategoryBoxMaximumWidth = 220;

// The category every alarm may be filed under, stored with this name in every language.
const QByteArray generalCategory = QByteArrayLiteral("General");

} // namespace

AlarmEditorPage::AlarmEditorPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("AlarmTab"));
    setAccessibleName(tr("Alarm"));

    BackAlarm = named(new ShadowLabel(tr("New Alarm"), this), "BackAlarm");
    myaSuperLabel1 = named(new QLabel(tr("Type the Alarm Description Here:"), this), "myaSuperLabel1");
    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setAccessibleName(tr("Alarm description"));
    // Tab moves on: a description has no use for tab characters, and the keyboard must reach the rest.
    Memo1->setTabChangesFocus(true);
    myaSuperLabel1->setBuddy(Memo1);

    m_moment = new MomentChoice({"myLabel3d5", "myLabel3d6", "RadioButton1", "RadioButton2", "DateTimePicker1",
                                 "DateTimePicker2", "CSpinEdit1", "Label3", "CSpinEdit2", "Label4"},
                                tr("Zentick &at:"), tr("Zentick a&fter:"), tr("Alarm date"), tr("Alarm time"),
                                MomentChoice::Arrangement::Columns, this);
    myLabel3d5 = m_moment->atCaption;
    myLabel3d6 = m_moment->afterCaption;
    RadioButton1 = m_moment->atMode;
    RadioButton2 = m_moment->afterMode;
    DateTimePicker1 = m_moment->date;
    DatePicker1 = m_moment->calendar;
    DateTimePicker2 = m_moment->time;
    CSpinEdit1 = m_moment->hours;
    Label3 = m_moment->hoursCaption;
    CSpinEdit2 = m_moment->minutes;
    Label4 = m_moment->minutesCaption;

    CheckBox5 = named(new QCheckBox(this), "CheckBox5");
    myaSuperLabel19 = named(new LabelToggle(tr("B&ypass if delayed"), CheckBox5, this), "myaSuperLabel19");
    myaSuperLabel19->setToolTip(tr("If this is checked the Alarm will be bypassed if the system\n"
                                   "is turned off at the specified Date and Time."));
    CheckBox2 = named(new QCheckBox(this), "CheckBox2");
    CheckBox2->setChecked(true);
    myaSuperLabel6 = named(new LabelToggle(tr("Notify me with &Sound"), CheckBox2, this), "myaSuperLabel6");
    CheckBox1 = named(new QCheckBox(this), "CheckBox1");
    myaSuperLabel9 = named(new LabelToggle(tr("Enable Re&petition every:"), CheckBox1, this), "myaSuperLabel9");

    CSpinEdit3 = named(new SpinEdit(1, unitMaxima[0], 1, this), "CSpinEdit3");
    CSpinEdit3->setAccessibleName(tr("Repetition count"));
    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems({tr("Minutes"), tr("Hours"), tr("Days"), tr("Weeks"), tr("Months"), tr("Years")});
    ComboBox1->setAccessibleName(tr("Repetition unit"));
    myaSuperLabel46 = named(new LinkLabel(tr("A&dvanced"), this), "myaSuperLabel46");
    myaSuperLabel46->setAccessibleName(tr("Advanced: days of the week and months"));

    myaSuperLabel50 = named(new QLabel(tr("Choose Alarm Category:"), this), "myaSuperLabel50");
    myaSuperLabel50->setToolTip(tr("Hepls you to orgranize your alarms"));
    ComboBox2 = named(new QComboBox(this), "ComboBox2");
    ComboBox2->addItem(tr("General"), generalCategory);
    ComboBox2->addItem(tr("Name Day"), QByteArrayLiteral("Name Day"));
    ComboBox2->setToolTip(tr("Hepls you to orgranize your alarms."));
    ComboBox2->setAccessibleName(tr("Alarm category"));
    // The names come from the settings each time the page opens, so the box follows them; a very long name is
    // cut in the box (the list that drops down shows it whole) rather than pushing the page past its border.
    ComboBox2->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboBox2->setMaximumWidth(CategoryBoxMaximumWidth);
    myaSuperLabel50->setBuddy(ComboBox2);
    myaSuperLabel51 = named(new LinkLabel(QStringLiteral(">>"), this), "myaSuperLabel51");
    myaSuperLabel51->setToolTip(tr("Add Category. Examples: \"Name Day\", \"Anniversary\" etc."));
    myaSuperLabel51->setAccessibleName(tr("Edit alarm categories"));

    DsFancyButton3 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton3");
    DsFancyButton2 = named(new FancyButton(tr("&Next>>"), this), "DsFancyButton2");
    DsFancyButton2->setDefault(true);

    SpinKeyFilter::install(CSpinEdit3);
    EditorPages::fitToDigits(CSpinEdit3, 4);
    for (QWidget* off : {static_cast<QWidget*>(CSpinEdit3), static_cast<QWidget*>(ComboBox1)})
        off->setEnabled(false);

    auto* flags = new QHBoxLayout;
    flags->addLayout(EditorPages::row({CheckBox5, myaSuperLabel19}));
    flags->addLayout(EditorPages::row({CheckBox2, myaSuperLabel6}));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton3);
    buttons->addStretch();
    // "Advanced" stands between the buttons: the repetition row has no room for it, and the category row
    // needs its width for the names.
    buttons->addWidget(myaSuperLabel46);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(2);
    layout->addWidget(BackAlarm);
    layout->addWidget(myaSuperLabel1);
    layout->addWidget(Memo1, 1);
    layout->addWidget(m_moment);
    layout->addLayout(flags);
    layout->addLayout(EditorPages::row({CheckBox1, myaSuperLabel9, CSpinEdit3, ComboBox1}));
    layout->addLayout(EditorPages::row({myaSuperLabel50, ComboBox2, myaSuperLabel51}));
    layout->addLayout(buttons);

    connect(myLabel3d5, &ChoiceLabel::clicked, this, &AlarmEditorPage::myLabel3d5Click);
    connect(myLabel3d6, &ChoiceLabel::clicked, this, &AlarmEditorPage::myLabel3d6Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &AlarmEditorPage::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &AlarmEditorPage::RadioButton2Click);
    connect(DateTimePicker2, &DateField::timeChanged, this, &AlarmEditorPage::DateTimePicker2Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &AlarmEditorPage::CheckBox1Click);
    connect(ComboBox1, &QComboBox::activated, this, &AlarmEditorPage::ComboBox1Select);
    connect(myaSuperLabel46, &LinkLabel::clicked, this, &AlarmEditorPage::myaSuperLabel46Click);
    connect(myaSuperLabel51, &LinkLabel::clicked, this, &AlarmEditorPage::myaSuperLabel51Click);
    connect(DsFancyButton2, &FancyButton::clicked, this, &AlarmEditorPage::Button3Click);
    connect(DsFancyButton3, &FancyButton::clicked, this, &AlarmEditorPage::DsFancyButton3Click);

    myaSuperLabel46->setColour(Theme::filterOffColour());
    myaSuperLabel46->setEnabled(false);

    setTabOrder(Memo1, myLabel3d5);
    setTabOrder(myLabel3d5, DateTimePicker1);
    setTabOrder(DateTimePicker1, DateTimePicker2);
    setTabOrder(DateTimePicker2, myLabel3d6);
    setTabOrder(myLabel3d6, CSpinEdit1);
    setTabOrder(CSpinEdit1, CSpinEdit2);
    setTabOrder(CSpinEdit2, CheckBox5);
    setTabOrder(CheckBox5, CheckBox2);
    setTabOrder(CheckBox2, CheckBox1);
    setTabOrder(CheckBox1, CSpinEdit3);
    setTabOrder(CSpinEdit3, ComboBox1);
    setTabOrder(ComboBox1, ComboBox2);
    setTabOrder(ComboBox2, myaSuperLabel51);
    setTabOrder(myaSuperLabel51, myaSuperLabel46);
    setTabOrder(myaSuperLabel46, DsFancyButton3);
    setTabOrder(DsFancyButton3, DsFancyButton2);
}

int AlarmEditorPage::maximumCount(int unit) {
    return unit >= 0 && unit < 6 ? unitMaxima[unit] : unitMaxima[0];
}

void AlarmEditorPage::AlarmTabShow() {
    if (m_context.edit.returnToEditor) {
        m_context.edit.returnToEditor = false;
    } else if (m_context.edit.editPastAlarm) {
        fillForPastAlarm();
    } else if (m_context.edit.editFromList || m_context.edit.editFromCalendar) {
        fillForActiveAlarm();
    } else {
        fillForNewAlarm();
    }
    myaSuperLabel46->setColour(m_context.edit.allDays && m_context.edit.allMonths ? Theme::filterOffColour()
                                                                                  : Theme::filterOnColour());
    CheckBox1Click();
    Memo1->setFocus();
}

void AlarmEditorPage::fillForPastAlarm() {
    const TXMLIniFile& past = m_context.stores.pastAlarmStore();
    const QByteArray section = EditorPages::editedSection(m_context);
    ComboBox2->setCurrentIndex(0);
    m_moment->setMoment(DayCount::toDateTime(past.ReadDouble(section, K::Date, EditorPages::now(m_context))));
    BackAlarm->setText(tr("Edit Past Alarm"));
    Memo1->setPlainText(EventRecord::readTextBlock(past, section).join(u'\n'));
    m_text.read(EventRecord::readStoredTextBlock(past, section), Memo1->toPlainText());
    m_category.forget();
    CheckBox2->setChecked(past.ReadFlag(section, K::Sound, true));
    CheckBox1->setChecked(false);
    setUnit(0);
    CSpinEdit3->setValue(1);
    CheckBox5->setChecked(false);
    myLabel3d5Click();
    m_filter->resetToAll();
}

void AlarmEditorPage::fillForActiveAlarm() {
    const TXMLIniFile& events = m_context.stores.eventStore();
    const QByteArray section = EditorPages::editedSection(m_context);
    loadCategories();
    // Names are matched exactly as the user sees them, whatever bytes either was stored as; with a name listed
    // twice the last one is selected.
    const QByteArray storedCategory = events.ReadString(section, K::Category, QByteArray());
    const QString category = storedTextToDisplay(storedCategory);
    for (int i = 0; i < ComboBox2->count(); ++i) {
        if (categoryName(i) == category)
            ComboBox2->setCurrentIndex(i);
    }
    m_category.read(storedCategory, category);
    m_moment->setMoment(DayCount::toDateTime(events.ReadDouble(section, K::Date, EditorPages::now(m_context))));
    BackAlarm->setText(tr("Edit Active Alarm"));
    Memo1->setPlainText(EventRecord::readTextBlock(events, section).join(u'\n'));
    m_text.read(EventRecord::readStoredTextBlock(events, section), Memo1->toPlainText());
    CheckBox2->setChecked(events.ReadFlag(section, K::Sound, true));
    CheckBox1->setChecked(events.ReadFlag(section, K::Repeat, false));
    CheckBox5->setChecked(events.ReadFlag(section, K::Bypass, false));
    m_filter->loadFromRecord(events, section);
    if (CheckBox1->isChecked()) {
        // The unit's maximum first, so a count above the previous unit's maximum is not cut.
        setUnit(events.ReadInt(section, K::RepType, 0));
        CSpinEdit3->setValue(events.ReadInt(section, K::RepVal, 1));
    } else {
        setUnit(0);
        CSpinEdit3->setValue(1);
    }
    myLabel3d5Click();
}

void AlarmEditorPage::fillForNewAlarm() {
    BackAlarm->setText(tr("New Alarm"));
    loadCategories();
    m_moment->proposeNextMinute(DayCount::toDateTime(EditorPages::now(m_context)));
    CSpinEdit3->setValue(1);
    setUnit(0);
    Memo1->clear();
    m_text.forget();
    m_category.forget();
    CheckBox2->setChecked(true);
    CheckBox1->setChecked(false);
    CheckBox5->setChecked(false);
    myLabel3d5Click();
    m_filter->resetToAll();
}

void AlarmEditorPage::setUnit(int unit) {
    // A unit outside the list (a hand-edited record) shows as minutes.
    ComboBox1->setCurrentIndex(unit >= 0 && unit < ComboBox1->count() ? unit : 0);
    ComboBox1Select();
}

void AlarmEditorPage::loadCategories() {
    const TXMLIniFile& settings = m_context.stores.settingsStore();
    ComboBox2->clear();
    ComboBox2->addItem(tr("General"), generalCategory);
    const int count = settings.ReadInt("categories", "count", 0);
    for (int i = 0; i < count; ++i) {
        const QByteArray name = settings.ReadString("categories", QByteArray::number(i), QByteArray());
        ComboBox2->addItem(storedTextToDisplay(name), name);
    }
    ComboBox2->setCurrentIndex(0);
}

QString AlarmEditorPage::categoryName(int index) const {
    // "General" is shown in the user's language but stored and compared as it stands; the user's own categories
    // are listed with the bytes they were stored as.
    const QVariant stored = ComboBox2->itemData(index);
    return stored.isValid() ? storedTextToDisplay(stored.toByteArray()) : ComboBox2->itemText(index);
}

void AlarmEditorPage::myLabel3d5Click() {
    m_moment->chooseAt();
}

void AlarmEditorPage::myLabel3d6Click() {
    m_moment->chooseAfter();
}

void AlarmEditorPage::RadioButton1Click() {
    m_moment->enableAt();
}

void AlarmEditorPage::RadioButton2Click() {
    m_moment->enableAfter();
}

void AlarmEditorPage::DateTimePicker2Change() {
    m_moment->takeTime();
}

void AlarmEditorPage::CheckBox1Click() {
    const bool repeating = CheckBox1->isChecked();
    CSpinEdit3->setEnabled(repeating);
    ComboBox1->setEnabled(repeating);
    myaSuperLabel46->setEnabled(repeating);
}

void AlarmEditorPage::ComboBox1Select() {
    CSpinEdit3->setMaximum(maximumCount(ComboBox1->currentIndex()));
}

void AlarmEditorPage::myaSuperLabel46Click() {
    m_context.edit.editorKind = 0;
    m_context.navigation.showPage(MoreTab);
}

void AlarmEditorPage::myaSuperLabel51Click() {
    m_context.navigation.showPage(CategoryTab);
}

void AlarmEditorPage::Button3Click() {
    const double alarmMoment = m_moment->moment(EditorPages::now(m_context));
    if (!(alarmMoment > EditorPages::now(m_context))) {
        EditorPages::refuse(m_context, tr("Invalid Date or Time."));
        return;
    }
    const ConfirmationText::Repetition repetition{CheckBox1->isChecked(), CSpinEdit3->text(), ComboBox1->currentText()};
    const QString text =
        ConfirmationText::alarm(DayCount::toDateTime(alarmMoment), EventCommit::textLines(Memo1->toPlainText()),
                                repetition, CheckBox2->isChecked(), CheckBox5->isChecked());
    m_context.edit.editorKind = 0;
    emit confirmRequested(
        text, {EditRoute::Editor::Alarm, [this](TXMLIniFile& events, const QByteArray& section, double now) {
                   const EventCommit::AlarmRecord written = record(now);
                   EventCommit::writeAlarm(events, section, written);
                   return written.date;
               }});
}

void AlarmEditorPage::DsFancyButton3Click() {
    for (const int page : EditRoute::leave(m_context.edit, EditRoute::Editor::Alarm, EditRoute::Action::Back))
        m_context.navigation.showPage(page);
}

EventCommit::AlarmRecord AlarmEditorPage::record(double now) const {
    EventCommit::AlarmRecord result;
    result.bypass = CheckBox5->isChecked();
    result.date = m_moment->moment(now);
    result.repetition.enabled = CheckBox1->isChecked();
    result.repetition.count = CSpinEdit3->entryValue();
    result.repetition.unit = ComboBox1->currentIndex();
    result.repetition.filter = m_filter->filter();
    result.sound = CheckBox2->isChecked();
    // The record's own category when it is still the one chosen; another is stored as the settings hold it.
    const QString category = categoryName(ComboBox2->currentIndex());
    const QByteArray listed = ComboBox2->currentData().toByteArray();
    result.category = m_category.unchanged(category) ? m_category.stored()
                      : listed.isNull()              ? displayTextToStored(category)
                                                     : listed;
    result.lines = m_text.toStore(Memo1->toPlainText());
    return result;
}

void AlarmEditorPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Button3Click();
        return;
    case Qt::Key_Escape:
        DsFancyButton3Click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
