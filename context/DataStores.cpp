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
    m_eventStore = std::make_unique<TXMLIniFile>(dataFolder + QStringLiteral("/Alarms.xml"));
    m_pastAlarmStore = std::make_unique<TXMLIniFile>(dataFolder + QStringLiteral("/PAlarms.xml"));
    m_addressBookStore = std::make_unique<TXMLIniFile>(dataFolder + QStringLiteral("/AddressBook.xml"));
    m_diaryStore = std::make_unique<TXMLIniFile>(dataFolder + QStringLiteral("/Calendar.xml"));
    if (replacing)
        emit storesReplaced();
}

void DataStores::closeDataStores() {
    m_eventStore.reset();
    m_pastAlarmStore.reset();
    m_addressBookStore.reset();
    m_diaryStore.reset();
}
