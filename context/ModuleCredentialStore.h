#pragma once

#include "platform/CredentialStore.h"

#include <QString>

#include <memory>

// The desktop's secret store as the program reaches it: through the network plugin, loaded at the first read or
// write (a sync, or a password saved on the settings page). Without the plugin each call answers with why.
class ModuleCredentialStore final : public CredentialStore {
public:
    explicit ModuleCredentialStore(QString service);
    ~ModuleCredentialStore() override;

    void read(const QString& key, QObject* receiver, ReadDone done) override;
    void write(const QString& key, const QString& secret, QObject* receiver, WriteDone done) override;

private:
    // Null, with the reason in error, when the plugin cannot be loaded.
    CredentialStore* store(QString& error);

    QString m_service;
    std::unique_ptr<CredentialStore> m_store;
};
