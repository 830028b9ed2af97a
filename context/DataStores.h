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
    TXMLIniFile& eventStore() const { return *m_eventStore; }
    TXMLIniFile& pastAlarmStore() const { return *m_pastAlarmStore; }
    TXMLIniFile& addressBookStore() const { return *m_addressBookStore; }
    TXMLIniFile& diaryStore() const { return *m_diaryStore; }

    const QString& exeFolder() const { return m_exeFolder; }
    const QString& dataFolder() const { return m_dataFolder; }

    // "Settings.xml" beside the executable.
    void openSettingsStore();
    // Replaces the four data stores by ones on the files of dataFolder; the old ones save once more.
    void openDataStores(const QString& dataFolder);
    // Lets go of the four data stores before their files move to another folder; nothing may read them until
    // openDataStores() has brought them back.
    void closeDataStores();

signals:
    // The four data stores were opened again (the data folder moved): whoever keeps what it read from them reads
    // again. Not sent for the first opening.
    void storesReplaced();

private:
    QString m_exeFolder;
    QString m_dataFolder;
    std::unique_ptr<TXMLIniFile> m_settingsStore;
    std::unique_ptr<TXMLIniFile> m_eventStore;
    std::unique_ptr<TXMLIniFile> m_pastAlarmStore;
    std::unique_ptr<TXMLIniFile> m_addressBookStore;
    std::unique_ptr<TXMLIniFile> m_diaryStore;
};
