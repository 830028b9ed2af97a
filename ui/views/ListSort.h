#pragma once

#include <QByteArray>
#include <QCollatorSortKey>
#include <QStringList>
#include <optional>
#include <vector>

class QCollator;
class TXMLIniFile;

// The typed orders of the event lists. A list is sorted by the value of one column read from each row's record,
// never by the texts shown. Each row's value is read once per sort; the comparisons then run on those values.
namespace ListSort {

enum class Rule {
    Date,     // equal within a millisecond
    WholeDay, // equal on the same whole day count
    Number,   // flags ("No" before "Yes") and counts
    Text,     // the locale's collation, without regard to case
};

struct SortKey {
    Rule rule = Rule::Number;
    double number = 0;
    std::optional<QCollatorSortKey> text;
};

SortKey number(Rule rule, double value);
SortKey text(const QString& value, const QCollator& collator);

// Negative when a comes first in ascending order, 0 when the column holds them equal, positive otherwise.
int compare(const SortKey& a, const SortKey& b);

// The lists' columns, by their 1-based position. A column a list does not have compares every row equal.
enum class List { Alarms = 1, PowerActions = 2, Birthdays = 3, PastAlarms = 4 };
SortKey key(List list, int column, const TXMLIniFile& store, const QByteArray& section, const QCollator& collator);

// "Repeat Every" as a length in days: months and years as calendar months from 30 December 1899, so one
// month is 31 days and two are 60. 0 for a record that does not repeat.
double alarmInterval(const TXMLIniFile& store, const QByteArray& section);
double alarmInterval(int repVal, int repType); // of a repeating alarm
double powerInterval(const TXMLIniFile& store, const QByteArray& section);

// "<line> <line> ": the description as one text, each line followed by a blank.
QString descriptionKey(const TXMLIniFile& store, const QByteArray& section);
QString descriptionKey(const QStringList& lines);

// The order of rows for a sort state (its sign the direction, its magnitude the column): stable, so rows
// the column holds equal keep their order.
std::vector<int> order(const std::vector<SortKey>& keys, int sortState);

// A collator for the user's locale that ignores case.
QCollator textCollator();

} // namespace ListSort
