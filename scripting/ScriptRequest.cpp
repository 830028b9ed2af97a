#include "scripting/ScriptRequest.h"

#include <QCoreApplication>
#include <QJsonValue>
#include <QTimeZone>

namespace Script {

namespace {

const char* const UnitNames[] = {"minutes", "hours", "days", "weeks", "months", "years"};

struct ActionName {
    const char* option;
    Action action;
    bool takesValue;
};

const ActionName Actions[] = {
    {"--help", Action::Help, false},
    {"--add-alarm", Action::AddAlarm, true},
    {"--add-birthday", Action::AddBirthday, true},
    {"--list", Action::List, false},
    {"--delete", Action::Delete, true},
    {"--export", Action::Export, true},
    {"--import", Action::Import, true},
};

// The options each action allows besides itself.
QStringList optionsOf(Action action) {
    switch (action) {
    case Action::AddAlarm:
        return {QStringLiteral("--at"), QStringLiteral("--repeat"), QStringLiteral("--no-sound"),
                QStringLiteral("--category")};
    case Action::AddBirthday:
        return {QStringLiteral("--born"), QStringLiteral("--notice"), QStringLiteral("--no-sound")};
    case Action::List:
        return {QStringLiteral("--json")};
    case Action::Export:
        return {QStringLiteral("--power-actions")};
    default:
        return {};
    }
}

const QStringList& allOptions() {
    static const QStringList options{QStringLiteral("--at"),       QStringLiteral("--repeat"),
                                     QStringLiteral("--no-sound"), QStringLiteral("--category"),
                                     QStringLiteral("--born"),     QStringLiteral("--notice"),
                                     QStringLiteral("--json"),     QStringLiteral("--power-actions")};
    return options;
}

QString actionOption(Action action) {
    for (const ActionName& a : Actions) {
        if (a.action == action)
            return QLatin1String(a.option);
    }
    return {};
}

// Qt reads "yy" as 19yy; a reminder is set for this century.
QDateTime withCentury(QDateTime moment, const QString& format) {
    if (moment.isValid() && !format.contains(QLatin1String("yyyy")) && moment.date().year() < 2000)
        moment = moment.addYears(100);
    return moment;
}

QDate withCentury(QDate date, const QString& format) {
    if (date.isValid() && !format.contains(QLatin1String("yyyy")) && date.year() < 1950)
        date = date.addYears(100);
    return date;
}

} // namespace

QJsonObject Request::toJson() const {
    QJsonObject o;
    o[QLatin1String("action")] = int(action);
    o[QLatin1String("text")] = text;
    o[QLatin1String("at")] = at;
    o[QLatin1String("repeatCount")] = repeatCount;
    o[QLatin1String("repeatUnit")] = repeatUnit;
    o[QLatin1String("sound")] = sound;
    o[QLatin1String("category")] = category;
    o[QLatin1String("name")] = name;
    o[QLatin1String("born")] = born;
    o[QLatin1String("notice")] = notice;
    o[QLatin1String("json")] = json;
    o[QLatin1String("section")] = QString::fromUtf8(section);
    o[QLatin1String("file")] = file;
    o[QLatin1String("powerActions")] = powerActions;
    o[QLatin1String("locale")] = locale;
    return o;
}

Request Request::fromJson(const QJsonObject& o) {
    Request r;
    const int action = o.value(QLatin1String("action")).toInt(0);
    r.action = action >= int(Action::None) && action <= int(Action::Import) ? Action(action) : Action::None;
    r.text = o.value(QLatin1String("text")).toString();
    r.at = o.value(QLatin1String("at")).toString();
    r.repeatCount = o.value(QLatin1String("repeatCount")).toInt(0);
    r.repeatUnit = o.value(QLatin1String("repeatUnit")).toInt(0);
    r.sound = o.value(QLatin1String("sound")).toBool(true);
    r.category = o.value(QLatin1String("category")).toString();
    r.name = o.value(QLatin1String("name")).toString();
    r.born = o.value(QLatin1String("born")).toString();
    r.notice = o.value(QLatin1String("notice")).toInt(0);
    r.json = o.value(QLatin1String("json")).toBool(false);
    r.section = o.value(QLatin1String("section")).toString().toUtf8();
    r.file = o.value(QLatin1String("file")).toString();
    r.powerActions = o.value(QLatin1String("powerActions")).toBool(false);
    r.locale = o.value(QLatin1String("locale")).toString();
    return r;
}

bool isRequested(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        for (const ActionName& a : Actions) {
            if (argument == QLatin1String(a.option))
                return true;
        }
    }
    return false;
}

