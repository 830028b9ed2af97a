#include "net/NetworkUpdateFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

NetworkUpdateFetch::NetworkUpdateFetch(QObject* parent)
    : UpdateFetch(parent) {}

NetworkUpdateFetch::~NetworkUpdateFetch() {
    abort();
}

void NetworkUpdateFetch::get(const QUrl& url, qint64 maxBytes) {
    abort();
    if (m_network == nullptr)
        m_network = new QNetworkAccessManager(this);
    m_body.clear();
    m_maxBytes = maxBytes;
    m_tooLarge = false;
    m_reply = m_network->get(QNetworkRequest(url));
    connect(m_reply, &QNetworkReply::readyRead, this, &NetworkUpdateFetch::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &NetworkUpdateFetch::replyFinished);
}

void NetworkUpdateFetch::abort() {
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void NetworkUpdateFetch::readBody() {
    if (!m_reply || m_tooLarge)
        return;
    m_body += m_reply->read(m_maxBytes + 1 - m_body.size());
    if (m_body.size() > m_maxBytes) {
        m_tooLarge = true;
        m_reply->abort();
    }
}

void NetworkUpdateFetch::replyFinished() {
    if (!m_reply)
        return;
    if (m_reply->isOpen())
        readBody();
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const bool ok = reply->error() == QNetworkReply::NoError && !m_tooLarge;
    emit finished(ok, ok ? m_body : QByteArray());
}
