#include "context/DataStores.h"

#include "store/XMLIniFile.h"

DataStores::DataStores(const QString& exeFolder, QObject* parent)
    : QObject(parent)
    , m_exeFolder(exeFolder) {}

DataStores::~DataStores() = default;

void DataStores::openSettingsStore() {
    m_settingsStore = std::make_unique<TXMLIniFile>(m_exeFolder + QStringLiteral("/Settings.xml"));
}

void DataStores::openDataStores(const QString& dataFolder) {
    const bool replacing = m_eventStore != nullptr || !m_dataFolder.isEmpty();
    m_dataFolder = dataFolder;
    m_pending = true;
    openPendingDataStores();
    if (replacing)
        emit storesReplaced();
}

void DataStores::openDataStoresLater(const QString& dataFolder) {
    m_dataFolder = dataFolder;
    m_pending = true;
}

void DataStores::openPendingDataStores() const {
    if (!m_pending)
        return;
    // All four or none: a store that cannot be read leaves none half-made behind.
    auto events = std::make_unique<TXMLIniFile>(m_dataFolder + QStringLiteral("/Alarms.xml"));
    auto pastAlarms = std::make_unique<TXMLIniFile>(m_dataFolder + QStringLiteral("/PAlarms.xml"));
    auto addressBook = std::make_unique<TXMLIniFile>(m_dataFolder + QStringLiteral("/AddressBook.xml"));
    auto diary = std::make_unique<TXMLIniFile>(m_dataFolder + QStringLiteral("/Calendar.xml"));
    m_eventStore = std::move(events);
    m_pastAlarmStore = std::move(pastAlarms);
    m_addressBookStore = std::move(addressBook);
    m_diaryStore = std::move(diary);
    m_pending = false;
}

void DataStores::closeDataStores() {
    m_pending = false;
    m_eventStore.reset();
    m_pastAlarmStore.reset();
    m_addressBookStore.reset();
    m_diaryStore.reset();
}
