#pragma once

#include "PlayOutcome.h"
#include "SoundPlayer.h"

#include <QString>
#include <QTimer>

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;
struct _fluid_player_t;

// SoundPlayer for MIDI files straight through FluidSynth, with the General MIDI sound font loaded once for every play
// of the process: about a tenth of what a media pipeline costs to build for each play (the decoder loads the font
// anew every time). The sound goes to the first output that opens: PipeWire, PulseAudio, ALSA. Without any, the
// melody runs its course on the clock in silence and still reports its end, as a silent sink does.
class FluidSynthPlayer final : public SoundPlayer {
    Q_OBJECT
public:
    explicit FluidSynthPlayer(QString soundFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
                              QObject* parent = nullptr);
    ~FluidSynthPlayer() override;

    // A MIDI file, and a sound font to play it with: what this player plays.
    bool canPlay(const QString& fileName) const;

    void play(const QString& fileName) override;
    void stop() override;
    bool isPlaying() const override { return m_outcome.isPlaying(); }

    // An output was found (false: plays in silence).
    bool hasOutput() const { return m_driver != nullptr; }

private:
    bool prepare();
    void endPlayer();
    void checkEnd();

    QString m_soundFont;
    _fluid_hashtable_t* m_settings = nullptr;
    _fluid_synth_t* m_synth = nullptr;
    _fluid_audio_driver_t* m_driver = nullptr;
    _fluid_player_t* m_player = nullptr;
    bool m_prepared = false;
    bool m_fontLoaded = false;
    QTimer m_poll;
    PlayOutcome m_outcome;
};
