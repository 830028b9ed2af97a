#include "ui/views/ListSort.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QCollator>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace ListSort {

namespace {

constexpr double millisecond = 1.0 / 86'400'000.0;

int sign(double a, double b) {
    return a >= b ? 1 : -1;
}

} // namespace

SortKey number(Rule rule, double value) {
    return SortKey{rule, value, std::nullopt};
}

SortKey text(const QString& value, const QCollator& collator) {
    return SortKey{Rule::Text, 0, collator.sortKey(value)};
}

int compare(const SortKey& a, const SortKey& b) {
    switch (a.rule) {
    case Rule::Date:
        return std::fabs(a.number - b.number) < millisecond ? 0 : sign(a.number, b.number);
    case Rule::WholeDay:
        return std::trunc(a.number) == std::trunc(b.number) ? 0 : sign(a.number, b.number);
    case Rule::Number:
        return a.number == b.number ? 0 : sign(a.number, b.number);
    case Rule::Text:
        if (a.text && b.text)
            return a.text->compare(*b.text);
        return 0;
    }
    return 0;
}

QString descriptionKey(const TXMLIniFile& store, const QByteArray& section) {
    return descriptionKey(EventRecord::readTextBlock(store, section));
}

QString descriptionKey(const QStringList& lines) {
    QString joined;
    for (const QString& line : lines)
        joined += line + QLatin1Char(' ');
    return joined;
}

double alarmInterval(const TXMLIniFile& store, const QByteArray& section) {
    using namespace EventRecord;
    if (!store.ReadFlag(section, Key::Repeat, false))
        return 0;
    return alarmInterval(store.ReadInt(section, Key::RepVal, 1), store.ReadInt(section, Key::RepType, 0));
}

double alarmInterval(int n, int repType) {
    switch (repType) {
    case 0:
        return DayCount::addMinutes(0, n);
    case 1:
        return DayCount::addHours(0, n);
    case 2:
        return n;
    case 3:
        return 7.0 * n;
    case 4:
        return DayCount::addMonths(0, n);
    case 5:
        return DayCount::addMonths(0, 12 * n);
    default:
        return 0;
    }
}

double powerInterval(const TXMLIniFile& store, const QByteArray& section) {
    using namespace EventRecord;
    if (!store.ReadFlag(section, Key::Repeat, false))
        return 0;
    const int n = store.ReadInt(section, Key::RepVal, 1);
    switch (store.ReadInt(section, Key::RepType, 0)) {
    case 0:
        return n;
    case 1:
        return 7.0 * n;
    default:
        return 0;
    }
}

SortKey key(List list, int column, const TXMLIniFile& store, const QByteArray& section, const QCollator& collator) {
    using namespace EventRecord;
    const auto date = [&](const char* name) {
        return number(Rule::Date, store.ReadDouble(section, name, 0));
    };
    const auto flag = [&](const char* name) {
        return number(Rule::Number, store.ReadFlag(section, name, true) ? 1 : 0);
    };
    const auto count = [&](const char* name) {
        return number(Rule::Number, store.ReadInt(section, name, 0));
    };
    switch (list) {
    case List::Alarms:
        switch (column) {
        case 1:
            return text(descriptionKey(store, section), collator);
        case 2:
            return date(Key::Date);
        case 3:
            return number(Rule::Date, alarmInterval(store, section));
        case 4:
            return flag(Key::Sound);
        case 5:
            return flag(Key::Bypass);
        }
        break;
    case List::PowerActions:
        switch (column) {
        case 1:
            return count(Key::ShutType);
        case 2:
            return date(Key::Date);
        case 3:
            return number(Rule::Date, powerInterval(store, section));
        }
        break;
    case List::Birthdays:
        switch (column) {
        case 1:
            return text(storedTextToDisplay(store.ReadString(section, Key::Name, QByteArray())), collator);
        case 2:
            return number(Rule::WholeDay, store.ReadDouble(section, Key::BirthDate, 0));
        case 3:
            // Ascending age is descending birth date.
            return number(Rule::WholeDay, -store.ReadDouble(section, Key::BirthDate, 0));
        case 4:
            return flag(Key::Sound);
        case 5:
            return count(Key::Before);
        }
        break;
    case List::PastAlarms:
        // "Description", "Date" and "Sound" read as on the alarm list.
        if (column >= 1 && column <= 3)
            return key(List::Alarms, column == 3 ? 4 : column, store, section, collator);
        break;
    }
    return number(Rule::Number, 0);
}

std::vector<int> order(const std::vector<SortKey>& keys, int sortState) {
    std::vector<int> rows(keys.size());
    std::iota(rows.begin(), rows.end(), 0);
    const int direction = sortState < 0 ? -1 : 1;
    // Merge sort: the millisecond tolerance of dates is not transitive, and a merge never leaves its range
    // whatever the comparisons say.
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return compare(keys[std::size_t(a)], keys[std::size_t(b)]) * direction < 0; });
    return rows;
}

QCollator textCollator() {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace ListSort
