#pragma once

#include "scripting/ScriptRequest.h"

#include <QJsonArray>
#include <QJsonObject>

#include <functional>
#include <optional>

class TXMLIniFile;

namespace Script {

// The stores a request works on. settings may be missing (categories are then "General" only); diary is needed
// by export and import only.
struct Stores {
    TXMLIniFile* events = nullptr;
    TXMLIniFile* pastAlarms = nullptr;
    const TXMLIniFile* settings = nullptr;
    TXMLIniFile* diary = nullptr;
};

struct Reply {
    int status = Done;
    QString out;          // for standard output
    QString error;        // for standard error
    QByteArray section;   // of an added event
    QJsonArray events;    // of --list
    bool changed = false; // a store was written: the scheduler looks again

    QJsonObject toJson() const;
    static Reply fromJson(const QJsonObject& object);
    static Reply refused(const QString& message);
    static Reply failed(const QString& message);
};

// The whole request, or nothing of it: a refusal writes nothing, and the writes of one request are saved
// once per store. now is the local day count.
Reply perform(const Request& request, const Stores& stores, double now, const QLocale& locale = QLocale::system());

// The category names an alarm may be filed under: "General" and the settings' "categories".
QStringList categories(const TXMLIniFile* settings);

// What refuses an add request whatever the files hold (the text, the date, the repetition); a second start
// checks it before it looks for the files, so bad input is refused (status 2) even where nothing could be done.
std::optional<Reply> refusalOf(const Request& request, double now, const QLocale& locale = QLocale::system());

// One event as --list and the D-Bus List show it.
QJsonObject describe(const TXMLIniFile& events, const QByteArray& section);

} // namespace Script
