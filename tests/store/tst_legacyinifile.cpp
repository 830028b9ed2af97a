#include "StoreTestSupport.h"

#include "store/Exception.h"
#include "store/LegacyIniFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreTest;

class TestLegacyIniFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString fileWith(const QByteArray& text) {
        const QString path = m_dir.filePath(QStringLiteral("legacy%1.alm").arg(++m_files));
        writeFile(path, text);
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readsInFileOrder_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("CR LF") << QByteArray("[a]\r\nk=v\r\nj=w\r\n[b]\r\nx=1\r\n")
                               << QByteArray("[a]\nk=v\nj=w\n[b]\nx=1\n");
        QTest::newRow("LF, no final line end")
            << QByteArray("[b]\nx=1\n[a]\nk=v") << QByteArray("[b]\nx=1\n[a]\nk=v\n");
        QTest::newRow("blanks trimmed") << QByteArray("  [ a b ]  \n  key one\t=  some value \t\n")
                                        << QByteArray("[a b]\nkey one=some value\n");
        QTest::newRow("value keeps inner equals and blanks")
            << QByteArray("[a]\nk=x = y\n") << QByteArray("[a]\nk=x = y\n");
        QTest::newRow("empty value") << QByteArray("[a]\nk=\n") << QByteArray("[a]\nk=\n");
        QTest::newRow("lines without equals ignored")
            << QByteArray("[a]\njunk\nk=1\n\n   \n") << QByteArray("[a]\nk=1\n");
        QTest::newRow("comments ignored")
            << QByteArray("; head\n[a]\n;k=1\n  ; j=2\nk=3\n") << QByteArray("[a]\nk=3\n");
        QTest::newRow("keys before any section ignored") << QByteArray("k=1\n[a]\nj=2\n") << QByteArray("[a]\nj=2\n");
        QTest::newRow("empty key ignored") << QByteArray("[a]\n=1\n = 2\nk=3\n") << QByteArray("[a]\nk=3\n");
        QTest::newRow("duplicate keys: first wins, listed once")
            << QByteArray("[a]\nk=1\nj=2\nK=3\nk=4\n") << QByteArray("[a]\nk=1\nj=2\n");
        QTest::newRow("duplicate sections: first wins, listed once")
            << QByteArray("[a]\nk=1\n[b]\nx=1\n[A]\nk=2\nj=3\n") << QByteArray("[a]\nk=1\n[b]\nx=1\n");
        QTest::newRow("nameless sections passed over with their keys")
            << QByteArray("[]\nk=1\n[a]\nj=2\n[ ]\ni=3\n") << QByteArray("[a]\nj=2\n");
        QTest::newRow("empty section listed") << QByteArray("[a]\n[b]\nx=1\n") << QByteArray("[a]\n[b]\nx=1\n");
        QTest::newRow("quotes around a value dropped")
            << QByteArray("[a]\nk=\"quoted\"\nj='single'\ni=\"half\nh=\"a\" and \"b\"\n")
            << QByteArray("[a]\nk=quoted\nj=single\ni=\"half\nh=a\" and \"b\n");
        QTest::newRow("bytes as they are")
            << QByteArray("[caf\xE9]\nk=\xE9t\xE9 \x80\n") << QByteArray("[caf\xE9]\nk=\xE9t\xE9 \x80\n");
        QTest::newRow("byte order mark skipped") << QByteArray("\xEF\xBB\xBF[a]\nk=1\n") << QByteArray("[a]\nk=1\n");
        QTest::newRow("section header without bracket") << QByteArray("[a\nk=1\n") << QByteArray("[a]\nk=1\n");
        QTest::newRow("text after the bracket") << QByteArray("[a] ; note\nk=1\n") << QByteArray("[a]\nk=1\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
    }
    void readsInFileOrder() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        const LegacyIniFile ini(fileWith(text));
        QCOMPARE(dump(ini), expected);
    }

    void looksUpWithoutRegardToCase_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("as written") << QByteArray("Settings") << QByteArray("Tray") << QByteArray("1");
        QTest::newRow("other case") << QByteArray("SETTINGS") << QByteArray("tray") << QByteArray("1");
        QTest::newRow("missing key") << QByteArray("settings") << QByteArray("nope") << QByteArray("default");
        QTest::newRow("missing section") << QByteArray("nope") << QByteArray("Tray") << QByteArray("default");
        QTest::newRow("accented section in other case")
            << QByteArray("\xC3\x89t\xC3\xA9") << QByteArray("k") << QByteArray("2");
    }
    void looksUpWithoutRegardToCase() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        const LegacyIniFile ini(fileWith("[Settings]\nTray=1\n[\xC3\xA9t\xC3\xA9]\nk=2\n"));
        QCOMPARE(ini.ReadString(section, key, "default"), expected);
        QCOMPARE(ini.ReadSection("SETTINGS"), QByteArrayList{"Tray"});
    }

    void missingFileHasNoSections() {
        const LegacyIniFile ini(m_dir.filePath(QStringLiteral("absent.alm")));
        QCOMPARE(ini.ReadSections(), QByteArrayList());
        QCOMPARE(ini.ReadString("a", "b", "d"), QByteArray("d"));
    }

    void unreadableFileIsAnError() {
        const QString path = m_dir.filePath(QStringLiteral("folder.alm"));
        QVERIFY(QDir().mkdir(path));
        try {
            LegacyIniFile ini(path);
            QFAIL("a folder was read as an empty file");
        } catch (const Exception& e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot open file ") + path + QStringLiteral(": Is a directory"));
        }
    }

    void isReadOnly() {
        const QString path = fileWith("[a]\nk=1\n");
        LegacyIniFile ini(path);
        QVERIFY_THROWS_EXCEPTION(Exception, ini.WriteString("a", "k", "2"));
        QCOMPARE(ini.ReadString("a", "k", {}), QByteArray("1"));
        QCOMPARE(readAll(path), QByteArray("[a]\nk=1\n"));
    }
};

QTEST_GUILESS_MAIN(TestLegacyIniFile)
#include "tst_legacyinifile.moc"
