#pragma once

#include "ui/views/ListSort.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QCollator;
class TXMLIniFile;

// The alarm list's rows as read from the event store: the cells shown and the typed values the columns sort
// by, each record read and its date parsed once. Read again only when the store has changed (its change count)
// or the locale the dates are written in is another, so showing the list again, or sorting it by another
// column, makes rows from these instead of reading the store.
class AlarmRows {
public:
    struct Row {
        QByteArray section;
        QString category; // as the user sees it: the filter compares it with the name it shows
        int icon = 0;
        QStringList cells; // "Description", "Date", "Repeat Every", "Sound", "Bypass"
        QString descriptionKey;
        double date = 0;
        double interval = 0; // the repetition's length in days, 0 for none
        bool sound = true;
        bool bypass = true;
        mutable std::optional<QCollatorSortKey> textKey; // made when the list is first sorted by description
    };

    // The alarms of store, in store order, as they are now.
    const std::vector<Row>& rows(const TXMLIniFile& store);
    // The row of section, or null when it is no alarm of the store as it is now.
    const Row* find(const TXMLIniFile& store, const QByteArray& section);
    // A row's key for the alarm list's column (1 Description .. 5 Bypass).
    static ListSort::SortKey key(const Row& row, int column, const QCollator& collator);

private:
    quint64 m_changeCount = 0; // of the store as read; no store's count is 0
    QString m_locale;
    std::vector<Row> m_rows;
    QHash<QByteArray, int> m_index;
};
