#include "net/KeychainCredentialStore.h"

#include <QPointer>
#include <qt6keychain/keychain.h>

KeychainCredentialStore::KeychainCredentialStore(const QString& service)
    : m_service(service) {}

void KeychainCredentialStore::read(const QString& key, QObject* receiver, ReadDone done) {
    auto* job = new QKeychain::ReadPasswordJob(m_service);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, receiver, [done = std::move(done)](QKeychain::Job* finished) {
        Answer answer;
        const auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
        if (read->error() == QKeychain::NoError) {
            answer.found = true;
            answer.secret = read->textData();
        } else if (read->error() != QKeychain::EntryNotFound) {
            answer.error = read->errorString();
        }
        done(answer);
    });
    job->start();
}

void KeychainCredentialStore::write(const QString& key, const QString& secret, QObject* receiver, WriteDone done) {
    QKeychain::Job* job = nullptr;
    if (secret.isEmpty()) {
        job = new QKeychain::DeletePasswordJob(m_service);
    } else {
        auto* writeJob = new QKeychain::WritePasswordJob(m_service);
        writeJob->setTextData(secret);
        job = writeJob;
    }
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, receiver, [done = std::move(done)](QKeychain::Job* finished) {
        const bool ok = finished->error() == QKeychain::NoError || finished->error() == QKeychain::EntryNotFound;
        done(ok ? QString() : finished->errorString());
    });
    job->start();
}
