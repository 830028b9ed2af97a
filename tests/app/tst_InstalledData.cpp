#include "app/InstalledData.h"
#include "ui/settings/DataFolders.h"

#include "InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// An installed tree in a temporary folder: <root>/bin for the executable, the data folder where the installed
// layout puts it.
class TestInstalledData : public QObject {
    Q_OBJECT

private slots:
    void searchOrder_data();
    void searchOrder();
    void filesFolder_data();
    void filesFolder();
};

void TestInstalledData::searchOrder_data() {
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("found"); // "bin" or "data"
    QTest::newRow("beside only: a build tree, a portable copy") << true << false << QStringLiteral("bin");
    QTest::newRow("installed only") << false << true << QStringLiteral("data");
    QTest::newRow("both: the one beside wins") << true << true << QStringLiteral("bin");
    QTest::newRow("neither: named beside the executable") << false << false << QStringLiteral("bin");
}

void TestInstalledData::searchOrder() {
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(QString, found);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString data = QDir::cleanPath(bin + QLatin1Char('/') + QLatin1String(InstallLayout::DataFromExecutable));
    QVERIFY(data.startsWith(root.path()));
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(data));
    const auto place = [](const QString& folder) {
        QFile file(folder + QStringLiteral("/hurryup.mid"));
        return file.open(QIODevice::WriteOnly) && file.write("MThd") == 4;
    };
    if (beside)
        QVERIFY(place(bin));
    if (installed)
        QVERIFY(place(data));

    const QString expected = (found == QStringLiteral("bin") ? bin : data) + QStringLiteral("/hurryup.mid");
    QCOMPARE(InstalledData::file(QStringLiteral("hurryup.mid"), bin), expected);
}

// Where Settings.xml and the data folder go. The tests run as root, who may write everywhere: exactly the case
// where an installed copy must still keep out of its own installation.
void TestInstalledData::filesFolder_data() {
    QTest::addColumn<bool>("installed");      // the installed data folder is there
    QTest::addColumn<bool>("settingsBeside"); // an earlier start left "Settings.xml" beside the executable
    QTest::addColumn<QString>("expected");    // "bin" or "config"
    QTest::newRow("build tree or portable copy") << false << false << QStringLiteral("bin");
    QTest::newRow("installed, writable") << true << false << QStringLiteral("config");
    QTest::newRow("installed, files from an earlier start stay") << true << true << QStringLiteral("bin");
}

void TestInstalledData::filesFolder() {
    QFETCH(bool, installed);
    QFETCH(bool, settingsBeside);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString data = QDir::cleanPath(bin + QLatin1Char('/') + QLatin1String(InstallLayout::DataFromExecutable));
    QVERIFY(QDir().mkpath(bin));
    if (installed)
        QVERIFY(QDir().mkpath(data));
    if (settingsBeside) {
        QFile settings(bin + QStringLiteral("/Settings.xml"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
    }
    const QString configHome = root.filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));

    const QString folder = DataFolders::exeFolder(bin, true);
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(folder, expected == QStringLiteral("bin") ? bin : configHome + QStringLiteral("/zentick"));
    QVERIFY(QFileInfo(folder).isDir());
}

QTEST_GUILESS_MAIN(TestInstalledData)
#include "tst_InstalledData.moc"
