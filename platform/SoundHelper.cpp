#include "SoundHelper.h"

#include "MediaSoundPlayer.h"
#include "SoundSetup.h"

#include <QCoreApplication>

#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace SoundHelper {

bool isRequested(int argc, char** argv) {
    return argc == 3 && std::strcmp(argv[1], Option) == 0;
}

int run(int argc, char** argv) {
    // A sound must not outlive the window that asked for it, even when the program is killed.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        return 1;

    prepareSoundPlayback();
    const QCoreApplication application(argc, argv);
    MediaSoundPlayer player;
    QObject::connect(&player, &SoundPlayer::endReached, &player, [] { QCoreApplication::exit(0); });
    QObject::connect(&player, &SoundPlayer::failed, &player, [] { QCoreApplication::exit(1); });
    player.play(QString::fromLocal8Bit(argv[2]));
    return QCoreApplication::exec();
}

} // namespace SoundHelper
