#pragma once

#include "platform/ExclusiveLock.h"

#include <QString>

// What makes the files one instance's own: an flock on "Zentick.lock" in the folder that holds
// "Settings.xml". Starts from other sessions (another runtime folder, another channel) meet here. The
// holder writes the path of its channel into the file, so such a start can still reach it.
class FilesLock {
public:
    explicit FilesLock(QString folder);
    // Removes the file while still holding it.
    ~FilesLock();
    FilesLock(const FilesLock&) = delete;
    FilesLock& operator=(const FilesLock&) = delete;

    static QString fileName() { return QStringLiteral("Zentick.lock"); }
    QString path() const;

    // create false only looks whether somebody holds it: no file means nobody does.
    ExclusiveLock::Result take(bool create = true);
    // The holder tells where its channel is.
    void setChannel(const QString& serverPath);
    // What the holder wrote; empty when it wrote nothing readable.
    QString holderChannel() const;
    void release();

private:
    QString m_folder;
    ExclusiveLock m_lock;
};
