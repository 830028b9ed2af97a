#pragma once

#include <QString>

// Settles how sound is played before anything in the process touches Qt Multimedia or GLib:
// - Qt's GStreamer media backend is chosen (QT_MEDIA_BACKEND=gstreamer). The FFmpeg backend crashes on
//   machines without a sound device; GStreamer falls back to a silent sink and still reports the end.
// - MIDI files are rendered by GStreamer's fluidsynth decoder, which takes the first sound font it finds
//   under $XDG_DATA_DIRS/sounds/sf3, sounds/sf2 and soundfonts; which one that is depends on the order
//   of the directory listing and may be a 150 MB font. A folder in the user's runtime directory
//   ($XDG_RUNTIME_DIR/zentick-soundfont) holding only a link to the General MIDI font soundFont is put
//   first in XDG_DATA_DIRS so that this font is the one found.
// GLib reads XDG_DATA_DIRS once, when it is first asked for it, so the sound helper (SoundHelper::run) calls this
// before anything else. Later calls change nothing.
void prepareSoundPlayback(const QString& soundFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));

// The folder put first in XDG_DATA_DIRS by prepareSoundPlayback(), or empty when there is none (not
// called yet, or the sound font is missing and fluidsynth's own search is left alone).
QString pinnedSoundFontRoot();
