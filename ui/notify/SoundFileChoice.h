#pragma once

#include <QString>

class TXMLIniFile;

namespace SoundFileChoice {

// The file alarm and birthday windows play: the default file unless the settings name another one
// ("defaultsound" off, "soundpath"). A chosen file that has gone sends the settings back to the
// default, so the settings page shows what is really played.
QString choose(TXMLIniFile& settings, const QString& defaultFile);

} // namespace SoundFileChoice
