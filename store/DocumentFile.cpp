#include "store/Exception.h"
#include "store/XmlDocument.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A save replaces the file in one rename, so a crash, a power cut or a full disk leaves either the old
// document or the new one, never a cut-off one. The stores hold a user's private notes and addresses:
// the files are readable by their owner only.

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// The rename is only durable once the folder's entry is on disk too. Its failure changes nothing for the
// caller: the new document is in place either way.
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A store opened through a symbolic link writes the file the link points to and leaves the link alone.
QString resolvedTarget(const QString& fileName) {
    const QFileInfo info(fileName);
    if (info.isSymLink()) {
        QString target = info.symLinkTarget();
        if (!target.isEmpty())
            return target;
    }
    return fileName;
}

// One fixed name per document: a save that was killed leaves at most this one file behind, and the next save
// replaces it.
QByteArray temporaryPathFor(const QByteArray& target) {
    return target + ".tmp";
}

bool replaceFile(const QByteArray& text, const QByteArray& target) {
    const QByteArray temporary = temporaryPathFor(target);
    ::unlink(temporary.constData());
    Descriptor fd(::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0)
        return false;
    const bool written = ::fchmod(fd.get(), 0600) == 0 && writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
    const bool closed = fd.close();
    if (!written || !closed || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    const qsizetype slash = target.lastIndexOf('/');
    syncFolder(slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash));
    return true;
}

} // namespace

namespace XmlDocument {

void SaveStringToFile(const QByteArray& text, const QString& fileName) {
    if (fileName.isEmpty() || !replaceFile(text, QFile::encodeName(resolvedTarget(fileName))))
        throw Exception(QStringLiteral("Cannot create file ") + fileName);
}

QByteArray LoadStringFromFile(const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    // Non-blocking, so that a FIFO or a device under the store's name cannot hold up the start; only a regular
    // file is a document.
    Descriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if ((errno == ENOENT || errno == ENOTDIR) && !fileName.isEmpty())
            return {};
        throw Exception(QStringLiteral("Cannot open file ") + fileName);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        throw Exception(QStringLiteral("Cannot open file ") + fileName);
    QByteArray text;
    text.reserve(qsizetype(st.st_size) + 1);
    char chunk[65536];
    while (true) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw Exception(QStringLiteral("Cannot open file ") + fileName);
        if (got == 0)
            break;
        text.append(chunk, got);
    }
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

} // namespace XmlDocument
