#include "sync/DavClient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

DavClient::DavClient(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this)) {}

DavClient::~DavClient() {
    abortAll();
}

void DavClient::setCredentials(const QString& user, const QString& password) {
    m_authorization = "Basic " + (user + u':' + password).toUtf8().toBase64();
}

void DavClient::send(const QByteArray& verb, const QUrl& url, const Headers& headers, const QByteArray& body,
                     Done done) {
    sendOnce(verb, url, headers, body, std::move(done), 5);
}

void DavClient::sendOnce(const QByteArray& verb, const QUrl& url, const Headers& headers, const QByteArray& body,
                         Done done, int redirectsLeft) {
    QNetworkRequest request(url);
    // Qt would follow a redirect with a GET; a PROPFIND or a REPORT must go on as it was.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_timeout);
    if (!m_authorization.isEmpty())
        request.setRawHeader("Authorization", m_authorization);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    ++m_requests;
    QNetworkReply* reply = m_manager->sendCustomRequest(request, verb, body);
    m_replies.append(reply);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, verb, headers, body, done = std::move(done), redirectsLeft]() mutable {
                m_replies.removeAll(reply);
                reply->deleteLater();
                DavReply out;
                out.url = reply->url();
                out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                out.etag = reply->rawHeader("ETag");
                if (reply->isOpen())
                    out.body = reply->readAll();
                if (out.status == 0) {
                    out.timedOut = reply->error() == QNetworkReply::OperationCanceledError ||
                                   reply->error() == QNetworkReply::TimeoutError;
                    out.error = reply->errorString();
                }
                const QUrl location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
                if ((out.status == 301 || out.status == 302 || out.status == 307 || out.status == 308) &&
                    location.isValid() && redirectsLeft > 0) {
                    sendOnce(verb, out.url.resolved(location), headers, body, std::move(done), redirectsLeft - 1);
                    return;
                }
                done(out);
            });
}

void DavClient::abortAll() {
    const auto replies = std::exchange(m_replies, {});
    for (const QPointer<QNetworkReply>& reply : replies) {
        if (!reply)
            continue;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}
