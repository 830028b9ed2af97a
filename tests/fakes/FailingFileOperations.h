#pragma once

// The real file calls, failed where a test says: renames and links out of one folder fail as across file
// systems (EXDEV), and copies of chosen file names fail as on a full disk (ENOSPC). Header only; link
// zentick_platform.

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

    // Files leaving this folder behave as if the target were on another file system.
    QString otherDeviceFolder;
    // Copies of files of these names run out of space.
    QSet<QString> diskFullFor;
    // The file system cannot promise a rename that does not replace (EINVAL), as some network ones.
    bool noReplaceMissing = false;
    int copies = 0;

private:
    bool crossesDevice(const QString& from) const {
        return !otherDeviceFolder.isEmpty() && QFileInfo(from).absolutePath() == otherDeviceFolder;
    }
};
