#include "widgets/FirstPaint.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace {
// Counts its paints.
class PaintCounter final : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* /*event*/) override { ++paints; }
};
} // namespace

class TestFirstPaint : public QObject {
    Q_OBJECT

private slots:
    void workRunsOnceWhenTheWindowIsOnTheScreen_data();
    void workRunsOnceWhenTheWindowIsOnTheScreen();
};

void TestFirstPaint::workRunsOnceWhenTheWindowIsOnTheScreen_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("hiddenBeforePainted");
    QTest::newRow("shown: after its first paint") << true << false;
    QTest::newRow("started hidden: at the next turn") << false << false;
    QTest::newRow("hidden again before it was painted: at the latest moment") << true << true;
}

// What a start leaves for later must run, and run once: the paint, the next turn and the latest moment may all
// come, and a connection made twice would be two connections.
void TestFirstPaint::workRunsOnceWhenTheWindowIsOnTheScreen() {
    QFETCH(bool, shown);
    QFETCH(bool, hiddenBeforePainted);
    constexpr int LatestMs = 300;
    PaintCounter window;
    window.resize(200, 100);
    if (shown)
        window.show();
    int runs = 0;
    int paintsAtRun = -1;
    FirstPaint::runAfter(
        &window,
        [&] {
            ++runs;
            paintsAtRun = window.paints;
        },
        LatestMs);
    QCOMPARE(runs, 0); // never inside the call: the start goes on to its event loop first
    if (hiddenBeforePainted)
        window.hide();
    QTRY_COMPARE(runs, 1);
    if (shown && !hiddenBeforePainted)
        QVERIFY2(paintsAtRun > 0, "the work ran before the window was painted");
    QTest::qWait(LatestMs + 100); // the latest moment has passed too
    QCOMPARE(runs, 1);
}

QTEST_MAIN(TestFirstPaint)
#include "tst_FirstPaint.moc"
