#pragma once

#include <QObject>
#include <QString>

#include <memory>

class TXMLIniFile;

// The five stores, opened, closed and replaced in one place. "Settings.xml" lives beside the executable for the
// whole run; the four data stores live in the data folder and are replaced when it moves, so nobody keeps a pointer
// to one across storesReplaced(): read them through the accessors each time.
class DataStores final : public QObject {
    Q_OBJECT
public:
    explicit DataStores(const QString& exeFolder, QObject* parent = nullptr);
    ~DataStores() override;

    TXMLIniFile& settingsStore() const { return *m_settingsStore; }
    TXMLIniFile& eventStore() const { return opened(m_eventStore); }
    TXMLIniFile& pastAlarmStore() const { return opened(m_pastAlarmStore); }
    TXMLIniFile& addressBookStore() const { return opened(m_addressBookStore); }
    TXMLIniFile& diaryStore() const { return opened(m_diaryStore); }

    const QString& exeFolder() const { return m_exeFolder; }
    const QString& dataFolder() const { return m_dataFolder; }

    // "Settings.xml" beside the executable.
    void openSettingsStore();
    // Replaces the four data stores by ones on the files of dataFolder; the old ones save once more.
    void openDataStores(const QString& dataFolder);
    // The first opening, with the files read when a store is first asked for or at openPendingDataStores(),
    // whichever comes first: a start puts its window on the screen before it reads thousands of records.
    void openDataStoresLater(const QString& dataFolder);
    // Throws Exception, as opening does, when a store cannot be read; the stores stay unread then.
    void openPendingDataStores() const;
    bool dataStoresPending() const { return m_pending; }
    // Lets go of the four data stores before their files move to another folder; nothing may read them until
    // openDataStores() has brought them back.
    void closeDataStores();

signals:
    // The four data stores were opened again (the data folder moved): whoever keeps what it read from them reads
    // again. Not sent for the first opening.
    void storesReplaced();

private:
    TXMLIniFile& opened(const std::unique_ptr<TXMLIniFile>& store) const {
        if (m_pending)
            openPendingDataStores();
        return *store;
    }

    QString m_exeFolder;
    QString m_dataFolder;
    std::unique_ptr<TXMLIniFile> m_settingsStore;
    // Read at first use after openDataStoresLater(), from the accessors, which are const.
    mutable bool m_pending = false;
    mutable std::unique_ptr<TXMLIniFile> m_eventStore;
    mutable std::unique_ptr<TXMLIniFile> m_pastAlarmStore;
    mutable std::unique_ptr<TXMLIniFile> m_addressBookStore;
    mutable std::unique_ptr<TXMLIniFile> m_diaryStore;
};
