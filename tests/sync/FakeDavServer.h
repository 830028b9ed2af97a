#pragma once

// A small CalDAV server on loopback for what radicale will not do: refuse sync-collection, or answer it in pages.
// One calendar at /cal/, in memory; every change gets the next number, and a sync token names the number up to which
// a client has seen the changes.

#include <QByteArrayList>
#include <QHash>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>

class FakeDavServer : public QTcpServer {
public:
    FakeDavServer() {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QObject::destroyed, this, [this, socket] { m_buffers.remove(socket); });
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
    }

    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/cal/").arg(serverPort())); }

    // What a sync-collection REPORT gets: 0, an answer whole; else at most that many members a page.
    int pageSize = 0;
    // Not 0: the answer to every sync-collection REPORT, as a server without it gives.
    int refuseSyncCollection = 0;

    // The REPORTs asked for, by their element's name ("sync-collection", "calendar-query", "calendar-multiget").
    QMap<QByteArray, int> reports;
    int members() const { return int(m_members.size()); }

private:
    struct Member {
        QByteArray data;
        qint64 change = 0;
    };
    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArrayList headers;
    };

    static QByteArray etagOf(qint64 change) { return '"' + QByteArray::number(change) + '"'; }
    static constexpr char TokenPrefix[] = "http://fake.invalid/sync/";
    static QByteArray tokenOf(qint64 change) { return TokenPrefix + QByteArray::number(change); }
    static QByteArray escaped(const QByteArray& text) { return QString::fromUtf8(text).toHtmlEscaped().toUtf8(); }

    void serve(QTcpSocket* socket) {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        for (;;) {
            const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            const QByteArrayList lines = buffer.left(headEnd).split('\n');
            QHash<QByteArray, QByteArray> headers;
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines.at(i).indexOf(':');
                if (colon > 0)
                    headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
            }
            const qsizetype length = headers.value("content-length").toLongLong();
            if (buffer.size() < headEnd + 4 + length)
                return;
            const QByteArrayList requestLine = lines.first().trimmed().split(' ');
            const QByteArray body = buffer.mid(headEnd + 4, length);
            buffer.remove(0, headEnd + 4 + length);
            const Answer answer =
                handle(requestLine.value(0), QUrl::fromEncoded(requestLine.value(1)).path(QUrl::FullyEncoded).toUtf8(),
                       headers, body);
            QByteArray out = "HTTP/1.1 " + QByteArray::number(answer.status) +
                             " Fake\r\nContent-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
            if (!answer.body.isEmpty())
                out += "Content-Type: application/xml; charset=utf-8\r\n";
            for (const QByteArray& header : answer.headers)
                out += header + "\r\n";
            socket->write(out + "\r\n" + answer.body);
        }
    }

    Answer handle(const QByteArray& verb, const QByteArray& path, const QHash<QByteArray, QByteArray>& headers,
                  const QByteArray& body) {
        if (verb == "PROPFIND" && path == "/cal/")
            return {207,
                    multistatus("<d:response><d:href>/cal/</d:href><d:propstat><d:prop><d:resourcetype>"
                                "<d:collection/><c:calendar/></d:resourcetype><d:displayname>Zentick"
                                "</d:displayname></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
                                "</d:response>"),
                    {}};
        if (verb == "REPORT" && path == "/cal/")
            return report(body);
        if (!path.startsWith("/cal/") || path == "/cal/")
            return {405, {}, {}};
        const auto it = m_members.constFind(path);
        const QByteArray ifMatch = headers.value("if-match");
        if ((!ifMatch.isEmpty() && (it == m_members.cend() || etagOf(it->change) != ifMatch)) ||
            (headers.value("if-none-match") == "*" && it != m_members.cend()))
            return {412, {}, {}};
        if (verb == "PUT") {
            const bool made = it == m_members.cend();
            m_members.insert(path, {body, ++m_change});
            m_removed.remove(path);
            return {made ? 201 : 204, {}, {"ETag: " + etagOf(m_change)}};
        }
        if (verb == "DELETE") {
            if (it == m_members.cend())
                return {404, {}, {}};
            m_members.remove(path);
            m_removed.insert(path, ++m_change);
            return {204, {}, {}};
        }
        return {405, {}, {}};
    }

    Answer report(const QByteArray& body) {
        QXmlStreamReader xml(body);
        xml.readNextStartElement();
        const QByteArray kind = xml.name().toUtf8();
        ++reports[kind];
        QByteArray token;
        QByteArrayList hrefs;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"sync-token")
                token = xml.readElementText().toUtf8();
            else if (xml.name() == u"href")
                hrefs << xml.readElementText().toUtf8();
        }
        QByteArray responses;
        if (kind == "calendar-query") {
            for (auto it = m_members.cbegin(); it != m_members.cend(); ++it)
                responses += member(it.key(), it->change, {});
            return {207, multistatus(responses), {}};
        }
        if (kind == "calendar-multiget") {
            for (const QByteArray& href : std::as_const(hrefs)) {
                const auto it = m_members.constFind(href);
                responses += it == m_members.cend() ? gone(href) : member(href, it->change, it->data);
            }
            return {207, multistatus(responses), {}};
        }
        if (kind != "sync-collection")
            return {403, {}, {}};
        if (refuseSyncCollection != 0)
            return {refuseSyncCollection, multistatusless("<d:supported-report/>"), {}};

        qint64 since = 0;
        if (!token.isEmpty()) {
            bool number = false;
            if (token.startsWith(TokenPrefix))
                since = token.mid(qsizetype(sizeof TokenPrefix) - 1).toLongLong(&number);
            if (!number || since > m_change)
                return {403, multistatusless("<d:valid-sync-token/>"), {}};
        }
        // The changes since the token, oldest first; a first listing names no removed member.
        QList<std::pair<qint64, QByteArray>> changes;
        for (auto it = m_members.cbegin(); it != m_members.cend(); ++it) {
            if (it->change > since)
                changes.append({it->change, it.key()});
        }
        if (since > 0) {
            for (auto it = m_removed.cbegin(); it != m_removed.cend(); ++it) {
                if (it.value() > since)
                    changes.append({it.value(), it.key()});
            }
        }
        std::sort(changes.begin(), changes.end());
        qint64 upTo = m_change;
        const bool more = pageSize > 0 && changes.size() > pageSize;
        if (more) {
            changes.resize(pageSize);
            upTo = changes.last().first;
        }
        for (const auto& [change, href] : std::as_const(changes))
            responses += m_members.contains(href) ? member(href, change, {}) : gone(href);
        if (more)
            responses += "<d:response><d:href>/cal/</d:href><d:status>HTTP/1.1 507 Insufficient Storage</d:status>"
                         "<d:error><d:number-of-matches-within-limits/></d:error></d:response>";
        return {207, multistatus(responses + "<d:sync-token>" + tokenOf(upTo) + "</d:sync-token>"), {}};
    }

    static QByteArray member(const QByteArray& href, qint64 change, const QByteArray& data) {
        QByteArray calendarData;
        if (!data.isEmpty())
            calendarData = "<c:calendar-data>" + escaped(data) + "</c:calendar-data>";
        return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>" + escaped(etagOf(change)) +
               "</d:getetag>" + calendarData +
               "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    }
    static QByteArray gone(const QByteArray& href) {
        return "<d:response><d:href>" + href + "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>";
    }
    static QByteArray multistatus(const QByteArray& inside) {
        return R"(<?xml version="1.0" encoding="utf-8"?><d:multistatus xmlns:d="DAV:" )"
               R"(xmlns:c="urn:ietf:params:xml:ns:caldav">)" +
               inside + "</d:multistatus>";
    }
    static QByteArray multistatusless(const QByteArray& precondition) {
        return R"(<?xml version="1.0" encoding="utf-8"?><d:error xmlns:d="DAV:">)" + precondition + "</d:error>";
    }

    QHash<QTcpSocket*, QByteArray> m_buffers;
    QMap<QByteArray, Member> m_members; // by path
    QHash<QByteArray, qint64> m_removed;
    qint64 m_change = 0;
};
