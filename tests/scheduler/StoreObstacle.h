#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// A store file that no save can replace: a folder of the same name takes its place, until the obstacle
// goes and the file comes back byte for byte. (Permissions would not do: the tests may run as root.)
class StoreObstacle {
public:
    explicit StoreObstacle(QString path)
        : m_path(std::move(path)) {
        QFile file(m_path);
        if (file.open(QIODevice::ReadOnly))
            m_bytes = file.readAll();
        m_existed = file.exists();
        file.close();
        QFile::remove(m_path);
        QDir().mkpath(m_path + QStringLiteral("/in-the-way"));
    }
    ~StoreObstacle() {
        QDir(m_path).removeRecursively();
        if (m_existed) {
            QFile file(m_path);
            if (file.open(QIODevice::WriteOnly))
                file.write(m_bytes);
        }
    }
    StoreObstacle(const StoreObstacle&) = delete;
    StoreObstacle& operator=(const StoreObstacle&) = delete;

    const QByteArray& bytes() const { return m_bytes; }

private:
    QString m_path;
    QByteArray m_bytes;
    bool m_existed = false;
};
