#include "ui/personal/AddressEntries.h"

#include "store/StoredText.h"
#include "store/XMLIniFile.h"

namespace AddressEntries {

const QByteArrayList& keys() {
    static const QByteArrayList names{"name", "address", "phone", "email", "other"};
    return names;
}

QByteArrayList readStored(const TXMLIniFile& store, const QByteArray& section) {
    QByteArrayList values;
    for (const QByteArray& key : keys())
        values.append(store.ReadString(section, key, QByteArray()));
    return values;
}

QStringList read(const TXMLIniFile& store, const QByteArray& section) {
    QStringList fields;
    for (const QByteArray& value : readStored(store, section))
        fields.append(storedTextToDisplay(value));
    return fields;
}

QByteArrayList toStore(const QStringList& shown, const QByteArrayList& stored) {
    QByteArrayList values;
    for (int i = 0; i < shown.size(); ++i) {
        const QByteArray before = stored.value(i);
        values.append(shown.at(i) == storedTextToDisplay(before) ? before : displayTextToStored(shown.at(i)));
    }
    return values;
}

void write(TXMLIniFile& store, const QByteArray& section, const QByteArrayList& values) {
    TXMLIniFile::Batch batch(store);
    for (int i = 0; i < keys().size(); ++i)
        store.WriteString(section, keys().at(i), values.value(i));
    batch.commit();
}

QByteArray firstFreeSection(const TXMLIniFile& store) {
    for (int n = 0;; ++n) {
        QByteArray section = QByteArray::number(n);
        if (!store.HasSection(section))
            return section;
    }
}

} // namespace AddressEntries
