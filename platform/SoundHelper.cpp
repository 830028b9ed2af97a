#include "SoundHelper.h"

#include "FluidSynthPlayer.h"
#include "MediaSoundPlayer.h"
#include "SoundSetup.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/prctl.h>
#include <unistd.h>

namespace SoundHelper {

namespace {

void tell(const char* outcome) {
    std::fputs(outcome, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// MIDI files through FluidSynth; anything else, or a MIDI file without the sound font, through the media framework,
// which is not even loaded until such a file comes.
class Players : public QObject {
public:
    Players(std::function<void()> ended, std::function<void()> failed)
        : m_ended(std::move(ended))
        , m_failed(std::move(failed)) {
        connectOutcomes(&m_midi);
    }

    void play(const QString& fileName) {
        if (m_midi.canPlay(fileName)) {
            if (m_media)
                m_media->stop();
            m_midi.play(fileName);
            return;
        }
        m_midi.stop();
        if (!m_media) {
            m_media = std::make_unique<MediaSoundPlayer>();
            connectOutcomes(m_media.get());
        }
        m_media->play(fileName);
    }

private:
    void connectOutcomes(SoundPlayer* player) {
        connect(player, &SoundPlayer::endReached, this, [this] { m_ended(); });
        connect(player, &SoundPlayer::failed, this, [this] { m_failed(); });
    }

    std::function<void()> m_ended;
    std::function<void()> m_failed;
    FluidSynthPlayer m_midi;
    std::unique_ptr<MediaSoundPlayer> m_media;
};

// Lines of file names on the input; the helper's end when the input closes.
class Requests : public QObject {
public:
    explicit Requests(Players& player)
        : m_player(player)
        , m_notifier(STDIN_FILENO, QSocketNotifier::Read) {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { readInput(); });
    }

private:
    void readInput() {
        char chunk[4096];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            m_notifier.setEnabled(false);
            QCoreApplication::exit(0);
            return;
        }
        m_pending.append(chunk, got);
        qsizetype end;
        while ((end = m_pending.indexOf('\n')) >= 0) {
            const QByteArray line = m_pending.left(end);
            m_pending.remove(0, end + 1);
            if (!line.isEmpty())
                m_player.play(QString::fromLocal8Bit(line));
        }
    }

    Players& m_player;
    QSocketNotifier m_notifier;
    QByteArray m_pending;
};

} // namespace

int run(int argc, char** argv) {
    const bool stay = argc == 3 && std::strcmp(argv[1], StayOption) == 0;
    if (argc != 2 && !stay) {
        std::fprintf(stderr, "usage: %s [%s] FILE\n", argv[0], StayOption);
        return 2;
    }
    // A sound must not outlive the window that asked for it, even when the program is killed.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        return 1;

    prepareSoundPlayback();
    const QCoreApplication application(argc, argv);
    Players player(
        stay ? std::function<void()>([] { tell("end"); }) : [] { QCoreApplication::exit(0); },
        stay ? std::function<void()>([] { tell("failed"); }) : [] { QCoreApplication::exit(1); });
    std::optional<Requests> requests;
    if (stay)
        requests.emplace(player);
    player.play(QString::fromLocal8Bit(argv[argc - 1]));
    return QCoreApplication::exec();
}

} // namespace SoundHelper
