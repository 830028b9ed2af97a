#include "store/Exception.h"
#include "store/XmlDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A save replaces the file in one rename, so a crash, a power cut or a full disk leaves either the old
// document or the new one, never a cut-off one. The new document is written into an unnamed file of the
// same folder, which gets a fresh name of its own only once it is complete and on disk; that name never
// meets a file of the user's, and a save killed while writing leaves nothing behind. A file that exists
// keeps its permission bits and, where the process may set it, its owner and group; a file Zentick
// creates is readable by its owner only. Like any atomic replacement, the save gives the file a new
// inode: other hard links to it keep the old document. When the folder cannot be written but the file
// can, the file is written in place (not atomic, but the only way left to save).

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

QByteArray folderOf(const QByteArray& target) {
    const qsizetype slash = target.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
}

bool folderRefused(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

constexpr char temporaryMark[] = ".zentick-";
constexpr int temporaryLetters = 8;
constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";

QByteArray freshTemporaryName(const QByteArray& target) {
    QByteArray name = target + temporaryMark;
    for (int i = 0; i < temporaryLetters; ++i)
        name.append(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return name;
}

bool isTemporaryNameOf(QByteArrayView entry, QByteArrayView base) {
    const qsizetype prefix = base.size() + qsizetype(sizeof temporaryMark) - 1;
    if (entry.size() != prefix + temporaryLetters || !entry.startsWith(base) ||
        entry.sliced(base.size(), prefix - base.size()) != QByteArrayView(temporaryMark))
        return false;
    return std::all_of(entry.begin() + prefix, entry.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

// The new document's file before it has its final name.
struct Temporary {
    int fd = -1;
    QByteArray name; // empty while the file has no name
    int error = 0;   // why none could be made
};

Temporary createTemporary(const QByteArray& target) {
    Temporary made;
    made.fd = ::open(folderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (made.fd >= 0 || folderRefused(errno)) {
        made.error = errno;
        return made;
    }
    // A file system without unnamed files: a fresh name, created only if nothing has it.
    for (int attempt = 0; attempt < 16; ++attempt) {
        made.name = freshTemporaryName(target);
        made.fd = ::open(made.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (made.fd >= 0 || errno != EEXIST)
            break;
    }
    made.error = errno;
    return made;
}

// Gives the complete unnamed file a fresh name beside the target.
bool nameTemporary(Temporary& temporary, const QByteArray& target) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(temporary.fd);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray name = freshTemporaryName(target);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            temporary.name = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool writeDocument(int fd, const QByteArray& text) {
    return writeAll(fd, text) && ::fsync(fd) == 0;
}

// The folder refuses new names: the last resort is the file itself, rewritten and cut to the new length.
// Returns 0 or the reason it failed.
int writeInPlace(const QByteArray& text, const QByteArray& target) {
    Descriptor fd(::open(target.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return errno;
    if (!writeAll(fd.get(), text) || ::ftruncate(fd.get(), text.size()) != 0 || ::fsync(fd.get()) != 0)
        return errno;
    return fd.close() ? 0 : errno;
}

// Returns 0, or the reason the save failed as the system gave it (a file that is no regular file counts as a
// folder: the save never replaces either).
int replaceFile(const QByteArray& text, const QByteArray& target) {
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return EISDIR;
    Temporary temporary = createTemporary(target);
    if (temporary.fd < 0)
        return exists && folderRefused(temporary.error) ? writeInPlace(text, target) : temporary.error;
    Descriptor fd(temporary.fd);
    int error = 0;
    if (exists) {
        // The owner first: changing it may clear the set-id bits that the mode then puts back. Only a
        // privileged process may hand a file to someone else; for others this keeps at least the group.
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0)
            (void)::fchown(fd.get(), static_cast<uid_t>(-1), existing.st_gid);
        if (::fchmod(fd.get(), existing.st_mode & 07777) != 0)
            error = errno;
    }
    if (error == 0 && !writeDocument(fd.get(), text))
        error = errno;
    if (error == 0 && temporary.name.isEmpty() && !nameTemporary(temporary, target))
        error = errno;
    if (!fd.close() && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.name.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        if (!temporary.name.isEmpty())
            ::unlink(temporary.name.constData());
        return error;
    }
    syncFolder(folderOf(target));
    return 0;
}

// A new file under exactly this name, whole or not at all, that never takes the place of anything already
// there (not even of a link that leads nowhere). Returns 0, EEXIST when the name is taken, or the reason.
int createNewFile(const QByteArray& text, const QByteArray& name) {
    const QByteArray folder = folderOf(name);
    Descriptor fd(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    QByteArray temporaryName;
    if (fd.get() < 0) {
        if (folderRefused(errno))
            return errno;
        temporaryName = freshTemporaryName(name);
        Descriptor named(::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (named.get() < 0)
            return errno;
        const int error = writeDocument(named.get(), text) ? 0 : errno;
        const int closed = named.close() ? 0 : errno;
        const int linked =
            error == 0 && closed == 0 && ::link(temporaryName.constData(), name.constData()) != 0 ? errno : 0;
        ::unlink(temporaryName.constData());
        return error != 0 ? error : closed != 0 ? closed : linked;
    }
    if (!writeDocument(fd.get(), text))
        return errno;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd.get());
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) != 0)
        return errno;
    syncFolder(folder);
    return 0;
}

QString failure(const char* what, const QString& fileName, int error) {
    return QLatin1String(what) + fileName + QStringLiteral(": ") + qt_error_string(error);
}

} // namespace

namespace XmlDocument {

void RemoveLeftoverTemporaries(const QString& fileName) {
    const QByteArray target = QFile::encodeName(resolvedTarget(fileName));
    const QByteArray folder = folderOf(target);
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1);
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray path = folder + '/' + entry->d_name;
        struct stat st {};
        if (isTemporaryNameOf(entry->d_name, base) && ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

void SaveStringToFile(const QByteArray& text, const QString& fileName) {
    const int error = fileName.isEmpty() ? ENOENT : replaceFile(text, QFile::encodeName(resolvedTarget(fileName)));
    if (error != 0)
        throw Exception(failure("Cannot create file ", fileName, error));
}

bool SaveNewFile(const QByteArray& text, const QString& fileName) {
    const int error = fileName.isEmpty() ? ENOENT : createNewFile(text, QFile::encodeName(fileName));
    if (error != 0 && error != EEXIST)
        throw Exception(failure("Cannot create file ", fileName, error));
    return error == 0;
}

QByteArray LoadBytesFromFile(const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    // Non-blocking, so that a FIFO or a device under the store's name cannot hold up the start; only a regular
    // file is a document.
    Descriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if ((errno == ENOENT || errno == ENOTDIR) && !fileName.isEmpty())
            return {};
        throw Exception(failure("Cannot open file ", fileName, fileName.isEmpty() ? ENOENT : errno));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw Exception(failure("Cannot open file ", fileName, errno));
    if (S_ISDIR(st.st_mode))
        throw Exception(failure("Cannot open file ", fileName, EISDIR));
    if (!S_ISREG(st.st_mode))
        throw Exception(QStringLiteral("Cannot open file ") + fileName + QStringLiteral(": Not a regular file"));
    QByteArray text;
    text.reserve(qsizetype(st.st_size) + 1);
    char chunk[65536];
    while (true) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw Exception(failure("Cannot open file ", fileName, errno));
        if (got == 0)
            break;
        text.append(chunk, got);
    }
    return text;
}

QByteArray LoadStringFromFile(const QString& fileName) {
    QByteArray text = LoadBytesFromFile(fileName);
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

} // namespace XmlDocument
