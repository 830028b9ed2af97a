#pragma once

#include "store/XmlCollection.h"

#include <QByteArrayList>
#include <QHash>
#include <QSet>

#include <vector>

// The store's document model: sections holding keys, both in their written order. The sections keep a hash
// from name to their first section of that name, so lookups follow the first-match rule of duplicates read
// from disk without scanning; a section's keys are few, and get such a hash only when a section grows long.
// An index is rebuilt whenever items are removed or replaced.

class TDataCollectionItem final : public TXMLCollectionItem {
public:
    const QByteArray& Ident() const { return m_ident; }
    const QByteArray& Value() const { return m_value; }

protected:
    const char* className() const override { return "TDataCollectionItem"; }
    const XmlPropertyList& published() const override;

private:
    friend class TDataCollection;
    friend class TSectionCollection;
    QByteArray m_ident; // changed only by the reader and by TDataCollection, which keep the index in step
    QByteArray m_value; // changed only by the reader and by TDataCollection, which mark the section changed
};

// Where a section's element stands in the document its store saved last, for as long as the section has not
// changed since: the next save copies those bytes instead of writing the section again.
struct SavedRange {
    quint64 document = 0; // 0: none; else the save's number (TSectionCollection::saveCopyingUnchanged)
    qsizetype at = 0;
    qsizetype size = 0;
};

class TDataCollection final : public TXMLCollection {
public:
    TDataCollectionItem* item(qsizetype index) const {
        return static_cast<TDataCollectionItem*>(GetXMLCollectionItem(index));
    }
    TDataCollectionItem* find(const QByteArray& ident) const;
    // Appends a key; the caller has made sure there is none of that name yet.
    TDataCollectionItem* append(const QByteArray& ident);
    void setValue(TDataCollectionItem* key, QByteArray value);
    void remove(TDataCollectionItem* key);
    TakenItem take(TDataCollectionItem* key);
    void putBack(TakenItem taken);
    bool containsIgnoringCase(const QByteArray& ident) const;
    QByteArrayList idents() const;

protected:
    const char* className() const override { return "TDataCollection"; }
    const char* itemClassName() const override { return "TDataCollectionItem"; }
    std::unique_ptr<TXMLCollectionItem> createItem() const override;
    void itemsReplaced() override;

private:
    friend class TSectionCollection;
    // Appends a key read from a document, duplicates included.
    void adopt(std::unique_ptr<TDataCollectionItem> key);

    // Built on the first lookup in a long section, dropped by every change but an append.
    mutable QHash<QByteArray, TDataCollectionItem*> m_index;
    mutable bool m_indexValid = false;
    // Built on the first case-insensitive question after a change; loading and writing never pay for it.
    mutable QSet<QByteArray> m_foldedIdents;
    mutable bool m_foldedValid = false;
    // Dropped by every change of the keys; the section's name never changes.
    mutable SavedRange m_saved;
};

class TSectionCollectionItem final : public TXMLCollectionItem {
public:
    TSectionCollectionItem();
    ~TSectionCollectionItem() override;
    const QByteArray& SectionName() const { return m_sectionName; }
    TDataCollection& SectionData() const { return *m_sectionData; }

protected:
    const char* className() const override { return "TSectionCollectionItem"; }
    const XmlPropertyList& published() const override;

private:
    friend class TSectionCollection;
    QByteArray m_sectionName; // changed only by the reader and by TSectionCollection
    std::unique_ptr<TDataCollection> m_sectionData;
};

class TSectionCollection final : public TXMLCollection {
public:
    TSectionCollectionItem* item(qsizetype index) const {
        return static_cast<TSectionCollectionItem*>(GetXMLCollectionItem(index));
    }
    TSectionCollectionItem* find(const QByteArray& name) const { return m_index.value(name); }
    TSectionCollectionItem* append(const QByteArray& name);
    void remove(TSectionCollectionItem* section);
    TakenItem take(TSectionCollectionItem* section);
    void putBack(TakenItem taken);
    QByteArrayList names() const;
    // The whole keys of the section a cut-off document ends in, when its name was lost with the cut (the written
    // form puts the name after the keys): they cannot join the sections without a name made up for them.
    const TDataCollection* keysOfCutSection() const { return m_cutKeys.get(); }

protected:
    const char* className() const override { return "TSectionCollection"; }
    const char* itemClassName() const override { return "TSectionCollectionItem"; }
    std::unique_ptr<TXMLCollectionItem> createItem() const override;
    void itemsReplaced() override;
    bool readWrittenForm(QByteArrayView text) override;
    void readCutItem(QByteArrayView text) override;

public:
    // Every section written anew: the text a full rewrite gives (GetXML, SaveToFile).
    void GetElementText(QByteArray& out) const override;
    // Saves the document as SaveToFile does, to the same bytes, but copies each section that has not changed since
    // the last save of this collection from the document written then. Throws as SaveToFile.
    void saveCopyingUnchanged(const QString& fileName);
    // How many sections the last saveCopyingUnchanged() wrote anew rather than copied (for tests).
    qsizetype sectionsWrittenAnew() const { return m_writtenAnew; }

private:
    // The sections' elements appended to out; for a save (written), unchanged sections are copied from the last
    // saved document, and every section's range in out is put in written, in the sections' order.
    void writeSections(QByteArray& out, std::vector<SavedRange>* written) const;

    QHash<QByteArray, TSectionCollectionItem*> m_index;
    std::unique_ptr<TDataCollection> m_cutKeys;
    // The document of the last save that reached the disk, and its number.
    QByteArray m_savedDocument;
    quint64 m_savedNumber = 0;
    mutable qsizetype m_writtenAnew = 0;
};
