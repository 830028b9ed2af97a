#include "platform/FilesLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 ChannelLimit = 4096;

} // namespace

FilesLock::FilesLock(QString folder)
    : m_folder(std::move(folder)) {}

FilesLock::~FilesLock() {
    release();
}

QString FilesLock::path() const {
    return m_folder + QLatin1Char('/') + fileName();
}

ExclusiveLock::Result FilesLock::take(bool create) {
    return m_lock.take(path(), create);
}

void FilesLock::setChannel(const QString& serverPath) {
    if (!m_lock.isTaken())
        return;
    const QByteArray text = QFile::encodeName(serverPath);
    if (::ftruncate(m_lock.fd(), 0) == 0)
        (void)::pwrite(m_lock.fd(), text.constData(), size_t(text.size()), 0);
}

QString FilesLock::holderChannel() const {
    const QByteArray name = QFile::encodeName(path());
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return {};
    QByteArray text(ChannelLimit, '\0');
    struct stat info {};
    const ssize_t got = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? ::read(fd, text.data(), ChannelLimit) : -1;
    ::close(fd);
    if (got <= 0)
        return {};
    text.truncate(got);
    return QFile::decodeName(text);
}

void FilesLock::release() {
    m_lock.release(true);
}
