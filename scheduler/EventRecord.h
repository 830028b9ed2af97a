#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>
#include <optional>

class TXMLIniFile;

// The event record and the past-alarm record: section names, keys, repetition units, text blocks.
namespace EventRecord {

// Key names, exactly as stored.
namespace Key {
inline constexpr char AlType[] = "altype";
inline constexpr char Date[] = "date";
inline constexpr char Repeat[] = "repeat";
inline constexpr char RepVal[] = "repval";
inline constexpr char RepType[] = "reptype";
inline constexpr char AllDays[] = "alldays";
inline constexpr char Days[] = "Days";
inline constexpr char AllMonths[] = "allmonths";
inline constexpr char Months[] = "Months";
inline constexpr char Bypass[] = "bypass";
inline constexpr char Sound[] = "sound";
inline constexpr char Category[] = "category";
inline constexpr char LineCount[] = "linecount";
inline constexpr char ShutType[] = "shuttype";
inline constexpr char BirthDate[] = "birthdate";
inline constexpr char Name[] = "name";
inline constexpr char Before[] = "before";
} // namespace Key

inline constexpr char KindAlarm[] = "alarm";
inline constexpr char KindShut[] = "shut";
inline constexpr char KindBirth[] = "birth";

enum class AlarmUnit { Minutes = 0, Hours, Days, Weeks, Months, Years };
enum class PowerUnit { Days = 0, Weeks };

// Smallest n whose decimal section holds no key.
QByteArray firstFreeSection(const TXMLIniFile& store);

// Text block: "linecount" then one key per line. Lines are written as UTF-8 and read for display with
// storedTextToDisplay (store/StoredText.h); moving a record copies its bytes instead.
QStringList readTextBlock(const TXMLIniFile& store, const QByteArray& section);
// The lines of a multi-line text as the description stores them: "\r\n" read as "\n", and no extra empty line for
// a text that ends with a line break. An empty text is no line for the editors' commit, which has always stored a
// description left empty as "linecount" 0, and one empty line for the command line and D-Bus, whose records
// have always had "linecount" 1 and an empty "0": each keeps the bytes it wrote before.
enum class EmptyText { NoLine, OneEmptyLine };
QStringList textLines(const QString& text, EmptyText empty);
void writeTextBlock(TXMLIniFile& store, const QByteArray& section, const QStringList& lines);
// The block as stored bytes: exactly "linecount" lines, a missing line key read as an empty line. Only a
// count beyond any text the program writes (MaxBlankLines) ends at the last stored line key instead.
QByteArrayList readStoredTextBlock(const TXMLIniFile& store, const QByteArray& section);
void writeStoredTextBlock(TXMLIniFile& store, const QByteArray& section, const QByteArrayList& lines);
inline constexpr qint64 MaxBlankLines = 65'536;

// The block as a record that moves takes it along: the lines shown (readStoredTextBlock) and after them every
// further line key the section holds, as long as the numbers follow on. A record without "linecount" shows no
// text, but the text it holds moves with it; so do lines an edit to fewer lines left behind. The moved record
// gets the count of lines shown as its "linecount", so it shows what the record showed.
struct MovedTextBlock {
    qsizetype shown = 0;
    QByteArrayList lines; // the first `shown` are the lines shown
    bool operator==(const MovedTextBlock& other) const { return shown == other.shown && lines == other.lines; }
};
MovedTextBlock readTextBlockToMove(const TXMLIniFile& store, const QByteArray& section);
void writeMovedTextBlock(TXMLIniFile& store, const QByteArray& section, const MovedTextBlock& block);

// Day and month strings: "1" allows. A position the string is too short for is allowed.
bool dayAllowed(const QByteArray& days, int weekday);   // 1 = Sunday .. 7 = Saturday
bool monthAllowed(const QByteArray& months, int month); // 1 = January .. 12 = December
QByteArray dayString(const bool (&allowed)[7]);
QByteArray monthString(const bool (&allowed)[12]);

// One step of the stored repetition arithmetic. A count below 1 is taken as 1; an alarm unit outside
// 0..5 as minutes. For power actions units other than 0 and 1 do not move the date (nullopt).
double addAlarmUnits(double d, int reptype, int repval);
std::optional<double> addPowerUnits(double d, int reptype, int repval);

// The first occurrence strictly after now, stepping from d; equal (to the millisecond) to stepping
// one unit at a time, but in time independent of the number of missed occurrences.
double nextAlarmOccurrence(double d, int reptype, int repval, double now);
double nextPowerOccurrence(double d, int reptype, int repval, double now); // d unchanged for units >1

} // namespace EventRecord
