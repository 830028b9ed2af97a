// The built sound helper, zentick-sound: it plays one file through GStreamer (into a silent sink without a sound
// card) and tells by its exit code whether the sound reached its end; with --stay it tells each play's outcome by a
// line and plays the files named on its input until the input closes.

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A fifth of a second of silence: 8 kHz, mono, 16 bits.
void writeSilence(const QString& path) {
    constexpr quint32 Rate = 8000;
    constexpr quint32 DataBytes = Rate / 5 * 2;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + DataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << Rate << quint32(Rate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << DataBytes;
    out.writeRawData(QByteArray(int(DataBytes), '\0').constData(), int(DataBytes));
}
} // namespace

class TestSoundHelper : public QObject {
    Q_OBJECT

private slots:
    void exitCodeTellsTheOutcome_data();
    void exitCodeTellsTheOutcome();
    void staysForTheNextPlay();
    void melodyPlaysInRealTimeToItsEnd();
};

void TestSoundHelper::exitCodeTellsTheOutcome_data() {
    QTest::addColumn<QByteArray>("content"); // empty: a short silent WAV file
    QTest::addColumn<int>("exitCode");
    QTest::newRow("a sound played to its end") << QByteArray() << 0;
    QTest::newRow("not a sound") << QByteArray("plain text, no sound in it\n") << 1;
}

void TestSoundHelper::exitCodeTellsTheOutcome() {
    QFETCH(QByteArray, content);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString sound = dir.filePath(QStringLiteral("sound.wav"));
    if (content.isEmpty()) {
        writeSilence(sound);
    } else {
        QFile file(sound);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    helper.setProcessEnvironment(env);
    helper.start(qEnvironmentVariable("ZENTICK_SOUND_HELPER"), {sound});
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), exitCode);
}

// One helper, three plays (the second of a file that is no sound), each outcome a line, in order; it ends when its
// input closes, not before.
void TestSoundHelper::staysForTheNextPlay() {
    QTemporaryDir dir;
    const QString sound = dir.filePath(QStringLiteral("sound.wav"));
    writeSilence(sound);
    const QString text = dir.filePath(QStringLiteral("text.wav"));
    {
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("plain text, no sound in it\n");
    }
    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    helper.setProcessEnvironment(env);
    helper.start(qEnvironmentVariable("ZENTICK_SOUND_HELPER"), {QStringLiteral("--stay"), sound});
    QByteArray said;
    const auto lines = [&] {
        said += helper.readAllStandardOutput();
        return said.count('\n');
    };
    QTRY_COMPARE_WITH_TIMEOUT(lines(), 1, 30000);
    helper.write(QFile::encodeName(text) + '\n');
    QTRY_COMPARE_WITH_TIMEOUT(lines(), 2, 30000);
    helper.write(QFile::encodeName(sound) + '\n');
    QTRY_COMPARE_WITH_TIMEOUT(lines(), 3, 30000);
    QCOMPARE(said, QByteArray("end\nfailed\nend\n"));
    QCOMPARE(helper.state(), QProcess::Running);
    helper.closeWriteChannel();
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
}

// The default melody goes through FluidSynth, not the media framework; without a sound device it still takes its
// time, as a silent sink does, so a window repeats it no sooner than it would with sound.
void TestSoundHelper::melodyPlaysInRealTimeToItsEnd() {
    QTemporaryDir dir;
    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    helper.setProcessEnvironment(env);
    QElapsedTimer played;
    played.start();
    helper.start(qEnvironmentVariable("ZENTICK_SOUND_HELPER"), {qEnvironmentVariable("ZENTICK_DEFAULT_MELODY")});
    QVERIFY(helper.waitForFinished(30000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
    QVERIFY2(played.elapsed() > 6500, qPrintable(QString::number(played.elapsed())));
}

QTEST_GUILESS_MAIN(TestSoundHelper)
#include "tst_SoundHelper.moc"
