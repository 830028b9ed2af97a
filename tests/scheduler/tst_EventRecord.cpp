#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace EventRecord;

class TestEventRecord : public QObject {
    Q_OBJECT

private slots:
    void init();
    void firstFreeSection();
    void textBlockRewrittenShorter();
    void textLinesOfEachWriter_data();
    void textLinesOfEachWriter();
    void textBlockIsUtf8();
    void textBlockDamaged_data();
    void textBlockDamaged();
    void dayAndMonthStrings_data();
    void dayAndMonthStrings();
    void filterStringsAreBuilt();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TXMLIniFile> m_store;
};

void TestEventRecord::init() {
    m_store.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_store = std::make_unique<TXMLIniFile>(m_dir->filePath(QStringLiteral("Alarms.xml")));
}

void TestEventRecord::firstFreeSection() {
    QCOMPARE(EventRecord::firstFreeSection(*m_store), QByteArray("0"));
    for (const char* s : {"0", "1", "3"})
        m_store->WriteString(s, "altype", "alarm");
    QCOMPARE(EventRecord::firstFreeSection(*m_store), QByteArray("2"));
    // A section that exists but holds no key is free as well.
    m_store->WriteString("2", "altype", "alarm");
    QCOMPARE(EventRecord::firstFreeSection(*m_store), QByteArray("4"));
    m_store->DeleteKey("2", "altype");
    QCOMPARE(EventRecord::firstFreeSection(*m_store), QByteArray("2"));
}

void TestEventRecord::textBlockRewrittenShorter() {
    writeTextBlock(*m_store, "0", {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    const quint64 saves = m_store->saveCount();
    writeTextBlock(*m_store, "0", {QStringLiteral("only")});
    QCOMPARE(m_store->saveCount(), saves + 1); // one save for the whole block
    QCOMPARE(readTextBlock(*m_store, "0"), QStringList{QStringLiteral("only")});
    // The old line keys stay, and are ignored.
    QCOMPARE(m_store->ReadString("0", "2", {}), QByteArray("three"));
    QCOMPARE(m_store->ReadString("0", "linecount", {}), QByteArray("1"));
    writeTextBlock(*m_store, "1", {});
    QCOMPARE(readTextBlock(*m_store, "1"), QStringList());
    QCOMPARE(m_store->ReadString("1", "linecount", {}), QByteArray("0"));
}

void TestEventRecord::textBlockIsUtf8() {
    const QString line = QStringLiteral("Grüße, Ärger – 日本 ✓");
    writeTextBlock(*m_store, "0", {line, QString()});
    QCOMPARE(m_store->ReadString("0", "0", {}), line.toUtf8());
    TXMLIniFile reopened(m_store->FileName());
    QCOMPARE(readTextBlock(reopened, "0"), (QStringList{line, QString()}));
}

void TestEventRecord::textBlockDamaged_data() {
    QTest::addColumn<QByteArray>("lineCount");
    QTest::addColumn<QByteArrayList>("lineKeys");
    QTest::addColumn<QStringList>("expected");
    const QStringList ab{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("missing linecount") << QByteArray() << QByteArrayList{"0", "1"} << QStringList();
    QTest::newRow("negative") << QByteArray("-3") << QByteArrayList{"0", "1"} << QStringList();
    QTest::newRow("not a number") << QByteArray("two") << QByteArrayList{"0", "1"} << QStringList();
    QTest::newRow("a missing line reads empty") << QByteArray("3") << QByteArrayList{"0", "2"}
                                                << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    // Two billion lines would be two billion empty strings: a count beyond any text ends after the last stored
    // line.
    QTest::newRow("huge count") << QByteArray("2000000000") << QByteArrayList{"0", "1"} << ab;
    QTest::newRow("lines past the stored keys read empty")
        << QByteArray("3") << QByteArrayList{"0", "1"}
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QString()};
    QTest::newRow("keys that only look like lines")
        << QByteArray("4") << QByteArrayList{"0", "1", "+3", "03"}
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QString()};
}

void TestEventRecord::textBlockDamaged() {
    QFETCH(QByteArray, lineCount);
    QFETCH(QByteArrayList, lineKeys);
    QFETCH(QStringList, expected);
    m_store->WriteString("7", "altype", "alarm");
    if (!lineCount.isEmpty())
        m_store->WriteString("7", "linecount", lineCount);
    const char* texts[] = {"a", "b", "c", "d"};
    for (int i = 0; i < lineKeys.size(); ++i)
        m_store->WriteString("7", lineKeys.at(i), texts[i]);
    QCOMPARE(readTextBlock(*m_store, "7"), expected);
}

void TestEventRecord::dayAndMonthStrings_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("Mon-Fri: Sunday out") << QByteArray("0111110") << 1 << false;
    QTest::newRow("Mon-Fri: Monday in") << QByteArray("0111110") << 2 << true;
    QTest::newRow("Mon-Fri: Saturday out") << QByteArray("0111110") << 7 << false;
    QTest::newRow("too short allows") << QByteArray("00") << 3 << true;
    QTest::newRow("empty allows") << QByteArray() << 1 << true;
    QTest::newRow("other characters allow") << QByteArray("x000000") << 1 << true;
}

void TestEventRecord::dayAndMonthStrings() {
    QFETCH(QByteArray, text);
    QFETCH(int, position);
    QFETCH(bool, allowed);
    QCOMPARE(dayAllowed(text, position), allowed);
    QCOMPARE(monthAllowed(text, position), allowed);
}

void TestEventRecord::filterStringsAreBuilt() {
    const bool weekdays[7] = {false, true, true, true, true, true, false};
    QCOMPARE(dayString(weekdays), QByteArray("0111110"));
    const bool summer[12] = {false, false, false, false, false, true, true, true, false, false, false, false};
    const QByteArray months = monthString(summer);
    QCOMPARE(months, QByteArray("000001110000"));
    QVERIFY(monthAllowed(months, 7));
    QVERIFY(!monthAllowed(months, 12));
}

void TestEventRecord::textLinesOfEachWriter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("editor"); // EmptyText::NoLine
    QTest::addColumn<QStringList>("script"); // EmptyText::OneEmptyLine
    const QStringList teaCake{QStringLiteral("Tea"), QStringLiteral("Cake")};
    QTest::newRow("empty") << QString() << QStringList() << QStringList{QString()};
    QTest::newRow("one line") << QStringLiteral("Tea") << QStringList{QStringLiteral("Tea")}
                              << QStringList{QStringLiteral("Tea")};
    QTest::newRow("trailing break") << QStringLiteral("Tea\nCake\n") << teaCake << teaCake;
    QTest::newRow("CR LF") << QStringLiteral("Tea\r\nCake") << teaCake << teaCake;
    QTest::newRow("only a break") << QStringLiteral("\n") << QStringList{QString()} << QStringList{QString()};
}

// The editors store an empty description as no line, the command line as one empty line: each writes the bytes it
// always wrote, through the one splitter.
void TestEventRecord::textLinesOfEachWriter() {
    QFETCH(QString, text);
    QFETCH(QStringList, editor);
    QFETCH(QStringList, script);
    QCOMPARE(EventRecord::textLines(text, EventRecord::EmptyText::NoLine), editor);
    QCOMPARE(EventRecord::textLines(text, EventRecord::EmptyText::OneEmptyLine), script);
}

QTEST_GUILESS_MAIN(TestEventRecord)
#include "tst_EventRecord.moc"
