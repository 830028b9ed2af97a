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
// installed copy (its data folder beside "bin") does not. A "Settings.xml" already there is the user's
// wherever it is: it is used even when the folder has become read-only, rather than a fresh set-up elsewhere.
bool keepsFilesBeside(const QString& executableFolder);

// One level, owner only. Returns 0 or the errno; most callers go on whatever it says (an existing folder is
// what they want), and a folder that could not be made shows up as the first failing save.
int createFolder(const QString& path);

// Why folder cannot hold files that are to be saved: 0 when it can, else the errno (ENOENT: missing, ENOTDIR:
// not a folder, EACCES or EROFS: cannot be written).
int unusableReason(const QString& folder);

// What to tell the user of a data folder with that reason, or of a settings folder that cannot be written.
QString dataFolderMessage(const QString& folder, int reason, bool madeAnew);
QString settingsFolderMessage(const QString& folder, int reason);

// Never replaces an existing file; false when the target exists or the source is missing.
bool moveWithoutReplacing(const QString& from, const QString& to);

} // namespace DataFolders
