// One sync of a data folder, for the test that kills it at random moments:
//   zentick-sync-once <data folder> <address> <user> <password>
// Exit status 0: the sync ended well; 1: it ended with an error (printed).

#include "context/DataStores.h"
#include "sync/CalDavSyncRunner.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        QTextStream(stderr) << "usage: zentick-sync-once <data folder> <address> <user> <password>\n";
        return 2;
    }
    DataStores stores(args.at(1));
    stores.openDataStores(args.at(1));
    CalDavSyncRunner runner(stores);
    int status = 1;
    QObject::connect(&runner, &SyncRunner::finished, &app, [&](const SyncOutcome& outcome) {
        QTextStream(outcome.ok ? stdout : stderr) << outcome.status << '\n';
        status = outcome.ok ? 0 : 1;
        app.quit();
    });
    runner.start({QUrl(args.at(2)), args.at(3), args.at(4)});
    app.exec();
    return status;
}
