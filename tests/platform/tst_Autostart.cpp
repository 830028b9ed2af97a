#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray execLine(const QByteArray& entry) {
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return line.mid(5);
    }
    return {};
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT

private slots:
    void switchOnAndOff_data();
    void switchOnAndOff();
    void stateIsReadFromTheFile_data();
    void stateIsReadFromTheFile();
    void switchingOnReplacesAnEntryTheDesktopSwitchedOff();
    void refusedWriteLeavesItOff();
    void execQuotesTheProgram_data();
    void execQuotesTheProgram();
    void programIsNamedByPathUnlessItIsTheOneOnPath();
    void writtenEntryValidates();
};

void TestAutostart::switchOnAndOff_data() {
    QTest::addColumn<QString>("folder"); // below the temporary folder
    QTest::newRow("autostart folder there") << QStringLiteral("config/autostart");
    QTest::newRow("autostart folder missing") << QStringLiteral("fresh/autostart");
    QTest::newRow("config folder missing too") << QStringLiteral("fresh/config/autostart");
}

void TestAutostart::switchOnAndOff() {
    QFETCH(QString, folder);
    QTemporaryDir temporary;
    QVERIFY(QDir().mkpath(temporary.filePath(QStringLiteral("config/autostart"))));
    Autostart autostart(temporary.filePath(folder), QStringLiteral("zentick"));
    QVERIFY(!autostart.isEnabled());

    QVERIFY(autostart.setEnabled(true));
    QVERIFY(autostart.isEnabled());
    QVERIFY(autostart.filePath().endsWith(QStringLiteral("/org.zentick.Zentick.desktop")));
    QCOMPARE(execLine(readFile(autostart.filePath())), QByteArray("zentick -h"));
    // A second switch on rewrites the same entry.
    QVERIFY(autostart.setEnabled(true));
    QVERIFY(autostart.isEnabled());

    QVERIFY(autostart.setEnabled(false));
    QVERIFY(!autostart.isEnabled());
    QVERIFY(!QFile::exists(autostart.filePath()));
    QVERIFY(QDir(temporary.filePath(folder)).isEmpty());
    // Nothing to remove is no failure.
    QVERIFY(autostart.setEnabled(false));
}

void TestAutostart::stateIsReadFromTheFile_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("enabled");
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Zentick\nExec=zentick -h\n";
    QTest::newRow("an entry") << entry << true;
    QTest::newRow("hidden by the desktop") << entry + "Hidden=true\n" << false;
    QTest::newRow("switched off in GNOME's session settings") << entry + "X-GNOME-Autostart-enabled=false\n" << false;
    QTest::newRow("spaces around =") << entry + "Hidden = true\n" << false;
    QTest::newRow("Hidden=false") << entry + "Hidden=false\n" << true;
    QTest::newRow("Hidden in another group") << entry + "[Desktop Action x]\nHidden=true\n" << true;
    QTest::newRow("a translated key is another key") << entry + "Hidden[de]=true\n" << true;
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("no entry group") << QByteArray("Type=Application\n") << false;
}

// The desktop's own session settings may have changed the entry behind the program's back: what the desktop
// will do is what counts.
void TestAutostart::stateIsReadFromTheFile() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, enabled);
    QTemporaryDir temporary;
    const Autostart autostart(temporary.path(), QStringLiteral("zentick"));
    QVERIFY(writeFile(autostart.filePath(), contents));
    QCOMPARE(autostart.isEnabled(), enabled);
}

void TestAutostart::switchingOnReplacesAnEntryTheDesktopSwitchedOff() {
    QTemporaryDir temporary;
    Autostart autostart(temporary.path(), QStringLiteral("zentick"));
    QVERIFY(writeFile(autostart.filePath(), "[Desktop Entry]\nType=Application\nExec=zentick -h\nHidden=true\n"));
    QVERIFY(!autostart.isEnabled());
    QVERIFY(autostart.setEnabled(true));
    QVERIFY(autostart.isEnabled());
}

// Root may write anywhere, so the folder is blocked by a file of the same name.
void TestAutostart::refusedWriteLeavesItOff() {
    QTemporaryDir temporary;
    const QString blocked = temporary.filePath(QStringLiteral("autostart"));
    QVERIFY(writeFile(blocked, "not a folder"));
    Autostart autostart(blocked, QStringLiteral("zentick"));
    QVERIFY(!autostart.setEnabled(true));
    QVERIFY2(autostart.errorString().contains(blocked), qPrintable(autostart.errorString()));
    QVERIFY(!autostart.isEnabled());
    QCOMPARE(readFile(blocked), QByteArray("not a folder"));
}

void TestAutostart::execQuotesTheProgram_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("exec");
    QTest::newRow("on PATH") << QStringLiteral("zentick") << QByteArray("zentick -h");
    QTest::newRow("plain path") << QStringLiteral("/opt/Zentick-1.0/zentick")
                                << QByteArray("/opt/Zentick-1.0/zentick -h");
    QTest::newRow("space") << QStringLiteral("/home/ann/My Apps/zentick")
                           << QByteArray("\"/home/ann/My Apps/zentick\" -h");
    QTest::newRow("dollar and quote") << QStringLiteral("/tmp/$x\"y/zentick")
                                      << QByteArray(R"("/tmp/\\$x\\"y/zentick" -h)");
    QTest::newRow("percent") << QStringLiteral("/tmp/100%/zentick") << QByteArray("/tmp/100%%/zentick -h");
    QTest::newRow("backslash") << QStringLiteral("/tmp/a\\b/zentick") << QByteArray(R"("/tmp/a\\\\b/zentick" -h)");
    QTest::newRow("non-ASCII") << QStringLiteral("/home/jürgen/zentick")
                               << QByteArray("/home/j\xc3\xbcrgen/zentick -h");
}

void TestAutostart::execQuotesTheProgram() {
    QFETCH(QString, program);
    QFETCH(QByteArray, exec);
    QCOMPARE(execLine(Autostart(QStringLiteral("/unused"), program).entry()), exec);
}

void TestAutostart::programIsNamedByPathUnlessItIsTheOneOnPath() {
    QTemporaryDir temporary;
    const QString onPath = temporary.filePath(QStringLiteral("bin"));
    const QString elsewhere = temporary.filePath(QStringLiteral("portable"));
    QVERIFY(QDir().mkpath(onPath) && QDir().mkpath(elsewhere));
    for (const QString& folder : {onPath, elsewhere}) {
        QVERIFY(writeFile(folder + QStringLiteral("/zentick"), "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(folder + QStringLiteral("/zentick"), QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(onPath));
    const QString installed = Autostart::programFor(onPath + QStringLiteral("/zentick"));
    const QString portable = Autostart::programFor(elsewhere + QStringLiteral("/zentick"));
    qputenv("PATH", path);
    QCOMPARE(installed, QStringLiteral("zentick"));
    QCOMPARE(portable, elsewhere + QStringLiteral("/zentick"));
}

void TestAutostart::writtenEntryValidates() {
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing: run tools/install-deps.sh");
    QTemporaryDir temporary;
    Autostart autostart(temporary.path(), QStringLiteral("/home/ann/My Apps/zentick"));
    QVERIFY(autostart.setEnabled(true));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(validator, {autostart.filePath()});
    QVERIFY(process.waitForFinished(30'000));
    const QByteArray output = process.readAll();
    QVERIFY2(process.exitCode() == 0 && output.isEmpty(), output.constData());
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_Autostart.moc"
