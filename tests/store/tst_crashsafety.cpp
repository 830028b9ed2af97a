#include "CrashStates.h"

#include "store/SectionCollection.h"
#include "store/XMLIniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// A writer saving in a loop is killed at random moments; every time, the file on disk must be one of the
// states that were saved, complete, and no more than one temporary file may be left beside it.
class TestCrashSafety : public QObject {
    Q_OBJECT

private:
    // Reads without a TXMLIniFile, whose destructor would save and so hide what the writer left.
    static qint64 savedState(const QString& path) {
        TSectionCollection sections;
        sections.LoadFromFile(path);
        if (sections.Count() != 1 || sections.item(0)->SectionName() != "state")
            return -1;
        const TDataCollection& keys = sections.item(0)->SectionData();
        if (keys.Count() != 1 + CrashStates::paddingKeys || keys.item(0)->Ident() != "counter")
            return -1;
        bool ok = false;
        const qint64 state = keys.item(0)->Value().toLongLong(&ok);
        if (!ok)
            return -1;
        for (int j = 0; j < CrashStates::paddingKeys; ++j) {
            const TDataCollectionItem* key = keys.item(1 + j);
            if (key->Ident() != CrashStates::paddingKey(j) || key->Value() != CrashStates::padding(state, j))
                return -1;
        }
        return state;
    }

private slots:
    void killedWriterLeavesASavedState() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("state.xml"));
        {
            TXMLIniFile store(path);
            TXMLIniFile::Batch batch(store);
            store.WriteString("state", "counter", "0");
            for (int j = 0; j < CrashStates::paddingKeys; ++j)
                store.WriteString("state", CrashStates::paddingKey(j), CrashStates::padding(0, j));
            batch.commit();
        }
        QVERIFY(QFileInfo(path).size() > 200000);

        const int kills = 200;
        QRandomGenerator random(20240611);
        qint64 lastState = 0;
        int temporaryLeft = 0;
        QElapsedTimer clock;
        clock.start();
        for (int round = 0; round < kills; ++round) {
            QProcess writer;
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(QStringLiteral(STORE_CRASH_WRITER), {path});
            QVERIFY(writer.waitForStarted());
            QThread::usleep(random.bounded(2000, 40000));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            const qint64 state = savedState(path);
            QVERIFY2(
                state >= lastState,
                qPrintable(QStringLiteral("round %1: state %2 after state %3").arg(round).arg(state).arg(lastState)));
            lastState = state;

            QStringList others = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
            others.removeOne(QStringLiteral("state.xml"));
            if (others.removeOne(QStringLiteral("state.xml.tmp")))
                ++temporaryLeft;
            QVERIFY2(others.isEmpty(), qPrintable(others.join(u',')));
        }
        qInfo("%d kills in %lld ms: reached state %lld, a temporary file was left %d times (at most one each)", kills,
              clock.elapsed(), lastState, temporaryLeft);
        // Without progress the test would prove nothing.
        QVERIFY(lastState > kills / 4);
        QVERIFY(temporaryLeft > 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
