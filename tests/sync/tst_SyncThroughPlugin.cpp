#include "FakeDavServer.h"
#include "SyncFolder.h"

#include "context/ModuleCredentialStore.h"
#include "context/ModuleSyncRunner.h"
#include "context/NetModuleLoader.h"

using namespace SyncData;

// The sync as the program runs it: the runner comes from the network plugin, loaded at the first sync.
class tst_SyncThroughPlugin : public QObject {
    Q_OBJECT

private slots:
    void missingPluginEndsEachSyncWithWhy();
    void missingPluginAnswersForTheSecretStore();
    void syncRunsThroughThePlugin();
};

namespace {

SyncOutcome syncThroughPlugin(DataStores& stores, const SyncAccount& account) {
    ModuleSyncRunner runner(stores);
    QSignalSpy done(&runner, &SyncRunner::finished);
    runner.start(account);
    // The answer never comes from inside start(), whose caller is still setting up for it.
    if (!done.isEmpty() || !runner.isRunning() || !done.wait(60'000) || done.size() != 1 || runner.isRunning())
        return {};
    return done.first().first().value<SyncOutcome>();
}

} // namespace

void tst_SyncThroughPlugin::missingPluginEndsEachSyncWithWhy() {
    const QTemporaryDir withoutPlugin;
    NetModuleLoader::setExecutableFolder(withoutPlugin.path());
    FakeDavServer server;
    SyncFolder folder;
    writeAlarm(folder.events(), "0", inDays(3), QStringLiteral("Dentist"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const SyncOutcome outcome = syncThroughPlugin(folder.stores, {server.url(), QStringLiteral("alice"), {}});
        QVERIFY(!outcome.ok);
        QVERIFY2(outcome.status.startsWith(QStringLiteral("Zentick's network module could not be loaded")),
                 qPrintable(outcome.status));
        QVERIFY(!outcome.storesChanged);
    }
    QCOMPARE(server.members(), 0);
}

// The password is asked for at each sync and kept from the settings page: both hear why, later, as from the store.
void tst_SyncThroughPlugin::missingPluginAnswersForTheSecretStore() {
    const QTemporaryDir withoutPlugin;
    NetModuleLoader::setExecutableFolder(withoutPlugin.path());
    ModuleCredentialStore store(QStringLiteral("org.zentick.Test"));
    QObject receiver;
    std::optional<CredentialStore::Answer> read;
    std::optional<QString> written;
    store.read(QLatin1String(CredentialStore::SyncPasswordKey), &receiver,
               [&](const CredentialStore::Answer& answer) { read = answer; });
    store.write(QLatin1String(CredentialStore::SyncPasswordKey), QStringLiteral("pass"), &receiver,
                [&](const QString& error) { written = error; });
    QVERIFY(!read && !written);
    QTRY_VERIFY(read && written);
    QVERIFY(!read->found);
    QVERIFY2(read->error.startsWith(QStringLiteral("Zentick's network module could not be loaded")),
             qPrintable(read->error));
    QCOMPARE(*written, read->error);
}

void tst_SyncThroughPlugin::syncRunsThroughThePlugin() {
    NetModuleLoader::setExecutableFolder(qEnvironmentVariable("ZENTICK_NET_MODULE_DIR"));
    FakeDavServer server;
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Dentist"));
    const SyncAccount account{server.url(), QStringLiteral("alice"), QStringLiteral("pass")};
    SyncOutcome outcome = syncThroughPlugin(a.stores, account);
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(server.members(), 1);
    outcome = syncThroughPlugin(b.stores, account);
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(eventsOf(b.events()), QStringList{QStringLiteral("alarm: Dentist")});
}

QTEST_GUILESS_MAIN(tst_SyncThroughPlugin)
#include "tst_SyncThroughPlugin.moc"
