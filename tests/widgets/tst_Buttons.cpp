// The kit's pressable controls from the keyboard: the fancy button, links and clickable pictures.
#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/Icons.h"
#include "widgets/LinkLabel.h"

#include <QSignalSpy>
#include <QtTest>

class TestButtons : public QObject {
    Q_OBJECT

private slots:
    void fancyButtonPressedByKeys_data();
    void fancyButtonPressedByKeys();
    void fancyButtonLightsUpOnFocus();
    void linkAndPictureActLikeButtons();
};

void TestButtons::fancyButtonPressedByKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("space") << int(Qt::Key_Space) << true << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << true << 1;
    QTest::newRow("enter") << int(Qt::Key_Enter) << true << 1;
    QTest::newRow("letter") << int(Qt::Key_A) << true << 0;
    QTest::newRow("disabled") << int(Qt::Key_Return) << false << 0;
}

void TestButtons::fancyButtonPressedByKeys() {
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    // Outside a dialog, where a plain push button ignores Enter.
    QWidget page;
    auto* next = new FancyButton(u"Next>>"_qs, &page);
    next->setEnabled(enabled);
    page.show();
    next->setFocus();
    QSignalSpy clicked(next, &FancyButton::clicked);

    QTest::keyClick(next, Qt::Key(key));

    QCOMPARE(clicked.count(), clicks);
}

void TestButtons::fancyButtonLightsUpOnFocus() {
    QWidget page;
    auto* back = new FancyButton(u"<<Back"_qs, &page);
    auto* next = new FancyButton(u"Next>>"_qs, &page);
    // Away from where the pointer rests, so that only the focus lights them.
    page.resize(400, 300);
    back->move(150, 150);
    next->move(150, 220);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    back->setFocus();
    QTRY_VERIFY(back->glow() > 0.5);
    QCOMPARE(next->glow(), 0.0);
    next->setFocus();
    QTRY_COMPARE(back->glow(), 0.0);
    QTRY_VERIFY(next->glow() > 0.5);
    // Its size follows the font, so it grows with the user's text size.
    const QSize small = next->sizeHint();
    QFont larger = next->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    next->setFont(larger);
    QVERIFY(next->sizeHint().height() > small.height() * 3 / 2);
}

void TestButtons::linkAndPictureActLikeButtons() {
    QWidget page;
    auto* advanced = new LinkLabel(u"Advanced"_qs, &page);
    auto* about = new IconLabel(&page);
    about->setIcons(Icons::about(false), Icons::about(true));
    about->setAccessibleName(u"About Zentick..."_qs);
    about->move(0, 40);
    page.show();
    QSignalSpy linkClicked(advanced, &LinkLabel::clicked);
    QSignalSpy aboutClicked(about, &IconLabel::clicked);

    advanced->setFocus();
    QTest::keyClick(advanced, Qt::Key_Return);
    QCOMPARE(linkClicked.count(), 1);
    QTest::mouseClick(about, Qt::LeftButton);
    QCOMPARE(aboutClicked.count(), 1);

    // The picture lights while the pointer is over it, or while the page says so.
    QVERIFY(!about->isLit());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), about->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(about, &enter);
    QVERIFY(about->isLit());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(about, &leave);
    QVERIFY(!about->isLit());
    about->setHighlighted(true);
    QVERIFY(about->isLit());
}

QTEST_MAIN(TestButtons)
#include "tst_Buttons.moc"
