#include "app/AppContext.h"
#include "app/DataFolders.h"
#include "app/ExceptionMessageBox.h"
#include "app/PlatformServices.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "app/ZentickApplication.h"
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

#include <cstdlib>
#include <cstring>

namespace {

// Only the first argument counts, compared exactly.
bool firstArgumentIs(int argc, char** argv, const char* flag) {
    return argc > 1 && std::strcmp(argv[1], flag) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (SoundHelper::isRequested(argc, argv))
        return SoundHelper::run(argc, argv);
    const bool terminate = firstArgumentIs(argc, argv, "-t");
    SingleInstance instance;
    if (!instance.acquire()) {
        QCoreApplication secondStart(argc, argv);
        instance.send(terminate ? InstanceMessage::Terminate : InstanceMessage::Show);
        return 0;
    }
    if (terminate)
        return 0;

    prepareSoundPlayback();
    ZentickApplication application(argc, argv);
    // The pictures and the stylesheet are linked in with the GUI library; a static link drops their
    // registration unless it is asked for by name.
    Q_INIT_RESOURCE(resources);
    Theme::apply(application);
    try {
        const SystemClock clock;
        // The only place the real machine is reached: power actions and sleep notices through logind.
        LogindPowerBackend power(QDBusConnection::systemBus());
        LogindSleepMonitor sleepMonitor(QDBusConnection::systemBus());
        TimerfdClockChangeMonitor clockChanges;
        TForm1 form(AppContext{DataFolders::exeFolder(), &clock, firstArgumentIs(argc, argv, "-h")});
        // Each sound plays in a helper process: the program itself, started again with SoundHelper::Option.
        const auto soundPlayer = [] {
            return std::unique_ptr<SoundPlayer>(std::make_unique<ProcessSoundPlayer>(
                QCoreApplication::applicationFilePath(), QStringList{QLatin1String(SoundHelper::Option)}));
        };
        form.schedulerHost().attachPlatform(
            {&power, &sleepMonitor, soundPlayer, clockChanges.isValid() ? &clockChanges : nullptr});
        instance.listen([&form](InstanceMessage message) { form.handleInstanceMessage(message); });
        if (!form.startHidden())
            form.show();
        ZentickApplication::exec();
        // Every change is on disk the moment it is made; on the way out the stores are not saved once
        // more, so a data store nobody wrote to leaves no file behind.
        instance.stopListening();
        std::_Exit(0);
    } catch (...) {
        ExceptionMessageBox::show(ExceptionMessageBox::currentMessage());
    }
    return 0;
}
