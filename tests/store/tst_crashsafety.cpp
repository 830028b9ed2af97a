#include "CrashStates.h"

#include "store/SectionCollection.h"
#include "store/XMLIniFile.h"
#include "store/XmlDocument.h"

#include <QDir>
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
    // A file cut off reads as far as it goes; only a whole document in the written shape is a saved state.
    static qint64 savedState(const QString& path) {
        TSectionCollection sections;
        if (!sections.SetXML(XmlDocument::LoadBytesFromFile(path)))
            return -1;
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
        int killedWithinSave = 0;
        for (int round = 0; round < kills; ++round) {
            QProcess writer;
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(QStringLiteral(STORE_CRASH_WRITER), {path});
            QVERIFY(writer.waitForStarted());
            // The kill comes after a few saves the writer has reported, at a random moment of the next ones:
            // each round makes progress however slow the machine (or a sanitizer) makes the writer.
            const int wanted = random.bounded(1, 4);
            QByteArray output;
            while (output.count("saved ") < wanted) {
                QVERIFY2(writer.waitForReadyRead(60000), "the writer reports no save");
                output += writer.readAllStandardOutput();
            }
            QThread::usleep(random.bounded(0, 5000));
            writer.kill();
            QVERIFY(writer.waitForFinished());
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            output += writer.readAllStandardOutput();
            const QByteArrayList lines = output.trimmed().split('\n');
            const qint64 reported = lines.last().mid(int(sizeof "saved ") - 1).toLongLong();
            QVERIFY2(reported > lastState, lines.last().constData());

            // Every save reported is on disk, and at most the one that was under way went further.
            const qint64 state = savedState(path);
            QVERIFY2(
                state == reported || state == reported + 1,
                qPrintable(
                    QStringLiteral("round %1: state %2 on disk, %3 reported").arg(round).arg(state).arg(reported)));
            lastState = state;

            QStringList others = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
            others.removeOne(QStringLiteral("state.xml"));
            // A killed save may leave its temporary file, named after the document; never more than one.
            QVERIFY2(others.size() <= 1 && (others.isEmpty() || others.first().startsWith(QStringLiteral("state.xml"))),
                     qPrintable(others.join(u',')));
            const bool temporary = !others.isEmpty();
            temporaryLeft += temporary ? 1 : 0;
            killedWithinSave += temporary || state == reported + 1 ? 1 : 0;
        }
        qInfo("%d kills: reached state %lld; %d within a save, %d of them left a temporary file", kills, lastState,
              killedWithinSave, temporaryLeft);
        // Without kills in the middle of a save the test would prove nothing.
        QVERIFY(killedWithinSave > 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
