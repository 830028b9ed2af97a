#include "store/SectionCollection.h"

#include "store/Exception.h"
#include "store/HexDigit.h"
#include "store/XmlDocument.h"
#include "store/XmlScan.h"

#include <algorithm>
#include <atomic>
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
    // The markup is known when compiled, so each comparison is a few instructions.
    template <std::size_t N> bool take(const char (&expected)[N]) {
        if (!next(expected))
            return false;
        m_at += N - 1;
        return true;
    }
    template <std::size_t N> bool next(const char (&expected)[N]) const {
        return m_end - m_at >= qsizetype(N - 1) && std::memcmp(m_at, expected, N - 1) == 0;
    }
    // The text up to the next "<", which must begin `end`; the cursor moves past `end`.
    template <std::size_t N> bool textUntil(const char (&end)[N], QByteArrayView& text) {
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

// The escapes decoded from left to right, into a text of its final size. That gives what the decoding from the
// right gives as long as every "&" begins a whole escape ("&#x", two digits and the character it replaces, which
// is no "&"): then no decoded byte can complete an escape to its left. False for any other text.
bool decodedFromTheLeft(QByteArrayView content, QByteArray& out) {
    const qsizetype n = content.size();
    qsizetype escapes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (content[i] != '&')
            continue;
        if (i + 5 >= n || content[i + 1] != '#' || content[i + 2] != 'x' || hexDigitValue(content[i + 3]) < 0 ||
            hexDigitValue(content[i + 4]) < 0 || content[i + 5] == '&')
            return false;
        ++escapes;
        i += 5;
    }
    out = QByteArray(n - 5 * escapes, Qt::Uninitialized);
    char* at = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (content[i] == '&') {
            *at++ = static_cast<char>(hexDigitValue(content[i + 3]) * 16 + hexDigitValue(content[i + 4]));
            i += 5;
        } else {
            *at++ = content[i];
        }
    }
    const QByteArrayView trimmed = XmlDocument::trimControls(out);
    if (trimmed.size() < out.size())
        out = trimmed.toByteArray();
    return true;
}

