// Kills the running program at random moments and checks what it leaves behind (see KillFolder.h):
//   zentick_killtest --executable <built zentick> [--kills N] [--seed S] [--max-delay ms] [--keep]
// The program runs from a copy in a temporary folder, hidden (-h), offscreen, with its own runtime folder, on
// a data folder full of due one-time and repeating alarms (no power actions). Half of the starts are killed at
// a random moment from their beginning; the other half, and every start after a kill that left an alarm in
// both stores, once that start has settled such alarms. Moments and patience count the program's own time
// (ProgramTime.h), so a loaded machine neither fails a slow start nor moves every kill before the firing.
// Exits 1 on the first broken check.
#include "KillFolder.h"
#include "ProgramTime.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Patience = 30'000; // of the program's own time
// However starved the program is, a start that takes this long has hung.
constexpr int WallPatience = 600'000;

struct Totals {
    int kills = 0;
    int settledStarts = 0;
    int doublesAfterKill = 0;
    int doublesSettled = 0;
    int strays = 0;
    int firingStarts = 0; // starts that had retired an alarm before their kill
};

bool fail(int round, const QStringList& failures) {
    for (const QString& failure : failures)
        std::fprintf(stderr, "kill %d: %s\n", round, qPrintable(failure));
    return false;
}

// Waits until none of `pending` is left in the event store, or the program ends, or patience runs out.
bool settles(const KillFolder& folder, const QSet<QByteArray>& pending, QProcess& program) {
    const ProgramTime waited(program.processId());
    while (waited.elapsedMs() < Patience && waited.wallMs() < WallPatience) {
        if (folder.stillInEvents(pending).isEmpty())
            return true;
        if (program.waitForFinished(20))
            return false;
    }
    return false;
}

// Lets the program run for `ms` of its own time, or until it ends.
void runFor(qint64 ms, QProcess& program) {
    const ProgramTime lived(program.processId());
    while (lived.elapsedMs() < ms && lived.wallMs() < WallPatience)
        if (program.waitForFinished(5))
            return;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kills the running program at random moments and checks its files."));
    parser.addHelpOption();
    const QCommandLineOption executable(QStringLiteral("executable"), QStringLiteral("The built program."),
                                        QStringLiteral("path"));
    const QCommandLineOption kills(QStringLiteral("kills"), QStringLiteral("How many kills (50)."), QStringLiteral("n"),
                                   QStringLiteral("50"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed (from the clock)."),
                                  QStringLiteral("n"));
    const QCommandLineOption maxDelay(QStringLiteral("max-delay"),
                                      QStringLiteral("Longest wait before a kill, in ms (1500)."), QStringLiteral("ms"),
                                      QStringLiteral("1500"));
    const QCommandLineOption keep(QStringLiteral("keep"), QStringLiteral("Keep the folder after a failure."));
    parser.addOptions({executable, kills, seed, maxDelay, keep});
    parser.process(app);
    if (!parser.isSet(executable))
        parser.showHelp(2);

    const quint32 seedValue =
        parser.isSet(seed) ? parser.value(seed).toUInt() : quint32(QDateTime::currentMSecsSinceEpoch());
    QRandomGenerator random(seedValue);
    QTemporaryDir exeFolder;
    QTemporaryDir runtime;
    const QString program = exeFolder.filePath(QStringLiteral("zentick"));
    if (!exeFolder.isValid() || !runtime.isValid() || !QFile::copy(parser.value(executable), program)) {
        std::fprintf(stderr, "cannot copy %s into a temporary folder\n", qPrintable(parser.value(executable)));
        return 2;
    }
    std::printf("seed %u, folder %s\n", seedValue, qPrintable(exeFolder.path()));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZENTICK_AUTO_DISMISS"), QStringLiteral("1"));

    KillFolder folder(exeFolder.path());
    Totals totals;
    QSet<QByteArray> doubles;
    QElapsedTimer elapsed;
    elapsed.start();
    const int rounds = parser.value(kills).toInt();
    const int longest = std::max(1, parser.value(maxDelay).toInt());
    bool ok = true;
    for (int round = 1; ok && round <= rounds; ++round) {
        folder.seed(20, 10);
        QProcess zentick;
        zentick.setProcessEnvironment(environment);
        zentick.setWorkingDirectory(runtime.path());
        zentick.setProcessChannelMode(QProcess::ForwardedChannels);
        zentick.start(program, {QStringLiteral("-h")});
        if (!zentick.waitForStarted(Patience)) {
            ok = fail(round, {QStringLiteral("the program does not start")});
            break;
        }
        const bool settle = !doubles.isEmpty() || random.bounded(2) == 0;
        if (settle) {
            if (!settles(folder, doubles, zentick)) {
                ok = fail(round, {QStringLiteral("%1 alarms in both stores were not settled by the start")
                                      .arg(folder.stillInEvents(doubles).size())});
                break;
            }
            ++totals.settledStarts;
            totals.doublesSettled += int(doubles.size());
        }
        runFor(random.bounded(longest), zentick);
        zentick.kill();
        zentick.waitForFinished(Patience);
        ++totals.kills;
        if (zentick.exitStatus() != QProcess::CrashExit) {
            ok =
                fail(round, {QStringLiteral("the program had ended by itself (exit code %1)").arg(zentick.exitCode())});
            break;
        }
        // Alarms left in both stores by an earlier kill had to be settled by a start that got that far.
        const int retiredBefore = folder.retired();
        const KillFolder::Result result = folder.check(true);
        totals.firingStarts += result.retired > retiredBefore ? 1 : 0;
        const QSet<QByteArray> left = settle ? result.doubles & doubles : QSet<QByteArray>();
        if (!left.isEmpty())
            ok = fail(round, {QStringLiteral("%1 alarms still in both stores after a start").arg(left.size())});
        if (!result.failures.isEmpty())
            ok = fail(round, result.failures);
        doubles = result.doubles;
        totals.doublesAfterKill += int(result.doubles.size());
        totals.strays += result.stray.isEmpty() ? 0 : 1;
        if (round % 50 == 0 || !ok)
            std::printf("%d kills, %d one-time alarms retired, %d left in both stores by a kill so far\n", round,
                        result.retired, totals.doublesAfterKill);
        std::fflush(stdout);
    }
    std::printf("%s: %d kills (%d after a settled start, %d after the start had retired alarms), %d alarms left in "
                "both stores by a kill, %d settled by the next start, %d kills left a temporary file; %lld s\n",
                ok ? "passed" : "FAILED", totals.kills, totals.settledStarts, totals.firingStarts,
                totals.doublesAfterKill, totals.doublesSettled, totals.strays, elapsed.elapsed() / 1000);
    if (!ok && parser.isSet(keep))
        exeFolder.setAutoRemove(false);
    return ok ? 0 : 1;
}
