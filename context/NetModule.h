#pragma once

#include "context/SyncRunner.h"
#include "platform/CredentialStore.h"

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <QtPlugin>

#include <memory>

class DataStores;

// One HTTP GET of a small answer (the update check's). finished() follows exactly once per get(), unless abort()
// came first.
class UpdateFetch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // A body longer than maxBytes is not read to its end, and the fetch fails.
    virtual void get(const QUrl& url, qint64 maxBytes) = 0;
    virtual void abort() = 0;

signals:
    // ok: the server answered without error and the body came whole.
    void finished(bool ok, const QByteArray& body);
};

// What needs the network lives in a plugin of its own, zentick-net (NetModuleLoader), so that a start loads neither
// Qt Network nor what it links: only the update check and the calendar sync (with its password) ask for it, when
// they first run.
class NetModule {
public:
    virtual ~NetModule() = default;
    virtual std::unique_ptr<SyncRunner> makeSyncRunner(DataStores& stores) = 0;
    virtual std::unique_ptr<UpdateFetch> makeUpdateFetch() = 0;
    // The desktop's secret store, which holds the sync's password.
    virtual std::unique_ptr<CredentialStore> makeCredentialStore(const QString& service) = 0;
};

#define ZentickNetModule_iid "org.zentick.NetModule/2"
Q_DECLARE_INTERFACE(NetModule, ZentickNetModule_iid)
