#include "ui/views/AlarmRows.h"

#include "scheduler/EventRecord.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/views/EventIcons.h"
#include "ui/views/EventTexts.h"

#include <QCollator>
#include <QLocale>

namespace {

const QByteArray general = QByteArrayLiteral("General");

} // namespace

const std::vector<AlarmRows::Row>& AlarmRows::rows(const TXMLIniFile& store) {
    const QLocale locale;
    if (m_changeCount == store.changeCount() && m_locale == locale.name())
        return m_rows;
    using namespace EventRecord;
    const QByteArrayList sections = store.ReadSections();
    m_rows.clear();
    m_index.clear();
    m_index.reserve(sections.size());
    const EventTexts::DateWriter dates(locale);
    for (const QByteArray& section : sections) {
        if (store.ReadString(section, Key::AlType, {}) != KindAlarm)
            continue;
        Row row;
        row.section = section;
        row.category = storedTextToDisplay(store.ReadString(section, Key::Category, general));
        const bool repeat = store.ReadFlag(section, Key::Repeat, false);
        const int repVal = store.ReadInt(section, Key::RepVal, 1);
        const int repType = store.ReadInt(section, Key::RepType, 0);
        row.sound = store.ReadFlag(section, Key::Sound, true);
        row.bypass = store.ReadFlag(section, Key::Bypass, true);
        row.date = store.ReadDouble(section, Key::Date, 0);
        row.interval = repeat ? ListSort::alarmInterval(repVal, repType) : 0;
        row.icon = repeat ? EventIcons::AlarmRepeat : row.sound ? EventIcons::AlarmSound : EventIcons::AlarmSilent;
        const QStringList lines = readTextBlock(store, section);
        row.descriptionKey = ListSort::descriptionKey(lines);
        row.cells = {EventTexts::descriptionText(lines), dates.dateText(row.date),
                     EventTexts::alarmRepeatText(repeat, repVal, repType), EventTexts::yesNo(row.sound),
                     EventTexts::yesNo(row.bypass)};
        m_index.insert(section, int(m_rows.size()));
        m_rows.push_back(std::move(row));
    }
    m_changeCount = store.changeCount();
    m_locale = locale.name();
    return m_rows;
}

const AlarmRows::Row* AlarmRows::find(const TXMLIniFile& store, const QByteArray& section) {
    const std::vector<Row>& all = rows(store);
    const auto it = m_index.constFind(section);
    return it == m_index.cend() ? nullptr : &all[std::size_t(*it)];
}

ListSort::SortKey AlarmRows::key(const Row& row, int column, const QCollator& collator) {
    using ListSort::Rule;
    switch (column) {
    case 1:
        if (!row.textKey)
            row.textKey = collator.sortKey(row.descriptionKey);
        return ListSort::SortKey{Rule::Text, 0, row.textKey};
    case 2:
        return ListSort::number(Rule::Date, row.date);
    case 3:
        return ListSort::number(Rule::Date, row.interval);
    case 4:
        return ListSort::number(Rule::Number, row.sound ? 1 : 0);
    case 5:
        return ListSort::number(Rule::Number, row.bypass ? 1 : 0);
    }
    return ListSort::number(Rule::Number, 0);
}
