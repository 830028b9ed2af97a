#include "fakes/FailingFileOperations.h"
#include "platform/DataFolderMove.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// The move of the data files: never a replaced file, never a file in neither folder, whatever fails and
// whenever the mover is killed.
class TestDataFolderMove : public QObject {
    Q_OBJECT
private slots:
    void moveFile_data();
    void moveFile();
    void realOtherFileSystem();
    void targetCheck();
    void killedMoverLeavesEveryFileWhole_data();
    void killedMoverLeavesEveryFileWhole();
};

namespace {

const QStringList dataFiles{u"Alarms.xml"_s, u"PAlarms.xml"_s, u"AddressBook.xml"_s, u"Calendar.xml"_s};

QByteArray contentOf(const QString& name, int size) {
    const QByteArray unit = "<" + name.toUtf8() + " record>";
    return unit.repeated(size / int(unit.size()) + 1).left(size);
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder on another file system than the usual temporary one, when the machine has one (tmpfs).
QString otherFileSystemBase() {
    struct stat usual {};
    struct stat shm {};
    if (::stat(QFile::encodeName(QDir::tempPath()).constData(), &usual) != 0 || ::stat("/dev/shm", &shm) != 0 ||
        !QFileInfo(u"/dev/shm"_s).isWritable())
        return {};
    return usual.st_dev != shm.st_dev ? u"/dev/shm"_s : QString();
}

} // namespace

void TestDataFolderMove::moveFile_data() {
    QTest::addColumn<bool>("otherDevice");
    QTest::addColumn<bool>("noReplaceMissing");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<bool>("staleTemporary");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("copies");
    QTest::newRow("rename") << false << false << false << false << false << 0 << 0;
    QTest::newRow("no rename without replacing: link") << false << true << false << false << false << 0 << 0;
    QTest::newRow("across file systems: copy") << true << false << false << false << false << 0 << 1;
    QTest::newRow("across, temporary of a killed move") << true << false << false << false << true << 0 << 1;
    QTest::newRow("target exists") << false << false << false << true << false << EEXIST << 0;
    QTest::newRow("across, target exists") << true << false << false << true << false << EEXIST << 0;
    QTest::newRow("across, disk full") << true << false << true << false << false << ENOSPC << 1;
}

void TestDataFolderMove::moveFile() {
    QFETCH(bool, otherDevice);
    QFETCH(bool, noReplaceMissing);
    QFETCH(bool, diskFull);
    QFETCH(bool, targetExists);
    QFETCH(bool, staleTemporary);
    QFETCH(int, error);
    QFETCH(int, copies);
    QTemporaryDir base;
    QVERIFY(QDir(base.path()).mkdir(u"old"_s) && QDir(base.path()).mkdir(u"new"_s));
    const QString from = base.filePath(u"old/Alarms.xml"_s);
    const QString to = base.filePath(u"new/Alarms.xml"_s);
    const QByteArray content = contentOf(u"Alarms.xml"_s, 100000);
    writeFile(from, content);
    if (targetExists)
        writeFile(to, "already here");
    if (staleTemporary)
        writeFile(DataFolderMove::temporaryName(to), "half a cop");

    FailingFileOperations operations;
    if (otherDevice)
        operations.otherDeviceFolder = base.filePath(u"old"_s);
    operations.noReplaceMissing = noReplaceMissing;
    if (diskFull)
        operations.diskFullFor.insert(u"Alarms.xml"_s);
    QCOMPARE(DataFolderMove::moveFile(from, to, operations), error);
    QCOMPARE(operations.copies, copies);

    if (error == 0) {
        QVERIFY(!QFileInfo::exists(from));
        QCOMPARE(readFile(to), content);
    } else {
        QCOMPARE(readFile(from), content);
        QCOMPARE(readFile(to), targetExists ? QByteArray("already here") : QByteArray());
    }
    const qsizetype inTarget = error == 0 || targetExists ? 1 : 0;
    QCOMPARE(QDir(base.filePath(u"new"_s)).entryList(QDir::Files | QDir::Hidden).size(), inTarget);
    QCOMPARE(
        DataFolderMove::moveFile(base.filePath(u"old/missing.xml"_s), base.filePath(u"new/missing.xml"_s), operations),
        ENOENT);
}

void TestDataFolderMove::realOtherFileSystem() {
    const QString otherBase = otherFileSystemBase();
    if (otherBase.isEmpty())
        QSKIP("no second file system here; the EXDEV path is covered by the failing operations");
    QTemporaryDir old(otherBase + u"/zentick-move-XXXXXX"_s);
    QTemporaryDir target;
    QVERIFY(old.isValid() && target.isValid());
    for (const QString& name : dataFiles)
        writeFile(old.filePath(name), contentOf(name, 50000));
    writeFile(target.filePath(u"Calendar.xml"_s), "kept");
    const QList<DataFolderMove::FileLeft> left = DataFolderMove::moveFiles(old.path(), target.path(), dataFiles);
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().name, u"Calendar.xml"_s);
    QCOMPARE(left.first().error, EEXIST);
    for (const QString& name : dataFiles.mid(0, 3)) {
        QCOMPARE(readFile(target.filePath(name)), contentOf(name, 50000));
        QVERIFY(!QFileInfo::exists(old.filePath(name)));
    }
    QCOMPARE(readFile(target.filePath(u"Calendar.xml"_s)), QByteArray("kept"));
    QCOMPARE(readFile(old.filePath(u"Calendar.xml"_s)), contentOf(u"Calendar.xml"_s, 50000));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

// The real calls: a folder that takes files passes and keeps no trace of the test file; room is asked only
// where renames cannot carry the files.
void TestDataFolderMove::targetCheck() {
    QTemporaryDir base;
    QVERIFY(QDir(base.path()).mkdir(u"old"_s) && QDir(base.path()).mkdir(u"new"_s));
    for (const QString& name : dataFiles)
        writeFile(base.filePath(u"old/"_s + name), contentOf(name, 5000));
    const QString from = base.filePath(u"old"_s);
    const QString to = base.filePath(u"new"_s);
    QCOMPARE(DataFolderMove::checkTarget(from, to, dataFiles), 0);
    QCOMPARE(QDir(to).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    qint64 available = -1;
    QCOMPARE(FileOperations::instance().availableBytes(to, available), 0);
    QVERIFY(available > 0);
    QVERIFY(FileOperations::instance().sameFileSystem(from, to));
    QCOMPARE(DataFolderMove::checkTarget(from, base.filePath(u"missing"_s), dataFiles), ENOENT);

    FailingFileOperations operations;
    operations.otherDeviceFolder = from;
    operations.available = 4 * 5000 - 1;
    QCOMPARE(DataFolderMove::checkTarget(from, to, dataFiles, operations), ENOSPC);
    operations.available = 4 * 5000;
    QCOMPARE(DataFolderMove::checkTarget(from, to, dataFiles, operations), 0);
    operations.testFileError = EROFS;
    QCOMPARE(DataFolderMove::checkTarget(from, to, dataFiles, operations), EROFS);
}

void TestDataFolderMove::killedMoverLeavesEveryFileWhole_data() {
    QTest::addColumn<bool>("putBack");
    QTest::newRow("move") << false;
    QTest::newRow("no room for the last file: the others go back") << true;
}

void TestDataFolderMove::killedMoverLeavesEveryFileWhole() {
    QFETCH(bool, putBack);
    const QString otherBase = otherFileSystemBase();
    QTemporaryDir base;
    QTemporaryDir other(otherBase.isEmpty() ? base.filePath(u"other-XXXXXX"_s) : otherBase + u"/zentick-kill-XXXXXX"_s);
    QVERIFY(base.isValid() && other.isValid());
    const QString from = base.filePath(u"old"_s);
    const QString to = other.filePath(u"new"_s);
    QStringList arguments{from, to};
    if (otherBase.isEmpty())
        arguments << u"exdev"_s;
    if (putBack)
        arguments << u"full=Calendar.xml"_s;
    constexpr int fileSize = 3 * 1024 * 1024;

    const auto prepare = [&] {
        QDir(from).removeRecursively();
        QDir(to).removeRecursively();
        QVERIFY(QDir().mkdir(from) && QDir().mkdir(to));
        for (const QString& name : dataFiles)
            writeFile(from + u'/' + name, contentOf(name, fileSize));
    };
    const auto runMover = [&](int killAfterUs) {
        QProcess mover;
        mover.setProcessChannelMode(QProcess::ForwardedChannels);
        mover.start(QStringLiteral(MOVE_WORKER), arguments);
        QVERIFY(mover.waitForStarted());
        if (killAfterUs >= 0) {
            QThread::usleep(ulong(killAfterUs));
            mover.kill();
        }
        QVERIFY(mover.waitForFinished());
    };

    // How long one whole move takes here, so that the kills fall across all of it.
    prepare();
    QElapsedTimer clock;
    clock.start();
    runMover(-1);
    const qint64 wholeUs = qMax<qint64>(clock.nsecsElapsed() / 1000, 2000);
    for (const QString& name : dataFiles)
        QCOMPARE(readFile((putBack ? from : to) + u'/' + name).size(), fileSize);
    QCOMPARE(QDir(putBack ? to : from).entryList(QDir::Files | QDir::Hidden), QStringList());

    const int rounds = 40;
    QRandomGenerator random(20261210);
    int inBoth = 0;
    int moved = 0;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        runMover(int(random.bounded(wholeUs)));
        for (const QString& name : dataFiles) {
            const QByteArray expected = contentOf(name, fileSize);
            const QString oldPath = from + u'/' + name;
            const QString newPath = to + u'/' + name;
            const bool inOld = QFileInfo::exists(oldPath);
            const bool inNew = QFileInfo::exists(newPath);
            QVERIFY2(inOld || inNew, qPrintable(u"round %1: %2 is in neither folder"_s.arg(round).arg(name)));
            if (inOld)
                QVERIFY2(readFile(oldPath) == expected,
                         qPrintable(u"round %1: %2 cut in the old folder"_s.arg(round).arg(name)));
            if (inNew)
                QVERIFY2(readFile(newPath) == expected,
                         qPrintable(u"round %1: %2 cut in the new folder"_s.arg(round).arg(name)));
            inBoth += inOld && inNew;
            moved += inNew && !inOld;
        }
    }
    qInfo("%d kills over a move of %lld us (%s): %d files moved, %d in both folders at the kill", rounds, wholeUs,
          otherBase.isEmpty() ? "renames failed as across file systems" : "onto tmpfs", moved, inBoth);
    // Kills that all fell before or after the work would prove nothing.
    QVERIFY(moved > 0);
    QVERIFY(moved < rounds * int(dataFiles.size()));
}

QTEST_GUILESS_MAIN(TestDataFolderMove)
#include "tst_DataFolderMove.moc"
