#include "ui/editors/DayMonthFilterPage.h"

#include "context/PageIndex.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/editors/EditorPages.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/ShadowLabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

struct Entry {
    const char* box;
    const char* label;
    const char* caption;
};

// In the order of the stored strings: position 1 is Sunday, and January.
constexpr Entry days[7] = {{"CheckBox12", "myaSuperLabel33", QT_TRANSLATE_NOOP("DayMonthFilterPage", "S&unday")},
                           {"CheckBox6", "myaSuperLabel27", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&Monday")},
                           {"CheckBox7", "myaSuperLabel28", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&Tuesday")},
                           {"CheckBox8", "myaSuperLabel29", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&Wednesday")},
                           {"CheckBox9", "myaSuperLabel30", QT_TRANSLATE_NOOP("DayMonthFilterPage", "T&hursday")},
                           {"CheckBox10", "myaSuperLabel31", QT_TRANSLATE_NOOP("DayMonthFilterPage", "Fr&iday")},
                           {"CheckBox11", "myaSuperLabel32", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&Saturday")}};

constexpr Entry months[12] = {{"CheckBox13", "myaSuperLabel34", QT_TRANSLATE_NOOP("DayMonthFilterPage", "Janua&ry")},
                              {"CheckBox14", "myaSuperLabel35", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&February")},
                              {"CheckBox15", "myaSuperLabel36", QT_TRANSLATE_NOOP("DayMonthFilterPage", "Mar&ch")},
                              {"CheckBox16", "myaSuperLabel37", QT_TRANSLATE_NOOP("DayMonthFilterPage", "A&pril")},
                              {"CheckBox17", "myaSuperLabel38", QT_TRANSLATE_NOOP("DayMonthFilterPage", "Ma&y")},
                              {"CheckBox18", "myaSuperLabel39", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&June")},
                              {"CheckBox19", "myaSuperLabel40", QT_TRANSLATE_NOOP("DayMonthFilterPage", "Ju&ly")},
                              {"CheckBox20", "myaSuperLabel41", QT_TRANSLATE_NOOP("DayMonthFilterPage", "Au&gust")},
                              {"CheckBox21", "myaSuperLabel42", QT_TRANSLATE_NOOP("DayMonthFilterPage", "S&eptember")},
                              {"CheckBox22", "myaSuperLabel43", QT_TRANSLATE_NOOP("DayMonthFilterPage", "&October")},
                              {"CheckBox23", "myaSuperLabel44", QT_TRANSLATE_NOOP("DayMonthFilterPage", "No&vember")},
                              {"CheckBox24", "myaSuperLabel45", QT_TRANSLATE_NOOP("DayMonthFilterPage", "December")}};

ChoiceLabel* choice(const char* name, const char* caption, QWidget* parent) {
    auto* label = new ChoiceLabel(DayMonthFilterPage::tr(caption), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QHBoxLayout* tickRow(QCheckBox*& box, LabelToggle*& label, const Entry& entry, QWidget* parent) {
    box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(entry.box));
    box->setChecked(true);
    box->setEnabled(false);
    label = new LabelToggle(DayMonthFilterPage::tr(entry.caption), box, parent);
    label->setObjectName(QLatin1String(entry.label));
    label->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(box);
    row->addWidget(label, 1);
    return row;
}

bool anyTicked(QCheckBox* const* boxes, int count) {
    for (int i = 0; i < count; ++i) {
        if (boxes[i]->isChecked())
            return true;
    }
    return false;
}

bool allTicked(QCheckBox* const* boxes, int count) {
    for (int i = 0; i < count; ++i) {
        if (!boxes[i]->isChecked())
            return false;
    }
    return true;
}

} // namespace

DayMonthFilterPage::DayMonthFilterPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("MoreTab"));
    setAccessibleName(tr("Advanced Settings"));

    myaSuperLabel26 = new ShadowLabel(tr("Advanced Settings"), this);
    myaSuperLabel26->setObjectName(QStringLiteral("myaSuperLabel26"));

    myLabel3d15 = choice("myLabel3d15", QT_TR_NOOP("All Days Of Wee&k"), this);
    myLabel3d16 = choice("myLabel3d16", QT_TR_NOOP("Only These &Days"), this);
    auto* dayColumn = new QVBoxLayout;
    dayColumn->setSpacing(0);
    dayColumn->addWidget(myLabel3d15);
    dayColumn->addWidget(myLabel3d16);
    for (int i = 0; i < 7; ++i)
        dayColumn->addLayout(tickRow(dayBox[i], dayLabel[i], days[i], this));
    dayColumn->addStretch();

    myLabel3d17 = choice("myLabel3d17", QT_TR_NOOP("&All Months Of The Year"), this);
    myLabel3d18 = choice("myLabel3d18", QT_TR_NOOP("O&nly These Months"), this);
    auto* monthGrid = new QGridLayout;
    monthGrid->setSpacing(0);
    monthGrid->addWidget(myLabel3d17, 0, 0, 1, 2);
    monthGrid->addWidget(myLabel3d18, 1, 0, 1, 2);
    for (int i = 0; i < 12; ++i)
        monthGrid->addLayout(tickRow(monthBox[i], monthLabel[i], months[i], this), 2 + i % 6, i / 6);
    monthGrid->setRowStretch(8, 1);

    DsFancyButton31 = new FancyButton(tr("<<&Back"), this);
    DsFancyButton31->setObjectName(QStringLiteral("DsFancyButton31"));
    DsFancyButton31->setAccessibleName(tr("Back to the editor"));

    auto* columns = new QHBoxLayout;
    columns->setSpacing(16);
    columns->addLayout(dayColumn);
    columns->addLayout(monthGrid, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton31);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 8);
    layout->setSpacing(2);
    layout->addWidget(myaSuperLabel26);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(myLabel3d15, &ChoiceLabel::clicked, this, &DayMonthFilterPage::myLabel3d15Click);
    connect(myLabel3d16, &ChoiceLabel::clicked, this, &DayMonthFilterPage::myLabel3d16Click);
    connect(myLabel3d17, &ChoiceLabel::clicked, this, &DayMonthFilterPage::myLabel3d17Click);
    connect(myLabel3d18, &ChoiceLabel::clicked, this, &DayMonthFilterPage::myLabel3d18Click);
    connect(DsFancyButton31, &FancyButton::clicked, this, &DayMonthFilterPage::ck);

    myLabel3d15->setChosen(true);
    myLabel3d17->setChosen(true);
}

void DayMonthFilterPage::setDaysEnabled(bool enabled) {
    for (int i = 0; i < 7; ++i) {
        dayBox[i]->setEnabled(enabled);
        dayLabel[i]->setEnabled(enabled);
    }
}

void DayMonthFilterPage::setMonthsEnabled(bool enabled) {
    for (int i = 0; i < 12; ++i) {
        monthBox[i]->setEnabled(enabled);
        monthLabel[i]->setEnabled(enabled);
    }
}

void DayMonthFilterPage::myLabel3d15Click() {
    m_context.edit.allDays = true;
    myLabel3d15->setChosen(true);
    myLabel3d16->setChosen(false);
    for (QCheckBox* box : dayBox)
        box->setChecked(true);
    setDaysEnabled(false);
}

void DayMonthFilterPage::myLabel3d16Click() {
    m_context.edit.allDays = false;
    myLabel3d15->setChosen(false);
    myLabel3d16->setChosen(true);
    setDaysEnabled(true);
}

void DayMonthFilterPage::myLabel3d17Click() {
    m_context.edit.allMonths = true;
    myLabel3d17->setChosen(true);
    myLabel3d18->setChosen(false);
    for (QCheckBox* box : monthBox)
        box->setChecked(true);
    setMonthsEnabled(false);
}

void DayMonthFilterPage::myLabel3d18Click() {
    m_context.edit.allMonths = false;
    myLabel3d17->setChosen(false);
    myLabel3d18->setChosen(true);
    setMonthsEnabled(true);
}

void DayMonthFilterPage::ck() {
    if (!anyTicked(dayBox, 7)) {
        EditorPages::refuse(m_context, tr("Select at least one day..."));
        return;
    }
    if (!anyTicked(monthBox, 12)) {
        EditorPages::refuse(m_context, tr("Select at least one month..."));
        return;
    }
    if (allTicked(dayBox, 7))
        myLabel3d15Click();
    if (allTicked(monthBox, 12))
        myLabel3d17Click();
    m_context.edit.returnToEditor = true;
    m_context.navigation.showPage(m_context.edit.editorKind == 1 ? ShutTab : AlarmTab);
}

void DayMonthFilterPage::resetToAll() {
    myLabel3d15Click();
    myLabel3d17Click();
}

void DayMonthFilterPage::loadFromRecord(const TXMLIniFile& store, const QByteArray& section) {
    namespace K = EventRecord::Key;
    if (store.ReadFlag(section, K::AllDays, true)) {
        myLabel3d15Click();
    } else {
        myLabel3d16Click();
        const QByteArray stored = store.ReadString(section, K::Days, QByteArray());
        // A string cut short (edited by hand) leaves the missing days allowed, as the scheduler reads it.
        for (int i = 0; i < 7; ++i)
            dayBox[i]->setChecked(EventRecord::dayAllowed(stored, i + 1));
    }
    if (store.ReadFlag(section, K::AllMonths, true)) {
        myLabel3d17Click();
    } else {
        myLabel3d18Click();
        const QByteArray stored = store.ReadString(section, K::Months, QByteArray());
        for (int i = 0; i < 12; ++i)
            monthBox[i]->setChecked(EventRecord::monthAllowed(stored, i + 1));
    }
}

EventCommit::DayMonthFilter DayMonthFilterPage::filter() const {
    EventCommit::DayMonthFilter result;
    result.allDays = m_context.edit.allDays;
    result.allMonths = m_context.edit.allMonths;
    for (int i = 0; i < 7; ++i)
        result.days[i] = dayBox[i]->isChecked();
    for (int i = 0; i < 12; ++i)
        result.months[i] = monthBox[i]->isChecked();
    return result;
}

// The page has no fill of its own; the keyboard starts at the first choice.
void DayMonthFilterPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    myLabel3d15->setFocus();
}

void DayMonthFilterPage::keyPressEvent(QKeyEvent* event) {
    // The page has one way out, "<<Back"; Escape and Enter both take it.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ck();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
