#pragma once

// Debian's radicale on 127.0.0.1 at a free port, with its storage, configuration and htpasswd users in a temporary
// folder of its own, for as long as the object lives.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>

class RadicaleServer {
public:
    static QString program() { return QStandardPaths::findExecutable(QStringLiteral("radicale")); }

    // Empty when it runs; else why not.
    QString start(const QString& user, const QString& password) {
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        m_port = freePort();
        QFile users(m_dir.filePath(QStringLiteral("users")));
        if (!users.open(QIODevice::WriteOnly))
            return users.errorString();
        users.write((user + u':' + password + u'\n').toUtf8());
        users.close();
        QFile config(m_dir.filePath(QStringLiteral("config")));
        if (!config.open(QIODevice::WriteOnly))
            return config.errorString();
        config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n"
                                    "[auth]\ntype = htpasswd\nhtpasswd_filename = %2\nhtpasswd_encryption = plain\n"
                                    "[storage]\nfilesystem_folder = %3\n"
                                    "[logging]\nlevel = warning\n")
                         .arg(m_port)
                         .arg(users.fileName(), m_dir.filePath(QStringLiteral("storage")))
                         .toUtf8());
        config.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // No user configuration of the machine's may reach it.
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config-home")));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program(), {QStringLiteral("--config"), config.fileName()});
        if (!m_process.waitForStarted(10'000))
            return m_process.errorString();
        // Ready when it takes a connection.
        for (int attempt = 0; attempt < 200; ++attempt) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(100))
                return {};
            if (m_process.state() != QProcess::Running)
                return QString::fromUtf8(m_process.readAll());
            m_process.waitForReadyRead(50);
        }
        return QStringLiteral("radicale did not listen on port %1").arg(m_port);
    }

    ~RadicaleServer() { stop(); }
    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    quint16 port() const { return m_port; }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }
    QString storage() const { return m_dir.filePath(QStringLiteral("storage")); }

    static quint16 freePort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
};
