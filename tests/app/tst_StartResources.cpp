#include <QResource>
#include <QTest>

// What every start reads from the program's resources is stored as it is: a compressed resource is inflated into
// the heap when opened, and the decompressor's pages then stay resident for the program's whole life.
class TestStartResources : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readAtStartAndStoredUncompressed_data();
    void readAtStartAndStoredUncompressed();
};

void TestStartResources::initTestCase() {
    Q_INIT_RESOURCE(resources); // as main() does
}

void TestStartResources::readAtStartAndStoredUncompressed_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("the style sheet") << QStringLiteral(":/zentick.qss");
    QTest::newRow("the German catalogue, read in place by QTranslator") << QStringLiteral(":/i18n/zentick_de.qm");
}

void TestStartResources::readAtStartAndStoredUncompressed() {
    QFETCH(QString, path);
    const QResource resource(path);
    QVERIFY2(resource.isValid(), qPrintable(path));
    QVERIFY(resource.size() > 0);
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
}

QTEST_GUILESS_MAIN(TestStartResources)
#include "tst_StartResources.moc"
