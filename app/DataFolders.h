#pragma once

#include <QString>

// The folders the program keeps its files in, and the few file operations start-up needs. Whatever
// it creates is readable by its owner only.
namespace DataFolders {

// The folder of the executable when the program may write there (a build tree, a portable copy);
// otherwise, installed system-wide, $XDG_CONFIG_HOME/zentick (~/.config/zentick), created when missing
// unless create is false (a start that only looks).
QString exeFolder(bool create = true);

// One level, owner only. Failure, including an existing folder, is not an error here: a data folder
// that cannot be made shows up as the first failing save.
void createFolder(const QString& path);

// Never replaces an existing file; false when the target exists or the source is missing.
bool moveWithoutReplacing(const QString& from, const QString& to);

} // namespace DataFolders
