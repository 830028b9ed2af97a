#include "context/ModuleCredentialStore.h"

#include "context/NetModule.h"
#include "context/NetModuleLoader.h"

#include <QMetaObject>

ModuleCredentialStore::ModuleCredentialStore(QString service)
    : m_service(std::move(service)) {}

ModuleCredentialStore::~ModuleCredentialStore() = default;

CredentialStore* ModuleCredentialStore::store(QString& error) {
    if (!m_store) {
        if (NetModule* module = NetModuleLoader::instance(&error))
            m_store = module->makeCredentialStore(m_service);
    }
    return m_store.get();
}

void ModuleCredentialStore::read(const QString& key, QObject* receiver, ReadDone done) {
    QString error;
    if (CredentialStore* real = store(error)) {
        real->read(key, receiver, std::move(done));
        return;
    }
    // Answered later, as every store answers: the caller may still be setting up for it. An answer for a receiver
    // that is gone is dropped.
    if (receiver == nullptr)
        return;
    Answer answer;
    answer.error = NetModuleLoader::unavailableText(error);
    QMetaObject::invokeMethod(
        receiver, [done = std::move(done), answer] { done(answer); }, Qt::QueuedConnection);
}

void ModuleCredentialStore::write(const QString& key, const QString& secret, QObject* receiver, WriteDone done) {
    QString error;
    if (CredentialStore* real = store(error)) {
        real->write(key, secret, receiver, std::move(done));
        return;
    }
    if (receiver == nullptr)
        return;
    QMetaObject::invokeMethod(
        receiver, [done = std::move(done), text = NetModuleLoader::unavailableText(error)] { done(text); },
        Qt::QueuedConnection);
}
