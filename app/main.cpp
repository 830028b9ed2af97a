#include "app/AppContext.h"
#include "app/DataFolders.h"
#include "app/ExceptionMessageBox.h"
#include "app/PlatformServices.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "app/ZentickApplication.h"
#include "platform/Autostart.h"
#include "platform/FilesLock.h"
#include "platform/FreedesktopNotifier.h"
#include "platform/LogindPowerBackend.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/ProcessSoundPlayer.h"
#include "platform/SingleInstance.h"
#include "platform/SoundHelper.h"
#include "platform/SoundSetup.h"
#include "platform/TimerfdClockChangeMonitor.h"
#include "scheduler/SchedulerClock.h"
#include "widgets/Theme.h"

#include <QDBusConnection>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Only the first argument counts, compared exactly.
bool firstArgumentIs(int argc, char** argv, const char* flag) {
    return argc > 1 && std::strcmp(argv[1], flag) == 0;
}

QString runsElsewhereText() {
    return QStringLiteral("Zentick already runs elsewhere (in another session) on the same files, and could not be "
                          "reached from here.");
}

QString noLockText() {
    return QStringLiteral("Zentick cannot start: it found no private folder for its single-instance lock.");
}

// Without a display to show it on, the text goes to the terminal the start came from.
void tellOnTerminal(const QString& text) {
    std::fprintf(stderr, "Zentick: %s\n", text.toLocal8Bit().constData());
}

// Reaches an instance that holds the files but was started in another session, whose channel lies in
// another runtime folder. True when it answered.
bool reachFilesHolder(const FilesLock& files, InstanceMessage message) {
    return SingleInstance::sendTo(files.holderChannel(), message);
}

// "-t" with no instance in this session: one of another session that holds the same files is ended too.
int terminateFromElsewhere(int argc, char** argv) {
    const QCoreApplication lookOnly(argc, argv);
    FilesLock files(DataFolders::exeFolder(false));
    if (files.take(false) == ExclusiveLock::Result::HeldByOther && !reachFilesHolder(files, InstanceMessage::Terminate))
        tellOnTerminal(runsElsewhereText());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (SoundHelper::isRequested(argc, argv))
        return SoundHelper::run(argc, argv);
    const bool terminate = firstArgumentIs(argc, argv, "-t");
    const InstanceMessage request = terminate ? InstanceMessage::Terminate : InstanceMessage::Show;
    SingleInstance instance;
    if (!instance.acquire()) {
        QCoreApplication secondStart(argc, argv);
        if (!instance.hasFolder())
            tellOnTerminal(noLockText());
        else
            instance.send(request);
        return 0;
    }
    if (terminate)
        return terminateFromElsewhere(argc, argv);

    prepareSoundPlayback();
    ZentickApplication application(argc, argv);
    // The pictures and the stylesheet are linked in with the GUI library; a static link drops their
    // registration unless it is asked for by name.
    Q_INIT_RESOURCE(resources);
    Theme::apply(application);
    // The files are what must never have two writers: a start from another session passes the lock above
    // (its runtime folder is another) and meets this one.
    const QString exeFolder = DataFolders::exeFolder();
    FilesLock files(exeFolder);
    const ExclusiveLock::Result taken = files.take();
    // Settings in a folder that has become read-only are still the user's: the lock in the data folder guards
    // them then, and the user is told that settings cannot be changed.
    const bool unlockable = taken == ExclusiveLock::Result::NoFile && DataFolders::unusableReason(exeFolder) != 0;
    if (taken != ExclusiveLock::Result::Taken && !unlockable) {
        if (!reachFilesHolder(files, request))
            ExceptionMessageBox::show(runsElsewhereText());
        return 0;
    }
    // Every change is on disk the moment it is made, so ending needs no saving: the process goes at once,
    // whatever windows, editors or nested message loops are open, and none of them can refuse.
    const auto endProgram = [&instance, &files] {
        instance.stopListening();
        files.release();
        std::_Exit(0);
    };
    try {
        const SystemClock clock;
        // The only place the real machine is reached: power actions and sleep notices through logind.
        LogindPowerBackend power(QDBusConnection::systemBus());
        LogindSleepMonitor sleepMonitor(QDBusConnection::systemBus());
        TimerfdClockChangeMonitor clockChanges;
        FreedesktopNotifier notifier(QDBusConnection::sessionBus());
        AppContext context{exeFolder, &clock, firstArgumentIs(argc, argv, "-h")};
        context.autostartFolder = Autostart::userFolder();
        context.lockDataFolder = true;
        TForm1 form(context);
        // Each sound plays in a helper process: the program itself, started again with SoundHelper::Option.
        const auto soundPlayer = [] {
            return std::unique_ptr<SoundPlayer>(std::make_unique<ProcessSoundPlayer>(
                QCoreApplication::applicationFilePath(), QStringList{QLatin1String(SoundHelper::Option)}));
        };
        form.schedulerHost().attachPlatform(
            {&power, &sleepMonitor, soundPlayer, clockChanges.isValid() ? &clockChanges : nullptr, &notifier});
        form.setProgramEnd(endProgram);
        if (instance.listen([&form](InstanceMessage message) { form.handleInstanceMessage(message); })) {
            files.setChannel(instance.serverPath());
            form.setInstanceChannel(instance.serverPath());
        }
        form.showAtStart();
        ZentickApplication::exec();
        // On the way out the stores are not saved once more, so a data store nobody wrote to leaves no
        // file behind.
        form.releaseDataFolderLock();
        endProgram();
    } catch (const DataFolderInUse& held) {
        // Another program folder's instance works on these data files: it is the one that runs.
        if (!SingleInstance::sendTo(held.holderChannel, request))
            ExceptionMessageBox::show(runsElsewhereText());
    } catch (...) {
        ExceptionMessageBox::show(ExceptionMessageBox::currentMessage());
    }
    return 0;
}
