#pragma once

#include "PlayOutcome.h"
#include "SoundPlayer.h"

#include <QMediaPlayer>

class QAudioOutput;

// SoundPlayer over Qt Multimedia's GStreamer backend: WAV, MP3, WMA (with the libav and "ugly" GStreamer
// plugins) and MIDI (fluidsynth with a General MIDI sound font). Without a sound device GStreamer plays
// into a silent sink in real time and still reports the end.
class MediaSoundPlayer final : public SoundPlayer {
    Q_OBJECT
public:
    explicit MediaSoundPlayer(QObject* parent = nullptr);
    ~MediaSoundPlayer() override;

    void play(const QString& fileName) override;
    void stop() override;
    bool isPlaying() const override { return m_outcome.isPlaying(); }

private:
    void onMediaStatus(QMediaPlayer::MediaStatus status);
    void onError(QMediaPlayer::Error error);

    QMediaPlayer* m_player;
    QAudioOutput* m_output;
    PlayOutcome m_outcome;
};
