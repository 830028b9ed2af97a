#include "StoreTestSupport.h"

#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "store/XmlDocument.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreTest;

namespace {

const QByteArray exampleDump = "[settings]\ntray=1\nsoundpath=C:\\Sounds\\Bell & Co (2).wav\n[categories]\ncount=0\n";

// A row of store content: section, key, value.
using Writes = QList<QByteArrayList>;

} // namespace

class TestXmlDocument : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    // Stores write on destruction, so fixtures are only ever opened as copies.
    QString copyOf(const QString& fixtureName) {
        const QString path = m_dir.filePath(QStringLiteral("copy%1-").arg(++m_files) + fixtureName);
        QFile::copy(fixturePath(fixtureName), path);
        return path;
    }
    QString freshPath() { return m_dir.filePath(QStringLiteral("store%1.xml").arg(++m_files)); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void writesExactBytes_data() {
        QTest::addColumn<Writes>("writes");
        QTest::addColumn<QString>("golden");
        QTest::newRow("empty store, 52 bytes") << Writes{} << QStringLiteral("empty.xml");
        QTest::newRow("two sections, 437 bytes") << Writes{{"settings", "tray", "1"},
                                                           {"settings", "soundpath", "C:\\Sounds\\Bell & Co (2).wav"},
                                                           {"categories", "count", "0"}}
                                                 << QStringLiteral("example.xml");
    }
    void writesExactBytes() {
        QFETCH(Writes, writes);
        QFETCH(QString, golden);
        const QString path = freshPath();
        {
            TXMLIniFile store(path);
            for (const QByteArrayList& w : writes)
                store.WriteString(w[0], w[1], w[2]);
            store.UpdateFile();
            QCOMPARE(store.GetXML(), fixture(golden));
        }
        QCOMPARE(readAll(path), fixture(golden));
    }

    void savingALoadedDocumentGivesTheSameBytes_data() {
        QTest::addColumn<QString>("golden");
        QTest::newRow("empty") << QStringLiteral("empty.xml");
        QTest::newRow("example") << QStringLiteral("example.xml");
    }
    void savingALoadedDocumentGivesTheSameBytes() {
        QFETCH(QString, golden);
        const QString path = copyOf(golden);
        {
            TXMLIniFile store(path);
            store.UpdateFile();
        }
        QCOMPARE(readAll(path), fixture(golden));
    }

    void readsWithTolerance_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("as written") << QStringLiteral("example.xml") << exampleDump;
        QTest::newRow("empty store") << QStringLiteral("empty.xml") << QByteArray();
        QTest::newRow("properties in the other order") << QStringLiteral("swapped-order.xml") << exampleDump;
        QTest::newRow("properties in other letter case") << QStringLiteral("property-case.xml") << exampleDump;
        QTest::newRow("text and blanks between elements") << QStringLiteral("text-between.xml") << exampleDump;
        QTest::newRow("root in capitals") << QStringLiteral("root-capitals.xml") << exampleDump;
        QTest::newRow("no prolog") << QStringLiteral("no-prolog.xml") << exampleDump;
        QTest::newRow("document type with subset") << QStringLiteral("doctype.xml") << exampleDump;
        QTest::newRow("bytes after a zero byte") << QStringLiteral("zero-byte.xml") << exampleDump;
        QTest::newRow("unknown elements skipped") << QStringLiteral("unknown-elements.xml") << exampleDump;
        QTest::newRow("section tags in small letters") << QStringLiteral("item-tags-small.xml") << QByteArray();
        QTest::newRow("data tags in small letters")
            << QStringLiteral("data-tags-small.xml") << QByteArray("[settings]\n[categories]\n");
        QTest::newRow("comment before the root") << QStringLiteral("comment-before-root.xml") << QByteArray();
        // Cut off: every section that ended before the cut is kept.
        QTest::newRow("root without end tag") << QStringLiteral("root-without-end.xml") << exampleDump;
        QTest::newRow("truncated") << QStringLiteral("truncated.xml")
                                   << QByteArray("[settings]\ntray=1\nsoundpath=C:\\Sounds\\Bell & Co (2).wav\n");
        QTest::newRow("empty file") << QStringLiteral("empty-file.xml") << QByteArray();
        QTest::newRow("missing file") << QStringLiteral("no-such-file.xml") << QByteArray();
        QTest::newRow("section without end tag")
            << QStringLiteral("section-without-end.xml")
            << QByteArray("[settings]\ntray=1\nsoundpath=C:\\Sounds\\Bell & Co (2).wav\n");
        QTest::newRow("data without end tag")
            << QStringLiteral("data-without-end.xml") << QByteArray("[settings]\ntray=1\n[categories]\ncount=0\n");
        QTest::newRow("stray end tag") << QStringLiteral("stray-end-tag.xml")
                                       << QByteArray("[settings]\ntray=1\n[categories]\ncount=0\n");
        QTest::newRow("unknown element without end tag")
            << QStringLiteral("unknown-without-end.xml")
            << QByteArray("[settings]\ntray=1\nsoundpath=C:\\Sounds\\Bell & Co (2).wav\n");
        QTest::newRow("escapes written by hand")
            << QStringLiteral("escapes-by-hand.xml")
            << QByteArray("[spaced]\nnamed=&amp;&lt;\nupper=&#X41;\ncdata= a&#x41; \nlower=\xE9"
                          "A\nempty=\n");
        QTest::newRow("duplicates kept") << QStringLiteral("duplicates.xml")
                                         << QByteArray("[a]\nk=first\nk=first\n[b]\nx=1\n[a]\nk=first\nk=first\n");
    }
    void readsWithTolerance() {
        QFETCH(QString, file);
        QFETCH(QByteArray, expected);
        const QString path = QFile::exists(fixturePath(file)) ? copyOf(file) : freshPath();
        TXMLIniFile store(path);
        QCOMPARE(dump(store), expected);
    }

    void badEscapesFailTheLoad_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("in a value") << QStringLiteral("bad-escape-value.xml")
                                    << QStringLiteral("(('$ZZ' is not a valid integer value)Error Processing XML - "
                                                      "Value)Error with property - SectionData");
        QTest::newRow("in a section name")
            << QStringLiteral("bad-escape-name.xml")
            << QStringLiteral("('$G1' is not a valid integer value)Error Processing XML - SectionName");
    }
    void badEscapesFailTheLoad() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        const QString path = copyOf(file);
        try {
            TXMLIniFile store(path);
            QFAIL("the document was accepted");
        } catch (const EXMLException& e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(readAll(path), fixture(file));
    }

    void unreadableFileFailsTheLoad() {
        const QString path = freshPath();
        QVERIFY(QDir().mkdir(path));
        try {
            TXMLIniFile store(path);
            QFAIL("a folder was read as a document");
        } catch (const Exception& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + path + QStringLiteral(": Is a directory"));
        }
    }

    void escapingRoundTrips_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("reloaded");
        QTest::newRow("byte E9") << QByteArray("caf\xE9") << QByteArray("caf&#xE9;") << QByteArray("caf\xE9");
        QTest::newRow("trailing line feed") << QByteArray("line\n") << QByteArray("line&#x0A;") << QByteArray("line");
        QTest::newRow("tag text") << QByteArray("<tag></Value>") << QByteArray("&#x3C;tag&#x3E;&#x3C;/Value&#x3E;")
                                  << QByteArray("<tag></Value>");
        QTest::newRow("blanks around") << QByteArray(" x ") << QByteArray(" x ") << QByteArray("x");
        QTest::newRow("only blanks") << QByteArray("   ") << QByteArray("   ") << QByteArray();
        QTest::newRow("escape text itself")
            << QByteArray("&#x41;&amp;") << QByteArray("&#x26;&#x23;x41;&#x26;amp;") << QByteArray("&#x41;&amp;");
        QTest::newRow("kept punctuation") << QByteArray("!,-./09:;=AZ[\\]_az") << QByteArray("!,-./09:;=AZ[\\]_az")
                                          << QByteArray("!,-./09:;=AZ[\\]_az");
        QTest::newRow("escaped punctuation")
            << QByteArray("\"#$%&'()*+<>?@^`{|}~\x7F")
            << QByteArray("&#x22;&#x23;&#x24;&#x25;&#x26;&#x27;&#x28;&#x29;&#x2A;&#x2B;&#x3C;&#x3E;&#x3F;&#x40;&#x5E;&#"
                          "x60;&#x7B;&#x7C;&#x7D;&#x7E;&#x7F;")
            << QByteArray("\"#$%&'()*+<>?@^`{|}~\x7F");
        QTest::newRow("tab and carriage return inside")
            << QByteArray("a\tb\rc") << QByteArray("a&#x09;b&#x0D;c") << QByteArray("a\tb\rc");
    }
    void escapingRoundTrips() {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, reloaded);
        QCOMPARE(XmlDocument::StrToXML(value), written);
        const QString path = freshPath();
        {
            TXMLIniFile store(path);
            store.WriteString("s", "k", value);
            QCOMPARE(store.ReadString("s", "k", {}), value);
            QVERIFY(readAll(path).contains(QByteArray("<Value>" + written + "</Value>")));
        }
        TXMLIniFile reread(path);
        QCOMPARE(reread.ReadString("s", "k", "<missing>"), reloaded);
    }

    void everyByteSurvivesAsPrintableAscii() {
        QByteArray all;
        for (int c = 1; c < 256; ++c)
            all += char(c);
        all = 'a' + all + 'z';
        const QString path = freshPath();
        {
            TXMLIniFile store(path);
            store.WriteString("bytes", "all", all);
            store.WriteString(all, "name", "x");
        }
        const QByteArray document = readAll(path);
        for (int i = 0; i < document.size(); ++i) {
            const auto c = static_cast<unsigned char>(document[i]);
            const bool lineBreak = c == '\r' ? document.mid(i, 2) == "\r\n" : c == '\n' && document[i - 1] == '\r';
            QVERIFY2(lineBreak || (c >= 0x20 && c <= 0x7E), qPrintable(QStringLiteral("byte %1 at %2").arg(c).arg(i)));
        }
        TXMLIniFile reread(path);
        QCOMPARE(reread.ReadString("bytes", "all", {}), all);
        QCOMPARE(reread.ReadString(all, "name", {}), QByteArray("x"));
    }

    void unescapes_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("plain") << QByteArray("plain") << QByteArray("plain");
        QTest::newRow("two digits") << QByteArray("&#x41;") << QByteArray("A");
        QTest::newRow("lower-case digits") << QByteArray("&#xe9;") << QByteArray("\xE9");
        QTest::newRow("whatever follows is replaced") << QByteArray("&#x41x!") << QByteArray("A!");
        QTest::newRow("named references stay") << QByteArray("&amp;&lt;") << QByteArray("&amp;&lt;");
        QTest::newRow("capital X stays") << QByteArray("&#X41;") << QByteArray("&#X41;");
        QTest::newRow("too short at the end") << QByteArray("ab&#x4") << QByteArray("ab&#x4");
        QTest::newRow("decoded byte joins the escape before it") << QByteArray("&#x&#x34;1;") << QByteArray("A");
        QTest::newRow("decoded blanks trimmed") << QByteArray("&#x20;a&#x0A;") << QByteArray("a");
        QTest::newRow("controls trimmed") << QByteArray("\r\n\t a b \x01") << QByteArray("a b");
        QTest::newRow("cdata kept as is") << QByteArray("<![cdata[ a&#x41; ]]>") << QByteArray(" a&#x41; ");
    }
    void unescapes() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, value);
        QCOMPARE(XmlDocument::XMLtoStr(text), value);
    }

    void rejectsEscapesWithoutHexDigits_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << QByteArray("a&#xZZ;b") << QStringLiteral("'$ZZ' is not a valid integer value");
        QTest::newRow("one digit") << QByteArray("&#x4;ab") << QStringLiteral("'$4;' is not a valid integer value");
        QTest::newRow("blank") << QByteArray("&#x 1;") << QStringLiteral("'$ 1' is not a valid integer value");
    }
    void rejectsEscapesWithoutHexDigits() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        try {
            XmlDocument::XMLtoStr(text);
            QFAIL("accepted");
        } catch (const EXMLException& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void fastParseTag_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("next");
        QTest::newRow("first tag") << QByteArray("ab<cd>ef") << 1 << QByteArray("cd") << 7;
        QTest::newRow("from a position") << QByteArray("<a><bb>") << 2 << QByteArray("bb") << 8;
        QTest::newRow("no close") << QByteArray("<ab") << 1 << QByteArray() << 0;
        QTest::newRow("no open") << QByteArray("ab>") << 1 << QByteArray() << 0;
        QTest::newRow("position zero") << QByteArray("<a>") << 0 << QByteArray() << 0;
        QTest::newRow("position at the end") << QByteArray("x<a>") << 4 << QByteArray() << 0;
    }
    void fastParseTag() {
        QFETCH(QByteArray, text);
        QFETCH(int, position);
        QFETCH(QByteArray, content);
        QFETCH(int, next);
        const XmlDocument::Found found = XmlDocument::FastParseTag(text, "<", ">", position);
        QCOMPARE(found.content, content);
        QCOMPARE(found.position, next);
    }

    void fastParseTagXML_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("next");
        QTest::newRow("simple") << QByteArray("<a>x</a>!") << QByteArray("a") << 1 << QByteArray("x") << 9;
        QTest::newRow("nested same name")
            << QByteArray("<a>1<a>2</a>3</a>") << QByteArray("a") << 1 << QByteArray("1<a>2</a>3") << 18;
        QTest::newRow("other names ignored")
            << QByteArray("<b><a>x</a></b>") << QByteArray("a") << 1 << QByteArray("x") << 12;
        QTest::newRow("unbalanced nesting") << QByteArray("<a><a></a>") << QByteArray("a") << 1 << QByteArray() << 0;
        QTest::newRow("case-sensitive") << QByteArray("<A>x</A>") << QByteArray("a") << 1 << QByteArray() << 0;
        QTest::newRow("empty name") << QByteArray("<>x</>") << QByteArray() << 1 << QByteArray() << 0;
        QTest::newRow("second element") << QByteArray("<a>1</a><a>2</a>") << QByteArray("a") << 9 << QByteArray("2")
                                        << 17;
    }
    void fastParseTagXML() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, name);
        QFETCH(int, position);
        QFETCH(QByteArray, content);
        QFETCH(int, next);
        const XmlDocument::Found found = XmlDocument::FastParseTagXML(text, name, position);
        QCOMPARE(found.content, content);
        QCOMPARE(found.position, next);
    }

    void getTagContent_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("after the prolog") << QByteArray("<?xml version = \"1.0\"?><Root>in</Root>") << QByteArray("in");
        QTest::newRow("other letter case") << QByteArray("<?XML?><ROOT>in</ROOT>") << QByteArray("in");
        QTest::newRow("elements before it") << QByteArray("<x>1</x><Root>in</Root>") << QByteArray("in");
        QTest::newRow("comment before it") << QByteArray("<!-- c --><Root>in</Root>") << QByteArray();
        QTest::newRow("without end tag") << QByteArray("<Root>in") << QByteArray();
        QTest::newRow("document type") << QByteArray("<!DOCTYPE Root [ <!ENTITY a \"b\"> ]><Root>in</Root>")
                                       << QByteArray("in");
    }
    void getTagContent() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, content);
        QCOMPARE(XmlDocument::getTagContent(text, "Root"), content);
    }
};

QTEST_GUILESS_MAIN(TestXmlDocument)
#include "tst_xmldocument.moc"
