#include "FluidSynthPlayer.h"

#include <QFile>
#include <QFileInfo>

#include <fluidsynth.h>

namespace {

// A missing output is the usual case on a machine without sound; FluidSynth would say so on every try.
void quiet(int, const char*, void*) {}

// How often the end of the melody is looked for; the end is reported at most this much late.
constexpr int PollMs = 100;

} // namespace

FluidSynthPlayer::FluidSynthPlayer(QString soundFont, QObject* parent)
    : SoundPlayer(parent)
    , m_soundFont(std::move(soundFont)) {
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &FluidSynthPlayer::checkEnd);
}

FluidSynthPlayer::~FluidSynthPlayer() {
    m_outcome.cancel();
    endPlayer();
    if (m_driver)
        delete_fluid_audio_driver(m_driver);
    if (m_synth)
        delete_fluid_synth(m_synth);
    if (m_settings)
        delete_fluid_settings(m_settings);
}

bool FluidSynthPlayer::canPlay(const QString& fileName) const {
    return QFileInfo(m_soundFont).isFile() && fluid_is_midifile(QFile::encodeName(fileName).constData());
}

// Once for the process: the synthesizer, its sound font and an output.
bool FluidSynthPlayer::prepare() {
    if (m_prepared)
        return m_fontLoaded;
    m_prepared = true;
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, quiet, nullptr);
    m_settings = new_fluid_settings();
    // The player keeps time by the system clock, so it runs its course even when no output pulls samples.
    fluid_settings_setstr(m_settings, "player.timing-source", "system");
    m_synth = new_fluid_synth(m_settings);
    if (!m_synth)
        return false;
    m_fontLoaded = fluid_synth_sfload(m_synth, QFile::encodeName(m_soundFont).constData(), 1) != FLUID_FAILED;
    for (const char* output : {"pipewire", "pulseaudio", "alsa"}) {
        fluid_settings_setstr(m_settings, "audio.driver", output);
        m_driver = new_fluid_audio_driver(m_settings, m_synth);
        if (m_driver)
            break;
    }
    return m_fontLoaded;
}

void FluidSynthPlayer::play(const QString& fileName) {
    m_outcome.cancel();
    endPlayer();
    m_outcome.begin();
    if (!prepare()) {
        m_outcome.conclude(this, false);
        return;
    }
    m_player = new_fluid_player(m_synth);
    if (!m_player || fluid_player_add(m_player, QFile::encodeName(fileName).constData()) != FLUID_OK ||
        fluid_player_play(m_player) != FLUID_OK) {
        endPlayer();
        m_outcome.conclude(this, false);
        return;
    }
    m_poll.start();
}

void FluidSynthPlayer::stop() {
    m_outcome.cancel();
    endPlayer();
}

void FluidSynthPlayer::endPlayer() {
    m_poll.stop();
    if (!m_player)
        return;
    fluid_player_stop(m_player);
    fluid_player_join(m_player);
    delete_fluid_player(m_player);
    m_player = nullptr;
    fluid_synth_all_sounds_off(m_synth, -1);
}

// The player is done once its last notes have rung out; without an output nothing renders them, so there the end of
// the notes is the end.
void FluidSynthPlayer::checkEnd() {
    if (!m_player)
        return;
    const int total = fluid_player_get_total_ticks(m_player);
    const bool done = fluid_player_get_status(m_player) == FLUID_PLAYER_DONE ||
                      (!m_driver && total > 0 && fluid_player_get_current_tick(m_player) >= total);
    if (!done)
        return;
    endPlayer();
    m_outcome.conclude(this, true);
}
