#pragma once

// The real file calls, failed where a test says: renames and links out of one folder fail as across file
// systems (EXDEV), copies of chosen file names fail as on a full disk (ENOSPC), the target takes no new file
// (a read-only mount) or has little room. Header only; link zentick_platform.

#include "platform/FileOperations.h"

#include <QFileInfo>
#include <QSet>

#include <cerrno>

class FailingFileOperations final : public FileOperations {
public:
    int renameNoReplace(const QString& from, const QString& to) override {
        if (crossesDevice(from))
            return EXDEV;
        return noReplaceMissing ? EINVAL : FileOperations::renameNoReplace(from, to);
    }
    int link(const QString& from, const QString& to) override {
        return crossesDevice(from) ? EXDEV : FileOperations::link(from, to);
    }
    int copyToNewFile(const QString& from, const QString& to) override {
        ++copies;
        if (diskFullFor.contains(QFileInfo(from).fileName()))
            return ENOSPC;
        return FileOperations::copyToNewFile(from, to);
    }
    int createAndRemoveTestFile(const QString& folder) override {
        return testFileError ? testFileError : FileOperations::createAndRemoveTestFile(folder);
    }
    int availableBytes(const QString& folder, qint64& bytes) override {
        if (available < 0)
            return FileOperations::availableBytes(folder, bytes);
        bytes = available;
        return 0;
    }
    bool sameFileSystem(const QString& folder, const QString& other) override {
        if (!otherDeviceFolder.isEmpty() && (folder == otherDeviceFolder || other == otherDeviceFolder))
            return false;
        return FileOperations::sameFileSystem(folder, other);
    }

    // Files leaving this folder behave as if the target were on another file system.
    QString otherDeviceFolder;
    // Copies of files of these names run out of space.
    QSet<QString> diskFullFor;
    // The file system cannot promise a rename that does not replace (EINVAL), as some network ones.
    bool noReplaceMissing = false;
    // Not 0: no new file can be made in any folder, for this reason (EROFS: a read-only mount).
    int testFileError = 0;
    // Not negative: the room left on every file system.
    qint64 available = -1;
    int copies = 0;

private:
    bool crossesDevice(const QString& from) const {
        return !otherDeviceFolder.isEmpty() && QFileInfo(from).absolutePath() == otherDeviceFolder;
    }
};
