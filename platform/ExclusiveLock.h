#pragma once

#include <QString>

// An flock held on a file for as long as the object lives; the kernel drops it with the process however
// that ends, so a killed holder never blocks the next one.
class ExclusiveLock {
public:
    enum class Result { Taken, HeldByOther, NoFile };

    ExclusiveLock() = default;
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    // Creates the file (owner only) when it is missing and create is set. A regular file only: a symbolic
    // link or anything else placed under the name is no lock of ours.
    Result take(const QString& path, bool create = true);
    bool isTaken() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // Drops the lock. With removeFile the name goes first, while the lock still guards it.
    void release(bool removeFile = false);

private:
    QString m_path;
    int m_fd = -1;
};
