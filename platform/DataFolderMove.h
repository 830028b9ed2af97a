#pragma once

#include "platform/FileOperations.h"

#include <QList>
#include <QStringList>
#include <optional>

// Moving the data files into another folder without ever losing one: a file is either renamed in one step,
// or (across file systems) copied under a temporary name in the target folder, flushed, given its name there
// without replacing anything, and only then removed from the old folder. Killed at any moment, each file is
// whole in at least one of the two folders. A file already in the target folder is never replaced.
namespace DataFolderMove {

// 0 when moved; otherwise the errno and the file stays where it was: EEXIST when the target folder already
// holds a file of that name, ENOENT when there is nothing to move.
int moveFile(const QString& from, const QString& to, FileOperations& operations = FileOperations::instance());

struct FileLeft {
    QString name;
    int error = 0;
};

// Moves the named files, in this order, from one folder into the other. Returns those that stayed behind (a
// file that is in neither folder is not missed: there was nothing to move).
QList<FileLeft> moveFiles(const QString& fromFolder, const QString& toFolder, const QStringList& names,
                          FileOperations& operations = FileOperations::instance());

// Whether toFolder can take the named files of fromFolder before the first of them moves: it takes new files,
// and, unless renames carry them over, it has room for all of them. 0, or the errno of what fails (ENOSPC for
// too little room).
int checkTarget(const QString& fromFolder, const QString& toFolder, const QStringList& names,
                FileOperations& operations = FileOperations::instance());

struct WholeMove {
    // Stayed behind because the target folder already held a file of that name; the others moved.
    QList<FileLeft> left;
    // Set when the files did not move after all: the file that could not and why. Those already moved were
    // put back.
    std::optional<FileLeft> failure;
    // After a failure, files that could not be put back: they stay in the target folder.
    QList<FileLeft> notPutBack;
};

// All the files or none (checkTarget() comes first): a file that fails for another reason than a file of that
// name in the target folder brings back those already moved, in reverse order.
WholeMove moveAllOrNothing(const QString& fromFolder, const QString& toFolder, const QStringList& names,
                           FileOperations& operations = FileOperations::instance());

// The temporary name a copy is made under; one left by a killed move is removed by the next move of the file.
QString temporaryName(const QString& target);

} // namespace DataFolderMove
