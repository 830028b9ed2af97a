#pragma once

#include <QByteArray>
#include <QStringList>

class TXMLIniFile;

// The address book store: one section per entry, named by its number ("0", "1", ...), holding "name",
// "address", "phone", "email" and "other", always written together and in this order.
namespace AddressEntries {

// The stored key of each field, in their order.
const QByteArrayList& keys();

// The stored bytes of the five fields (empty for a missing key).
QByteArrayList readStored(const TXMLIniFile& store, const QByteArray& section);
QStringList read(const TXMLIniFile& store, const QByteArray& section);
// What to store for fields as shown now: a field still showing what was stored keeps its stored bytes (an entry
// of the earlier version in Windows-1252 stays as it was); a field the user changed is stored as typed.
QByteArrayList toStore(const QStringList& shown, const QByteArrayList& stored);
// One save for the five keys.
void write(TXMLIniFile& store, const QByteArray& section, const QByteArrayList& values);
// The smallest number from 0 up whose section holds no key.
QByteArray firstFreeSection(const TXMLIniFile& store);

} // namespace AddressEntries