std::optional<int> unitFromName(const QString& name) {
    const QString word = name.trimmed().toLower();
    for (int unit = 0; unit < 6; ++unit) {
        const QString plural = QLatin1String(UnitNames[unit]);
        if (word == plural || word == plural.chopped(1))
            return unit;
    }
    return std::nullopt;
}

QString unitName(int unit) {
    return unit >= 0 && unit < 6 ? QLatin1String(UnitNames[unit]) : QString();
}

QDateTime parseMoment(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    QString iso = trimmed;
    if (iso.size() > 10 && iso.at(10) == u' ')
        iso[10] = u'T';
    QDateTime moment = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (moment.isValid() && iso.size() > 10)
        return moment.timeSpec() == Qt::LocalTime ? moment : moment.toLocalTime();
    const QStringList formats{locale.dateTimeFormat(QLocale::ShortFormat),
                              locale.dateFormat(QLocale::ShortFormat) + u' ' + locale.timeFormat(QLocale::ShortFormat),
                              locale.dateFormat(QLocale::ShortFormat) + u' ' + locale.timeFormat(QLocale::LongFormat)};
    for (const QString& format : formats) {
        moment = withCentury(locale.toDateTime(trimmed, format), format);
        if (moment.isValid())
            return moment;
    }
    return {};
}

QDate parseDate(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, Qt::ISODate);
    if (date.isValid())
        return date;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    return withCentury(locale.toDate(trimmed, format), format);
}

Parsed parseArguments(const QStringList& arguments) {
    Parsed out;
    Request& r = out.request;
    QStringList seen;
    const auto fail = [&out](const QString& message) {
        out.error = message;
        return out;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const auto value = [&](const QString& what) -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            Q_UNUSED(what);
            return arguments.at(++i);
        };
        bool isAction = false;
        for (const ActionName& a : Actions) {
            if (argument != QLatin1String(a.option))
                continue;
            isAction = true;
            if (r.action != Action::None)
                return fail(QCoreApplication::translate("Script", "%1 and %2 cannot be asked for together.")
                                .arg(actionOption(r.action), argument));
            r.action = a.action;
            if (a.takesValue) {
                const std::optional<QString> v = value(argument);
                if (!v)
                    return fail(QCoreApplication::translate("Script", "%1 needs a value.").arg(argument));
                switch (a.action) {
                case Action::AddAlarm:
                    r.text = *v;
                    break;
                case Action::AddBirthday:
                    r.name = *v;
                    break;
                case Action::Delete:
                    r.section = v->toUtf8();
                    break;
                default:
                    r.file = *v;
                }
            }
        }
        if (isAction)
            continue;
        if (!allOptions().contains(argument))
            return fail(QCoreApplication::translate("Script", "Unknown option \"%1\"; zentick --help lists them.")
                            .arg(argument));
        if (seen.contains(argument))
            return fail(QCoreApplication::translate("Script", "%1 is given twice.").arg(argument));
        seen << argument;
        if (argument == QLatin1String("--no-sound")) {
            r.sound = false;
        } else if (argument == QLatin1String("--json")) {
            r.json = true;
        } else if (argument == QLatin1String("--power-actions")) {
            r.powerActions = true;
        } else if (argument == QLatin1String("--repeat")) {
            if (i + 2 >= arguments.size())
                return fail(QCoreApplication::translate(
                    "Script", "--repeat needs a count and a unit, for example --repeat 2 weeks."));
            bool ok = false;
            r.repeatCount = arguments.at(++i).toInt(&ok);
            if (!ok || r.repeatCount < 1 || r.repeatCount > 9999)
                return fail(
                    QCoreApplication::translate("Script", "The repetition count \"%1\" is not a number from 1 to 9999.")
                        .arg(arguments.at(i)));
            const std::optional<int> unit = unitFromName(arguments.at(++i));
            if (!unit)
                return fail(QCoreApplication::translate(
                                "Script", "Unknown unit \"%1\": use minutes, hours, days, weeks, months or years.")
                                .arg(arguments.at(i)));
            r.repeatUnit = *unit;
        } else {
            const std::optional<QString> v = value(argument);
            if (!v)
                return fail(QCoreApplication::translate("Script", "%1 needs a value.").arg(argument));
            if (argument == QLatin1String("--at"))
                r.at = *v;
            else if (argument == QLatin1String("--category"))
                r.category = *v;
            else if (argument == QLatin1String("--born"))
                r.born = *v;
            else if (argument == QLatin1String("--notice")) {
                bool ok = false;
                r.notice = v->toInt(&ok);
                if (!ok || r.notice < 0 || r.notice > 365)
                    return fail(QCoreApplication::translate("Script",
                                                            "The notice \"%1\" is not a number of days from 0 to 365.")
                                    .arg(*v));
            }
        }
    }
    if (r.action == Action::None)
        return fail(
            QCoreApplication::translate("Script", "Nothing to do: zentick --help lists what can be asked for."));
    const QStringList allowed = optionsOf(r.action);
    for (const QString& option : seen) {
        if (!allowed.contains(option))
            return fail(
                QCoreApplication::translate("Script", "%1 does not go with %2.").arg(option, actionOption(r.action)));
    }
    return out;
}

