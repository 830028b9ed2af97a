#include "platform/ProcessSoundPlayer.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {
// A helper that behaves as the script says, with the sound file as its last argument ($1).
std::unique_ptr<ProcessSoundPlayer> playerRunning(const QString& script,
                                                  int lingerMs = ProcessSoundPlayer::DefaultLingerMs) {
    return std::make_unique<ProcessSoundPlayer>(QStringLiteral("/bin/sh"),
                                                QStringList{QStringLiteral("-c"), script, QStringLiteral("helper")},
                                                nullptr, lingerMs);
}

// A helper that stays: it tells each play's outcome by a line and reads the next file from its input.
const QString staying = QStringLiteral(
    "f=\"$1\"; while :; do if test -f \"$f\"; then echo end; else echo failed; fi; read -r f || exit 0; done");

bool processGone(qint64 pid) {
    return ::kill(pid_t(pid), 0) != 0;
}
} // namespace

class TestProcessSoundPlayer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void outcomeFollowsTheHelper_data();
    void outcomeFollowsTheHelper();
    void stopEndsTheHelperQuietly();
    void playAgainReplacesTheHelper();
    void destroyingThePlayerEndsTheHelper();
    void aStayingHelperPlaysAgain();
    void aStayingHelperEndsAfterAWhile();
    void aStayingHelperThatDiesFailsThePlay();

private:
    QTemporaryDir m_dir;
    QString m_sound;
};

void TestProcessSoundPlayer::init() {
    m_sound = m_dir.filePath(QStringLiteral("bell.wav"));
    QFile file(m_sound);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestProcessSoundPlayer::outcomeFollowsTheHelper_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("missingFile");
    QTest::addColumn<bool>("ends");
    QTest::newRow("played to the end") << QStringLiteral("test -f \"$1\" && exit 0; exit 3") << false << true;
    QTest::newRow("could not play") << QStringLiteral("exit 1") << false << false;
    QTest::newRow("helper crashed") << QStringLiteral("kill -SEGV $$") << false << false;
    QTest::newRow("no such file: no helper at all") << QStringLiteral("exit 0") << true << false;
    QTest::newRow("told the end and stays") << QStringLiteral("echo end; exec sleep 30") << false << true;
    QTest::newRow("told a failure and stays") << QStringLiteral("echo failed; exec sleep 30") << false << false;
}

// Exactly one outcome, never from inside play().
void TestProcessSoundPlayer::outcomeFollowsTheHelper() {
    QFETCH(QString, script);
    QFETCH(bool, missingFile);
    QFETCH(bool, ends);
    const auto player = playerRunning(script);
    QSignalSpy ended(player.get(), &SoundPlayer::endReached);
    QSignalSpy failed(player.get(), &SoundPlayer::failed);
    player->play(missingFile ? m_dir.filePath(QStringLiteral("gone.wav")) : m_sound);
    QCOMPARE(player->isPlaying(), !missingFile);
    QCOMPARE(ended.count() + failed.count(), 0);
    if (missingFile)
        QCOMPARE(player->processId(), 0);
    QTRY_COMPARE(ended.count() + failed.count(), 1);
    QCOMPARE(ended.count(), ends ? 1 : 0);
    QVERIFY(!player->isPlaying());
    QTest::qWait(50);
    QCOMPARE(ended.count() + failed.count(), 1);
}

void TestProcessSoundPlayer::stopEndsTheHelperQuietly() {
    const auto player = playerRunning(QStringLiteral("exec sleep 30"));
    QSignalSpy ended(player.get(), &SoundPlayer::endReached);
    QSignalSpy failed(player.get(), &SoundPlayer::failed);
    player->play(m_sound);
    QTRY_VERIFY(player->processId() > 0);
    const qint64 pid = player->processId();
    player->stop();
    QVERIFY(!player->isPlaying());
    QTRY_VERIFY(processGone(pid));
    QTest::qWait(50);
    QCOMPARE(ended.count() + failed.count(), 0);
}

void TestProcessSoundPlayer::playAgainReplacesTheHelper() {
    const auto player = playerRunning(QStringLiteral("exec sleep 30"));
    QSignalSpy failed(player.get(), &SoundPlayer::failed);
    player->play(m_sound);
    QTRY_VERIFY(player->processId() > 0);
    const qint64 first = player->processId();
    player->play(m_sound);
    QTRY_VERIFY(processGone(first));
    QVERIFY(player->isPlaying());
    QCOMPARE(failed.count(), 0); // the first play's end is not reported
}

void TestProcessSoundPlayer::destroyingThePlayerEndsTheHelper() {
    auto player = playerRunning(QStringLiteral("exec sleep 30"));
    player->play(m_sound);
    QTRY_VERIFY(player->processId() > 0);
    const qint64 pid = player->processId();
    player.reset();
    QTRY_VERIFY(processGone(pid));
}

// The window's second play of its melody, and the next alarm's, go to the same helper: no second start.
void TestProcessSoundPlayer::aStayingHelperPlaysAgain() {
    const auto player = playerRunning(staying);
    QSignalSpy ended(player.get(), &SoundPlayer::endReached);
    QSignalSpy failed(player.get(), &SoundPlayer::failed);
    player->play(m_sound);
    QTRY_COMPARE(ended.count(), 1);
    const qint64 pid = player->processId();
    QVERIFY(pid > 0);
    player->play(m_sound);
    QTRY_COMPARE(ended.count(), 2);
    QCOMPARE(player->processId(), pid);
    // A file gone since: its failure comes from the player itself, and the helper stays.
    player->play(m_dir.filePath(QStringLiteral("gone.wav")));
    QTRY_COMPARE(failed.count(), 1);
    player->play(m_sound);
    QTRY_COMPARE(ended.count(), 3);
    QCOMPARE(player->processId(), pid);
    QCOMPARE(failed.count(), 1);
}

void TestProcessSoundPlayer::aStayingHelperEndsAfterAWhile() {
    const auto player = playerRunning(staying, 200);
    QSignalSpy ended(player.get(), &SoundPlayer::endReached);
    QSignalSpy failed(player.get(), &SoundPlayer::failed);
    player->play(m_sound);
    QTRY_COMPARE(ended.count(), 1);
    const qint64 pid = player->processId();
    QVERIFY(pid > 0);
    QTRY_VERIFY(processGone(pid));
    QTRY_COMPARE(player->processId(), 0);
    // The next play starts a helper again.
    player->play(m_sound);
    QTRY_COMPARE(ended.count(), 2);
    QVERIFY(player->processId() != pid);
    QCOMPARE(failed.count(), 0);
}

// A second play whose helper dies on it fails, once.
void TestProcessSoundPlayer::aStayingHelperThatDiesFailsThePlay() {
    const auto player = playerRunning(QStringLiteral("echo end; read -r f; kill -KILL $$"));
    QSignalSpy ended(player.get(), &SoundPlayer::endReached);
    QSignalSpy failed(player.get(), &SoundPlayer::failed);
    player->play(m_sound);
    QTRY_COMPARE(ended.count(), 1);
    player->play(m_sound);
    QTRY_COMPARE(failed.count(), 1);
    QTest::qWait(50);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(failed.count(), 1);
}

QTEST_GUILESS_MAIN(TestProcessSoundPlayer)
#include "tst_ProcessSoundPlayer.moc"
