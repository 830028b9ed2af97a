#include "scheduler/EventTable.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

const QVector<EventTable::Record>& EventTable::records(const TXMLIniFile& store) {
    if (m_changeCount == store.changeCount())
        return m_records;
    using namespace EventRecord;
    const QByteArrayList sections = store.ReadSections();
    m_records.clear();
    m_records.reserve(sections.size());
    for (const QByteArray& section : sections) {
        const double date = store.ReadDouble(section, Key::Date, 0);
        m_records.append({section, date, DayCount::toDate(date)});
    }
    m_changeCount = store.changeCount();
    return m_records;
}

QVector<int> EventTable::onDay(const TXMLIniFile& store, QDate day) {
    const QVector<Record>& all = records(store);
    QVector<int> found;
    for (int i = 0; i < all.size(); ++i)
        if (all[i].day == day)
            found.append(i);
    return found;
}
