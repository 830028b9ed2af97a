#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class TXMLCollection;
class TXMLCollectionItem;

// A published property of an item class: written as a child element named after it. A string property has
// get/set, a collection property only `collection` (it is a reference that is never replaced).
struct XmlProperty {
    const char* name = nullptr;
    const QByteArray& (*get)(const TXMLCollectionItem&) = nullptr;
    void (*set)(TXMLCollectionItem&, QByteArray) = nullptr;
    TXMLCollection* (*collection)(const TXMLCollectionItem&) = nullptr;
};
using XmlPropertyList = std::vector<XmlProperty>;

// An item taken out of its collection whole, with the place it had: putting it back undoes the removal.
struct TakenItem {
    qsizetype index = -1;
    std::unique_ptr<TXMLCollectionItem> item;
};

// The written order of properties is their alphabetical order, whatever order a class declares them in.
XmlPropertyList publishedInWrittenOrder(XmlPropertyList properties);

// "TSectionCollectionItem" -> "Section": the first character dropped, cut before "Collection".
QByteArray tagNameFromClassName(QByteArrayView className);

class TXMLCollectionItem {
public:
    TXMLCollectionItem() = default;
    virtual ~TXMLCollectionItem() = default;
    TXMLCollectionItem(const TXMLCollectionItem&) = delete;
    TXMLCollectionItem& operator=(const TXMLCollectionItem&) = delete;

    // Appends the item's property elements, each followed by CR LF.
    virtual void GetElementText(QByteArray& out) const;
    // Sets the properties found in content; unknown elements and empty contents are skipped.
    // Throws EXMLException for a bad escape.
    virtual void SetElementText(QByteArrayView content);
    virtual QByteArray getTagName() const;

protected:
    virtual const char* className() const = 0;
    virtual const XmlPropertyList& published() const = 0;
};

class TXMLCollection {
public:
    TXMLCollection() = default;
    virtual ~TXMLCollection();
    TXMLCollection(const TXMLCollection&) = delete;
    TXMLCollection& operator=(const TXMLCollection&) = delete;

    // Appends one element per item, each followed by CR LF; no element of the collection itself.
    virtual void GetElementText(QByteArray& out) const;
    // Replaces the items by the ones found in content.
    virtual void SetElementText(QByteArrayView content);
    QByteArray getItemTagName() const;
    QByteArray getTagName() const;

    // The collection's own element around its items.
    QByteArray GetXML() const;
    void appendXML(QByteArray& out) const;
    // True when the text was a whole document in the shape the writer gives it.
    bool SetXML(QByteArrayView text);
    // The reader for a document in any shape, which SetXML falls back on. A document cut off keeps every item
    // that ended before the cut, and the item it was cut in goes to readCutItem().
    void readTolerantly(QByteArrayView text);
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;

    qsizetype Count() const { return static_cast<qsizetype>(m_items.size()); }
    TXMLCollectionItem* GetXMLCollectionItem(qsizetype index) const { return m_items[std::size_t(index)].get(); }

protected:
    virtual const char* className() const = 0;
    virtual const char* itemClassName() const = 0;
    virtual std::unique_ptr<TXMLCollectionItem> createItem() const = 0;
    // Called whenever the items were replaced wholesale, so a subclass can rebuild what it derives from them.
    virtual void itemsReplaced() {}
    // Reads a document in exactly the written shape, faster than the tolerant reader; false (the collection
    // untouched) for any other text.
    virtual bool readWrittenForm(QByteArrayView /*text*/) { return false; }
    // The text of the document from the start tag of the item it was cut off in, to the cut.
    virtual void readCutItem(QByteArrayView /*text*/) {}

    TXMLCollectionItem* Add();
    // For undoing a change: an item taken out whole and put back at the same place.
    std::unique_ptr<TXMLCollectionItem> takeAt(qsizetype index);
    void insertAt(qsizetype index, std::unique_ptr<TXMLCollectionItem> item);
    void clearItems();
    void adoptItem(std::unique_ptr<TXMLCollectionItem> item) { m_items.push_back(std::move(item)); }
    // Puts items in place of the collection's for a subclass that has brought what it derives from them up to
    // date itself (no itemsReplaced()).
    void replaceItemsIndexed(std::vector<std::unique_ptr<TXMLCollectionItem>> items) { m_items = std::move(items); }

private:
    // SetElementText; returns where the item that has no end tag begins in content, or -1 when none stopped it.
    qsizetype readItems(QByteArrayView content);

    std::vector<std::unique_ptr<TXMLCollectionItem>> m_items;
    mutable qsizetype m_lastDocumentSize = 0;
};
