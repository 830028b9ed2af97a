#pragma once

#include <QString>

// Where zentick finds its sound helper, zentick-sound (SoundHelper.h).
namespace SoundHelperProgram {

constexpr const char* FileName = "zentick-sound";

// Beside the executable first (a build tree, a portable copy), then in the installed library folder
// (lib/zentick beside bin). When neither holds it, the place beside the executable, so that the failure to
// start it names where it was looked for first.
QString path(const QString& executableFolder);

} // namespace SoundHelperProgram
