#pragma once

#include "scheduler/DayCount.h"
#include "store/XMLIniFile.h"

#include <QDateTime>
#include <initializer_list>
#include <utility>

// Records written key by key, as text, the way they stand in the files: a test states exactly what a section
// holds, defaults included or left out.
namespace Records {

using Keys = std::initializer_list<std::pair<const char*, QByteArray>>;

inline QByteArray at(const QDateTime& moment) {
    return QByteArray::number(DayCount::fromDateTime(moment), 'g', 15);
}
inline QByteArray at(QDate day, QTime time = QTime(0, 0)) {
    return at(QDateTime(day, time));
}

inline void write(TXMLIniFile& store, const QByteArray& section, Keys keys) {
    TXMLIniFile::Batch batch(store);
    for (const auto& [key, value] : keys)
        store.WriteString(section, key, value);
    batch.commit();
}

} // namespace Records
