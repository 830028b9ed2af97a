#include "platform/MediaSoundPlayer.h"
#include "platform/SoundSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <memory>

namespace {

// A mono 16-bit PCM sine, written by hand so the test depends on no tool.
bool writeSineWav(const QString& path, int milliseconds, double frequency = 440.0) {
    constexpr quint32 rate = 22050;
    const quint32 samples = rate * quint32(milliseconds) / 1000;
    QByteArray data;
    data.reserve(int(samples * 2));
    for (quint32 i = 0; i < samples; ++i) {
        const auto value = qint16(std::lround(12000.0 * std::sin(2.0 * M_PI * frequency * i / rate)));
        char bytes[2];
        qToLittleEndian(value, bytes);
        data.append(bytes, 2);
    }
    QByteArray header;
    auto put32 = [&header](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        header.append(b, 4);
    };
    auto put16 = [&header](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        header.append(b, 2);
    };
    header.append("RIFF");
    put32(36 + quint32(data.size()));
    header.append("WAVEfmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    header.append("data");
    put32(quint32(data.size()));

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + data) == header.size() + data.size();
}

QString testData(const QString& name) {
    return qEnvironmentVariable("ZENTICK_TEST_DATA") + QStringLiteral("/platform/") + name;
}

} // namespace

class TestMediaSoundPlayer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void playsToTheEndTwice_data();
    void playsToTheEndTwice();
    void unplayableFileFailsOnce_data();
    void unplayableFileFailsOnce();
    void stopSilencesWithoutSignal();
    void newPlayReplacesPendingOutcome();
    void closingWindowDuringPlay();

private:
    QTemporaryDir m_folder;
};

void TestMediaSoundPlayer::initTestCase() {
    QVERIFY(m_folder.isValid());
    QCOMPARE(qgetenv("QT_MEDIA_BACKEND"), QByteArray("gstreamer"));
    // fluidsynth must find our General MIDI font first.
    QVERIFY2(!pinnedSoundFontRoot().isEmpty(), "the TimGM6mb sound font is not installed (timgm6mb-soundfont)");
    QVERIFY(QFileInfo(pinnedSoundFontRoot() + QStringLiteral("/sounds/sf2/TimGM6mb.sf2")).isFile());
    QVERIFY(qEnvironmentVariable("XDG_DATA_DIRS").startsWith(pinnedSoundFontRoot() + QLatin1Char(':')));
    QCOMPARE(QDir(pinnedSoundFontRoot() + QStringLiteral("/sounds/sf2")).entryList(QDir::Files | QDir::System),
             QStringList{QStringLiteral("TimGM6mb.sf2")});
}

void TestMediaSoundPlayer::playsToTheEndTwice_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lengthMs");
    const QString wav = m_folder.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeSineWav(wav, 400));
    QTest::newRow("wav") << wav << 400;
    QTest::newRow("mp3") << testData(QStringLiteral("tone.mp3")) << 500;
    QTest::newRow("wma") << testData(QStringLiteral("tone.wma")) << 500;
    QTest::newRow("midi: the default melody") << qEnvironmentVariable("ZENTICK_DEFAULT_MELODY") << 6000;
}

// Without a sound card the sound goes to a silent sink that still keeps time, so each play lasts about as
// long as the sound; the window plays it a second time from its end notice.
void TestMediaSoundPlayer::playsToTheEndTwice() {
    QFETCH(QString, file);
    QFETCH(int, lengthMs);
    QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
    MediaSoundPlayer player;
    QSignalSpy ended(&player, &SoundPlayer::endReached);
    QSignalSpy failed(&player, &SoundPlayer::failed);
    int replays = 0;
    connect(&player, &SoundPlayer::endReached, this, [&] {
        if (replays++ == 0)
            player.play(file);
    });
    QElapsedTimer clock;
    clock.start();

    player.play(file);
    QVERIFY(player.isPlaying());

    QTRY_VERIFY_WITH_TIMEOUT(ended.count() == 2 || failed.count() > 0, 4 * lengthMs + 10000);
    QCOMPARE(failed.count(), 0);
    QVERIFY2(clock.elapsed() >= 2 * lengthMs * 8 / 10, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!player.isPlaying());
}

void TestMediaSoundPlayer::unplayableFileFailsOnce_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("missing") << m_folder.filePath(QStringLiteral("no such sound.wav"));
    QTest::newRow("folder") << m_folder.path();
    const QString garbage = m_folder.filePath(QStringLiteral("garbage.wav"));
    QFile noise(garbage);
    QVERIFY(noise.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int i = 0; i < 8000; ++i)
        bytes.append(char((i * 7919 + 13) % 251));
    noise.write(bytes);
    noise.close();
    QTest::newRow("garbage") << garbage;
    const QString empty = m_folder.filePath(QStringLiteral("empty.mid"));
    QFile(empty).open(QIODevice::WriteOnly);
    QTest::newRow("empty") << empty;
}

void TestMediaSoundPlayer::unplayableFileFailsOnce() {
    QFETCH(QString, file);
    MediaSoundPlayer player;
    QSignalSpy ended(&player, &SoundPlayer::endReached);
    QSignalSpy failed(&player, &SoundPlayer::failed);

    player.play(file);
    QCOMPARE(failed.count(), 0); // never from inside play()

    QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 10000);
    QVERIFY(!player.isPlaying());
    QTest::qWait(300); // GStreamer repeats its errors; the window hears of the failure once
    QCOMPARE(failed.count(), 1);
    QCOMPARE(ended.count(), 0);
}

void TestMediaSoundPlayer::stopSilencesWithoutSignal() {
    const QString wav = m_folder.filePath(QStringLiteral("long.wav"));
    QVERIFY(writeSineWav(wav, 1500));
    MediaSoundPlayer player;
    QSignalSpy ended(&player, &SoundPlayer::endReached);
    QSignalSpy failed(&player, &SoundPlayer::failed);

    player.play(wav);
    QTest::qWait(200);
    player.stop();

    QVERIFY(!player.isPlaying());
    QTest::qWait(2000);
    QCOMPARE(ended.count(), 0);
    QCOMPARE(failed.count(), 0);
}

// The failure of a file given up on must not reach a window that has moved on to another.
void TestMediaSoundPlayer::newPlayReplacesPendingOutcome() {
    const QString wav = m_folder.filePath(QStringLiteral("short.wav"));
    QVERIFY(writeSineWav(wav, 300));
    MediaSoundPlayer player;
    QSignalSpy ended(&player, &SoundPlayer::endReached);
    QSignalSpy failed(&player, &SoundPlayer::failed);

    player.play(m_folder.filePath(QStringLiteral("missing.wav")));
    player.play(wav);

    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
    QCOMPARE(failed.count(), 0);
}

// A window closed while its sound plays destroys its player in the middle of a play.
void TestMediaSoundPlayer::closingWindowDuringPlay() {
    const QString wav = m_folder.filePath(QStringLiteral("closing.wav"));
    QVERIFY(writeSineWav(wav, 1000));
    for (int delayMs : {0, 150}) {
        auto player = std::make_unique<MediaSoundPlayer>();
        player->play(wav);
        QTest::qWait(delayMs);
        player.reset();
    }
    QTest::qWait(300);
}

int main(int argc, char** argv) {
    // The sound font link goes to the runtime folder, which here is a temporary one.
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // As the program does: before the application object and anything that may ask GLib for its folders.
    prepareSoundPlayback();
    QCoreApplication app(argc, argv);
    TestMediaSoundPlayer test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MediaSoundPlayer.moc"
