#include "store/SectionCollection.h"

#include "store/CaseFold.h"
#include "store/Exception.h"
#include "store/XmlScan.h"

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

// From the end: what a change takes out again is most often what it has just appended.
template <class Collection, class Item> qsizetype indexOfItem(const Collection& collection, const Item* item) {
    for (qsizetype i = collection.Count() - 1; i >= 0; --i) {
        if (collection.item(i) == item)
            return i;
    }
    return -1;
}

// Where an item to be taken out stands, with its name dropped from the first-by-name index when it is the last
// item: no item after it can take the name over, so only taking out an earlier item needs a rebuild.
template <class Collection, class Item, class Index, class NameOf>
qsizetype placeToTake(const Collection& collection, Item* item, Index& index, NameOf nameOf) {
    const qsizetype at = indexOfItem(collection, item);
    if (at >= 0 && at == collection.Count() - 1 && index.value(nameOf(*item)) == item)
        index.remove(nameOf(*item));
    return at;
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

namespace {

// Up to this many keys a walk over them is as quick as a hash, and costs nothing to keep.
constexpr qsizetype shortSection = 12;

} // namespace

TDataCollectionItem* TDataCollection::find(const QByteArray& ident) const {
    if (Count() <= shortSection) {
        for (qsizetype i = 0; i < Count(); ++i) {
            if (item(i)->m_ident == ident)
                return item(i);
        }
        return nullptr;
    }
    if (!m_indexValid) {
        m_index = firstByName<TDataCollectionItem>(*this, [](const TDataCollectionItem& key) { return key.Ident(); });
        m_indexValid = true;
    }
    return m_index.value(ident);
}

TDataCollectionItem* TDataCollection::append(const QByteArray& ident) {
    auto* key = static_cast<TDataCollectionItem*>(Add());
    key->m_ident = ident;
    if (m_indexValid && !m_index.contains(ident))
        m_index.insert(ident, key);
    m_foldedValid = false;
    m_saved = {};
    return key;
}

void TDataCollection::setValue(TDataCollectionItem* key, QByteArray value) {
    key->m_value = std::move(value);
    m_saved = {};
}

void TDataCollection::adopt(std::unique_ptr<TDataCollectionItem> key) {
    adoptItem(std::move(key));
    m_indexValid = false;
    m_foldedValid = false;
    m_saved = {};
}

void TDataCollection::remove(TDataCollectionItem* key) {
    take(key);
}

TakenItem TDataCollection::take(TDataCollectionItem* key) {
    const qsizetype at = indexOfItem(*this, key);
    if (at < 0)
        return {};
    TakenItem taken{at, takeAt(at)};
    itemsReplaced();
    return taken;
}

void TDataCollection::putBack(TakenItem taken) {
    insertAt(taken.index, std::move(taken.item));
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
    m_index.clear();
    m_indexValid = false;
    m_foldedValid = false;
    m_foldedIdents.clear();
    m_saved = {};
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
    take(section);
}

TakenItem TSectionCollection::take(TSectionCollectionItem* section) {
    const qsizetype at =
        placeToTake(*this, section, m_index, [](const TSectionCollectionItem& s) { return s.SectionName(); });
    if (at < 0)
        return {};
    const bool rebuild = at != Count() - 1;
    TakenItem taken{at, takeAt(at)};
    if (rebuild)
        itemsReplaced();
    return taken;
}

void TSectionCollection::putBack(TakenItem taken) {
    const bool last = taken.index == Count();
    auto* section = static_cast<TSectionCollectionItem*>(taken.item.get());
    insertAt(taken.index, std::move(taken.item));
    if (last && !m_index.contains(section->SectionName()))
        m_index.insert(section->SectionName(), section);
    else if (!last)
        itemsReplaced();
}

QByteArrayList TSectionCollection::names() const {
    QByteArrayList list;
    list.reserve(Count());
    for (qsizetype i = 0; i < Count(); ++i)
        list.append(item(i)->SectionName());
    return list;
}

// A section cut off keeps its whole keys. With its name whole too (then in the written form only its end tag was
// lost) it joins the others; without one, its keys are held apart. Escapes that do not decode in what is left of
// it drop it rather than the whole document.
void TSectionCollection::readCutItem(QByteArrayView text) {
    const QByteArray startTag = '<' + getItemTagName() + '>';
    const QByteArrayView inside = text.sliced(startTag.size());
    auto section = std::make_unique<TSectionCollectionItem>();
    bool named = false;
    try {
        const XmlDocument::ScanResult name = XmlDocument::scanElement(inside, "SectionName", 1);
        named = name.position != 0;
        if (named)
            section->m_sectionName = XmlDocument::unescape(name.content);
        static constexpr QByteArrayView keysStart = "<SectionData>";
        const qsizetype start = inside.indexOf(keysStart);
        if (start >= 0) {
            QByteArrayView keys = inside.sliced(start + keysStart.size());
            const qsizetype end = keys.indexOf("</SectionData>");
            section->m_sectionData->SetElementText(end >= 0 ? keys.first(end) : keys);
        }
    } catch (const Exception&) {
        return;
    }
    if (!named) {
        if (section->m_sectionData->Count() > 0)
            m_cutKeys = std::move(section->m_sectionData);
        return;
    }
    TSectionCollectionItem* kept = section.get();
    adoptItem(std::move(section));
    if (!m_index.contains(kept->m_sectionName))
        m_index.insert(kept->m_sectionName, kept);
}

std::unique_ptr<TXMLCollectionItem> TSectionCollection::createItem() const {
    return std::make_unique<TSectionCollectionItem>();
}

void TSectionCollection::itemsReplaced() {
    m_index =
        firstByName<TSectionCollectionItem>(*this, [](const TSectionCollectionItem& s) { return s.SectionName(); });
}
