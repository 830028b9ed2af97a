#pragma once

#include "app/AppOnly.h"

#include <QString>

// Files the program reads but never writes, such as the default melody "hurryup.mid".
namespace InstalledData {

// Beside the executable first (a build tree, a portable copy), then in the installed data folder
// (share/zentick beside bin). When neither holds it, the place beside the executable, so that whatever
// fails to open it names where it was looked for first.
QString file(const QString& name);
// The same search, from the given executable folder.
QString file(const QString& name, const QString& executableFolder);

} // namespace InstalledData
