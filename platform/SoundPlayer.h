#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// Plays one sound file at a time for a notification window. The program uses ProcessSoundPlayer, whose helper
// program (zentick-sound) plays through FluidSynthPlayer and MediaSoundPlayer; tests use FakeSoundPlayer
// (tests/fakes/FakePlatform.h).
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Plays fileName from its beginning, cutting off whatever was playing. The outcome comes later as
    // exactly one of endReached() or failed(), never from inside this call, so a window may call play()
    // while it is being shown and again from its endReached() handler.
    virtual void play(const QString& fileName) = 0;

    // Silences the current play at once. No signal follows for it.
    virtual void stop() = 0;

    // A play has started and neither ended, failed nor been stopped.
    virtual bool isPlaying() const = 0;

Q_SIGNALS:
    // The sound played through to its end.
    void endReached();
    // The file cannot be opened or decoded: there is no sound and there will be none for this play.
    void failed();
};

// Makes the player a window owns.
using SoundPlayerFactory = std::function<std::unique_ptr<SoundPlayer>()>;
