#include "platform/FileOperations.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

FileOperations* g_replacement = nullptr;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

int result(int rc) {
    return rc == 0 ? 0 : errno;
}

int writeAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= written;
    }
    return 0;
}

int copyContent(int in, int out) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return 0;
        if (const int error = writeAll(out, buffer, got))
            return error;
    }
}

// Into a new file only (O_EXCL), with the original's permission bits; a failed copy removes what it wrote.
int copyInto(int in, const QString& to) {
    struct stat info {};
    if (::fstat(in, &info) != 0)
        return errno;
    const int out = ::open(native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0)
        return errno;
    int error = copyContent(in, out);
    if (error == 0 && ::fsync(out) != 0)
        error = errno;
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(native(to).constData());
    return error;
}

} // namespace

int FileOperations::renameNoReplace(const QString& from, const QString& to) {
    // glibc 2.36 has no wrapper for renameat2 yet.
    return result(int(::syscall(SYS_renameat2, AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(),
                                RENAME_NOREPLACE)));
}

int FileOperations::link(const QString& from, const QString& to) {
    return result(::link(native(from).constData(), native(to).constData()));
}

int FileOperations::copyToNewFile(const QString& from, const QString& to) {
    const int in = ::open(native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int error = copyInto(in, to);
    ::close(in);
    return error;
}

int FileOperations::remove(const QString& path) {
    return result(::unlink(native(path).constData()));
}

int FileOperations::syncFolder(const QString& folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = result(::fsync(fd));
    ::close(fd);
    return error;
}

int FileOperations::createAndRemoveTestFile(const QString& folder) {
    QByteArray name = native(folder + QStringLiteral("/.zentick-test-XXXXXX"));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    return result(::unlink(name.constData()));
}

int FileOperations::availableBytes(const QString& folder, qint64& bytes) {
    struct statvfs info {};
    if (::statvfs(native(folder).constData(), &info) != 0)
        return errno;
    bytes = qint64(info.f_bavail) * qint64(info.f_frsize);
    return 0;
}

bool FileOperations::sameFileSystem(const QString& folder, const QString& other) {
    struct stat one {};
    struct stat two {};
    return ::stat(native(folder).constData(), &one) == 0 && ::stat(native(other).constData(), &two) == 0 &&
           one.st_dev == two.st_dev;
}

FileOperations& FileOperations::instance() {
    static FileOperations real;
    return g_replacement ? *g_replacement : real;
}

void FileOperations::setInstance(FileOperations* operations) {
    g_replacement = operations;
}
