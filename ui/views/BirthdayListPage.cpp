#include "ui/views/BirthdayListPage.h"

#include "context/PageIndex.h"
#include "scheduler/EventRecord.h"
#include "scheduler/SchedulerClock.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/editors/BirthdayEditorPage.h"
#include "ui/views/EventTexts.h"
#include "ui/views/ListActions.h"

#include <QTreeWidget>

namespace {

QString daysBeforeText(int before) {
    return BirthdayListPage::tr("%n days", nullptr, before);
}

const EventListPage::Names names = {"ViewTabBirthDay",
                                    "myaSuperLabel11",
                                    "ListView3",
                                    "Del2",
                                    "Edt4",
                                    "myLabel3d29",
                                    {"DsFancyButton15", "DsFancyButton16", "DsFancyButton23", "DsFancyButton24"},
                                    "DsFancyButton11"};

} // namespace

BirthdayListPage::BirthdayListPage(PageContext& context, QWidget* parent)
    : EventListPage(context, 3, names, tr("Birthdays"),
                    {{QT_TRANSLATE_NOOP("EventListPage", "Name"), Qt::AlignLeft},
                     {QT_TRANSLATE_NOOP("EventListPage", "Date Of Birth"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Age"), Qt::AlignRight},
                     {QT_TRANSLATE_NOOP("EventListPage", "Sound"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Notify me before"), Qt::AlignHCenter}},
                    parent) {
    myaSuperLabel11 = title();
    ListView3 = list();
    Del2 = deleteButton();
    Edt4 = editButton();
}

TXMLIniFile& BirthdayListPage::store() {
    return m_context.stores.eventStore();
}

QStringList BirthdayListPage::possibleTexts(int column) const {
    switch (column) {
    case 2:
        return EventTexts::possibleDateTexts(false);
    case 3:
        // The longest a person's age is written: three digits of years, the most months and days.
        return {EventTexts::ageText(188, 11, 30)};
    case 4:
        return {EventTexts::yesNo(true), EventTexts::yesNo(false)};
    default:
        return {daysBeforeText(BirthdayEditorPage::MaximumDaysBefore), daysBeforeText(0)};
    }
}

void BirthdayListPage::ViewTabBirthDayShow() {
    using namespace EventRecord;
    m_context.edit.listPage = 3;
    const TXMLIniFile& events = m_context.stores.eventStore();
    const QByteArrayList sections = events.ReadSections();
    const double now = m_context.clock.now();
    QList<QTreeWidgetItem*> rows;
    for (const QByteArray& section : sections) {
        if (events.ReadString(section, Key::AlType, {}) != KindBirth)
            continue;
        const double born = events.ReadDouble(section, Key::BirthDate, 0);
        rows.append(
            makeRow(section,
                    {storedTextToDisplay(events.ReadString(section, Key::Name, {})), EventTexts::dateText(born),
                     EventTexts::ageText(born, now), EventTexts::yesNo(events.ReadFlag(section, Key::Sound, false)),
                     daysBeforeText(events.ReadInt(section, Key::Before, 0))},
                    EventIcons::Birthday));
    }
    fill(rows);
}

void BirthdayListPage::ListView3DblClick() {
    ListActions::editFromList(m_context, selectedRow(), BirthTab);
}
