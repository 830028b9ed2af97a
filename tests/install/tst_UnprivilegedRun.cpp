// The installed program run by an ordinary user, who cannot write to the folder of the executable: its files
// go to the user's configuration folder, and the installation is left exactly as it was. The tests run as
// root, who may write everywhere, so the program is started as "nobody" (uid 65534) through setpriv.

#include "InstallLayout.h"
#include "InstallStage.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTest>

#include <algorithm>
#include <memory>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;
constexpr int Patience = 15'000;

// Every file and folder below root, with size and modification time: a write anywhere changes it.
QStringList snapshot(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(info.filePath())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

bool giveToNobody(const QString& path, QFile::Permissions permissions) {
    return QFile::setPermissions(path, permissions) &&
           ::chown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0;
}

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
// The temporary folders are made owner-only; nobody has to pass through them to reach its own.
constexpr QFile::Permissions PassThrough = OwnerOnly | QFile::ExeGroup | QFile::ExeOther;
constexpr QFile::Permissions Readable = PassThrough | QFile::ReadGroup | QFile::ReadOther;

} // namespace

class TestUnprivilegedRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void filesGoToTheUsersConfigFolder_data();
    void filesGoToTheUsersConfigFolder();
    void theSoundHelperPlaysForTheUser();

private:
    std::unique_ptr<QProcess> startAsNobody(const QProcessEnvironment& environment, const QStringList& arguments);
    bool waitUntilListening(const QString& runtime);

    InstallStage m_stage;
};

void TestUnprivilegedRun::initTestCase() {
    if (::geteuid() != 0)
        QSKIP("switching to an unprivileged user needs root");
    const QString failure = m_stage.install();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(QFile::setPermissions(m_stage.stage.path(), Readable));
}

std::unique_ptr<QProcess> TestUnprivilegedRun::startAsNobody(const QProcessEnvironment& environment,
                                                             const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(environment.value(QStringLiteral("HOME")));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(QStringLiteral("setpriv"),
                   QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), m_stage.path(QStringLiteral("bin/zentick"))}
                       << arguments);
    process->waitForStarted(Patience);
    return process;
}

// The socket's name carries the user id, so here it is found as the one socket in the runtime folder that
// answers; a socket file alone proves nothing.
bool TestUnprivilegedRun::waitUntilListening(const QString& runtime) {
    const auto answers = [&runtime] {
        const QFileInfoList entries = QDir(runtime).entryInfoList(QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        return std::any_of(entries.cbegin(), entries.cend(), [](const QFileInfo& entry) {
            QLocalSocket probe;
            probe.connectToServer(entry.filePath());
            return probe.waitForConnected(100);
        });
    };
    return QTest::qWaitFor(answers, Patience);
}

void TestUnprivilegedRun::filesGoToTheUsersConfigFolder_data() {
    QTest::addColumn<QString>("configHome"); // relative to HOME; empty: unset
    QTest::addColumn<QString>("expected");   // relative to HOME
    QTest::newRow("XDG_CONFIG_HOME unset") << QString() << QStringLiteral(".config/zentick");
    QTest::newRow("XDG_CONFIG_HOME set, not there yet")
        << QStringLiteral("/my config") << QStringLiteral("my config/zentick");
    QTest::newRow("XDG_CONFIG_HOME relative is ignored")
        << QStringLiteral("relative") << QStringLiteral(".config/zentick");
}

void TestUnprivilegedRun::filesGoToTheUsersConfigFolder() {
    QFETCH(QString, configHome);
    QFETCH(QString, expected);
    QTemporaryDir top;
    QVERIFY(top.isValid());
    QVERIFY(QFile::setPermissions(top.path(), PassThrough));
    const QString home = top.filePath(QStringLiteral("home"));
    const QString runtime = top.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkdir(home) && QDir().mkdir(runtime));
    QVERIFY(giveToNobody(home, OwnerOnly) && giveToNobody(runtime, OwnerOnly));

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    if (configHome.startsWith(QLatin1Char('/')))
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + configHome);
    else if (!configHome.isEmpty())
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("en_GB.UTF-8"));
    // No bus at all: the program must not reach the machine's logind or a desktop session.
    const QString noBus = QStringLiteral("unix:path=") + top.filePath(QStringLiteral("no-bus"));
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), noBus);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), noBus);

    const QStringList installedBefore = snapshot(m_stage.stage.path());
    const std::unique_ptr<QProcess> first = startAsNobody(environment, {QStringLiteral("-h")});
    QVERIFY2(waitUntilListening(runtime), qPrintable(QString::fromLocal8Bit(first->readAll())));

    const QString folder = home + QLatin1Char('/') + expected;
    const QFileInfo settings(folder + QStringLiteral("/Settings.xml"));
    const QFileInfo data(folder + QStringLiteral("/Alarms Directory"));
    QVERIFY2(settings.isFile(), qPrintable(QString::fromLocal8Bit(first->readAll())));
    QVERIFY(data.isDir());
    QCOMPARE(settings.ownerId(), Nobody);
    QCOMPARE(data.ownerId(), Nobody);

    const std::unique_ptr<QProcess> terminate = startAsNobody(environment, {QStringLiteral("-t")});
    QVERIFY(terminate->waitForFinished(Patience));
    QCOMPARE(terminate->exitCode(), 0);
    QVERIFY(first->waitForFinished(Patience));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);

    QCOMPARE(snapshot(m_stage.stage.path()), installedBefore);
}

// The installed helper, run as the user the program runs as, plays the installed melody to its end (into a silent
// sink here): its libraries, the media framework and the sound font are all there for an ordinary user.
void TestUnprivilegedRun::theSoundHelperPlaysForTheUser() {
    QTemporaryDir top;
    QVERIFY(top.isValid());
    QVERIFY(QFile::setPermissions(top.path(), PassThrough));
    const QString runtime = top.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkdir(runtime) && giveToNobody(runtime, OwnerOnly));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("HOME"), runtime);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    QProcess helper;
    helper.setProcessEnvironment(environment);
    helper.setProcessChannelMode(QProcess::MergedChannels);
    helper.start(
        QStringLiteral("setpriv"),
        {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
         QDir::cleanPath(m_stage.path(QStringLiteral("bin/")) + QLatin1String(InstallLayout::HelpersFromExecutable) +
                         QStringLiteral("/zentick-sound")),
         m_stage.path(QStringLiteral("share/zentick/hurryup.mid"))});
    QVERIFY(helper.waitForFinished(60'000));
    QVERIFY2(helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0,
             qPrintable(QString::fromLocal8Bit(helper.readAll())));
}

QTEST_GUILESS_MAIN(TestUnprivilegedRun)
#include "tst_UnprivilegedRun.moc"
