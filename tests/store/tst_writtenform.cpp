#include "store/Exception.h"
#include "store/SectionCollection.h"
#include "store/XmlDocument.h"
#include "store/XmlScan.h"

#include <QRandomGenerator>
#include <QTest>

// The store reads a document in its own written shape with a quick reader of its own, and every other text
// with the tolerant one. Whatever the quick reader accepts, the tolerant reader must read the same way.
namespace {

struct Reading {
    bool failed = false;
    QString error;
    QByteArray content; // every section and key, as bytes
};

Reading contentOf(const TSectionCollection& sections) {
    Reading r;
    for (qsizetype i = 0; i < sections.Count(); ++i) {
        const TSectionCollectionItem* section = sections.item(i);
        r.content += "[" + section->SectionName() + "]\n";
        const TDataCollection& keys = section->SectionData();
        for (qsizetype k = 0; k < keys.Count(); ++k)
            r.content += keys.item(k)->Ident() + "=" + keys.item(k)->Value() + "\n";
    }
    return r;
}

// Through SetXML: the quick reader first, the tolerant one when it gives up.
Reading storeReading(const QByteArray& text, bool* quick = nullptr) {
    TSectionCollection sections;
    try {
        const bool took = sections.SetXML(text);
        if (quick)
            *quick = took;
        return contentOf(sections);
    } catch (const Exception& e) {
        return {true, e.message(), {}};
    }
}

Reading tolerantReading(const QByteArray& text) {
    TSectionCollection sections;
    try {
        sections.readTolerantly(text);
        return contentOf(sections);
    } catch (const Exception& e) {
        return {true, e.message(), {}};
    }
}

const QByteArray head = "<?xml version = \"1.0\"?><Section-list>";
const QByteArray tail = "</Section-list>";

QByteArray key(const QByteArray& ident, const QByteArray& value) {
    return "<Data><Ident>" + ident + "</Ident>\r\n<Value>" + value + "</Value>\r\n</Data>\r\n";
}
QByteArray section(const QByteArray& name, const QByteArray& keys) {
    return "<Section><SectionData>" + keys + "</SectionData>\r\n<SectionName>" + name +
           "</SectionName>\r\n</Section>\r\n";
}

} // namespace

