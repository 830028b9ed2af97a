#include "store/SectionCollection.h"

#include "store/Exception.h"
#include "store/XmlDocument.h"
#include "store/XmlScan.h"

#include <algorithm>
#include <cstring>
#include <vector>

// The document exactly as the store writes it, read in one pass from left to right: every element is where the
// writer puts it, so nothing has to be searched for, and each name and value is cut out of the text once. A
// document in any other shape (written by hand, cut off, from another program) makes this reader give up
// without touching the collection; the tolerant reader then reads it. For a document in the written shape
// both readers give the same sections and keys: names and values hold no "<" there, so no element can hide in
// them.

namespace {

class Cursor {
public:
    explicit Cursor(QByteArrayView text)
        : m_at(text.data())
        , m_end(text.data() + text.size()) {}

    bool atEnd() const { return m_at == m_end; }
    bool take(QByteArrayView expected) {
        if (m_end - m_at < expected.size() || QByteArrayView(m_at, expected.size()) != expected)
            return false;
        m_at += expected.size();
        return true;
    }
    bool next(QByteArrayView expected) const {
        return m_end - m_at >= expected.size() && QByteArrayView(m_at, expected.size()) == expected;
    }
    // The text up to the next "<", which must begin `end`; the cursor moves past `end`.
    bool textUntil(QByteArrayView end, QByteArrayView& text) {
        const auto* open = static_cast<const char*>(std::memchr(m_at, '<', std::size_t(m_end - m_at)));
        if (!open)
            return false;
        text = QByteArrayView(m_at, open - m_at);
        m_at = open;
        return take(end);
    }

private:
    const char* m_at;
    const char* m_end;
};

bool plain(QByteArrayView text) {
    if (text.isEmpty())
        return true;
    return static_cast<unsigned char>(text.front()) > 0x20 && static_cast<unsigned char>(text.back()) > 0x20 &&
           !text.contains('&');
}

// A value as the tolerant reader makes it of the same element content; false for a bad escape, which the
// tolerant reader then reports with its element's name.
bool decoded(QByteArrayView content, QByteArray& out) {
    if (plain(content)) {
        out = content.toByteArray();
        return true;
    }
    try {
        out = XmlDocument::unescape(content);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

bool TSectionCollection::readWrittenForm(QByteArrayView text) {
    Cursor at(text);
    if (!at.take(XmlDocument::Prolog) || !at.take("<Section-list>"))
        return false;
    std::vector<std::unique_ptr<TXMLCollectionItem>> sections;
    sections.reserve(std::size_t(text.size() / 512));
    QByteArrayView content;
    while (!at.take("</Section-list>")) {
        if (!at.take("<Section><SectionData>"))
            return false;
        auto section = std::make_unique<TSectionCollectionItem>();
        TDataCollection& keys = *section->m_sectionData;
        while (at.take("<Data><Ident>")) {
            auto key = std::make_unique<TDataCollectionItem>();
            if (!at.textUntil("</Ident>\r\n<Value>", content) || !decoded(content, key->m_ident))
                return false;
            // A value in a character data section is taken as it stands, less the section's brackets.
            if (at.next("<![CDATA[")) {
                at.take("<![CDATA[");
                if (!at.textUntil("</Value>\r\n</Data>\r\n", content))
                    return false;
                key->m_value = content.first(std::max<qsizetype>(0, content.size() - 3)).toByteArray();
            } else if (!at.textUntil("</Value>\r\n</Data>\r\n", content) || !decoded(content, key->m_value)) {
                return false;
            }
            keys.adopt(std::move(key));
        }
        if (!at.take("</SectionData>\r\n<SectionName>") || !at.textUntil("</SectionName>\r\n</Section>\r\n", content) ||
            !decoded(content, section->m_sectionName))
            return false;
        sections.push_back(std::move(section));
    }
    if (!at.atEnd())
        return false;
    replaceItems(std::move(sections));
    return true;
}

// The writer's side of the same shape: the size of the whole text first, then every byte put in its place.
void TSectionCollection::GetElementText(QByteArray& out) const {
    static constexpr QByteArrayView sectionStart = "<Section><SectionData>";
    static constexpr QByteArrayView keyStart = "<Data><Ident>";
    static constexpr QByteArrayView identEnd = "</Ident>\r\n<Value>";
    static constexpr QByteArrayView keyEnd = "</Value>\r\n</Data>\r\n";
    static constexpr QByteArrayView nameStart = "</SectionData>\r\n<SectionName>";
    static constexpr QByteArrayView sectionEnd = "</SectionName>\r\n</Section>\r\n";
    qsizetype size = 0;
    for (qsizetype i = 0; i < Count(); ++i) {
        const TSectionCollectionItem* section = item(i);
        const TDataCollection& keys = section->SectionData();
        size += sectionStart.size() + nameStart.size() + sectionEnd.size() +
                XmlDocument::escapedSize(section->SectionName());
        size += keys.Count() * (keyStart.size() + identEnd.size() + keyEnd.size());
        for (qsizetype k = 0; k < keys.Count(); ++k)
            size += XmlDocument::escapedSize(keys.item(k)->Ident()) + XmlDocument::escapedSize(keys.item(k)->Value());
    }
    const qsizetype before = out.size();
    out.resize(before + size);
    char* at = out.data() + before;
    const auto put = [&at](QByteArrayView text) {
        std::memcpy(at, text.data(), std::size_t(text.size()));
        at += text.size();
    };
    for (qsizetype i = 0; i < Count(); ++i) {
        const TSectionCollectionItem* section = item(i);
        const TDataCollection& keys = section->SectionData();
        put(sectionStart);
        for (qsizetype k = 0; k < keys.Count(); ++k) {
            put(keyStart);
            at = XmlDocument::writeEscaped(at, keys.item(k)->Ident());
            put(identEnd);
            at = XmlDocument::writeEscaped(at, keys.item(k)->Value());
            put(keyEnd);
        }
        put(nameStart);
        at = XmlDocument::writeEscaped(at, section->SectionName());
        put(sectionEnd);
    }
    Q_ASSERT(at == out.data() + out.size());
}
