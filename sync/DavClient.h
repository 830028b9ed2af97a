#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <utility>

class QNetworkAccessManager;
class QNetworkReply;

// What one WebDAV request came back with. status 0: no HTTP answer at all (error says why).
struct DavReply {
    int status = 0;
    QByteArray body;
    QByteArray etag;
    QUrl url; // where the request went last (after redirects)
    QString error;
    bool timedOut = false;
    bool ok() const { return status >= 200 && status < 300; }
};

// HTTP for CalDAV over Qt Network: Basic authentication sent with every request (no round trip to learn that the
// server wants it), a time-out per request, redirects followed for the same verb and body, and a count of
// requests. Never blocks: each answer comes to its callback from the event loop.
class DavClient final : public QObject {
    Q_OBJECT
public:
    using Headers = QList<std::pair<QByteArray, QByteArray>>;
    using Done = std::function<void(const DavReply&)>;

    explicit DavClient(QObject* parent = nullptr);
    ~DavClient() override;

    void setCredentials(const QString& user, const QString& password);
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    int timeout() const { return m_timeout; }

    void send(const QByteArray& verb, const QUrl& url, const Headers& headers, const QByteArray& body, Done done);
    // Drops every request in flight; their callbacks are never called.
    void abortAll();
    int requests() const { return m_requests; }
    void resetCount() { m_requests = 0; }
    int inFlight() const { return int(m_replies.size()); }

private:
    void sendOnce(const QByteArray& verb, const QUrl& url, const Headers& headers, const QByteArray& body, Done done,
                  int redirectsLeft);

    QNetworkAccessManager* m_manager;
    QByteArray m_authorization;
    int m_timeout = 30'000;
    int m_requests = 0;
    QList<QPointer<QNetworkReply>> m_replies;
};
