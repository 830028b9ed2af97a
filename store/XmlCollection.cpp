#include "store/XmlCollection.h"

#include "store/Exception.h"
#include "store/XmlDocument.h"
#include "store/XmlScan.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char lineBreak[] = "\r\n";

} // namespace

XmlPropertyList publishedInWrittenOrder(XmlPropertyList properties) {
    std::sort(properties.begin(), properties.end(),
              [](const XmlProperty& a, const XmlProperty& b) { return std::strcmp(a.name, b.name) < 0; });
    return properties;
}

QByteArray tagNameFromClassName(QByteArrayView className) {
    const QByteArrayView name = className.isEmpty() ? className : className.sliced(1);
    const qsizetype cut = name.indexOf("Collection");
    return (cut < 0 ? name : name.first(cut)).toByteArray();
}

void TXMLCollectionItem::GetElementText(QByteArray& out) const {
    for (const XmlProperty& property : published()) {
        out.append('<').append(property.name).append('>');
        if (property.collection)
            property.collection(*this)->GetElementText(out);
        else
            XmlDocument::appendEscaped(out, property.get(*this));
        out.append("</").append(property.name).append('>').append(lineBreak);
    }
}

void TXMLCollectionItem::SetElementText(QByteArrayView content) {
    const XmlPropertyList& properties = published();
    qsizetype position = 1;
    while (true) {
        const auto tag = XmlDocument::scanTag(content, "<", ">", position);
        if (tag.position == 0)
            break;
        const auto element = XmlDocument::scanElement(content, tag.content, position);
        if (element.position == 0)
            break;
        const auto property = std::find_if(properties.begin(), properties.end(), [&](const XmlProperty& p) {
            return tag.content.compare(p.name, Qt::CaseInsensitive) == 0;
        });
        if (property != properties.end() && !element.content.isEmpty()) {
            if (property->collection) {
                try {
                    property->collection(*this)->SetElementText(element.content);
                } catch (const Exception& e) {
                    throw EXMLException(u'(' + e.message() + QStringLiteral(")Error with property - ") +
                                        QLatin1String(property->name));
                }
            } else {
                try {
                    property->set(*this, XmlDocument::unescape(element.content));
                } catch (const Exception& e) {
                    throw EXMLException(u'(' + e.message() + QStringLiteral(")Error Processing XML - ") +
                                        QString::fromLatin1(tag.content));
                }
            }
        }
        position = element.position;
        if (position > content.size())
            break;
    }
}

QByteArray TXMLCollectionItem::getTagName() const {
    return tagNameFromClassName(className());
}

TXMLCollection::~TXMLCollection() = default;

void TXMLCollection::GetElementText(QByteArray& out) const {
    const QByteArray tag = getItemTagName();
    for (const auto& item : m_items) {
        out.append('<').append(tag).append('>');
        item->GetElementText(out);
        out.append("</").append(tag).append('>').append(lineBreak);
    }
}

void TXMLCollection::SetElementText(QByteArrayView content) {
    readItems(content);
}

qsizetype TXMLCollection::readItems(QByteArrayView content) {
    m_items.clear();
    const QByteArray itemTag = getItemTagName();
    qsizetype position = 1;
    qsizetype unended = -1;
    try {
        while (true) {
            const auto tag = XmlDocument::scanTag(content, "<", ">", position);
            if (tag.position == 0)
                break;
            const auto element = XmlDocument::scanElement(content, tag.content, position);
            // An item without its end tag ends the list: it and whatever follows are dropped.
            if (element.position == 0) {
                if (tag.content == itemTag)
                    unended = content.indexOf(QByteArray('<' + itemTag + '>'), position - 1);
                break;
            }
            if (tag.content == itemTag)
                Add()->SetElementText(element.content);
            position = element.position;
            if (position > content.size())
                break;
        }
    } catch (...) {
        itemsReplaced();
        throw;
    }
    itemsReplaced();
    return unended;
}

QByteArray TXMLCollection::getItemTagName() const {
    return tagNameFromClassName(itemClassName());
}

QByteArray TXMLCollection::getTagName() const {
    return tagNameFromClassName(className()) + "-list";
}

QByteArray TXMLCollection::GetXML() const {
    QByteArray out;
    appendXML(out);
    return out;
}

void TXMLCollection::appendXML(QByteArray& out) const {
    const QByteArray tag = getTagName();
    // The last document's size is a good guess for the next one: saving then grows the buffer rarely.
    out.reserve(out.size() + m_lastDocumentSize + 4096);
    const qsizetype before = out.size();
    out.append('<').append(tag).append('>');
    GetElementText(out);
    out.append("</").append(tag).append('>');
    m_lastDocumentSize = out.size() - before;
}

bool TXMLCollection::SetXML(QByteArrayView text) {
    if (readWrittenForm(text))
        return true;
    readTolerantly(text);
    return false;
}

void TXMLCollection::readTolerantly(QByteArrayView text) {
    const XmlDocument::RootElement root = XmlDocument::findRoot(text, getTagName());
    const qsizetype unended = readItems(root.content);
    // Only a cut explains an item without its end tag; within a whole document it is a fault of the text.
    if (root.cut && unended >= 0)
        readCutItem(root.content.sliced(unended));
}

void TXMLCollection::LoadFromFile(const QString& fileName) {
    SetXML(XmlDocument::LoadStringFromFile(fileName));
}

void TXMLCollection::SaveToFile(const QString& fileName) const {
    QByteArray document(XmlDocument::Prolog);
    appendXML(document);
    XmlDocument::SaveStringToFile(document, fileName);
}

TXMLCollectionItem* TXMLCollection::Add() {
    m_items.push_back(createItem());
    return m_items.back().get();
}

std::unique_ptr<TXMLCollectionItem> TXMLCollection::takeAt(qsizetype index) {
    std::unique_ptr<TXMLCollectionItem> item = std::move(m_items[std::size_t(index)]);
    m_items.erase(m_items.begin() + index);
    return item;
}

void TXMLCollection::insertAt(qsizetype index, std::unique_ptr<TXMLCollectionItem> item) {
    m_items.insert(m_items.begin() + index, std::move(item));
}

void TXMLCollection::clearItems() {
    m_items.clear();
    itemsReplaced();
}
