// What `cmake --install` lays out, checked as the desktop sees it: the validators of the menu entry and the
// AppStream data, the icons at every size, and the entries pointing at files that were really installed.

#include "InstallStage.h"

#include "InstallLayout.h"
#include "ProductIdentity.h"
#include "context/NetModuleLoader.h"
#include "platform/SoundHelperProgram.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString appId = QLatin1String(ProductIdentity::AppId);

QString desktopEntry() {
    return QStringLiteral("share/applications/") + appId + QStringLiteral(".desktop");
}

// Where the layout puts the sound helper: lib/zentick/zentick-sound (the library folder GNUInstallDirs chose).
QString soundHelper() {
    return QDir::cleanPath(QStringLiteral("bin/") + QLatin1String(InstallLayout::HelpersFromExecutable) +
                           QLatin1Char('/') + QLatin1String(SoundHelperProgram::FileName));
}

// The network plugin beside it: lib/zentick/zentick-net.so.
QString netModule() {
    return QDir::cleanPath(QStringLiteral("bin/") + QLatin1String(InstallLayout::HelpersFromExecutable) +
                           QLatin1Char('/') + QLatin1String(NetModuleLoader::FileName));
}

QString metainfo() {
    return QStringLiteral("share/metainfo/") + appId + QStringLiteral(".metainfo.xml");
}

// The value of a key in the [Desktop Entry] group; the entry has no other group.
QString desktopValue(const QString& file, const QString& key) {
    QFile entry(file);
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString prefix = key + QLatin1Char('=');
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return QString();
}

QString xmlElement(const QString& file, const QString& element) {
    QFile xml(file);
    if (!xml.open(QIODevice::ReadOnly))
        return QString();
    const QRegularExpression pattern(QStringLiteral("<%1[^>]*>([^<]*)</%1>").arg(element));
    return pattern.match(QString::fromUtf8(xml.readAll())).captured(1);
}

} // namespace

class TestInstalledTree : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void onlyTheProgramInBin();
    void theProgramFindsItsSoundHelper();
    void theProgramFindsItsNetworkPlugin();
    void iconSizes_data();
    void iconSizes();
    void validators_data();
    void validators();
    void entriesPointAtInstalledFiles();
    void manualPageFormatsCleanly();

private:
    InstallStage m_stage;
};

void TestInstalledTree::initTestCase() {
    const QString failure = m_stage.install();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestInstalledTree::installedFiles_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << QStringLiteral("bin/zentick") << true;
    QTest::newRow("sound helper") << soundHelper() << true;
    QTest::newRow("network plugin") << netModule() << false;
    QTest::newRow("default melody") << QStringLiteral("share/zentick/hurryup.mid") << false;
    QTest::newRow("menu entry") << desktopEntry() << false;
    QTest::newRow("AppStream data") << metainfo() << false;
    QTest::newRow("manual page") << QStringLiteral("share/man/man1/zentick.1.gz") << false;
    QTest::newRow("D-Bus interface") << QStringLiteral("share/dbus-1/interfaces/org.zentick.Zentick1.xml") << false;
    QTest::newRow("scalable icon") << QStringLiteral("share/icons/hicolor/scalable/apps/") + appId +
                                          QStringLiteral(".svg")
                                   << false;
}

void TestInstalledTree::installedFiles() {
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(m_stage.path(path));
    QVERIFY2(file.isFile(), qPrintable(path));
    QVERIFY(file.size() > 0);
    QCOMPARE(file.isExecutable(), executable);
    QVERIFY(file.permissions().testFlag(QFile::ReadOther));
}

