#include "context/NetModule.h"
#include "net/KeychainCredentialStore.h"
#include "net/NetworkUpdateFetch.h"
#include "sync/CalDavSyncRunner.h"

// The plugin zentick-net: everything that links Qt Network, and the secret store, loaded when the update check or
// the sync first runs.
class NetPlugin final : public QObject, public NetModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZentickNetModule_iid)
    Q_INTERFACES(NetModule)
public:
    std::unique_ptr<SyncRunner> makeSyncRunner(DataStores& stores) override { return makeCalDavSyncRunner(stores); }
    std::unique_ptr<UpdateFetch> makeUpdateFetch() override { return std::make_unique<NetworkUpdateFetch>(); }
    std::unique_ptr<CredentialStore> makeCredentialStore(const QString& service) override {
        return std::make_unique<KeychainCredentialStore>(service);
    }
};

#include "NetPlugin.moc"
