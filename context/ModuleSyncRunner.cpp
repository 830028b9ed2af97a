#include "context/ModuleSyncRunner.h"

#include "context/NetModule.h"
#include "context/NetModuleLoader.h"

ModuleSyncRunner::ModuleSyncRunner(DataStores& stores, QObject* parent)
    : SyncRunner(parent)
    , m_stores(stores) {}

ModuleSyncRunner::~ModuleSyncRunner() = default;

void ModuleSyncRunner::start(const SyncAccount& account) {
    if (isRunning())
        return;
    QString error;
    if (!m_runner) {
        if (NetModule* module = NetModuleLoader::instance(&error)) {
            m_runner = module->makeSyncRunner(m_stores);
            if (m_runner)
                connect(m_runner.get(), &SyncRunner::finished, this, &SyncRunner::finished);
        }
    }
    if (m_runner) {
        m_runner->start(account);
        return;
    }
    // Never from inside start(): its caller is still setting up for the answer.
    m_failing = true;
    SyncOutcome outcome;
    outcome.status = NetModuleLoader::unavailableText(error);
    QMetaObject::invokeMethod(
        this,
        [this, outcome] {
            m_failing = false;
            emit finished(outcome);
        },
        Qt::QueuedConnection);
}

bool ModuleSyncRunner::isRunning() const {
    return m_failing || (m_runner && m_runner->isRunning());
}

void ModuleSyncRunner::cancel() {
    if (m_runner)
        m_runner->cancel();
}