// Data beside the installed executable would be looked for there and nowhere else by an older build, and a
// settings file there would be shared by every user.
void TestInstalledTree::onlyTheProgramInBin() {
    QCOMPARE(QDir(m_stage.path(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("zentick")});
}

// The helper sits in the package's library folder, and the installed program's search ends there.
void TestInstalledTree::theProgramFindsItsSoundHelper() {
    QVERIFY2(soundHelper().startsWith(QStringLiteral("lib")) &&
                 soundHelper().endsWith(QStringLiteral("/zentick/") + QLatin1String(SoundHelperProgram::FileName)),
             qPrintable(soundHelper()));
    QCOMPARE(SoundHelperProgram::path(m_stage.path(QStringLiteral("bin"))), m_stage.path(soundHelper()));
}

void TestInstalledTree::theProgramFindsItsNetworkPlugin() {
    QVERIFY2(netModule().startsWith(QStringLiteral("lib")), qPrintable(netModule()));
    QCOMPARE(NetModuleLoader::path(m_stage.path(QStringLiteral("bin"))), m_stage.path(netModule()));
}

void TestInstalledTree::iconSizes_data() {
    QTest::addColumn<int>("size");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

// Rendered from the drawing at build time: the right size, a see-through corner and an opaque middle.
void TestInstalledTree::iconSizes() {
    QFETCH(int, size);
    const QString file = m_stage.path(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId));
    const QImage icon(file);
    QVERIFY2(!icon.isNull(), qPrintable(file));
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
}

void TestInstalledTree::validators_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("desktop-file-validate")
        << QStringLiteral("desktop-file-validate") << QStringList{} << desktopEntry();
    QTest::newRow("appstreamcli validate")
        << QStringLiteral("appstreamcli") << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
        << metainfo();
}

// Both tools come with tools/install-deps.sh; a tool that is missing is a failure, not a skip, so that CI
// cannot pass without having looked.
void TestInstalledTree::validators() {
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    const QString program = QStandardPaths::findExecutable(tool);
    QVERIFY2(!program.isEmpty(), qPrintable(tool + QStringLiteral(" is missing: run tools/install-deps.sh")));
    const CommandResult result = runCommand(program, arguments << m_stage.path(file));
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    // Warnings pass the exit code; they count here all the same.
    QVERIFY2(
        !result.output.contains(QStringLiteral("warning"), Qt::CaseInsensitive) &&
            !result.output.contains(QRegularExpression(QStringLiteral("^W: "), QRegularExpression::MultilineOption)),
        qPrintable(result.output));
}

// The validators look at one file at a time; the names joining them are checked here.
void TestInstalledTree::entriesPointAtInstalledFiles() {
    const QString entry = m_stage.path(desktopEntry());
    const QString program = desktopValue(entry, QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    QVERIFY(QFileInfo(m_stage.path(QStringLiteral("bin/") + program)).isExecutable());
    const QString icon = desktopValue(entry, QStringLiteral("Icon"));
    QCOMPARE(icon, appId);
    QVERIFY(QFileInfo::exists(
        m_stage.path(QStringLiteral("share/icons/hicolor/48x48/apps/") + icon + QStringLiteral(".png"))));

    const QString appstream = m_stage.path(metainfo());
    QCOMPARE(xmlElement(appstream, QStringLiteral("id")), appId);
    QCOMPARE(xmlElement(appstream, QStringLiteral("launchable")), QFileInfo(entry).fileName());
    QVERIFY(QFileInfo(m_stage.path(QStringLiteral("bin/") + xmlElement(appstream, QStringLiteral("binary"))))
                .isExecutable());
}

// The check lintian makes: man prints nothing on its error channel while it formats the page.
void TestInstalledTree::manualPageFormatsCleanly() {
    const QString man = QStandardPaths::findExecutable(QStringLiteral("man"));
    if (man.isEmpty())
        QSKIP("man is not installed");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    environment.insert(QStringLiteral("MANROFFSEQ"), QString());
    process.setProcessEnvironment(environment);
    process.start(man,
                  {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-l"),
                   QStringLiteral("-Tutf8"), m_stage.path(QStringLiteral("share/man/man1/zentick.1.gz"))});
    QVERIFY(process.waitForFinished(30'000));
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    QCOMPARE(process.exitCode(), 0);
    const QString page = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(page.contains(QStringLiteral("-h")) && page.contains(QStringLiteral("-t")), qPrintable(page));
}

QTEST_GUILESS_MAIN(TestInstalledTree)
#include "tst_InstalledTree.moc"
