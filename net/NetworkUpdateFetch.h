#pragma once

#include "context/NetModule.h"

#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

// The update check's request over Qt Network.
class NetworkUpdateFetch final : public UpdateFetch {
    Q_OBJECT
public:
    explicit NetworkUpdateFetch(QObject* parent = nullptr);
    ~NetworkUpdateFetch() override;

    void get(const QUrl& url, qint64 maxBytes) override;
    void abort() override;

private:
    void readBody();
    void replyFinished();

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    qint64 m_maxBytes = 0;
    bool m_tooLarge = false;
};