class TestWrittenForm : public QObject {
    Q_OBJECT

private slots:
    void readsAsTheTolerantReader_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("quick");
        QTest::newRow("empty list") << head + tail << true;
        QTest::newRow("plain") << head + section("s", key("k", "v") + key("date", "45000.5")) + tail << true;
        QTest::newRow("escapes") << head + section("a&#x26;b", key("k&#xE9;", "caf&#xE9; &#x26; co")) + tail << true;
        QTest::newRow("escape at the very end") << head + section("s", key("k", "line&#x0A;")) + tail << true;
        QTest::newRow("blanks around, trimmed") << head + section(" s ", key(" k", "  x  ")) + tail << true;
        QTest::newRow("escape decoding to an escape") << head + section("s", key("k", "&#x4&#x31;;")) + tail << true;
        QTest::newRow("escape whose last character is an escape")
            << head + section("s", key("k", "&#x41&#x42;&#x43")) + tail << true;
        QTest::newRow("named references stay") << head + section("s", key("k", "&amp;&lt;&#X41;")) + tail << true;
        QTest::newRow("character data kept as it stands")
            << head + section("s", key("k", "<![CDATA[ a&#x41; ]]>")) + tail << true;
        QTest::newRow("short character data") << head + section("s", key("k", "<![CDATA[]")) + tail << true;
        QTest::newRow("empty values and names") << head + section("", key("", "") + key("k", "")) + tail << true;
        QTest::newRow("section without keys") << head + section("s", {}) + tail << true;
        QTest::newRow("duplicates") << head + section("a", key("k", "1") + key("k", "2")) +
                                           section("a", key("k", "3")) + tail
                                    << true;
        QTest::newRow("bad escape in a value") << head + section("s", key("k", "&#xZZ;")) + tail << false;
        QTest::newRow("bad escape in a name") << head + section("&#xG1;", key("k", "v")) + tail << false;
        QTest::newRow("line feeds only") << QByteArray(head + section("s", key("k", "v")) + tail).replace("\r\n", "\n")
                                         << false;
        QTest::newRow("a blank after the list") << head + section("s", key("k", "v")) + tail + " " << false;
        QTest::newRow("cut off") << QByteArray(head + section("s", key("k", "v")) + tail).chopped(3) << false;
        QTest::newRow("character data in small letters")
            << head + section("s", key("k", "<![cdata[ x ]]>")) + tail << false;
        QTest::newRow("properties swapped") << head + "<Section><SectionName>s</SectionName>\r\n<SectionData>" +
                                                   key("k", "v") + "</SectionData>\r\n</Section>\r\n" + tail
                                            << false;
        QTest::newRow("no prolog") << QByteArray(head + section("s", key("k", "v")) + tail).mid(23) << false;
    }
    void readsAsTheTolerantReader() {
        QFETCH(QByteArray, text);
        QFETCH(bool, quick);
        bool took = false;
        const Reading store = storeReading(text, &took);
        const Reading tolerant = tolerantReading(text);
        QCOMPARE(took, quick);
        QCOMPARE(store.failed, tolerant.failed);
        QCOMPARE(store.error, tolerant.error);
        QCOMPARE(store.content, tolerant.content);
    }

    // Written documents of random names and values, then cut, doubled or changed at random places: wherever the
    // quick reader still takes the text, it must read what the tolerant reader reads.
    void mutatedDocumentsReadTheSame() {
        QRandomGenerator random(12);
        const QByteArray alphabet = QByteArrayLiteral("ab &#x;0A9E<>/[]!CDATA\t\r\n");
        const auto randomText = [&](int longest) {
            QByteArray text;
            const int n = int(random.bounded(longest + 1));
            for (int i = 0; i < n; ++i)
                text += random.bounded(4) == 0 ? char(random.bounded(256))
                                               : alphabet[int(random.bounded(int(alphabet.size())))];
            return text;
        };
        int quickOnes = 0;
        for (int round = 0; round < 3000; ++round) {
            TSectionCollection written;
            QByteArray keys;
            QByteArray body;
            const int sectionCount = int(random.bounded(4));
            for (int s = 0; s < sectionCount; ++s) {
                keys.clear();
                const int keyCount = int(random.bounded(4));
                for (int k = 0; k < keyCount; ++k)
                    keys += key(XmlDocument::StrToXML(randomText(6)), XmlDocument::StrToXML(randomText(8)));
                body += section(XmlDocument::StrToXML(randomText(5)), keys);
            }
            QByteArray text = head + body + tail;
            // Half the documents are changed in one place, some only in their escaped payload.
            if (round % 2) {
                const int at = int(random.bounded(int(text.size())));
                switch (random.bounded(3)) {
                case 0:
                    text.remove(at, int(random.bounded(4)));
                    break;
                case 1:
                    text.insert(at, randomText(4));
                    break;
                default:
                    text[at] = alphabet[int(random.bounded(int(alphabet.size())))];
                    break;
                }
            }
            bool took = false;
            const Reading store = storeReading(text, &took);
            const Reading tolerant = tolerantReading(text);
            quickOnes += took ? 1 : 0;
            if (store.failed != tolerant.failed || store.error != tolerant.error || store.content != tolerant.content)
                QFAIL(
                    qPrintable(QStringLiteral("reads differently: ") + QString::fromLatin1(text.toPercentEncoding())));
        }
        // Every unchanged document is in the written shape.
        QVERIFY(quickOnes >= 1500);
    }
};

QTEST_GUILESS_MAIN(TestWrittenForm)
#include "tst_writtenform.moc"
