#include "ProductIdentity.h"
#include "app/AppContext.h"
#include "app/CommandLineRun.h"
#include "app/PlatformServices.h"
#include "app/SchedulerHost.h"
#include "app/ScriptingHost.h"
#include "app/TForm1.h"
#include "app/Translations.h"
#include "app/ZentickApplication.h"
#include "context/ModuleCredentialStore.h"
#include "context/ModuleSyncRunner.h"
#include "platform/Autostart.h"
#include "platform/FilesLock.h"
#include "platform/FreedesktopNotifier.h"
#include "platform/LogindPowerBackend.h"
#include "platform/LogindSleepMonitor.h"
#include "platform/ProcessSoundPlayer.h"
#include "platform/SingleInstance.h"
#include "platform/SoundHelperProgram.h"
#include "platform/TimerfdClockChangeMonitor.h"
#include "scheduler/SchedulerClock.h"
#include "ui/ExceptionMessageBox.h"
#include "ui/settings/DataFolders.h"
#include "widgets/FirstPaint.h"
#include "widgets/Theme.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QLocale>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Only the first argument counts, compared exactly.
bool firstArgumentIs(int argc, char** argv, const char* flag) {
    return argc > 1 && std::strcmp(argv[1], flag) == 0;
}

QString runsElsewhereText() {
    return QCoreApplication::translate(
        "main", "Zentick already runs elsewhere (in another session) on the same files, and could not be "
                "reached from here.");
}

QString noLockText() {
    return QCoreApplication::translate(
        "main", "Zentick cannot start: it found no private folder for its single-instance lock.");
}

// Without a display to show it on, the text goes to the terminal the start came from.
void tellOnTerminal(const QString& text) {
    std::fprintf(stderr, "Zentick: %s\n", text.toLocal8Bit().constData());
}

// How long a second start waits for the running instance's answer. ZENTICK_ANSWER_TIMEOUT_MS shortens it for
// the tests, which stop an instance on purpose and must not wait the full time for it.
int answerTimeoutMs() {
    bool valid = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("ZENTICK_ANSWER_TIMEOUT_MS", &valid);
    return valid && fromEnvironment > 0 ? fromEnvironment : SingleInstance::AnswerTimeoutMs;
}

QString stillRunsText(int timeoutMs) {
    return QCoreApplication::translate(
               "main", "the running instance did not take the request to end (its answer was awaited for %1 "
                       "seconds) and is still running.")
        .arg(QLocale::c().toString(timeoutMs / 1000.0, 'g', 3));
}

// Reaches an instance that holds the files but was started in another session, whose channel lies in
// another runtime folder. True when it answered.
bool reachFilesHolder(const FilesLock& files, InstanceMessage message,
                      int timeoutMs = SingleInstance::AnswerTimeoutMs) {
    return SingleInstance::sendTo(files.holderChannel(), message, timeoutMs);
}

// "-t" with no instance in this session: one of another session that holds the same files is ended too. Exit code
// 1 when it is still there.
int terminateFromElsewhere(int argc, char** argv) {
    QCoreApplication lookOnly(argc, argv);
    Translations::install(lookOnly);
    FilesLock files(DataFolders::exeFolder(false));
    if (files.take(false) != ExclusiveLock::Result::HeldByOther ||
        reachFilesHolder(files, InstanceMessage::Terminate, answerTimeoutMs()))
        return 0;
    if (files.take(false) == ExclusiveLock::Result::HeldByOther) {
        tellOnTerminal(runsElsewhereText());
        return 1;
    }
    return 0;
}

