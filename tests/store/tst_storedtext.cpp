#include "store/StoredText.h"

#include <QTest>

class TestStoredText : public QObject {
    Q_OBJECT

private slots:
    void display_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ascii") << QByteArray("Call Anna") << QStringLiteral("Call Anna");
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QStringLiteral(u"café €");
        QTest::newRow("windows-1252 latin") << QByteArray("caf\xe9") << QStringLiteral(u"café");
        QTest::newRow("windows-1252 euro and quotes") << QByteArray("\x80 \x93hi\x94") << QStringLiteral(u"€ “hi”");
        QTest::newRow("unassigned byte") << QByteArray("a\x81") << QStringLiteral(u"a\u0081");
        QTest::newRow("truncated utf-8 sequence") << QByteArray("\xc3") << QStringLiteral(u"Ã");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void display() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QCOMPARE(storedTextToDisplay(stored), shown);
    }

    void typedTextIsStoredAsUtf8() {
        const QString typed = QStringLiteral(u"שלום 😀 <&>");
        QCOMPARE(displayTextToStored(typed), typed.toUtf8());
        QCOMPARE(storedTextToDisplay(displayTextToStored(typed)), typed);
    }
};

QTEST_GUILESS_MAIN(TestStoredText)
#include "tst_storedtext.moc"
