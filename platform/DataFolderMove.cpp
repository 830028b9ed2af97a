#include "platform/DataFolderMove.h"

#include <QFileInfo>

#include <cerrno>

namespace {

bool lacksNoReplace(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Gives `to` the file `from` without replacing anything: a rename where the file system promises not to
// replace, otherwise a second link and the first one removed.
int placeWithoutReplacing(const QString& from, const QString& to, FileOperations& operations) {
    const int renamed = operations.renameNoReplace(from, to);
    if (!lacksNoReplace(renamed))
        return renamed;
    if (const int linked = operations.link(from, to))
        return linked;
    operations.remove(from);
    return 0;
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// Across file systems: the original is removed only once the copy is whole on disk under its final name.
int copyThenRemove(const QString& from, const QString& to, FileOperations& operations) {
    const QString temporary = DataFolderMove::temporaryName(to);
    operations.remove(temporary);
    if (const int copied = operations.copyToNewFile(from, temporary))
        return copied;
    if (const int placed = placeWithoutReplacing(temporary, to, operations)) {
        operations.remove(temporary);
        return placed;
    }
    if (const int synced = operations.syncFolder(folderOf(to)))
        return synced; // the copy may not survive a power cut: the original stays too
    operations.remove(from);
    operations.syncFolder(folderOf(from));
    return 0;
}

} // namespace

namespace DataFolderMove {

int checkTarget(const QString& fromFolder, const QString& toFolder, const QStringList& names,
                FileOperations& operations) {
    if (const int error = operations.createAndRemoveTestFile(toFolder))
        return error;
    if (operations.sameFileSystem(fromFolder, toFolder))
        return 0;
    qint64 needed = 0;
    for (const QString& name : names)
        needed += QFileInfo(fromFolder + QLatin1Char('/') + name).size();
    qint64 available = 0;
    if (const int error = operations.availableBytes(toFolder, available))
        return error;
    return available < needed ? ENOSPC : 0;
}

WholeMove moveAllOrNothing(const QString& fromFolder, const QString& toFolder, const QStringList& names,
                           FileOperations& operations) {
    WholeMove outcome;
    QStringList moved;
    for (const QString& name : names) {
        const int error =
            moveFile(fromFolder + QLatin1Char('/') + name, toFolder + QLatin1Char('/') + name, operations);
        if (error == 0)
            moved.append(name);
        else if (error == EEXIST)
            outcome.left.append({name, error});
        else if (error != ENOENT) {
            outcome.failure = FileLeft{name, error};
            break;
        }
    }
    if (!outcome.failure)
        return outcome;
    outcome.left.clear();
    for (auto name = moved.crbegin(); name != moved.crend(); ++name) {
        if (const int error =
                moveFile(toFolder + QLatin1Char('/') + *name, fromFolder + QLatin1Char('/') + *name, operations))
            outcome.notPutBack.append({*name, error});
    }
    return outcome;
}

QString temporaryName(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".moving");
}

int moveFile(const QString& from, const QString& to, FileOperations& operations) {
    if (!QFileInfo(from).isFile())
        return ENOENT;
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return EEXIST;
    const int moved = placeWithoutReplacing(from, to, operations);
    if (moved == EXDEV)
        return copyThenRemove(from, to, operations);
    if (moved == 0) {
        operations.syncFolder(folderOf(to));
        operations.syncFolder(folderOf(from));
    }
    return moved;
}

QList<FileLeft> moveFiles(const QString& fromFolder, const QString& toFolder, const QStringList& names,
                          FileOperations& operations) {
    QList<FileLeft> left;
    for (const QString& name : names) {
        const int error =
            moveFile(fromFolder + QLatin1Char('/') + name, toFolder + QLatin1Char('/') + name, operations);
        if (error != 0 && error != ENOENT)
            left.append({name, error});
    }
    return left;
}

} // namespace DataFolderMove
