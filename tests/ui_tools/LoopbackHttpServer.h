#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A one-trick HTTP server on 127.0.0.1, on a port the system chooses: it records each request's head and
// answers with the body it was given, or, with answer unset, never answers at all.
class LoopbackHttpServer final : public QObject {
public:
    LoopbackHttpServer() {
        connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    QString site() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort()); }
    quint16 port() const { return m_server.serverPort(); }

    // The body of every answer from now on, or silence.
    void answerWith(const QByteArray& body) {
        m_answer = body;
        m_silent = false;
    }
    void keepSilent() { m_silent = true; }

    // The request line of every request received, in order.
    QList<QByteArray> requestLines;
    QList<QByteArray> requestHeads;

private:
    void accept() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket* socket) {
        QByteArray& head = m_pending[socket];
        head += socket->readAll();
        const qsizetype end = head.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        requestHeads.append(head.left(end));
        requestLines.append(head.left(head.indexOf("\r\n")));
        if (m_silent)
            return;
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(m_answer.size()) + "\r\n\r\n" + m_answer);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_answer;
    bool m_silent = false;
    QHash<QTcpSocket*, QByteArray> m_pending;
};
