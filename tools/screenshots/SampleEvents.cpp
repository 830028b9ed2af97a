#include "SampleEvents.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

namespace SampleEvents {

namespace {

using namespace EventRecord;

struct Alarm {
    int days;
    QTime time;
    const char* text;
    int repval; // 0: no repetition
    int reptype;
    bool sound;
    const char* category;
};

struct Power {
    int days;
    QTime time;
    int action;
    int repval;
    int reptype;
};

struct Birthday {
    const char* name;
    QDate born;
    int before;
    bool sound;
};

void writeAlarm(TXMLIniFile& store, const QByteArray& section, const QDateTime& at, const Alarm& alarm) {
    store.WriteFlag(section, Key::Bypass, alarm.days % 3 == 0);
    store.WriteString(section, Key::AlType, KindAlarm);
    store.WriteDouble(section, Key::Date, DayCount::fromDateTime(at));
    store.WriteFlag(section, Key::Repeat, alarm.repval > 0);
    if (alarm.repval > 0) {
        store.WriteInt(section, Key::RepVal, alarm.repval);
        store.WriteInt(section, Key::RepType, alarm.reptype);
        store.WriteFlag(section, Key::AllDays, true);
        store.WriteFlag(section, Key::AllMonths, true);
    }
    store.WriteFlag(section, Key::Sound, alarm.sound);
    store.WriteString(section, Key::Category, alarm.category);
    writeTextBlock(store, section, QString::fromUtf8(alarm.text).split(QLatin1Char('\n')));
}

} // namespace

void fill(TXMLIniFile& events, TXMLIniFile& pastAlarms, TXMLIniFile& settings, const QDateTime& now) {
    const QDate today = now.date();
    const Alarm alarms[] = {
        {0, QTime(14, 30), "Call the dentist\nAsk about Thursday", 0, 0, true, "General"},
        {0, QTime(18, 0), "Pick up the children from football", 1, 3, true, "Family"},
        {1, QTime(9, 0), "Team meeting", 1, 3, false, "Work"},
        {2, QTime(7, 15), "Take the blue pill", 12, 1, true, "Health"},
        {3, QTime(20, 0), "Water the plants", 3, 2, false, "General"},
        {5, QTime(12, 0), "Pay the rent", 1, 4, true, "General"},
        {6, QTime(16, 45), "Renew the car insurance\nPolicy number is in the folder", 0, 0, true, "General"},
        {9, QTime(10, 0), "Quarterly report due", 3, 4, true, "Work"},
        {12, QTime(8, 30), "Stretch and walk", 90, 0, false, "Health"},
        {16, QTime(19, 30), "Book club", 2, 3, true, "Family"},
        {21, QTime(11, 0), "Wedding anniversary", 1, 5, true, "Family"},
        {27, QTime(15, 0), "Library books back", 0, 0, false, "General"},
    };
    const Power powers[] = {
        {0, QTime(23, 0), 0, 1, 0}, {1, QTime(2, 0), 1, 1, 1},   {2, QTime(22, 30), 3, 0, 0},
        {3, QTime(1, 0), 4, 2, 0},  {4, QTime(18, 0), 2, 0, 0},  {6, QTime(23, 30), 0, 0, 0},
        {8, QTime(3, 0), 1, 2, 1},  {10, QTime(0, 30), 3, 1, 1}, {13, QTime(21, 0), 4, 0, 0},
        {15, QTime(6, 0), 1, 0, 0}, {19, QTime(22, 0), 0, 1, 1}, {24, QTime(17, 30), 2, 3, 0},
    };
    const Birthday birthdays[] = {
        {"Anna Schmidt", QDate(1985, 3, 7), 2, true},     {"Ben Carter", QDate(1979, 3, 19), 0, true},
        {"Chloé Martin", QDate(1992, 4, 2), 3, false},    {"David Okafor", QDate(1968, 5, 23), 0, true},
        {"Eva Novak", QDate(2001, 6, 11), 7, true},       {"Farid Haddad", QDate(1990, 7, 30), 0, false},
        {"Grandma Rose", QDate(1938, 8, 15), 5, true},    {"Hiro Tanaka", QDate(1983, 9, 4), 1, true},
        {"Isabel Ortega", QDate(1995, 10, 27), 0, false}, {"Jonas Berg", QDate(1975, 11, 9), 2, true},
        {"Kasia Nowak", QDate(2010, 12, 24), 14, true},   {"Liam O'Brien", QDate(1988, 1, 31), 0, true},
    };
    TXMLIniFile::Batch eventBatch(events);
    TXMLIniFile::Batch pastBatch(pastAlarms);
    int section = 0;
    for (const Alarm& alarm : alarms)
        writeAlarm(events, QByteArray::number(section++), QDateTime(today.addDays(alarm.days), alarm.time), alarm);
    for (const Power& power : powers) {
        const QByteArray name = QByteArray::number(section++);
        events.WriteString(name, Key::AlType, KindShut);
        const QDateTime at(today.addDays(power.days), power.time);
        events.WriteDouble(name, Key::Date, DayCount::addSeconds(DayCount::fromDateTime(at), -30));
        events.WriteFlag(name, Key::Repeat, power.repval > 0);
        if (power.repval > 0) {
            events.WriteInt(name, Key::RepVal, power.repval);
            events.WriteInt(name, Key::RepType, power.reptype);
        }
        events.WriteInt(name, Key::ShutType, power.action);
    }
    for (const Birthday& birthday : birthdays) {
        const QByteArray name = QByteArray::number(section++);
        QDate next(today.year(), birthday.born.month(), birthday.born.day());
        if (next < today)
            next = next.addYears(1);
        events.WriteString(name, Key::AlType, KindBirth);
        events.WriteDouble(name, Key::BirthDate, DayCount::fromDate(birthday.born));
        events.WriteDouble(name, Key::Date, DayCount::fromDate(next.addDays(-birthday.before)));
        events.WriteString(name, Key::Name, displayTextToStored(QString::fromUtf8(birthday.name)));
        events.WriteFlag(name, Key::Sound, birthday.sound);
        events.WriteInt(name, Key::Before, birthday.before);
    }
    for (int i = 0; i < 12; ++i) {
        const Alarm& alarm = alarms[std::size_t(11 - i)];
        const QByteArray name = QByteArray::number(i);
        pastAlarms.WriteDouble(name, Key::Date,
                               DayCount::fromDateTime(QDateTime(today.addDays(-3 * i - 1), alarm.time)));
        pastAlarms.WriteFlag(name, Key::Sound, alarm.sound);
        writeTextBlock(pastAlarms, name, QString::fromUtf8(alarm.text).split(QLatin1Char('\n')));
    }
    eventBatch.commit();
    pastBatch.commit();

    TXMLIniFile::Batch settingsBatch(settings);
    const char* const categories[] = {"Work", "Family", "Health"};
    settings.WriteInt("categories", "count", 3);
    for (int i = 0; i < 3; ++i)
        settings.WriteString("categories", QByteArray::number(i), categories[i]);
    settingsBatch.commit();
}

} // namespace SampleEvents