QString helpText() {
    return QCoreApplication::translate(
        "Script",
        "Usage: zentick [-h | -t]\n"
        "       zentick --add-alarm TEXT --at \"DATE TIME\" [--repeat N UNIT] [--no-sound] [--category NAME]\n"
        "       zentick --add-birthday NAME --born DATE [--notice DAYS] [--no-sound]\n"
        "       zentick --list [--json]\n"
        "       zentick --delete SECTION\n"
        "       zentick --export FILE.ics [--power-actions]\n"
        "       zentick --import FILE.ics\n"
        "\n"
        "  -h                start with the main window hidden (a running instance shows its window)\n"
        "  -t                end the running instance\n"
        "  --add-alarm TEXT  add an alarm showing TEXT (a line break in TEXT starts a new line)\n"
        "  --at \"DATE TIME\"  when: ISO 8601 (2026-05-04 09:30) or the short format of your locale\n"
        "  --repeat N UNIT   repeat every N minutes, hours, days, weeks, months or years\n"
        "  --no-sound        show the reminder without playing the melody\n"
        "  --category NAME   file the alarm under NAME (General unless given; the name must exist)\n"
        "  --add-birthday NAME  add a yearly birthday greeting for NAME\n"
        "  --born DATE       date of birth, ISO 8601 (1980-05-10) or the locale's short date\n"
        "  --notice DAYS     also greet DAYS days before the birthday\n"
        "  --list            every event: section, kind, next moment and text; --json as a JSON array\n"
        "  --delete SECTION  delete the event of that section (an alarm goes to the past alarms)\n"
        "  --export FILE     write the alarms, birthdays and diary notes as iCalendar (RFC 5545);\n"
        "                    --power-actions adds the power actions\n"
        "  --import FILE     add the events and notes of an iCalendar file; nothing is replaced\n"
        "  --help            this text\n"
        "\n"
        "With Zentick running, the request goes to it; otherwise the files are changed directly.\n"
        "Exit status: 0 done, 1 the files could not be read or saved, 2 the request was refused\n"
        "(nothing is written then).\n");
}

} // namespace Script
