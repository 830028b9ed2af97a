#pragma once

#include "context/SyncRunner.h"

#include <memory>

class DataStores;

// The calendar sync as the program makes it: the real runner comes from the network plugin at the first sync, so
// nothing of it is loaded before an account is set up and a sync starts. Without the plugin every sync ends at once
// and says why.
class ModuleSyncRunner final : public SyncRunner {
    Q_OBJECT
public:
    explicit ModuleSyncRunner(DataStores& stores, QObject* parent = nullptr);
    ~ModuleSyncRunner() override;

    void start(const SyncAccount& account) override;
    bool isRunning() const override;
    void cancel() override;

private:
    DataStores& m_stores;
    std::unique_ptr<SyncRunner> m_runner;
    bool m_failing = false;
};
