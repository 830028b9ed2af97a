#pragma once

#include "store/CustomIniFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <sys/stat.h>

namespace StoreTest {

inline QString fixturePath(const QString& name) {
    return qEnvironmentVariable("ZENTICK_TEST_DATA") + QStringLiteral("/store/") + name;
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

inline QByteArray fixture(const QString& name) {
    return readAll(fixturePath(name));
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// "[section]" lines followed by "key=value" lines, in store order: one string shows content and order at once.
inline QByteArray dump(const TCustomIniFile& ini) {
    QByteArray out;
    for (const QByteArray& section : ini.ReadSections()) {
        out += '[' + section + "]\n";
        for (const QByteArray& key : ini.ReadSection(section))
            out += key + '=' + ini.ReadString(section, key, "<missing>") + '\n';
    }
    return out;
}

struct FileStamp {
    ino_t inode = 0;
    qint64 mtimeNs = 0;
    bool operator==(const FileStamp& other) const { return inode == other.inode && mtimeNs == other.mtimeNs; }
};

// Every save renames a new file into place, so the inode tells whether a save happened even within one tick.
inline FileStamp stamp(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {st.st_ino, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

inline int modeBits(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

} // namespace StoreTest
