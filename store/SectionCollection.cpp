#include "store/SectionCollection.h"

#include "store/CaseFold.h"

namespace {

template <class Item, class Collection, class NameOf>
QHash<QByteArray, Item*> firstByName(const Collection& collection, NameOf nameOf) {
    QHash<QByteArray, Item*> index;
    index.reserve(collection.Count());
    // Walking backwards lets the first of several equal names overwrite the later ones.
    for (qsizetype i = collection.Count() - 1; i >= 0; --i) {
        Item* item = collection.item(i);
        index.insert(nameOf(*item), item);
    }
    return index;
}

template <class Collection, class Item> qsizetype indexOfItem(const Collection& collection, const Item* item) {
    for (qsizetype i = 0; i < collection.Count(); ++i) {
        if (collection.item(i) == item)
            return i;
    }
    return -1;
}

} // namespace

const XmlPropertyList& TDataCollectionItem::published() const {
    static const XmlPropertyList properties = publishedInWrittenOrder({
        {"Ident",
         [](const TXMLCollectionItem& item) -> const QByteArray& {
             return static_cast<const TDataCollectionItem&>(item).m_ident;
         },
         [](TXMLCollectionItem& item, QByteArray text) {
             static_cast<TDataCollectionItem&>(item).m_ident = std::move(text);
         },
         nullptr},
        {"Value",
         [](const TXMLCollectionItem& item) -> const QByteArray& {
             return static_cast<const TDataCollectionItem&>(item).m_value;
         },
         [](TXMLCollectionItem& item, QByteArray text) {
             static_cast<TDataCollectionItem&>(item).m_value = std::move(text);
         },
         nullptr},
    });
    return properties;
}

TDataCollectionItem* TDataCollection::append(const QByteArray& ident) {
    auto* key = static_cast<TDataCollectionItem*>(Add());
    key->m_ident = ident;
    if (!m_index.contains(ident))
        m_index.insert(ident, key);
    m_foldedValid = false;
    return key;
}

void TDataCollection::remove(TDataCollectionItem* key) {
    const qsizetype at = indexOfItem(*this, key);
    if (at < 0)
        return;
    removeAt(at);
    itemsReplaced();
}

bool TDataCollection::containsIgnoringCase(const QByteArray& ident) const {
    if (m_index.contains(ident))
        return true;
    if (!m_foldedValid) {
        m_foldedIdents.clear();
        for (qsizetype i = 0; i < Count(); ++i)
            m_foldedIdents.insert(caseFolded(item(i)->Ident()));
        m_foldedValid = true;
    }
    return m_foldedIdents.contains(caseFolded(ident));
}

QByteArrayList TDataCollection::idents() const {
    QByteArrayList list;
    list.reserve(Count());
    for (qsizetype i = 0; i < Count(); ++i)
        list.append(item(i)->Ident());
    return list;
}

std::unique_ptr<TXMLCollectionItem> TDataCollection::createItem() const {
    return std::make_unique<TDataCollectionItem>();
}

void TDataCollection::itemsReplaced() {
    m_index = firstByName<TDataCollectionItem>(*this, [](const TDataCollectionItem& key) { return key.Ident(); });
    m_foldedValid = false;
    m_foldedIdents.clear();
}

TSectionCollectionItem::TSectionCollectionItem()
    : m_sectionData(std::make_unique<TDataCollection>()) {}

TSectionCollectionItem::~TSectionCollectionItem() = default;

const XmlPropertyList& TSectionCollectionItem::published() const {
    static const XmlPropertyList properties = publishedInWrittenOrder({
        {"SectionName",
         [](const TXMLCollectionItem& item) -> const QByteArray& {
             return static_cast<const TSectionCollectionItem&>(item).m_sectionName;
         },
         [](TXMLCollectionItem& item, QByteArray text) {
             static_cast<TSectionCollectionItem&>(item).m_sectionName = std::move(text);
         },
         nullptr},
        {"SectionData", nullptr, nullptr,
         [](const TXMLCollectionItem& item) -> TXMLCollection* {
             return static_cast<const TSectionCollectionItem&>(item).m_sectionData.get();
         }},
    });
    return properties;
}

TSectionCollectionItem* TSectionCollection::append(const QByteArray& name) {
    auto* section = static_cast<TSectionCollectionItem*>(Add());
    section->m_sectionName = name;
    if (!m_index.contains(name))
        m_index.insert(name, section);
    return section;
}

void TSectionCollection::remove(TSectionCollectionItem* section) {
    const qsizetype at = indexOfItem(*this, section);
    if (at < 0)
        return;
    removeAt(at);
    itemsReplaced();
}

QByteArrayList TSectionCollection::names() const {
    QByteArrayList list;
    list.reserve(Count());
    for (qsizetype i = 0; i < Count(); ++i)
        list.append(item(i)->SectionName());
    return list;
}

std::unique_ptr<TXMLCollectionItem> TSectionCollection::createItem() const {
    return std::make_unique<TSectionCollectionItem>();
}

void TSectionCollection::itemsReplaced() {
    m_index =
        firstByName<TSectionCollectionItem>(*this, [](const TSectionCollectionItem& s) { return s.SectionName(); });
}
