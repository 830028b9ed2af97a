// Sync against Debian's radicale on loopback, started here with a temporary storage:
//   sync_bench [--alarms N] [--runs R]
// Per run, on a fresh account: A's first sync sending N alarms, A's sync with nothing to do, B's first sync receiving
// them, B's sync with nothing to do, and after one alarm changed on A the sync that sends it and the one on B that
// receives it; each with its wall-clock time and its number of HTTP requests. Min / median / max over the runs.
#include "RadicaleServer.h"
#include "SyncFolder.h"

#include "calendar/CalendarExchange.h"
#include "sync/DavClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace {

// CPU of this process only (the sync's side), user and system, in ms; radicale's is its own.
double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Figure {
    std::vector<double> cpu;
    std::vector<double> ms;
    std::vector<int> requests;
};

QString spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return QStringLiteral("%1 / %2 / %3")
        .arg(v.front(), 0, 'f', 0)
        .arg(v[v.size() / 2], 0, 'f', 0)
        .arg(v.back(), 0, 'f', 0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int alarms = 1000;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--alarms"))
            alarms = args.at(i + 1).toInt();
        if (args.at(i) == QLatin1String("--runs"))
            runs = args.at(i + 1).toInt();
    }
    QTextStream out(stdout);
    if (RadicaleServer::program().isEmpty()) {
        out << "radicale is not installed\n";
        return 2;
    }
    std::vector<QString> order;
    std::map<QString, Figure> figures;
    const auto measure = [&](const QString& what, SyncFolder& folder, const SyncAccount& account) {
        QElapsedTimer timer;
        const double cpuBefore = cpuMs();
        timer.start();
        const SyncOutcome outcome = folder.sync(account);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        const double cpu = cpuMs() - cpuBefore;
        if (!outcome.ok) {
            out << what << ": " << outcome.status << '\n';
            return false;
        }
        if (!figures.count(what))
            order.push_back(what);
        figures[what].ms.push_back(ms);
        figures[what].cpu.push_back(cpu);
        figures[what].requests.push_back(outcome.requests);
        out << what << ": " << ms << " ms, CPU here " << cpu << " ms, " << outcome.requests << " requests ("
            << outcome.status << ")\n";
        out.flush();
        return true;
    };
    for (int run = 0; run < runs; ++run) {
        RadicaleServer server;
        const QString error = server.start(QStringLiteral("bench"), QStringLiteral("bench"));
        if (!error.isEmpty()) {
            out << error << '\n';
            return 2;
        }
        const SyncAccount account{server.url(), QStringLiteral("bench"), QStringLiteral("bench")};
        SyncFolder a;
        SyncFolder b;
        {
            TXMLIniFile::Batch batch(a.events());
            for (int i = 0; i < alarms; ++i)
                SyncData::writeAlarm(a.events(), QByteArray::number(i), SyncData::inDays(1 + i / 10.0),
                                     QStringLiteral("Alarm number %1").arg(i), i % 3);
            batch.commit();
        }
        if (!measure(QStringLiteral("A: first sync, %1 alarms sent").arg(alarms), a, account) ||
            !measure(QStringLiteral("A: nothing to do"), a, account) ||
            !measure(QStringLiteral("B: first sync, %1 alarms received").arg(alarms), b, account) ||
            !measure(QStringLiteral("B: nothing to do"), b, account))
            return 1;
        EventRecord::writeTextBlock(a.events(), "7", {QStringLiteral("Changed")});
        if (!measure(QStringLiteral("A: one alarm changed, sent"), a, account) ||
            !measure(QStringLiteral("B: one alarm received"), b, account))
            return 1;

        // The reference: the same objects sent by bare PUTs into a calendar of their own, as many at a time as the
        // sync sends, without anything of the sync around them. What the server takes for them is the floor.
        DavClient client;
        client.setCredentials(account.user, account.password);
        const QUrl reference = server.url().resolved(QUrl(QStringLiteral("bench/reference/")));
        bool made = false;
        client.send("MKCALENDAR", reference, {}, {}, [&](const DavReply& reply) { made = reply.ok(); });
        while (client.inFlight() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!made) {
            out << "no reference calendar\n";
            return 1;
        }
        QList<QByteArray> bodies;
        for (int i = 0; i < alarms; ++i)
            bodies << CalendarExchange::eventObject(a.events(), QByteArray::number(i), "ref-" + QByteArray::number(i));
        client.resetCount();
        QElapsedTimer timer;
        const double cpuBefore = cpuMs();
        timer.start();
        int next = 0;
        int failures = 0;
        std::function<void()> sendMore = [&] {
            while (client.inFlight() < 4 && next < bodies.size()) {
                const int i = next++;
                client.send("PUT", reference.resolved(QUrl(QStringLiteral("ref-%1.ics").arg(i))),
                            {{"Content-Type", "text/calendar; charset=utf-8"}, {"If-None-Match", "*"}}, bodies.at(i),
                            [&](const DavReply& reply) {
                                failures += reply.ok() ? 0 : 1;
                                QMetaObject::invokeMethod(&client, sendMore, Qt::QueuedConnection);
                            });
            }
        };
        sendMore();
        while (next < bodies.size() || client.inFlight() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const QString what = QStringLiteral("reference: %1 bare PUTs, 4 at a time").arg(alarms);
        if (!figures.count(what))
            order.push_back(what);
        figures[what].ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        figures[what].cpu.push_back(cpuMs() - cpuBefore);
        figures[what].requests.push_back(client.requests());
        out << what << ": " << figures[what].ms.back() << " ms, " << failures << " failed\n";
    }
    out << "\n| sync | wall clock, min / median / max (ms) | CPU of the sync's side (ms) | requests "
           "|\n|---|---|---|---|\n";
    for (const QString& what : order) {
        const Figure& f = figures[what];
        out << "| " << what << " | " << spread(f.ms) << " | " << spread(f.cpu) << " | " << f.requests.front() << " |\n";
    }
    return 0;
}
