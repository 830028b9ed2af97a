#pragma once

#include <QByteArray>
#include <QDate>
#include <QVector>

class TXMLIniFile;

// The event store's records as the scheduler and the views look them up most: each record's section and date, the
// date's day worked out once (the rest of a record is read for the few records that are due, or of a day or a
// month). The table reads the store again only when the store has changed since (its change count), so a tick,
// showing today's hint again or turning the calendar's month walks typed values instead of the stored text.
class EventTable {
public:
    struct Record {
        QByteArray section;
        double date = 0;
        QDate day;
    };

    // The records of store, in store order, as they are now.
    const QVector<Record>& records(const TXMLIniFile& store);
    // The indexes of the records whose date falls on day, in store order.
    QVector<int> onDay(const TXMLIniFile& store, QDate day);

private:
    quint64 m_changeCount = 0; // of the store as read; no store's count is 0
    QVector<Record> m_records;
};
