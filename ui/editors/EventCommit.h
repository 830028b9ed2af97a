#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

class TXMLIniFile;

// Writing event records: the one place where they are created or rewritten. A record is rewritten in
// place and never erased first, so keys a write leaves out keep their earlier values; readers go by
// "repeat", "alldays", "allmonths" and "linecount" before the keys these govern.
namespace EventCommit {

struct DayMonthFilter {
    bool allDays = true;
    bool allMonths = true;
    bool days[7] = {true, true, true, true, true, true, true}; // Sunday .. Saturday
    bool months[12] = {true, true, true, true, true, true, true, true, true, true, true, true};
};

struct Repetition {
    bool enabled = false;
    int count = 1;
    int unit = 0; // index of the unit list of the editor
    DayMonthFilter filter;
};

// Texts are the bytes to store: the editor keeps what the user did not change as it was read (KeptText.h).
struct AlarmRecord {
    bool bypass = false;
    double date = 0;
    Repetition repetition;
    bool sound = true;
    QByteArray category;
    QByteArrayList lines;
};

struct PowerActionRecord {
    double moment = 0; // the moment the user chose; the record is due 30 seconds earlier
    Repetition repetition;
    int action = 0;
};

struct BirthdayRecord {
    double birthDate = 0; // midnight
    double date = 0;      // first notification day
    QByteArray name;
    bool sound = true;
    int before = 0;
};

// The countdown of a power action runs this long before the chosen moment.
inline constexpr int powerCountdownSeconds = 30;

// Each writes its keys in the documented order, in one save of the store.
void writeAlarm(TXMLIniFile& store, const QByteArray& section, const AlarmRecord& record);
void writePowerAction(TXMLIniFile& store, const QByteArray& section, const PowerActionRecord& record);
void writeBirthday(TXMLIniFile& store, const QByteArray& section, const BirthdayRecord& record);

// The next birthday at or after now (whole years from the date of birth, the 29th of February held at
// the 28th once a common year is passed), then "before" days earlier.
double firstBirthdayNotification(double birthDate, double now, int before);

// The lines of a description as the editors store them (EventRecord::textLines): none for an empty text.
QStringList textLines(const QString& text);

} // namespace EventCommit
