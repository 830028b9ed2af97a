#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QString>

// The WebDAV bodies a CalDAV sync sends, and the multistatus answers read with Qt's XML stream reader.
namespace DavXml {

// One <response> of a multistatus: the properties found (status 200), by local name ("getetag",
// "calendar-data", "displayname"); for a property holding an <href> (current-user-principal, calendar-home-set)
// the href; for resourcetype the local names of its children, joined by blanks.
struct Response {
    QByteArray href;
    int status = 0; // the response's own status, when it has one (a member removed since a sync token: 404)
    QHash<QByteArray, QByteArray> props;
    bool isCalendar() const;
};

struct Multistatus {
    bool ok = false; // false: the body is no multistatus (error says what)
    QString error;
    QList<Response> responses;
    QByteArray syncToken;
};

Multistatus parse(const QByteArray& body);

// The status of a "HTTP/1.1 404 Not Found" line; 0 when there is none.
int statusOf(const QByteArray& line);

QByteArray propfindPrincipal(); // resourcetype, current-user-principal, calendar-home-set
QByteArray propfindCalendars(); // resourcetype, displayname
QByteArray mkcalendar(const QString& displayName);
QByteArray syncCollection(const QByteArray& token);
QByteArray calendarQueryEtags();
QByteArray calendarMultiget(const QByteArrayList& hrefs);

} // namespace DavXml