// "-t" to the instance of this session: 0 once it has ended or taken the request; 1, said on the terminal, when
// it did not answer in time and still runs (stopped, or hung), so a script does not take it for ended.
int terminateRunning(SingleInstance& instance) {
    const int timeoutMs = answerTimeoutMs();
    QElapsedTimer waited;
    waited.start();
    if (instance.send(InstanceMessage::Terminate, timeoutMs))
        return 0;
    // An instance already on its way out (an earlier "-t", a log out) has stopped listening but holds its lock
    // for a moment longer: it is given the same time to go as an answer would have been.
    do {
        if (instance.acquire())
            return 0;
        QThread::msleep(20);
    } while (waited.elapsed() < timeoutMs);
    tellOnTerminal(stillRunsText(timeoutMs));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (CommandLineRun::isRequested(argc, argv))
        return CommandLineRun::run(argc, argv);
    const bool terminate = firstArgumentIs(argc, argv, "-t");
    const InstanceMessage request = terminate ? InstanceMessage::Terminate : InstanceMessage::Show;
    SingleInstance instance;
    if (!instance.acquire()) {
        QCoreApplication secondStart(argc, argv);
        Translations::install(secondStart);
        if (!instance.hasFolder())
            tellOnTerminal(noLockText());
        else if (terminate)
            return terminateRunning(instance);
        else
            instance.send(request);
        return 0;
    }
    if (terminate)
        return terminateFromElsewhere(argc, argv);

    ZentickApplication application(argc, argv);
    // The pictures and the stylesheet are linked in with the GUI library; a static link drops their
    // registration unless it is asked for by name.
    Q_INIT_RESOURCE(resources);
    // The stylesheet is for the standard controls, which the main menu does not show; it costs the start about as
    // much again as building the menu, so it waits for the first frame (or whatever else is shown sooner).
    Theme::apply(application, Theme::WindowIcon::Later, Theme::StyleSheet::Later);
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
        TimerfdClockChangeMonitor clockChanges;
        // The only place the real machine is reached: power actions and sleep notices through logind, notices
        // on the session bus. Made once the main window is on the screen (SchedulerHost::attachPlatformLater).
        std::unique_ptr<LogindPowerBackend> power;
        std::unique_ptr<LogindSleepMonitor> sleepMonitor;
        std::unique_ptr<FreedesktopNotifier> notifier;
        AppContext context{exeFolder, &clock, firstArgumentIs(argc, argv, "-h")};
        context.autostartFolder = Autostart::userFolder();
        context.lockDataFolder = true;
        context.storesAfterFirstFrame = true;
        ModuleCredentialStore credentials(QLatin1String(ProductIdentity::AppId));
        context.credentials = &credentials;
        // The sync's network code is loaded at its first run (NetModule.h).
        context.makeSyncRunner = [](DataStores& stores) {
            return std::unique_ptr<SyncRunner>(std::make_unique<ModuleSyncRunner>(stores));
        };
        TForm1 form(context);
        // Each sound plays in a helper process, zentick-sound, which stays while a window repeats its sound.
        const auto soundPlayer = [helper = SoundHelperProgram::path(QCoreApplication::applicationDirPath())] {
            return std::unique_ptr<SoundPlayer>(
                std::make_unique<ProcessSoundPlayer>(helper, QStringList{QStringLiteral("--stay")}));
        };
        // Sound and clock-change notices need no bus, and the watchdog's first ticks read the latter.
        PlatformServices platform{nullptr, nullptr, soundPlayer, clockChanges.isValid() ? &clockChanges : nullptr};
        form.schedulerHost().attachPlatform(platform);
        form.schedulerHost().attachPlatformLater([platform, &power, &sleepMonitor, &notifier]() mutable {
            power = std::make_unique<LogindPowerBackend>(QDBusConnection::systemBus());
            sleepMonitor = std::make_unique<LogindSleepMonitor>(QDBusConnection::systemBus());
            notifier = std::make_unique<FreedesktopNotifier>(QDBusConnection::sessionBus());
            platform.power = power.get();
            platform.sleepMonitor = sleepMonitor.get();
            platform.notifier = notifier.get();
            return platform;
        });
        form.setProgramEnd(endProgram);
        // Scripts reach the instance over its channel and on the session bus.
        ScriptingHost scripting(form, instance, clock);
        if (instance.listen([&form](InstanceMessage message) { form.handleInstanceMessage(message); })) {
            files.setChannel(instance.serverPath());
            form.setInstanceChannel(instance.serverPath());
        }
        Theme::holdStyleSheetFor(&form);
        form.showAtStart();
        // The data stores and the buses wait for the first frame, which needs neither: a large store takes longer
        // to read than the window to show, and without a session bus the first connection starts one.
        FirstPaint::runAfter(&form, [&form, &scripting] {
            // The stores, then the scheduler: a missed alarm fires at its first tick, 50 ms on.
            try {
                form.finishStart();
            } catch (...) {
                ExceptionMessageBox::show(ExceptionMessageBox::currentMessage());
                form.endProgram(); // lets go of the data folder's lock too
            }
            form.schedulerHost().attachPendingPlatform();
            scripting.offerOn(QDBusConnection::sessionBus());
        });
        Theme::applyStyleSheetAfterFirstPaint(&form);
        Theme::applyWindowIconAfterFirstPaint(&form);
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
