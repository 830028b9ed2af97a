#pragma once

#include <QString>

// The folders the program keeps its files in, and the few file operations start-up needs. Whatever
// it creates is readable by its owner only.
namespace DataFolders {

// The folder of the executable when the program keeps its files there (see keepsFilesBeside); otherwise
// $XDG_CONFIG_HOME/zentick (~/.config/zentick), created when missing unless create is false (a start that
// only looks).
QString exeFolder(bool create = true);
QString exeFolder(const QString& executableFolder, bool create);

// A build tree or a portable copy keeps its files beside the executable when that folder is writable; an
// installed copy (its data folder beside "bin") does not, unless "Settings.xml" is already there.
bool keepsFilesBeside(const QString& executableFolder);

// One level, owner only. Failure, including an existing folder, is not an error here: a data folder
// that cannot be made shows up as the first failing save.
void createFolder(const QString& path);

// Never replaces an existing file; false when the target exists or the source is missing.
bool moveWithoutReplacing(const QString& from, const QString& to);

} // namespace DataFolders
