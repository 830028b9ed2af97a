#include "platform/ExclusiveLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(int fd, const QByteArray& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

} // namespace

ExclusiveLock::~ExclusiveLock() {
    release();
}

ExclusiveLock::Result ExclusiveLock::take(const QString& path, bool create) {
    if (m_fd >= 0)
        return Result::Taken;
    const QByteArray name = QFile::encodeName(path);
    // A holder that ends removes the name while it still holds the lock; whoever opened the old file just
    // before that finds it gone and tries again on the new one.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd =
            ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (create ? O_CREAT : 0), 0600);
        if (fd < 0)
            return Result::NoFile;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            return Result::NoFile;
        }
        int rc = 0;
        do {
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ::close(fd);
            return Result::HeldByOther;
        }
        if (sameFile(fd, name)) {
            m_path = path;
            m_fd = fd;
            return Result::Taken;
        }
        ::close(fd);
    }
    return Result::NoFile;
}

void ExclusiveLock::release(bool removeFile) {
    if (m_fd < 0)
        return;
    if (removeFile)
        QFile::remove(m_path);
    ::close(m_fd);
    m_fd = -1;
}
