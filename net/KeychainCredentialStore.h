#pragma once

#include "platform/CredentialStore.h"

// The desktop's secret store through the Secret Service on the session bus (qtkeychain). Nothing is ever written
// to a file of its own when no secret store answers: the caller hears the error instead.
class KeychainCredentialStore final : public CredentialStore {
public:
    explicit KeychainCredentialStore(const QString& service);
    void read(const QString& key, QObject* receiver, ReadDone done) override;
    void write(const QString& key, const QString& secret, QObject* receiver, WriteDone done) override;

private:
    QString m_service;
};