// A value as the tolerant reader makes it of the same element content; false for a bad escape, which the
// tolerant reader then reports with its element's name.
bool decoded(QByteArrayView content, QByteArray& out) {
    if (plain(content)) {
        out = content.toByteArray();
        return true;
    }
    if (decodedFromTheLeft(content, out))
        return true;
    try {
        out = XmlDocument::unescape(content);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

// Records repeat their key names, and often their flags, in the same order: a text equal to the one at the same
// place of the section before shares its bytes instead of taking memory of its own.
bool sharedOrDecoded(QByteArrayView content, const QByteArray* before, QByteArray& out) {
    if (before && QByteArrayView(*before) == content && plain(content)) {
        out = *before;
        return true;
    }
    return decoded(content, out);
}

} // namespace

bool TSectionCollection::readWrittenForm(QByteArrayView text) {
    // Every reading of a document begins here; what an earlier one held apart goes.
    m_cutKeys.reset();
    Cursor at(text);
    if (!at.take(XmlDocument::Prolog) || !at.take("<Section-list>"))
        return false;
    std::vector<std::unique_ptr<TXMLCollectionItem>> sections;
    sections.reserve(std::size_t(text.size() / 512));
    QByteArrayView content;
    const TDataCollection* previous = nullptr;
    // Built while each section's name is at hand: a second walk over the finished tree would meet it cold.
    QHash<QByteArray, TSectionCollectionItem*> index;
    index.reserve(qsizetype(sections.capacity()));
    while (!at.take("</Section-list>")) {
        if (!at.take("<Section><SectionData>"))
            return false;
        auto section = std::make_unique<TSectionCollectionItem>();
        TDataCollection& keys = *section->m_sectionData;
        while (at.take("<Data><Ident>")) {
            auto key = std::make_unique<TDataCollectionItem>();
            const TDataCollectionItem* before =
                previous && keys.Count() < previous->Count() ? previous->item(keys.Count()) : nullptr;
            if (!at.textUntil("</Ident>\r\n<Value>", content) ||
                !sharedOrDecoded(content, before ? &before->m_ident : nullptr, key->m_ident))
                return false;
            // A value in a character data section is taken as it stands, less the section's brackets.
            if (at.next("<![CDATA[")) {
                at.take("<![CDATA[");
                if (!at.textUntil("</Value>\r\n</Data>\r\n", content))
                    return false;
                key->m_value = content.first(std::max<qsizetype>(0, content.size() - 3)).toByteArray();
            } else if (!at.textUntil("</Value>\r\n</Data>\r\n", content) ||
                       !sharedOrDecoded(content, before ? &before->m_value : nullptr, key->m_value)) {
                return false;
            }
            keys.adopt(std::move(key));
        }
        if (!at.take("</SectionData>\r\n<SectionName>") || !at.textUntil("</SectionName>\r\n</Section>\r\n", content) ||
            !decoded(content, section->m_sectionName))
            return false;
        previous = &keys;
        if (!index.contains(section->m_sectionName))
            index.insert(section->m_sectionName, section.get());
        sections.push_back(std::move(section));
    }
    if (!at.atEnd())
        return false;
    replaceItemsIndexed(std::move(sections));
    m_index = std::move(index);
    return true;
}

// The writer's side of the same shape: the size of the whole text first, then every byte put in its place.
void TSectionCollection::GetElementText(QByteArray& out) const {
    writeSections(out, nullptr);
}

void TSectionCollection::writeSections(QByteArray& out, std::vector<SavedRange>* written) const {
    static constexpr QByteArrayView sectionStart = "<Section><SectionData>";
    static constexpr QByteArrayView keyStart = "<Data><Ident>";
    static constexpr QByteArrayView identEnd = "</Ident>\r\n<Value>";
    static constexpr QByteArrayView keyEnd = "</Value>\r\n</Data>\r\n";
    static constexpr QByteArrayView nameStart = "</SectionData>\r\n<SectionName>";
    static constexpr QByteArrayView sectionEnd = "</SectionName>\r\n</Section>\r\n";
    // A section's bytes in the last saved document, when it has not changed since.
    const auto copied = [this, written](const TDataCollection& keys) {
        return written && m_savedNumber != 0 && keys.m_saved.document == m_savedNumber;
    };
    qsizetype size = 0;
    for (qsizetype i = 0; i < Count(); ++i) {
        const TSectionCollectionItem* section = item(i);
        const TDataCollection& keys = section->SectionData();
        if (copied(keys)) {
            size += keys.m_saved.size;
            continue;
        }
        size += sectionStart.size() + nameStart.size() + sectionEnd.size() +
                XmlDocument::escapedSize(section->SectionName());
        size += keys.Count() * (keyStart.size() + identEnd.size() + keyEnd.size());
        for (qsizetype k = 0; k < keys.Count(); ++k)
            size += XmlDocument::escapedSize(keys.item(k)->Ident()) + XmlDocument::escapedSize(keys.item(k)->Value());
    }
    const qsizetype before = out.size();
    out.resize(before + size);
    char* const begin = out.data();
    char* at = begin + before;
    const auto put = [&at](QByteArrayView text) {
        std::memcpy(at, text.data(), std::size_t(text.size()));
        at += text.size();
    };
    qsizetype anew = 0;
    if (written)
        written->reserve(std::size_t(Count()));
    for (qsizetype i = 0; i < Count(); ++i) {
        const TSectionCollectionItem* section = item(i);
        const TDataCollection& keys = section->SectionData();
        char* const start = at;
        if (copied(keys)) {
            put(QByteArrayView(m_savedDocument).sliced(keys.m_saved.at, keys.m_saved.size));
        } else {
            ++anew;
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
        if (written)
            written->push_back({0, start - begin, at - start});
    }
    Q_ASSERT(at == out.data() + out.size());
    if (written)
        m_writtenAnew = anew;
}

// The ranges are taken on only once the document is on disk: after a save that failed, the one kept is still the
// document on disk, and the sections that had not changed before it are copied from it as before. Each save gets a
// number of its own, never 0, from one count for every collection.
void TSectionCollection::saveCopyingUnchanged(const QString& fileName) {
    static std::atomic<quint64> lastNumber{0};
    const QByteArray tag = getTagName();
    QByteArray document;
    document.reserve(qsizetype(sizeof XmlDocument::Prolog) + 2 * tag.size() + 5 +
                     std::max(m_savedDocument.size(), qsizetype(4096)));
    document.append(XmlDocument::Prolog).append('<').append(tag).append('>');
    std::vector<SavedRange> written;
    writeSections(document, &written);
    document.append("</").append(tag).append('>');
    XmlDocument::SaveStringToFile(document, fileName);
    const quint64 number = ++lastNumber;
    for (qsizetype i = 0; i < Count(); ++i)
        item(i)->SectionData().m_saved = {number, written[std::size_t(i)].at, written[std::size_t(i)].size};
    m_savedDocument = std::move(document);
    m_savedNumber = number;
}
