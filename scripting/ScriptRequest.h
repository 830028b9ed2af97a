#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// What a script asks of Zentick, from the command line or over D-Bus, in one form: both are read into a
// Request and refused with the same messages, and a second start hands its Request to the running instance
// as JSON over the single-instance channel.
namespace Script {

enum class Action { None, Help, AddAlarm, AddBirthday, List, Delete, Export, Import };

struct Request {
    Action action = Action::None;
    // --add-alarm TEXT --at MOMENT [--repeat N UNIT] [--no-sound] [--category NAME]
    QString text;
    QString at;
    int repeatCount = 0; // 0: once
    int repeatUnit = 0;  // "reptype" of an alarm: 0 minutes .. 5 years
    bool sound = true;
    QString category;
    // --add-birthday NAME --born DATE [--notice DAYS]
    QString name;
    QString born;
    int notice = 0;
    // --list [--json]
    bool json = false;
    // --delete SECTION
    QByteArray section;
    // --export FILE [--power-actions] | --import FILE
    QString file;
    bool powerActions = false;
    // The locale of whoever asked (QLocale::name()): dates in its short format are read in it.
    QString locale;

    QJsonObject toJson() const;
    static Request fromJson(const QJsonObject& object);
};

// Exit statuses: 0 done, 1 could not be done (a file that cannot be saved or read), 2 refused input.
inline constexpr int Done = 0;
inline constexpr int Failed = 1;
inline constexpr int Refused = 2;

struct Parsed {
    Request request;
    QString error; // empty when the arguments make a request
};

// Whether the command line is a script request rather than a start of the program ("-h", "-t" or nothing).
bool isRequested(const QStringList& arguments);
// arguments without the program name.
Parsed parseArguments(const QStringList& arguments);

// The unit word ("minutes", "hour", "Days", ...) as an alarm "reptype"; nullopt when it names none.
std::optional<int> unitFromName(const QString& name);
QString unitName(int unit);

// A date and time in ISO 8601 ("2026-05-04T09:30", a blank for the "T", seconds and a UTC offset allowed) or in
// the locale's short format; local time. Invalid when it is neither.
QDateTime parseMoment(const QString& text, const QLocale& locale);
QDate parseDate(const QString& text, const QLocale& locale);

QString helpText();

} // namespace Script
