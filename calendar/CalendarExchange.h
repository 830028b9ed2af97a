#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class TXMLIniFile;

// Zentick's events and diary notes as iCalendar (RFC 5545) and back, through libical: the one mapping the
// command line, the settings page and a calendar sync share.
//
//   alarm        VEVENT: DTSTART (floating local time: a Zentick alarm rings at the wall-clock time wherever the
//                computer is), SUMMARY (first line) and DESCRIPTION (the text), a DISPLAY VALARM and an AUDIO one
//                when it plays its melody, RRULE FREQ=MINUTELY..YEARLY with INTERVAL and the day and month filters
//                as BYDAY / BYMONTH where RFC 5545 reads them as filters (up to DAILY, BYMONTH up to MONTHLY);
//                X-ZENTICK-DAYS / X-ZENTICK-MONTHS carry the filters exactly, X-ZENTICK-BYPASS "Bypass if
//                delayed", X-ZENTICK-CATEGORY the category.
//   birthday     VEVENT on the date of birth (VALUE=DATE), RRULE:FREQ=YEARLY, SUMMARY the name, X-ZENTICK-KIND
//                "birthday", a DISPLAY VALARM on the day and one TRIGGER:-P<n>D for the notice.
//   power action only when asked for (it belongs to one computer): VEVENT with X-ZENTICK-KIND "power" and
//                X-ZENTICK-ACTION; an import reports it and leaves it out, so a file never switches a computer off.
//   diary note   VJOURNAL on its date (VALUE=DATE) with the note as DESCRIPTION.
//
// The import adds and never replaces: each event gets the first free section number, keeps its UID in the new key
// "icaluid" (which every earlier reader passes over, as it reads keys by name), and an event whose UID the store
// already holds (imported before, or exported from this store) is left out, so importing a file twice does not
// double it. A note for a date that already has one is left out. What cannot be mapped is reported: a repetition
// Zentick cannot express becomes its next occurrence, a one-time event in the past, a to-do or free/busy time is
// left out. A file libical cannot read whole is refused and nothing is written.
namespace CalendarExchange {

inline constexpr char UidKey[] = "icaluid";

struct ExportOptions {
    bool powerActions = false;
    QDateTime stamp = QDateTime::currentDateTimeUtc(); // DTSTAMP
};

// diary may be null.
QByteArray exportCalendar(const TXMLIniFile& events, const TXMLIniFile* diary, const ExportOptions& options = {});

// The calendar into file, whole or not at all: on a full disk an earlier file of that name stays as it was. Empty
// when written, else why not.
QString exportToFile(const QString& file, const TXMLIniFile& events, const TXMLIniFile* diary,
                     const ExportOptions& options = {});

struct ImportReport {
    QString error;      // not empty: refused, nothing written
    int added = 0;      // events
    int notesAdded = 0; // diary notes
    int alreadyThere = 0;
    QStringList notes; // what could not be mapped as it was, one line each
    QString summary() const;
};

// now: local day count. Writes each store once (a batch), the events first.
ImportReport importCalendar(const QByteArray& text, TXMLIniFile& events, TXMLIniFile* diary, double now);

// ---- one record at a time, for a calendar server ----

// The record as a calendar object of its own: a VCALENDAR holding one VEVENT (an alarm, a birthday) or one VJOURNAL
// (a diary note) under uid. Empty for a record that does not leave the computer (a power action) or whose date no
// calendar can hold.
QByteArray eventObject(const TXMLIniFile& events, const QByteArray& section, const QByteArray& uid,
                       const ExportOptions& options = {});
QByteArray noteObject(const TXMLIniFile& diary, const QByteArray& section, const QByteArray& uid,
                      const ExportOptions& options = {});

struct ObjectRecord {
    enum Kind { None, Event, Note };
    Kind kind = None; // None: error says why the object is no record of ours
    QByteArray uid;
    QByteArray day; // a note: the diary section (its day count) it belongs in
    QString title;  // as the user knows the record
    QString error;
};
ObjectRecord readObject(const QByteArray& text);

// Writes the object's record in place of what section held: an event into events at section, a note into diary at
// its day. The record is kept as the object has it: no "icaluid" is added, and a date in the past stays (an alarm
// due, not an old event). One batch per store. Returns the section written, empty when nothing was.
QByteArray writeObject(const QByteArray& text, TXMLIniFile& events, TXMLIniFile& diary, const QByteArray& section,
                       double now);

// The UID the export gives the event record of section: its "icaluid", or one made from what the record is.
QByteArray uidOf(const TXMLIniFile& events, const QByteArray& section);

} // namespace CalendarExchange
