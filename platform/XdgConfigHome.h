#pragma once

#include <QString>

// $XDG_CONFIG_HOME, or ~/.config when it is unset or relative (a relative value is to be ignored, as the XDG
// base directory rules say). Not created here.
QString xdgConfigHome();
