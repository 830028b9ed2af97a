#include "ui/views/AlarmListPage.h"
#include "widgets/FancyButton.h"

#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "scheduler/EventRecord.h"
#include "scheduler/PastAlarms.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/notify/OpenAlarmRegistry.h"
#include "ui/views/EventTexts.h"
#include "ui/views/ListActions.h"
#include "ui/views/RowData.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QTreeWidget>

namespace {

const EventListPage::Names names = {"ViewTabAl",
                                    "myaSuperLabel12",
                                    "ListView1",
                                    "Del0",
                                    "Edt",
                                    "myLabel3d27",
                                    {"DsFancyButton20", "DsFancyButton19", "DsFancyButton18", "DsFancyButton12"},
                                    "DsFancyButton8"};

const QByteArray general = QByteArrayLiteral("General");

} // namespace

AlarmListPage::AlarmListPage(PageContext& context, QWidget* parent)
    : EventListPage(context, 1, names, tr("General Alarms"),
                    {{QT_TRANSLATE_NOOP("EventListPage", "Description"), Qt::AlignLeft, 12},
                     {QT_TRANSLATE_NOOP("EventListPage", "Date"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Repeat Every"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Sound"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Bypass"), Qt::AlignHCenter}},
                    parent) {
    myaSuperLabel12 = title();
    ListView1 = list();
    Del0 = deleteButton();
    Edt = editButton();
    ComboBox4 = new QComboBox(this);
    ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
    ComboBox4->setAccessibleName(tr("Show the alarms of the category"));
    ComboBox4->setEditable(false);
    ComboBox4->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_bottom->insertWidget(1, ComboBox4);
    // Between "<<Back" and "Delete", where it stands.
    setTabOrder(backButton(), ComboBox4);
    setTabOrder(ComboBox4, Del0);
    connect(ComboBox4, &QComboBox::activated, this, &AlarmListPage::ComboBox4Select);
}

TXMLIniFile& AlarmListPage::store() {
    return m_context.stores.eventStore();
}

QStringList AlarmListPage::possibleTexts(int column) const {
    switch (column) {
    case 2:
        return EventTexts::possibleDateTexts(true);
    case 3: {
        QStringList texts{EventTexts::alarmRepeatText(false, 1, 0)};
        for (int unit = 0; unit < 6; ++unit)
            texts.append(EventTexts::alarmRepeatText(true, AlarmEditorPage::maximumCount(unit), unit));
        return texts;
    }
    default:
        return {EventTexts::yesNo(true), EventTexts::yesNo(false)};
    }
}

void AlarmListPage::rebuildCategoryFilter() {
    const TXMLIniFile& settings = m_context.stores.settingsStore();
    ComboBox4->clear();
    ComboBox4->addItem(tr("All"));
    ComboBox4->addItem(tr("General"), general);
    const int count = settings.ReadInt(SettingsKey::CategoriesSection, SettingsKey::CategoryCount, 0);
    for (int i = 0; i < count; ++i) {
        const QByteArray name = settings.ReadString(SettingsKey::CategoriesSection, QByteArray::number(i), {});
        ComboBox4->addItem(storedTextToDisplay(name), name);
    }
    // A stored index past the categories that are left (one was deleted) shows every alarm rather than none.
    const int index = settings.ReadInt(SettingsKey::Section, SettingsKey::CategoryIndex, 0);
    ComboBox4->setCurrentIndex(index >= 0 && index < ComboBox4->count() ? index : 0);
}

void AlarmListPage::ViewTabAlShow() {
    m_context.edit.listPage = 1;
    if (!m_keepCategoryFilter)
        rebuildCategoryFilter();
    m_keepCategoryFilter = false;
    const bool filtered = ComboBox4->currentIndex() != 0;
    // Categories compare as the user sees them, exactly: a name stored as Windows-1252 in one place and as UTF-8
    // in another is the same category.
    // "General" is shown in the user's language but stored as it stands.
    const QVariant listed = ComboBox4->currentData();
    const QString category = listed.isValid() ? storedTextToDisplay(listed.toByteArray()) : ComboBox4->currentText();

    const std::vector<AlarmRows::Row>& alarms = m_rows.rows(m_context.stores.eventStore());
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(alarms.size()));
    for (const AlarmRows::Row& alarm : alarms)
        if (!filtered || alarm.category == category)
            rows.append(makeRow(alarm.section, alarm.cells, alarm.icon));
    fill(rows);
}

ListSort::SortKey AlarmListPage::sortKey(const QByteArray& section, int column, const QCollator& collator) {
    if (const AlarmRows::Row* row = m_rows.find(m_context.stores.eventStore(), section))
        return AlarmRows::key(*row, column, collator);
    return EventListPage::sortKey(section, column, collator);
}

void AlarmListPage::ComboBox4Select(int index) {
    m_context.stores.settingsStore().WriteInt(SettingsKey::Section, SettingsKey::CategoryIndex, index);
    m_keepCategoryFilter = true;
    ViewTabAlShow();
}

void AlarmListPage::ListView1DblClick() {
    ListActions::editFromList(m_context, selectedRow(), AlarmTab);
}

void AlarmListPage::deleteRecord(const QTreeWidgetItem* row) {
    const QByteArray section = RowData::section(row);
    TXMLIniFile& events = m_context.stores.eventStore();
    PastAlarms::retire(events, m_context.stores.pastAlarmStore(), section,
                       events.ReadDouble(section, EventRecord::Key::Date, 0));
    // A window still open for it no longer belongs to any record: a new record may take its number.
    m_context.registry->remove(RowData::sectionNumber(row));
}
