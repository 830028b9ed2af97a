#include "app/PageControl.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

class CountingPage final : public QLabel {
    Q_OBJECT
public:
    explicit CountingPage(int index)
        : QLabel(QString::number(index)) {}
    void onShow() { ++shows; }
    int shows = 0;
};

// Four pages whose factories count how often they run.
struct Pages {
    Pages() {
        for (int index = 0; index < 4; ++index)
            control.addPage(
                index,
                [this, index] {
                    ++built[index];
                    return new CountingPage(index);
                },
                &CountingPage::onShow);
    }
    CountingPage* page(int index) { return control.page<CountingPage>(index); }

    PageControl control;
    int built[4] = {};
};

} // namespace

class TestPageControl : public QObject {
    Q_OBJECT

private slots:
    void nothingIsBuiltUntilNeeded();
    void aPageIsBuiltOnceWhetherShownOrAskedFor_data();
    void aPageIsBuiltOnceWhetherShownOrAskedFor();
    void buildingAPageKeepsTheCurrentOne_data();
    void buildingAPageKeepsTheCurrentOne();
};

void TestPageControl::nothingIsBuiltUntilNeeded() {
    Pages p;
    QCOMPARE(p.control.count(), 4);
    for (int index = 0; index < 4; ++index) {
        QVERIFY(!p.control.isBuilt(index));
        QCOMPARE(p.built[index], 0);
    }
    QVERIFY(!p.control.widget(4) && !p.control.widget(-1));
}

void TestPageControl::aPageIsBuiltOnceWhetherShownOrAskedFor_data() {
    QTest::addColumn<bool>("byShowing");
    QTest::newRow("shown") << true;
    QTest::newRow("asked for") << false;
}

// Whoever gets there first builds the page; the show handler runs on the real page at every showing, and a page
// only asked for is not shown.
void TestPageControl::aPageIsBuiltOnceWhetherShownOrAskedFor() {
    QFETCH(bool, byShowing);
    Pages p;
    p.control.showPage(0);
    QSignalSpy shown(&p.control, &PageControl::pageShown);
    if (byShowing)
        p.control.showPage(2);
    else
        QVERIFY(p.page(2));
    QCOMPARE(p.built[2], 1);
    QVERIFY(p.control.isBuilt(2));
    QCOMPARE(p.page(2)->text(), QStringLiteral("2"));
    QCOMPARE(p.control.currentIndex(), byShowing ? 2 : 0);
    QCOMPARE(p.page(2)->shows, byShowing ? 1 : 0);
    QCOMPARE(shown.count(), byShowing ? 1 : 0);

    p.control.showPage(2);
    p.control.showPage(2);
    QCOMPARE(p.built[2], 1);
    QCOMPARE(p.page(2)->shows, byShowing ? 3 : 2);
    QCOMPARE(p.control.currentWidget(), p.page(2));
    QCOMPARE(p.control.indexOf(p.page(2)), 2);
    QCOMPARE(p.built[1] + p.built[3], 0);
}

void TestPageControl::buildingAPageKeepsTheCurrentOne_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("built");
    QTest::newRow("below the current page") << 3 << 1;
    QTest::newRow("above the current page") << 1 << 3;
    QTest::newRow("first page while the last is shown") << 3 << 0;
}

// Building swaps the stand-in for the page at the same index; the current page and every index stay put, and no
// change of page is reported.
void TestPageControl::buildingAPageKeepsTheCurrentOne() {
    QFETCH(int, current);
    QFETCH(int, built);
    Pages p;
    p.control.showPage(current);
    QWidget* shownPage = p.control.currentWidget();
    QSignalSpy changed(&p.control, &QStackedWidget::currentChanged);
    QVERIFY(p.page(built));
    QCOMPARE(p.control.currentIndex(), current);
    QCOMPARE(p.control.currentWidget(), shownPage);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(p.control.count(), 4);
    for (int index : {current, built})
        QCOMPARE(p.control.indexOf(p.control.widget(index)), index);
}

QTEST_MAIN(TestPageControl)
#include "tst_PageControl.moc"
