#include "app/LegacyImport.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

// The import of an earlier version's INI file into a store, through the file itself: what the store holds
// afterwards, and whether the INI file is gone.
class TestLegacyImport : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    static QByteArray dump(const TXMLIniFile& store) {
        QByteArray text;
        for (const QByteArray& section : store.ReadSections()) {
            text += '[' + section + "]\n";
            for (const QByteArray& key : store.ReadSection(section))
                text += key + '=' + store.ReadString(section, key, {}) + '\n';
        }
        return text;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    void importsAndRemovesTheFile_data() {
        QTest::addColumn<int>("conversion");
        QTest::addColumn<QByteArray>("legacy");
        QTest::addColumn<QByteArray>("expected");
        const int records = int(LegacyImport::Conversion::Records);
        const int diary = int(LegacyImport::Conversion::Diary);
        const int merge = int(LegacyImport::Conversion::Merge);
        QTest::newRow("records: dates become day counts")
            << records << QByteArray("[1]\nAlType=Alarm\ndate=14/11/2007 12:30:00\n0=Dentist\n")
            << QByteArray("[1]\nAlType=Alarm\ndate=39400.5208333333\n0=Dentist\n");
        QTest::newRow("records: unreadable date is day 0")
            << records << QByteArray("[1]\ndate=soon\n") << QByteArray("[1]\ndate=0\n");
        QTest::newRow("diary: sections named by their day")
            << diary << QByteArray("[14/11/2007 12:30:00]\n0=Note\n") << QByteArray("[39400]\n0=Note\n");
        QTest::newRow("merge: everything as text") << merge << QByteArray("[Ann]\nName=Ann\nbirthdate=1/2/1990\n")
                                                   << QByteArray("[Ann]\nName=Ann\nbirthdate=1/2/1990\n");
        // A nameless section has nowhere to go in a store: it is passed over, and the rest still comes in.
        QTest::newRow("records: nameless section")
            << records << QByteArray("[]\nAlType=Alarm\n[2]\nAlType=Msg\n") << QByteArray("[2]\nAlType=Msg\n");
        QTest::newRow("diary: nameless section")
            << diary << QByteArray("[]\n0=lost\n[14/11/2007]\n0=Note\n") << QByteArray("[39400]\n0=Note\n");
        QTest::newRow("merge: blank section name")
            << merge << QByteArray("[Ann]\nName=Ann\n[  ]\nName=nobody\n") << QByteArray("[Ann]\nName=Ann\n");
        QTest::newRow("only a nameless section") << merge << QByteArray("[]\nk=v\n") << QByteArray();
    }
    void importsAndRemovesTheFile() {
        QFETCH(int, conversion);
        QFETCH(QByteArray, legacy);
        QFETCH(QByteArray, expected);
        const QString legacyPath = m_dir.filePath(QStringLiteral("import%1.alm").arg(++m_files));
        QFile file(legacyPath);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(legacy) == legacy.size());
        file.close();
        TXMLIniFile store(m_dir.filePath(QStringLiteral("store%1.xml").arg(m_files)));
        try {
            LegacyImport::importFile(legacyPath, store, LegacyImport::Conversion(conversion));
        } catch (const Exception& e) {
            QFAIL(qPrintable(e.message()));
        }
        QCOMPARE(dump(store), expected);
        QVERIFY(!QFile::exists(legacyPath));
    }

    void diaryWithAnUndatedSectionStaysForTheUser() {
        const QString legacyPath = m_dir.filePath(QStringLiteral("undated.alm"));
        QFile file(legacyPath);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[14/11/2007]\n0=Note\n[Shopping]\n0=milk\n") > 0);
        file.close();
        TXMLIniFile store(m_dir.filePath(QStringLiteral("undated.xml")));
        QVERIFY_THROWS_EXCEPTION(Exception,
                                 LegacyImport::importFile(legacyPath, store, LegacyImport::Conversion::Diary));
        QVERIFY(QFile::exists(legacyPath));
    }
};

QTEST_GUILESS_MAIN(TestLegacyImport)
#include "tst_LegacyImport.moc"
